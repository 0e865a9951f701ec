#include "cli/AnalysisCommands.h"

#include "analysis/Calibration.h"
#include "analysis/HistoryMetrics.h"
#include "analysis/HistoryRows.h"
#include "analysis/MetricsLines.h"
#include "analysis/PredictionHistory.h"
#include "analysis/TeamComparison.h"
#include "betting/Arbitrage.h"
#include "betting/ArbitrageList.h"
#include "cli/LeagueFile.h"
#include "cli/MetricsText.h"
#include "cli/PrintedText.h"
#include "cli/SystemOptions.h"
#include "data/ClosingPrices.h"
#include "data/Database.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/Messenger.h"
#include "data/Numbers.h"
#include "data/TDataMod.h"
#include "data/TeamNames.h"
#include "data/TextCompare.h"

namespace
{

// ---------------------------------------------------------------- history

HistoryView historyViewOf(const Arguments &a)
{
    const QString name = a.value(QStringLiteral("--view"), historyViewNames().constFirst());
    const std::optional<HistoryView> view = historyViewFromName(name);
    if (!view)
        throw UsageError{QStringLiteral("The view must be one of \"%1\", not '%2'.")
                             .arg(historyViewNames().join(QStringLiteral("\", \"")), name)};
    return *view;
}

// Both tables of the prediction history, cell texts as the grids show them.  An odds text that does
// not convert stops it with the conversion's message (exit 1).
void runHistory(const Arguments &a, Messenger &)
{
    const HistoryView view = historyViewOf(a);
    const Stake stake = stakeOf(a);
    const bool json = jsonFormatWanted(a);

    TDataMod dm;
    // The history reads its own rows and the team names: no table is loaded whole.
    openLeagueFile(dm, a.positional(0), LeagueTables::leagueRowOnly(), PlayedRowsUse::Counted);
    PredictionHistory history(readTeamNamesByName(dm.ADOConnection), view, stake.startingBalance,
                              stake.wager);
    // The flat stakes on every verdict, whatever the view, beside the closing prices.
    const QHash<qint64, ClosingPriceSet> closing = ClosingPrices::readAll(dm.ADOConnection);
    HistoryMetrics money(stake.startingBalance, stake.wager, closing);
    history.reset();
    forEachHistoryRow(dm.ADOConnection, [&](const Match &row) {
        history.add(row);
        money.add(row);
    });
    history.finish();
    const HistoryTables tables = history.tables();
    const BetMetrics metrics = money.result();
    if (json)
        writeStdout(QStringLiteral("{\n  \"months\": ") +
                    Json::textRows(tables.months, QStringLiteral("  ")) + QStringLiteral(",\n  \"teams\": ") +
                    Json::textRows(tables.teams, QStringLiteral("  ")) +
                    QStringLiteral(",\n  \"metrics\": ") + metricsJson(metrics) + QStringLiteral("\n}\n"));
    else
        writeStdout(alignedRows(tables.months) + QLatin1Char('\n') + alignedRows(tables.teams) +
                    QLatin1Char('\n') + metricsText(metrics));
}

// ---------------------------------------------------------------- calibration

const char *const kOutcomeNames[3] = {"home", "draw", "away"};

// Each score null when there is none, as the text shows "-".
QString scoresJson(const ProbabilityScores &s, bool scored)
{
    const auto score = [scored](double v) { return scored ? Json::number(v) : Json::null(); };
    return Json::object({{QStringLiteral("brier"), score(s.brier)},
                         {QStringLiteral("rps"), score(s.rps)},
                         {QStringLiteral("logloss"), score(s.logloss)}});
}

QString calibrationJson(const CalibrationReport &r)
{
    Json::Members outcomes;
    for (int o = 0; o < 3; ++o) {
        QStringList bins;
        for (int b = 0; b < 10; ++b) {
            const ReliabilityBin &bin = r.reliability[o][b];
            bins << QStringLiteral("      ") +
                        Json::object({{QStringLiteral("bin"), Json::number(b)},
                                      {QStringLiteral("count"), Json::number(bin.count)},
                                      {QStringLiteral("predicted"), Json::number(bin.predicted)},
                                      {QStringLiteral("observed"), Json::number(bin.observed)}});
        }
        outcomes.append(
            {QString::fromLatin1(kOutcomeNames[o]),
             QStringLiteral("[\n") + bins.join(QStringLiteral(",\n")) + QStringLiteral("\n    ]")});
    }
    QStringList members;
    for (const auto &[name, value] : outcomes)
        members << QStringLiteral("    ") + Json::text(name) + QStringLiteral(": ") + value;
    return QStringLiteral("{\n  \"matches\": ") + Json::number(r.matches) +
           QStringLiteral(",\n  \"model\": ") + scoresJson(r.model, r.hasScores()) +
           QStringLiteral(",\n  \"market\": ") + scoresJson(r.market, r.hasScores()) +
           QStringLiteral(",\n  \"reliability\": {\n") + members.join(QStringLiteral(",\n")) +
           QStringLiteral("\n  }\n}\n");
}

QString calibrationText(const CalibrationReport &r)
{
    const QLocale locale;
    const auto fixed = [&locale](double v, int decimals) { return locale.toString(v, 'f', decimals); };
    QString text = QStringLiteral("Matches: %1\n\n").arg(r.matches);
    text += alignedRows(calibrationScoreRows(r, locale)) + QLatin1Char('\n');
    const QString titles[3] = {QStringLiteral("Home win"), QStringLiteral("Draw"),
                               QStringLiteral("Away win")};
    for (int o = 0; o < 3; ++o) {
        QList<QStringList> rows{{titles[o], QStringLiteral("Count"), QStringLiteral("Predicted (%)"),
                                 QStringLiteral("Observed (%)")}};
        for (int b = 0; b < 10; ++b) {
            const ReliabilityBin &bin = r.reliability[o][b];
            rows << QStringList{QStringLiteral("%1-%2 %").arg(10 * b).arg(b == 9 ? 100 : 10 * b + 9),
                                QString::number(bin.count), fixed(100 * bin.predicted, 1),
                                fixed(100 * bin.observed, 1)};
        }
        text += alignedRows(rows) + QLatin1Char('\n');
    }
    return text;
}

// The stored predictions' scores beside the market's, and their reliability table.
void runCalibration(const Arguments &a, Messenger &)
{
    const bool json = jsonFormatWanted(a);
    TDataMod dm;
    openLeagueFile(dm, a.positional(0), LeagueTables::leagueRowOnly(), // reads the matches itself
                   PlayedRowsUse::Counted);
    const CalibrationReport report = computeCalibration(dm.ADOConnection);
    writeStdout(json ? calibrationJson(report) : calibrationText(report));
}

// ---------------------------------------------------------------- arbitrage

// One match of the finder's list with what its panels show.
struct FinderMatch {
    QVariant ID, DateP, Retrn;
    ArbitrageInput input;
    ArbitrageResult shown;
    QString warning; // the odds warning of a refresh that stopped; empty when none
};

FinderMatch finderMatchOf(const ArbitrageRow &row, double multiplier)
{
    FinderMatch m;
    m.ID = row.ID;
    m.DateP = row.DateP;
    m.Retrn = row.Retrn;
    m.input = row.input;
    m.input.multiplier = multiplier;
    return m;
}

// The refresh of one match as the finder shows it; a stopped refresh leaves the blank panels.
void refresh(FinderMatch &m)
{
    CollectingMessenger messages;
    const std::optional<ArbitrageResult> computed = computeArbitrage(m.input, messages);
    m.shown = computed ? *computed : blankArbitrage(m.input);
    if (!computed)
        m.warning = messages.texts().join(QLatin1Char('\n'));
}

bool profitPositive(const FinderMatch &m)
{
    return m.shown.split && m.shown.split->profit > 0;
}

// A date column as YYYY-MM-DD, also when another tool stored a time of day after it.
QVariant storedDate(const QVariant &v)
{
    const QDate d = Dates::fromStored(v.toString());
    return d.isValid() ? QVariant(Dates::toStored(d)) : v;
}

QString matchJson(const FinderMatch &m)
{
    return QStringLiteral("  ") +
           Json::object(
               {{QStringLiteral("ID"), Json::stored(m.ID)},
                {QStringLiteral("DateP"), Json::stored(storedDate(m.DateP))},
                {QStringLiteral("Home"), Json::text(m.input.homeTeam)},
                {QStringLiteral("Away"), Json::text(m.input.awayTeam)},
                {QStringLiteral("Retrn"), Json::stored(m.Retrn)},
                {QStringLiteral("grid"), Json::textRows(m.shown.grid, QStringLiteral("  "))},
                {QStringLiteral("total"), Json::text(m.shown.total)},
                {QStringLiteral("profit"), Json::text(m.shown.profit)},
                {QStringLiteral("profitPositive"), Json::boolean(profitPositive(m))},
                {QStringLiteral("warning"), m.warning.isEmpty() ? Json::null() : Json::text(m.warning)}});
}

QString matchText(const FinderMatch &m)
{
    const QString retrn =
        m.Retrn.isValid() && !m.Retrn.isNull() ? Numbers::formatGeneral(m.Retrn.toDouble()) : QString();
    QString text =
        QStringLiteral("%1  %2  %3 - %4  Return (%): %5\n")
            .arg(m.ID.toString(), storedDate(m.DateP).toString(), m.input.homeTeam, m.input.awayTeam, retrn);
    text += alignedRows(m.shown.grid);
    text += QStringLiteral("Total Stake: ") + m.shown.total + QLatin1Char('\n');
    text += QStringLiteral("Sure Profit: ") + m.shown.profit + QLatin1Char('\n');
    if (!m.warning.isEmpty()) // the message box's line break as a line break
        text += QString(m.warning).replace(QLatin1Char('\r'), QLatin1Char('\n')) + QLatin1Char('\n');
    return text;
}

// Every match (or only those not yet played, or with a positive Retrn) with its stake grid and the two
// panel texts, written as it is read: a big league's list is far bigger than the league.
void runArbitrage(const Arguments &a, Messenger &)
{
    const double multiplier = clampedWholeNumber(a, QStringLiteral("--multiplier"), 100, 1, 99999);
    ArbitrageFilter filter;
    filter.upcomingOnly = a.has(QStringLiteral("--upcoming"));
    filter.positiveOnly = a.has(QStringLiteral("--positive"));
    const bool json = jsonFormatWanted(a);

    TDataMod dm;
    openLeagueFile(dm, a.positional(0));
    QString pending;
    int shown = 0;
    forEachArbitrageRow(dm.ADOConnection, filter, [&](const ArbitrageRow &row) {
        FinderMatch m = finderMatchOf(row, multiplier);
        refresh(m);
        if (json)
            pending += (shown == 0 ? QStringLiteral("[\n") : QStringLiteral(",\n")) + matchJson(m);
        else
            pending += (shown == 0 ? QString() : QStringLiteral("\n")) + matchText(m);
        ++shown;
        if (pending.size() > 65536) {
            writeStdout(pending);
            pending.clear();
        }
    });
    if (json)
        pending += shown == 0 ? QStringLiteral("[]\n") : QStringLiteral("\n]\n");
    writeStdout(pending);
}

// ---------------------------------------------------------------- chart

// A chooser's text refused as the window refuses it.
[[noreturn]] void notInList(const QString &text)
{
    throw QuorvaneError(text + QStringLiteral(" is not in the list"));
}

ComparisonVenue venueOption(const Arguments &a, const QString &option)
{
    const QString text = a.value(option, QStringLiteral("Total"));
    const std::optional<ComparisonVenue> venue = comparisonVenueOf(text);
    if (!venue)
        notInList(text);
    return *venue;
}

ComparisonChoices chartChoicesOf(const Arguments &a, const QStringList &teams)
{
    ComparisonChoices c;
    c.team1 = a.value(QStringLiteral("--team1"));
    c.team2 = a.value(QStringLiteral("--team2"));
    for (const QString &team : {c.team1, c.team2})
        if (!team.isEmpty() && !TextCompare::containsNoCase(teams, team))
            notInList(team);
    c.venue1 = venueOption(a, QStringLiteral("--venue1"));
    c.venue2 = venueOption(a, QStringLiteral("--venue2"));
    const QString view = a.value(QStringLiteral("--view"), QStringLiteral("Both"));
    const std::optional<ComparisonView> v = comparisonViewOf(view);
    if (!v)
        notInList(view);
    c.view = *v;
    const std::optional<ComparisonType> type = comparisonTypeOf(a.value(QStringLiteral("--type")));
    if (!type)
        throw QuorvaneError(QStringLiteral("Invalid Type"));
    c.type = *type;
    return c;
}

QString seriesJson(const ComparisonSeries &s)
{
    QStringList points;
    for (const QPoint &p : s.points)
        points << Json::array({Json::number(p.x()), Json::number(p.y())});
    return Json::object(
        {{QStringLiteral("title"), Json::text(s.title)}, {QStringLiteral("points"), Json::array(points)}});
}

QString seriesText(const ComparisonSeries &s)
{
    QList<QStringList> rows = {{QStringLiteral("Match"), s.title}};
    for (const QPoint &p : s.points)
        rows << QStringList{QString::number(p.x()), QString::number(p.y())};
    return alignedRows(rows);
}

// The team comparison chart's two series, as the window would draw them for the same choices.
void runChart(const Arguments &a, Messenger &)
{
    if (!a.has(QStringLiteral("--type")))
        throw UsageError{QStringLiteral("chart needs --type.")};
    const bool json = jsonFormatWanted(a);
    TDataMod dm;
    openLeagueFile(dm, a.positional(0));
    const ComparisonChoices choices = chartChoicesOf(a, readTeamNamesByName(dm.ADOConnection));
    const ComparisonChart chart = compareTeams(dm.ADOConnection, choices);
    if (json)
        writeStdout(Json::object({{QStringLiteral("series1"), seriesJson(chart.series1)},
                                  {QStringLiteral("series2"), seriesJson(chart.series2)}}) +
                    QLatin1Char('\n'));
    else
        writeStdout(comparisonChartTitle(choices.type) + QStringLiteral("\n") + seriesText(chart.series1) +
                    QLatin1Char('\n') + seriesText(chart.series2));
}

const QString kTextOrJson = QStringLiteral("[--format text|json]");

} // namespace

