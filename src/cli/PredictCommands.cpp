#include "cli/PredictCommands.h"

#include "analysis/AnalysisGrids.h"
#include "analysis/BackTest.h"
#include "analysis/SystemsFile.h"
#include "cli/LeagueFile.h"
#include "cli/MetricsText.h"
#include "cli/PrintedText.h"
#include "cli/ProgressLine.h"
#include "cli/SystemOptions.h"
#include "cli/TipCommand.h"
#include "data/CellText.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "data/Messenger.h"
#include "data/ProgramFolder.h"
#include "data/ResultsViews.h"
#include "data/TDataMod.h"
#include "predict/PredictionCommands.h"

namespace
{

// Passes every message on and notes whether a warning stopped the command.
class WatchingMessenger final : public Messenger
{
public:
    explicit WatchingMessenger(Messenger &inner) : m_inner(inner) {}
    bool warned() const { return m_warned; }

    void warning(const QString &text, const QString &caption) override
    {
        m_warned = true;
        m_inner.warning(text, caption);
    }
    void error(const QString &text, const QString &caption) override { m_inner.error(text, caption); }
    void information(const QString &text, const QString &caption) override
    {
        m_inner.information(text, caption);
    }
    Answer question(const QString &text, const QString &caption, Buttons buttons, Kind icon) override
    {
        return m_inner.question(text, caption, buttons, icon);
    }

private:
    Messenger &m_inner;
    bool m_warned = false;
};

// predict: the fixtures of the fixture view a freshly opened league shows.  A fixture whose team has
// no Teams row stops it with its warning (exit 1); what was predicted before stays.
void runPredict(const Arguments &a, Messenger &messenger)
{
    TDataMod dm;
    openLeagueFile(dm, a.positional(0), LeagueTables(), PlayedRowsUse::Counted);
    const PredictionOptions options = systemOptionsOf(a, loadPredictionOptions(dm));
    applyDefaultFixtureView(dm.ADOTableResults);
    WatchingMessenger watching(messenger);
    ProgressLine progress(QStringLiteral("Predicting"));
    PredictUpcomingMatches(dm, options, watching, [&](int done, int total) { progress.update(done, total); });
    if (watching.warned())
        throw Abort();
}

// recalc: every played match, written into the rows of the score view a freshly opened league shows.
void runRecalc(const Arguments &a, Messenger &messenger)
{
    TDataMod dm;
    // The score view of a freshly opened league shows every played match: recalculation writes them all
    // straight into the file, without loading Results.
    openLeagueFile(dm, a.positional(0), LeagueTables::leagueRowOnly(), PlayedRowsUse::Counted);
    const PredictionOptions options = systemOptionsOf(a, loadPredictionOptions(dm));
    ProgressLine progress(QStringLiteral("Recalculating"));
    RecalculatePredictions(dm, options, messenger,
                           [&](int done, int total) { progress.update(done, total); });
}

// The new Methods row, every column by its name in column order, numbers as numbers, then the metrics.
QString backTestJson(const MethodsRow &row, const BetMetrics &metrics)
{
    const ColumnList &columns = SystemsFile::methodsColumns();
    const QVariantList values = row.values();
    Json::Members members;
    for (qsizetype c = 0; c < columns.size(); ++c)
        members.append({columns[c].name, Json::stored(values[c])});
    members.append({QStringLiteral("metrics"), metricsJson(metrics)});
    return Json::object(members) + QLatin1Char('\n');
}

// The new Methods row as the history of tested systems shows it, one column a line, then the metrics.
QString backTestText(const MethodsRow &row, const BetMetrics &metrics)
{
    const ColumnList &columns = SystemsFile::methodsColumns();
    const QVariantList values = row.values();
    const auto shown = [&](const QString &field) {
        const qsizetype c = columnIndex(columns, field);
        return displayText(values[c], columns[c].kind);
    };
    QList<QStringList> lines{{QStringLiteral("ID"), shown(QStringLiteral("ID"))}};
    for (const GridColumn &column : systemsHistoryColumns())
        lines << QStringList{column.title, shown(column.field)};
    return alignedRows(lines) + QLatin1Char('\n') + metricsText(metrics);
}

// backtest: the detail into the systems file's Results, the new Methods row on stdout.  An odds text that
// does not convert ends it with the conversion's message (exit 1).
void runBackTest(const Arguments &a, Messenger &)
{
    const bool json = jsonFormatWanted(a);
    TDataMod dm;
    openLeagueFile(dm, a.positional(0), LeagueTables::leagueRowOnly(), // the test reads the matches itself
                   PlayedRowsUse::Counted);
    BettingSystem system;
    system.options = systemOptionsOf(a, loadPredictionOptions(dm));
    const Stake stake = stakeOf(a);
    system.startingBalance = stake.startingBalance;
    system.wager = stake.wager;
    system.staking = stakingOf(a);

    Database systems;
    SystemsFile::open(systems, a.value(QStringLiteral("--systems"), defaultSystemsFilePath()));
    BackTest test(system, dm, systems);
    ProgressLine progress(QStringLiteral("Testing"));
    test.setProgress([&](int position, int total) { progress.update(position, total); });
    const MethodsRow row = test.run();
    writeStdout(json ? backTestJson(row, test.metrics()) : backTestText(row, test.metrics()));
}

QList<OptionSpec> withSystemOptions(QList<OptionSpec> options)
{
    return options + systemOptionSpecs();
}

} // namespace

QList<Command> predictionCommands()
{
    return {
        {QStringLiteral("predict"), QStringLiteral("predict FILE ") + systemOptionsUsage(),
         systemOptionSpecs(), 1, 1, runPredict},
        {QStringLiteral("recalc"), QStringLiteral("recalc FILE ") + systemOptionsUsage(), systemOptionSpecs(),
         1, 1, runRecalc},
        {QStringLiteral("backtest"),
         QStringLiteral("backtest FILE [--systems SYSFILE] [--balance N] [--wager N] [--format text|json]\n"
                        "            [--staking flat|percent:N|kelly:F] ") +
             systemOptionsUsage(),
         withSystemOptions({{QStringLiteral("--systems"), 1},
                            {QStringLiteral("--balance"), 1},
                            {QStringLiteral("--wager"), 1},
                            {QStringLiteral("--staking"), 1},
                            {QStringLiteral("--format"), 1}}),
         1, 1, runBackTest},
        tipCommand(),
    };
}
