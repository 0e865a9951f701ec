#include "entry/FixtureLeague.h"

#include "data/Dataset.h"
#include "data/Errors.h"
#include "data/MatchOutcome.h"
#include "data/Numbers.h"
#include "data/PendingEdit.h"
#include "data/Sports.h"
#include "data/TDataMod.h"
#include "data/TextCompare.h"
#include "entry/MatchEntry.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace
{
bool findTeam(Table &teams, const QString &name)
{
    return teams.locate(QStringLiteral("Team"), {name}, Dataset::CaseInsensitive);
}
} // namespace

FixtureLeague::FixtureLeague(TDataMod &dm) : m_dm(dm), m_line(DefaultTotalLine(dm.sport()))
{
    Table &teams = dm.ADOTableTeams;
    ControlsDisabled quiet(teams);
    FilterOff all(teams);
    const Dataset::Bookmark remembered = teams.bookmark();
    const Field team = teams.field(QStringLiteral("Team"));
    for (teams.first(); !teams.eof(); teams.next())
        m_teams << team.asString();
    if (remembered >= 0 && teams.bookmarkValid(remembered))
        teams.gotoBookmark(remembered);
}

TeamsInLine FixtureLeague::recognise(const QString &line, const QString &separator) const
{
    // Every occurrence of every name, read left to right as words are: a name starting where a longer
    // one starts, or inside a name already read, is part of that name ("Texas" in "Texas Rangers").
    struct Occurrence {
        qsizetype at;
        const QString *name;
    };
    std::vector<Occurrence> all;
    for (const QString &team : m_teams) {
        if (team.isEmpty())
            continue;
        for (qsizetype p = line.indexOf(team); p >= 0; p = line.indexOf(team, p + 1))
            all.push_back({p, &team});
    }
    std::stable_sort(all.begin(), all.end(), [](const Occurrence &a, const Occurrence &b) {
        return a.at != b.at ? a.at < b.at : a.name->size() > b.name->size();
    });

    TeamsInLine found;
    const qsizetype s = line.indexOf(separator);
    qsizetype readUpTo = 0;
    for (const Occurrence &o : all) {
        if (o.at < readUpTo)
            continue;
        readUpTo = o.at + o.name->size();
        if (o.at <= s)
            found.before = TeamInLine{*o.name, o.at}; // the last one before the separator
        else if (!found.after.found())
            found.after = TeamInLine{*o.name, o.at}; // the first one after it
    }
    return found;
}

int FixtureLeague::largestRound()
{
    Table &results = m_dm.ADOTableResults;
    FilterOff all(results);
    const std::optional<double> largest = results.maxOf(QStringLiteral("Rnd"));
    return largest ? static_cast<int>(Numbers::roundHalfEven(*largest)) : 0;
}

void FixtureLeague::appendRow(const QString &home, const QString &away, const QDate &date, int round)
{
    Table &results = m_dm.ADOTableResults;
    const std::optional<double> maxId = results.maxOf(QStringLiteral("ID"));
    results.append();
    results.field(QStringLiteral("ID")).setInteger(maxId ? Numbers::roundHalfEven(*maxId) + 1 : 0);
    results.field(QStringLiteral("Home")).setString(home);
    results.field(QStringLiteral("Away")).setString(away);
    for (const char *c : {"HP", "DP", "AP", "CF"})
        results.field(QString::fromLatin1(c)).setInteger(0);
    results.field(QStringLiteral("PResult")).setString(QStringLiteral(":"));
    results.field(QStringLiteral("Verdict")).setString(QStringLiteral("?"));
    for (const char *c : {"O1", "OX", "O2"})
        results.field(QString::fromLatin1(c)).setString(QStringLiteral("-"));
    results.field(QStringLiteral("Result")).setString(QStringLiteral(":"));
    results.field(QStringLiteral("DateP")).setDate(date);
    results.field(QStringLiteral("Rnd")).setInteger(round);
    // Without a line the predictions would call the total against 0.
    results.field(QStringLiteral("Ttl")).setInteger(0);
    results.field(QStringLiteral("UOV")).setFloat(m_line);
    results.field(QStringLiteral("UOP")).setString(Numbers::formatGeneral(m_line));
}

void FixtureLeague::appendFixture(const QString &home, const QString &away, const QDate &date, int round)
{
    Table &results = m_dm.ADOTableResults;
    // A page read again (after Replace mended a name, or pasted twice) must not store its fixtures twice.
    if (results.locate(QStringLiteral("Home;Away;DateP"), {home, away, date}, Dataset::CaseInsensitive)) {
        ++summary.alreadyStored;
        return;
    }
    PendingEdit pending(results);
    appendRow(home, away, date, round);
    pending.post();
    ++summary.fixturesAdded;
}

void FixtureLeague::enterResult(const QString &home, const QString &away, int homeScore, int awayScore,
                                const QDate &date, int round)
{
    Table &results = m_dm.ADOTableResults;
    Table &teams = m_dm.ADOTableTeams;
    const Field homeField = results.field(QStringLiteral("Home"));
    const Field awayField = results.field(QStringLiteral("Away"));
    const Field resultField = results.field(QStringLiteral("Result"));
    std::optional<Dataset::Bookmark> unplayed;
    for (results.first(); !results.eof(); results.next()) {
        if (!TextCompare::equalNoCase(homeField.asString(), home) ||
            !TextCompare::equalNoCase(awayField.asString(), away))
            continue;
        if (isPlayed(resultField.asString())) {
            if (results.field(QStringLiteral("F")).asInteger() == homeScore &&
                results.field(QStringLiteral("A")).asInteger() == awayScore &&
                results.field(QStringLiteral("DateP")).asDate() == date) {
                ++summary.alreadyStored;
                return;
            }
        } else if (!unplayed) {
            unplayed = results.bookmark();
        }
    }

    PendingEdit pending(results);
    if (unplayed) {
        results.gotoBookmark(*unplayed);
        results.edit();
    } else {
        appendRow(home, away, date, round);
    }
    // The ratings before this match, as every other way of entering a result keeps them: removing
    // the match later restores them, and the predictions of past matches start from them.
    results.field(QStringLiteral("Home")).setString(home);
    if (!findTeam(teams, home))
        throw DatabaseError(QStringLiteral("Cannot find home team"));
    copyRatingSnapshot(teams, results, SnapshotSide::Home);
    results.field(QStringLiteral("Away")).setString(away);
    if (!findTeam(teams, away))
        throw DatabaseError(QStringLiteral("Cannot find away team"));
    copyRatingSnapshot(teams, results, SnapshotSide::Away);
    results.field(QStringLiteral("F")).setInteger(homeScore);
    results.field(QStringLiteral("A")).setInteger(awayScore);
    results.field(QStringLiteral("Result")).setString(resultText(homeScore, awayScore, false));
    pending.post();
    m_dm.ApplyResult(false, awayScore, homeScore, away, home);
    ++(unplayed ? summary.fixturesFilled : summary.resultsAdded);
}
