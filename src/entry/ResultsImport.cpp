#include "entry/ResultsImport.h"

#include "data/ClosingPrices.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/MatchOutcome.h"
#include "data/Messenger.h"
#include "data/Numbers.h"
#include "data/Sports.h"
#include "data/TDataMod.h"
#include "data/TeamAliases.h"
#include "data/TextCompare.h"
#include "entry/MatchEntry.h"
#include "entry/Odds.h"

#include <QHash>
#include <algorithm>
#include <vector>

namespace
{

// What the import needs to know of a stored match to decide whether a row changes it.
struct StoredMatch {
    Dataset::Bookmark row;
    QString home, away;
    bool played;
    int homeGoals, awayGoals;
};

// The stored matches by day, built once; a day holds few matches, so they are compared one by one
// with the program's own rule for names that differ in letter case only.
class MatchIndex
{
public:
    void add(const QDate &date, const StoredMatch &match) { m_byDay[date.toJulianDay()].push_back(match); }

    StoredMatch *find(const QDate &date, const QString &home, const QString &away)
    {
        const auto day = m_byDay.find(date.toJulianDay());
        if (day == m_byDay.end())
            return nullptr;
        for (StoredMatch &m : *day)
            if (TextCompare::equalNoCase(m.home, home) && TextCompare::equalNoCase(m.away, away))
                return &m;
        return nullptr;
    }

private:
    QHash<qint64, std::vector<StoredMatch>> m_byDay;
};

MatchIndex indexResults(Table &results)
{
    MatchIndex index;
    const Field date = results.field(QStringLiteral("DateP"));
    const Field home = results.field(QStringLiteral("Home"));
    const Field away = results.field(QStringLiteral("Away"));
    const Field result = results.field(QStringLiteral("Result"));
    const Field homeGoals = results.field(QStringLiteral("F"));
    const Field awayGoals = results.field(QStringLiteral("A"));
    for (results.first(); !results.eof(); results.next()) {
        const QDate d = date.asDate();
        if (d.isValid())
            index.add(d, {results.bookmark(), home.asString(), away.asString(), isPlayed(result.asString()),
                          homeGoals.asInteger(), awayGoals.asInteger()});
    }
    return index;
}

// Team names as stored; a name of the file is matched to them ignoring letter case, through an index
// from the folded name, so that a row costs the same among 20 or 2,000 teams.
class TeamNames
{
public:
    TeamNames(Table &teams, const QHash<QString, QString> &aliases) : m_aliases(aliases)
    {
        const Field team = teams.field(QStringLiteral("Team"));
        for (teams.first(); !teams.eof(); teams.next())
            add(team.asString());
    }

    // The stored spelling of a name; a null string when the league has no such team.  A name merged into
    // another team (TeamAliases) means the kept team while the league has it, unless a team of that name
    // has been added since: a real team's name wins over an alias.
    QString stored(const QString &name) const
    {
        const QString key = TextCompare::foldedKey(name);
        if (const QString team = m_byKey.value(key); !team.isNull())
            return team;
        const auto alias = m_aliases.constFind(key);
        return alias == m_aliases.cend() ? QString() : m_byKey.value(TextCompare::foldedKey(*alias));
    }

    void add(const QString &name)
    {
        const QString key = TextCompare::foldedKey(name);
        if (!m_byKey.contains(key)) // the first of equal spellings counts
            m_byKey.insert(key, name);
    }

private:
    QHash<QString, QString> m_aliases;
    QHash<QString, QString> m_byKey;
};

// Runs one row's work; whatever stops it is reported with the row's line.
template <typename Work> void atLine(int line, Work work)
{
    try {
        work();
    } catch (const CsvImportError &) {
        throw;
    } catch (const WriteError &) {
        throw; // the file system's refusal has nothing to do with the row being written
    } catch (const Abort &) {
        throw CsvImportError(line, QStringLiteral("the match could not be entered."));
    } catch (const QuorvaneError &e) {
        throw CsvImportError(line, e.message());
    }
}

// Appends, in order of first appearance (home before away), the teams the league lacks.
int addMissingTeams(Table &teams, TeamNames &names, const CsvSeason &season)
{
    int added = 0;
    for (const CsvMatch &m : season.matches) {
        atLine(m.line, [&] {
            for (const QString &name : {m.home, m.away}) {
                if (!names.stored(name).isNull())
                    continue;
                teams.appendRecord(newTeamValues(name, teams.recordCount() + 1));
                names.add(name);
                ++added;
            }
        });
    }
    return added;
}

// What a file row gives every match it enters or edits: the teams' entries, date, scores and odds.
MatchEntryInput inputOf(const CsvMatch &m)
{
    MatchEntryInput in;
    in.year = m.date.year();
    in.month = m.date.month();
    in.day = m.date.day();
    in.homeScore = m.homeGoals;
    in.awayScore = m.awayGoals;
    for (int i = 0; i < 3; ++i) {
        in.odds[i] = m.odds[i];
        in.oddsType[i] = Odds::DetectOddsType(m.odds[i]);
        in.bookmaker[i] = m.bookmakers[i];
    }
    return in;
}

void save(TDataMod &dm, const MatchEntryInput &in, Messenger &messenger, int line)
{
    if (!SaveMatch(dm, in, messenger))
        throw CsvImportError(line, QStringLiteral("the match could not be entered."));
}

class Importer
{
public:
    Importer(TDataMod &dm, Messenger &messenger, TeamNames &teams)
        : m_dm(dm), m_messenger(messenger), m_teams(teams),
          m_defaultLine(Numbers::formatGeneral(DefaultTotalLine(dm.sport()))),
          m_index(indexResults(dm.ADOTableResults))
    {
    }

