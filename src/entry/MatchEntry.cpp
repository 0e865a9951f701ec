#include "entry/MatchEntry.h"

#include "data/BusyCursor.h"
#include "data/ClosingPrices.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/MatchOutcome.h"
#include "data/Messenger.h"
#include "data/Numbers.h"
#include "data/PendingEdit.h"
#include "data/Sports.h"
#include "data/TDataMod.h"
#include "data/TextCompare.h"
#include "entry/Odds.h"

#include <QSet>
#include <optional>

namespace
{
const QString kOddsColumns[3] = {QStringLiteral("O1"), QStringLiteral("OX"), QStringLiteral("O2")};
const QString kBookmakerColumns[3] = {QStringLiteral("O1B"), QStringLiteral("OXB"), QStringLiteral("O2B")};

// The match an edit starts from: what says which fixture it is.
struct EditedMatch {
    qint64 id;
    QString home, away;
    QDate date;

    bool changedBy(const QString &newHome, const QString &newAway, const QDate &newDate) const
    {
        return !TextCompare::equalNoCase(home, newHome) || !TextCompare::equalNoCase(away, newAway) ||
               date != newDate;
    }
};

bool findTeam(TDataMod &dm, const QString &name)
{
    return dm.ADOTableTeams.locate(QStringLiteral("Team"), {name}, Dataset::CaseInsensitive);
}
} // namespace

QString addMatchCaption()
{
    return QStringLiteral("Add Match");
}

QString editMatchCaption()
{
    return QStringLiteral("Edit Match");
}

MatchEntryMode matchEntryModeOf(const QString &caption)
{
    return caption == editMatchCaption() ? MatchEntryMode::Edit : MatchEntryMode::Add;
}

const QStringList &matchKinds()
{
    static const QStringList kinds = {QStringLiteral("Pre-Season"), QStringLiteral("Regular Season"),
                                      QStringLiteral("Relegation"), QStringLiteral("1/8 Finals"),
                                      QStringLiteral("1/4 Finals"), QStringLiteral("1/2 Finals"),
                                      QStringLiteral("Finals")};
    return kinds;
}

void copyRatingSnapshot(Table &teams, Table &results, SnapshotSide side)
{
    // Snapshot column <- Teams column, for each side.
    static const std::pair<const char *, const char *> home[] = {
        {"PtsH", "HPts"}, {"PtsHT", "TPts"}, {"TRH", "TRH"}, {"TRHT", "TRT"}};
    static const std::pair<const char *, const char *> away[] = {
        {"PtsA", "APts"}, {"PtsAT", "TPts"}, {"TRA", "TRA"}, {"TRAT", "TRT"}};
    for (const auto &[to, from] : side == SnapshotSide::Home ? home : away)
        results.field(QString::fromLatin1(to)).setInteger(teams.field(QString::fromLatin1(from)).asInteger());
}

QString resultText(int homeScore, int awayScore, bool overtime)
{
    if (homeScore < 0 || awayScore < 0)
        return QStringLiteral(":");
    QString r = QString::number(homeScore) + QLatin1Char(':') + QString::number(awayScore);
    if (overtime)
        r += QStringLiteral(" OT");
    return r;
}

