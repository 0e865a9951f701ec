#include "app/MatchGrids.h"

#include "app/CommandBoundary.h"
#include "data/MatchOutcome.h"

#include "app/Messenger.h"
#include "data/BusyCursor.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "data/Numbers.h"
#include "data/TDataMod.h"
#include "data/TextCompare.h"
#include "entry/MatchEntry.h"

namespace {
QString s(const char *text)
{
    return QString::fromLatin1(text);
}

// The first column that a display mode can hide: the predictions come first, then the four odds columns.
int firstModeColumn(MatchPage page)
{
    return page == MatchPage::Fixtures ? 4 : 6;
}
constexpr int kPredictionColumns = 8;

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
std::optional<Outcome> outcomeColumn(const QString &field, const char *home, const char *draw, const char *away)
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
    return v.isNull() ? 0 : static_cast<int>(Numbers::roundHalfEven(v.toDouble()));
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
    // The data module's rule for a match that counts in the standings.
    const bool played = oldResult.size() > 1;
    const bool overtime = oldResult.contains(QLatin1String("OT"));
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

const QList<MatchGridColumn> &matchGridColumns(MatchPage page)
{
    static const QList<MatchGridColumn> fixtures = {
        {s("Date"), s("DateP"), 70, false},        {s("Rnd"), s("Rnd"), 30, true},
        {s("Home Team"), s("Home"), 200, false},   {s("Away Team"), s("Away"), 200, false},
        {s("H%"), s("HP"), 35, true},              {s("D%"), s("DP"), 35, true},
        {s("A%"), s("AP"), 35, true},              {s("C%"), s("CF"), 35, true},
        {s("Verdict"), s("Verdict"), 40, false},   {s("PScore"), s("PResult"), 50, false},
        {s("Total"), s("Ttl"), 35, true},          {s("Under/Over"), s("UOP"), 65, false},
        {s("1"), s("O1"), 55, false},              {s("X"), s("OX"), 55, false},
        {s("2"), s("O2"), 55, false},              {s("Return (%)"), s("Retrn"), 55, true},
    };
    static const QList<MatchGridColumn> scores = [] {
        QList<MatchGridColumn> c = fixtures;
        c.insert(2, {s("Match"), s("MatchT"), 85, false});
        c.insert(5, {s("Score"), s("Result"), 60, false});
        return c;
    }();
    return page == MatchPage::Fixtures ? fixtures : scores;
}

const QStringList &matchModeItems(MatchPage page)
{
    static const QStringList fixtures = {s("All"), s("Fixtures"), s("Odds"), s("Predictions")};
    static const QStringList scores = {s("All"), s("Scores"), s("Odds"), s("Predictions")};
    return page == MatchPage::Fixtures ? fixtures : scores;
}

std::optional<QList<bool>> matchColumnsShown(MatchPage page, const QString &modeText)
{
    const QStringList &modes = matchModeItems(page);
    int mode = -1;
    for (int i = 0; i < modes.size() && mode < 0; ++i)
        if (TextCompare::equalNoCase(modes[i], modeText))
            mode = i;
    if (mode < 0)
        return std::nullopt;
    const bool predictions = mode == 0 || mode == 3;
    const bool odds = mode == 0 || mode == 2;
    const int first = firstModeColumn(page);
    const int count = static_cast<int>(matchGridColumns(page).size());
    QList<bool> shown(count, true);
    for (int c = first; c < count; ++c)
        shown[c] = c < first + kPredictionColumns ? predictions : odds;
    return shown;
}

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

QString toggledSortText(const QString &currentSort, const QString &field)
{
    return currentSort.contains(QLatin1String("DESC")) ? field : field + QStringLiteral(" DESC");
}

void ToggleColumnSort(const QString &field, Table &table)
{
    BusyCursor busy;
    if (!table.isActive() || table.isEmpty())
        return;
    table.edit();
    table.post();
    table.setSort(toggledSortText(table.sort(), field));
}

bool ConfirmDeleteRow(Table &table, Messenger &messenger)
{
    if (!table.isActive() || table.isEmpty())
        return false;
    if (messenger.question(s("Do you really want to delete this record?"), s("Delete"), Messenger::Buttons::YesNo,
                           Messenger::Kind::Question) != Messenger::Answer::Yes)
        return false;
    // The delete is its own transaction, with the table's before- and after-delete events inside it.
    return runCommand(messenger, [&table] { table.deleteRecord(); });
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
