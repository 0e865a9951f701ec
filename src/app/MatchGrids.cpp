#include "app/MatchGrids.h"

#include "data/CommandBoundary.h"
#include "data/MatchOutcome.h"

#include "data/BusyCursor.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "data/Messenger.h"
#include "data/Numbers.h"
#include "data/TDataMod.h"
#include "data/TextCompare.h"
#include "entry/MatchEntry.h"

namespace
{
QString s(const char *text)
{
    return QString::fromLatin1(text);
}

using Outcome = MatchOutcome;

Outcome outcomeOf(const MatchColourRow &row)
{
    return matchOutcome(row.F, row.A, row.result);
}

std::optional<Outcome> predicted(const QString &verdict)
{
    if (verdict == QLatin1String("1"))
        return Outcome::HomeWin;
    if (verdict == QLatin1String("X"))
        return Outcome::Draw;
    if (verdict == QLatin1String("2"))
        return Outcome::AwayWin;
    return std::nullopt; // "?": no prediction
}

// The outcome a percentage or odds column stands for.
std::optional<Outcome> outcomeColumn(const QString &field, const char *home, const char *draw,
                                     const char *away)
{
    if (field == QLatin1String(home))
        return Outcome::HomeWin;
    if (field == QLatin1String(draw))
        return Outcome::Draw;
    if (field == QLatin1String(away))
        return Outcome::AwayWin;
    return std::nullopt;
}

Rgb trueOrFalse(bool cameTrue)
{
    return cameTrue ? Colours::LightGreen : Colours::LightRed;
}

// The under/over cell holds a call ("Over 2.5", "Under 2.5") only when it has an "r"; a bare line is no call.
std::optional<Rgb> underOverColour(const MatchColourRow &row)
{
    if (!row.uop.contains(QLatin1Char('r')))
        return std::nullopt;
    const int total = row.F + row.A;
    const bool cameTrue = (total > row.uov && row.uop.contains(QLatin1String("Over"))) ||
                          (total < row.uov && row.uop.contains(QLatin1String("Under")));
    return trueOrFalse(cameTrue);
}

int wholeAt(const Dataset &ds, int viewRow, const QString &field)
{
    const QVariant &v = ds.valueAt(viewRow, ds.fieldIndex(field));
    return Numbers::wholeNumber(v);
}

double realAt(const Dataset &ds, int viewRow, const QString &field)
{
    const QVariant &v = ds.valueAt(viewRow, ds.fieldIndex(field));
    return v.isNull() ? 0.0 : v.toDouble();
}

QString textAt(const Dataset &ds, int viewRow, const QString &field)
{
    return ds.valueAt(viewRow, ds.fieldIndex(field)).toString();
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

MatchColourRow matchColourRowAt(const Dataset &results, int viewRow)
{
    MatchColourRow row;
    row.result = textAt(results, viewRow, s("Result"));
    row.F = wholeAt(results, viewRow, s("F"));
    row.A = wholeAt(results, viewRow, s("A"));
    row.verdict = textAt(results, viewRow, s("Verdict"));
    row.uop = textAt(results, viewRow, s("UOP"));
    row.uov = realAt(results, viewRow, s("UOV"));
    row.retrn = realAt(results, viewRow, s("Retrn"));
    return row;
}

std::optional<Rgb> fixtureCellColour(const QString &field, const MatchColourRow &row)
{
    if (field == QLatin1String("Retrn"))
        return row.retrn > 0 ? std::optional<Rgb>(Colours::LightGreen) : std::nullopt;
    const std::optional<Outcome> column = outcomeColumn(field, "HP", "DP", "AP");
    if (column && column == predicted(row.verdict))
        return Colours::LightGreen;
    return std::nullopt;
}

std::optional<Rgb> scoreCellColour(const QString &field, const MatchColourRow &row)
{
    const Outcome happened = outcomeOf(row);
    if (const std::optional<Outcome> odds = outcomeColumn(field, "O1", "OX", "O2"))
        return *odds == happened ? std::optional<Rgb>(Colours::LightCyan) : std::nullopt;
    if (field == QLatin1String("UOP"))
        return underOverColour(row);
    const std::optional<Outcome> call = predicted(row.verdict);
    if (!call)
        return std::nullopt;
    const bool verdictCell = field == QLatin1String("Verdict");
    if (verdictCell || outcomeColumn(field, "HP", "DP", "AP") == call)
        return trueOrFalse(*call == happened);
    return std::nullopt;
}

std::optional<Rgb> matchCellColour(MatchPage page, const QString &field, const MatchColourRow &row)
{
    return page == MatchPage::Fixtures ? fixtureCellColour(field, row) : scoreCellColour(field, row);
}

bool SwitchTeams(TDataMod &dm, Messenger &messenger)
{
    Table &results = dm.ADOTableResults;
    if (!results.isActive() || results.isEmpty())
        return false;
    return runCommand(messenger, [&dm, &results] {
        Transaction tx(dm.ADOConnection);
        ControlsDisabled quiet(dm.ADOTableTeams);
        try {
            switchCurrentMatch(dm);
        } catch (...) {
            results.cancel();
            throw; // the transaction rolls back and the tables are read again from the file
        }
        tx.commit();
    });
}