MatchEntryForm ShowMatchEntry(TDataMod &dm, MatchEntryMode mode)
{
    BusyCursor busy;
    MatchEntryForm form;
    Table &teams = dm.ADOTableTeams;
    Table &results = dm.ADOTableResults;
    const Dataset::Bookmark remembered = results.bookmark();

    {
        ControlsDisabled quiet(teams);
        for (teams.first(); !teams.eof(); teams.next())
            form.teams << teams.field(QStringLiteral("Team")).asString();
        teams.first();
    }
    TextCompare::sortNoCase(form.teams);

    form.underOver = Numbers::formatGeneral(DefaultTotalLine(dm.sport()));

    if (mode == MatchEntryMode::Edit && !results.isEmpty()) {
        form.date = results.field(QStringLiteral("DateP")).asDate();
        form.round = results.field(QStringLiteral("Rnd")).asInteger();
        form.matchKind = results.field(QStringLiteral("MatchT")).asString();
        form.home = results.field(QStringLiteral("Home")).asString();
        form.away = results.field(QStringLiteral("Away")).asString();
        const QString result = results.field(QStringLiteral("Result")).asString();
        if (result != QLatin1String(":")) {
            form.homeScore = results.field(QStringLiteral("F")).asInteger();
            form.awayScore = results.field(QStringLiteral("A")).asInteger();
        }
        form.overtime = isOvertime(result);
        form.underOver = results.field(QStringLiteral("UOV")).asString();
    }

    {
        ControlsDisabled quiet(results);
        FilterOff all(results);
        QSet<QString> seen;
        for (results.first(); !results.eof(); results.next()) {
            for (const QString &column : kBookmakerColumns) {
                const QString name = results.field(column).asString();
                if (name.isEmpty())
                    continue;
                const QString key = name.toCaseFolded();
                if (seen.contains(key))
                    continue;
                seen.insert(key);
                form.bookmakers << name;
            }
        }
    }
    TextCompare::sortNoCase(form.bookmakers);
    if (remembered >= 0 && results.bookmarkValid(remembered))
        results.gotoBookmark(remembered);

    if (mode == MatchEntryMode::Edit && !results.isEmpty()) {
        for (int i = 0; i < 3; ++i) {
            form.bookmaker[i] = results.field(kBookmakerColumns[i]).asString();
            form.odds[i] = results.field(kOddsColumns[i]).asString();
            form.oddsType[i] = Odds::DetectOddsType(form.odds[i]);
        }
    }
    return form;
}

QString oddsRowCaption(SnapshotSide side, const QString &team)
{
    if (!team.isEmpty())
        return team;
    return side == SnapshotSide::Home ? QStringLiteral("Home") : QStringLiteral("Away");
}