QList<Command> analysisCommands()
{
    return {
        {QStringLiteral("history"),
         QStringLiteral(
             "history FILE [--view \"1, X, 2 Predictions\"|\"Home Wins\"|\"Draws\"|\"Away Wins\"|\n"
             "            \"Under/Over\"|\"Correct Score\"] [--balance N] [--wager N] ") +
             kTextOrJson,
         {{QStringLiteral("--view"), 1},
          {QStringLiteral("--balance"), 1},
          {QStringLiteral("--wager"), 1},
          {QStringLiteral("--format"), 1}},
         1,
         1,
         runHistory},
        {QStringLiteral("calibration"),
         QStringLiteral("calibration FILE ") + kTextOrJson,
         {{QStringLiteral("--format"), 1}},
         1,
         1,
         runCalibration},
        {QStringLiteral("arbitrage"),
         QStringLiteral("arbitrage FILE [--multiplier M] [--upcoming] [--positive] ") + kTextOrJson,
         {{QStringLiteral("--multiplier"), 1},
          {QStringLiteral("--upcoming"), 0},
          {QStringLiteral("--positive"), 0},
          {QStringLiteral("--format"), 1}},
         1,
         1,
         runArbitrage},
        {QStringLiteral("chart"),
         QStringLiteral(
             "chart FILE --team1 T [--venue1 Home|Away|Total] [--team2 T] [--venue2 Home|Away|Total]\n"
             "            [--view Both|\"Team 1\"|\"Team 2\"] --type TYPE ") +
             kTextOrJson,
         {{QStringLiteral("--team1"), 1},
          {QStringLiteral("--venue1"), 1},
          {QStringLiteral("--team2"), 1},
          {QStringLiteral("--venue2"), 1},
          {QStringLiteral("--view"), 1},
          {QStringLiteral("--type"), 1},
          {QStringLiteral("--format"), 1}},
         1,
         1,
         runChart},
    };
}