    void enter(const CsvMatch &m)
    {
        const QString home = m_teams.stored(m.home);
        const QString away = m_teams.stored(m.away);
        StoredMatch *stored = m_index.find(m.date, home, away);
        if (!stored) {
            add(m, home, away);
        } else if (m.played && (!stored->played || stored->homeGoals != m.homeGoals ||
                                stored->awayGoals != m.awayGoals)) {
            edit(m, *stored);
        } else {
            ++summary.unchanged;
            if (hasClosing(m)) {
                m_dm.ADOTableResults.gotoBookmark(stored->row);
                keepClosing(m);
            }
        }
    }

    ImportSummary summary;

private:
    void add(const CsvMatch &m, const QString &home, const QString &away)
    {
        MatchEntryInput in = inputOf(m);
        in.mode = MatchEntryMode::Add;
        in.home = home;
        in.away = away;
        in.teamEntries = {home, away}; // both are stored teams: addMissingTeams saw to it
        in.round = m.round;
        in.underOver = m_defaultLine;
        save(m_dm, in, m_messenger, m.line);
        keepClosing(m);
        // The new row is the current one; a later row of the same file finds it like any other.
        m_index.add(m.date,
                    {m_dm.ADOTableResults.bookmark(), home, away, m.played, m.homeGoals, m.awayGoals});
        ++summary.added;
    }

    // Everything but the scores and odds stays as stored: names, kind, round, line and ID.
    void edit(const CsvMatch &m, StoredMatch &stored)
    {
        Table &results = m_dm.ADOTableResults;
        results.gotoBookmark(stored.row);
        MatchEntryInput in = inputOf(m);
        in.mode = MatchEntryMode::Edit;
        in.home = results.field(QStringLiteral("Home")).asString();
        in.away = results.field(QStringLiteral("Away")).asString();
        in.teamEntries = {in.home, in.away}; // match entry still finds both in Teams or refuses
        in.matchKind = results.field(QStringLiteral("MatchT")).asString();
        in.round = results.field(QStringLiteral("Rnd")).asInteger();
        in.underOver = results.field(QStringLiteral("UOP")).asString();
        save(m_dm, in, m_messenger, m.line);
        keepClosing(m);
        stored.played = true;
        stored.homeGoals = m.homeGoals;
        stored.awayGoals = m.awayGoals;
        ++summary.updated;
    }

    static bool hasClosing(const CsvMatch &m)
    {
        return m.closing[0] > 0 || m.closing[1] > 0 || m.closing[2] > 0;
    }

    // The row's closing prices for the current Results row; a file without them leaves stored ones.
    void keepClosing(const CsvMatch &m)
    {
        if (!hasClosing(m))
            return;
        const qint64 id = qRound64(m_dm.ADOTableResults.field(QStringLiteral("ID")).asFloat());
        ClosingPrices::store(m_dm.ADOConnection, id, {m.closing[0], m.closing[1], m.closing[2]});
    }

    TDataMod &m_dm;
    Messenger &m_messenger;
    TeamNames &m_teams;
    const QString m_defaultLine;
    MatchIndex m_index;
};

} // namespace

ImportSummary ImportResults(TDataMod &dm, const CsvSeason &season, Messenger &messenger,
                            const std::function<void(int, int)> &progress)
{
    Transaction tx(dm.ADOConnection);
    ImportSummary summary;
    {
        Table &results = dm.ADOTableResults;
        Table &teams = dm.ADOTableTeams;
        ControlsDisabled quietResults(results);
        ControlsDisabled quietTeams(teams);
        FilterOff allResults(results); // a match to edit may be hidden by the view's filter
        // The standings change a team's row many times a season: each changed row is written once.
        DeferredWrites teamWrites(teams);

        TeamNames names(teams, TeamAliases::readAll(dm.ADOConnection));
        const int teamsAdded = addMissingTeams(teams, names, season);
        Importer importer(dm, messenger, names);
        const int total = static_cast<int>(season.matches.size());
        for (int i = 0; i < total; ++i) {
            const CsvMatch &m = season.matches[i];
            atLine(m.line, [&] { importer.enter(m); });
            if (progress)
                progress(i + 1, total);
        }
        RenumberInHomeOrder(dm);
        teamWrites.flush();
        summary = importer.summary;
        summary.teamsAdded = teamsAdded;
    }
    tx.commit();
    return summary;
}

void openResultsOfSeason(TDataMod &dm, const CsvSeason &season)
{
    const auto byDate = [](const CsvMatch &a, const CsvMatch &b) { return a.date < b.date; };
    const auto [first, last] = std::minmax_element(season.matches.cbegin(), season.matches.cend(), byDate);
    Table &results = dm.ADOTableResults;
    results.close();
    // The next ID comes from the same pass over the file as the season's stored matches.
    results.restrictRows(QStringLiteral("DateP BETWEEN ?1 AND ?2"),
                         {Dates::toStored(first->date), Dates::toStored(last->date)}, {QStringLiteral("ID")});
    results.open();
}