bool SaveMatch(TDataMod &dm, const MatchEntryInput &in, Messenger &messenger)
{
    if (!TextCompare::containsNoCase(in.teamEntries, in.home)) {
        messenger.warning(QStringLiteral("Home team not selected or invalid team"));
        return false;
    }
    if (!TextCompare::containsNoCase(in.teamEntries, in.away)) {
        messenger.warning(QStringLiteral("Away team not selected or invalid team"));
        return false;
    }
    if (!TextCompare::containsNoCase(matchKinds(), in.matchKind)) {
        messenger.warning(QStringLiteral("Match not selected or invalid match"));
        return false;
    }
    if (TextCompare::equalNoCase(in.home, in.away)) { // one team, whatever the letter case
        messenger.warning(QStringLiteral("Home team cannot equal Away team"));
        return false;
    }

    BusyCursor busy;
    Table &results = dm.ADOTableResults;
    const QString sport = dm.sport();
    const double defaultLine = DefaultTotalLine(sport);
    const bool played = in.homeScore >= 0 && in.awayScore >= 0;

    // Everything that can refuse the match is decided before the first write, in the order the
    // dialog reports it.
    if (!findTeam(dm, in.home)) {
        messenger.error(QStringLiteral("Cannot find home team"));
        return false;
    }
    if (!findTeam(dm, in.away)) {
        messenger.error(QStringLiteral("Cannot find away team"));
        return false;
    }
    std::optional<double> typedLine;
    bool lineInvalid = false;
    if (!played) {
        double v = 0;
        if (Numbers::tryParseReal(in.underOver, &v)) {
            typedLine = v;
        } else {
            messenger.error(QStringLiteral("Invalid Under/Over Value"));
            lineInvalid = true;
        }
    }
    const QDate date = Dates::encode(in.year, in.month, in.day);
    std::optional<double> retrn;
    if (Odds::hasOdds(in.odds[0]) && Odds::hasOdds(in.odds[2]))
        retrn = Odds::OddsReturnPercent(in.odds[0], in.oddsType[0], in.odds[1], in.oddsType[1], in.odds[2],
                                        in.oddsType[2], messenger);

    Transaction tx(dm.ADOConnection);
    std::optional<EditedMatch> editedMatch;
    // On a failure the transaction rolls back and the tables are read again from the file.
    PendingEdit pending(results);
    ControlsDisabled quiet(results);
    std::optional<FilterOff> allRows;
    if (in.mode == MatchEntryMode::Add) {
        allRows.emplace(results);
        const std::optional<double> maxId = results.maxOf(QStringLiteral("ID"));
        results.append();
        results.field(QStringLiteral("ID")).setInteger(maxId ? Numbers::roundHalfEven(*maxId) + 1 : 0);
        for (const char *c : {"HP", "DP", "AP", "CF", "Ttl", "Retrn"})
            results.field(QString::fromLatin1(c)).setInteger(0);
        results.field(QStringLiteral("PResult")).setString(QStringLiteral(":"));
        results.field(QStringLiteral("Verdict")).setString(QStringLiteral("?"));
        results.field(QStringLiteral("UOV")).setFloat(defaultLine);
        results.field(QStringLiteral("UOP")).setString(Numbers::formatGeneral(defaultLine));
        for (const QString &c : kOddsColumns)
            results.field(c).setString(QStringLiteral("-"));
    } else {
        if (results.isEmpty())
            throw DatabaseError(QStringLiteral("There is no match to edit."));
        if (isPlayed(results.field(QStringLiteral("Result")).asString()))
            dm.RemoveResult();
        results.edit();
        editedMatch = EditedMatch{qRound64(results.field(QStringLiteral("ID")).asFloat()),
                                  results.field(QStringLiteral("Home")).asString(),
                                  results.field(QStringLiteral("Away")).asString(),
                                  results.field(QStringLiteral("DateP")).asDate()};
    }

    Table &teams = dm.ADOTableTeams;
    results.field(QStringLiteral("Home")).setString(in.home);
    if (!findTeam(dm, in.home))
        throw DatabaseError(QStringLiteral("Cannot find home team"));
    copyRatingSnapshot(teams, results, SnapshotSide::Home);
    results.field(QStringLiteral("Away")).setString(in.away);
    if (!findTeam(dm, in.away))
        throw DatabaseError(QStringLiteral("Cannot find away team"));
    copyRatingSnapshot(teams, results, SnapshotSide::Away);

    results.field(QStringLiteral("MatchT")).setString(in.matchKind);
    results.field(QStringLiteral("F")).setInteger(in.homeScore);
    results.field(QStringLiteral("A")).setInteger(in.awayScore);
    results.field(QStringLiteral("Result")).setString(resultText(in.homeScore, in.awayScore, in.overtime));
    if (!played) {
        if (lineInvalid) {
            results.field(QStringLiteral("UOV")).setFloat(defaultLine);
        } else {
            results.field(QStringLiteral("UOV")).setFloat(*typedLine);
            results.field(QStringLiteral("UOP")).setString(in.underOver);
        }
    }
    results.field(QStringLiteral("DateP")).setDate(date);
    results.field(QStringLiteral("Rnd")).setInteger(in.round);
    if (retrn)
        results.field(QStringLiteral("Retrn")).setFloat(*retrn);
    for (int i = 0; i < 3; ++i) {
        results.field(kBookmakerColumns[i]).setString(in.bookmaker[i]);
        results.field(kOddsColumns[i]).setString(in.odds[i]);
    }
    pending.post();
    // Closing prices belong to the fixture they were quoted for: another pairing or day drops them.
    if (editedMatch && editedMatch->changedBy(in.home, in.away, date))
        ClosingPrices::remove(dm.ADOConnection, editedMatch->id);

    if (played)
        dm.ApplyResult(in.overtime, in.awayScore, in.homeScore, in.away, in.home);
    tx.commit();
    return true;
}
