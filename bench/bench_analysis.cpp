// The analyzer and the prediction history windows on a generated league of 38,000 played matches, drawn
// offscreen.  The analyzer's "Test Betting System" (progress repainted in its status bar as it goes,
// the grids reloaded afterwards) against the command-line companion's back-test of the same league and
// system, run as a user runs it; and showing the prediction history (the source grid, both tables
// judged and painted) against a plain read of its rows.  Targets: the window's test within 2x the
// command line's; the history ready in under a second.
//
// Counters: x_cli = window test / command-line test; x_read = history shown / plain read of its rows;
// rows = matches shown.

#include "analysis/HistoryRows.h"
#include "analysis/ui/TFormAnalyzer.h"
#include "analysis/ui/TFormPHistory.h"
#include "data/TDataMod.h"
#include "data/ui/DataGrid.h"
#include "data/ui/GuiMessenger.h"
#include "predict/PredictionCommands.h"
#include "support/RandomLeague.h"
#include "support/RecordingMessenger.h"

#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "WindowBenchApp.h"

#include <chrono>
#include <memory>
#include <stdexcept>

namespace
{

constexpr int kMatches = 38000;

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// The league with every played match predicted, written once for the whole run.
QString leaguePath()
{
    static const QString path = [] {
        const QString p = workDir().filePath(QStringLiteral("analysis-%1.qvl").arg(kMatches));
        RandomLeagueSpec spec;
        spec.seed = 38;
        spec.teams = 200;
        spec.matches = kMatches;
        spec.fixtureShare = 0;
        spec.days = kMatches / 100;
        spec.awkward = false;
        writeRandomLeague(p, spec);
        TDataMod dm;
        dm.openLeague(p);
        RecordingMessenger quiet;
        RecalculatePredictions(dm, loadPredictionOptions(dm), quiet);
        return p;
    }();
    return path;
}

QString systemsPath(const char *name)
{
    return workDir().filePath(QStringLiteral("systems-%1/bettingsystems.qvs").arg(QString::fromLatin1(name)));
}

double &cliSeconds()
{
    static double best = 0;
    return best;
}

void paintNow(QWidget &w)
{
    QCoreApplication::processEvents();
    w.repaint();
}

void BM_BackTestCommandLine(benchmark::State &state)
{
    const QString league = leaguePath();
    double best = 1e300;
    for (auto _ : state) {
        const auto start = Clock::now();
        QProcess cli;
        cli.start(QStringLiteral(QUORVANE_CLI),
                  {QStringLiteral("backtest"), league, QStringLiteral("--systems"), systemsPath("cli")});
        if (!cli.waitForFinished(-1) || cli.exitCode() != 0)
            throw std::runtime_error("the command-line back-test failed");
        const double s = secondsSince(start);
        best = std::min(best, s);
        state.SetIterationTime(s);
    }
    cliSeconds() = best;
}

void BM_AnalyzerWindowTest(benchmark::State &state)
{
    RecordingMessenger messages;
    setMessenger(&messages);
    TDataMod dm;
    dm.openLeague(leaguePath());
    TFormAnalyzer window(dm);
    window.setSystemsFilePath(systemsPath("window"));
    window.resize(1280, 800);
    window.show();
    paintNow(window);
    auto *test = window.findChild<QPushButton *>(QStringLiteral("BitBtnPAPredict"));
    double best = 1e300;
    for (auto _ : state) {
        const auto start = Clock::now();
        test->click();
        paintNow(window);
        const double s = secondsSince(start);
        best = std::min(best, s);
        state.SetIterationTime(s);
    }
    if (!messages.messages().isEmpty() &&
        messages.messages().last().text != QLatin1String("Betting system analysis complete"))
        throw std::runtime_error(messages.messages().last().text.toStdString());
    state.counters["rows"] = window.matchesGrid()->model()->rowCount();
    if (cliSeconds() > 0)
        state.counters["x_cli"] = best / cliSeconds();
    setMessenger(nullptr);
}

void BM_PredictionHistoryShow(benchmark::State &state)
{
    RecordingMessenger messages;
    setMessenger(&messages);
    TDataMod dm;
    dm.openLeague(leaguePath());
    double read = 1e300;
    for (int i = 0; i < 3; ++i) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(readHistoryRows(dm.ADOConnection));
        read = std::min(read, secondsSince(start));
    }
    double best = 1e300;
    int rows = 0;
    for (auto _ : state) {
        TFormPHistory window(dm);
        window.resize(1280, 800);
        const auto start = Clock::now();
        window.show();
        paintNow(window);
        const double s = secondsSince(start);
        best = std::min(best, s);
        state.SetIterationTime(s);
        rows = window.sourceGrid()->model()->rowCount();
        window.close();
    }
    if (!messages.messages().isEmpty())
        throw std::runtime_error(messages.messages().last().text.toStdString());
    state.counters["rows"] = rows;
    state.counters["x_read"] = best / read;
    setMessenger(nullptr);
}

} // namespace

int main(int argc, char **argv)
{
    WindowBenchApp app(argc, argv);

    benchmark::RegisterBenchmark("BM_BackTestCommandLine", BM_BackTestCommandLine)
        ->Iterations(2)
        ->UseManualTime()
        ->Unit(benchmark::kSecond);
    benchmark::RegisterBenchmark("BM_AnalyzerWindowTest", BM_AnalyzerWindowTest)
        ->Iterations(2)
        ->UseManualTime()
        ->Unit(benchmark::kSecond);
    benchmark::RegisterBenchmark("BM_PredictionHistoryShow", BM_PredictionHistoryShow)
        ->Iterations(3)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    return runBenchmarks(argc, argv);
}
