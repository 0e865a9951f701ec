#include "app/MatchGrids.h"

#include "data/CommandBoundary.h"
#include "data/MatchOutcome.h"

#include "data/BusyCursor.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "data/Messenger.h"
#include "data/PendingEdit.h"
#include "data/TDataMod.h"
#include "data/TextCompare.h"
#include "entry/MatchEntry.h"

namespace
{
QString s(const char *text)
{
    return QString::fromLatin1(text);
}

QString text(Table &t, const char *column)
{
    return t.field(s(column)).asString();
}

// Exchanges two columns of the row being edited, keeping their values as stored (NULL stays NULL).
void exchange(Table &t, const char *a, const char *b)
{
    const QVariant va = t.field(s(a)).value();
    t.field(s(a)).setValue(t.field(s(b)).value());
    t.field(s(b)).setValue(va);
}

// The rating snapshot of the row being edited, from the teams' current rows, as entering the match does.
// A side whose team is missing keeps its snapshot columns.
void takeSnapshot(Table &teams, Table &results, const QString &home, const QString &away)
{
    if (teams.locate(s("Team"), {home}, Dataset::CaseInsensitive))
        copyRatingSnapshot(teams, results, SnapshotSide::Home);
    if (teams.locate(s("Team"), {away}, Dataset::CaseInsensitive))
        copyRatingSnapshot(teams, results, SnapshotSide::Away);
}

void switchCurrentMatch(TDataMod &dm)
{
    Table &results = dm.ADOTableResults;
    const QString oldResult = text(results, "Result");
    const bool played = isPlayed(oldResult);
    const bool overtime = isOvertime(oldResult);
    if (played)
        dm.RemoveResult(); // under the old sides, restoring their ratings from the snapshot

    results.edit();
    exchange(results, "Home", "Away");
    const QString home = text(results, "Home");
    const QString away = text(results, "Away");
    int homeScore = 0, awayScore = 0;
    if (played) {
        exchange(results, "F", "A");
        homeScore = results.field(s("F")).asInteger();
        awayScore = results.field(s("A")).asInteger();
        results.field(s("Result")).setString(resultText(homeScore, awayScore, overtime));
        takeSnapshot(dm.ADOTableTeams, results, home, away);
    }
    exchange(results, "O1B", "O2B");
    exchange(results, "O1", "O2");
    results.post();

    if (played)
        dm.ApplyResult(overtime, awayScore, homeScore, away, home);
}

} // namespace

std::optional<Rgb> fixtureCellColour(const QString &field, const MatchColourRow &row)
{
    if (field == QLatin1String("Retrn"))
        return row.retrn > 0 ? std::optional<Rgb>(Colours::LightGreen) : std::nullopt;
    const std::optional<MatchOutcome> column = percentColumnOutcome(field);
    if (column && column == verdictOutcome(row.verdict))
        return Colours::LightGreen;
    return std::nullopt;
}

std::optional<Rgb> matchCellColour(MatchPage page, const QString &field, const MatchColourRow &row)
{
    return page == MatchPage::Fixtures ? fixtureCellColour(field, row) : scoreCellColour(field, row);
}

std::optional<MatchTeams> selectedMatchTeams(Table &results)
{
    if (!results.isActive() || results.isEmpty())
        return std::nullopt;
    return MatchTeams{text(results, "Home"), text(results, "Away")};
}

bool SwitchTeams(TDataMod &dm, Messenger &messenger)
{
    Table &results = dm.ADOTableResults;
    if (!results.isActive() || results.isEmpty())
        return false;
    return runCommand(messenger, [&dm, &results] {
        Transaction tx(dm.ADOConnection);
        ControlsDisabled quiet(dm.ADOTableTeams);
        // On a failure the transaction rolls back and the tables are read again from the file.
        PendingEdit pending(results);
        switchCurrentMatch(dm);
        pending.release();
        tx.commit();
    });
}
