// Export and printing on big leagues: the scores grid of a generated league of 38,000 matches written in
// every table format, against a plain read of the same cells; the team statistics report of 500 teams
// rendered to PDF.  Targets: under 2 s for each.

#include "data/GridColumns.h"
#include "data/ResultsViews.h"
#include "data/TDataMod.h"
#include "data/TeamTables.h"
#include "output/DocumentWriters.h"
#include "output/ExportSource.h"
#include "output/MainReports.h"
#include "output/report/ReportPainter.h"
#include "support/RandomLeague.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "BenchMain.h"

#include <chrono>
#include <memory>

namespace
{

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

QString leaguePath(int teams, int matches)
{
    const QString p = workDir().filePath(QStringLiteral("output-%1-%2.qvl").arg(teams).arg(matches));
    if (!QFileInfo::exists(p)) {
        RandomLeagueSpec spec;
        spec.seed = 77;
        spec.teams = teams;
        spec.matches = matches;
        spec.days = 3000;
        writeRandomLeague(p, spec);
    }
    return p;
}

// The scores grid as the main window shows it.
struct ScoresGrid {
    TDataMod dm;
    std::unique_ptr<DatasetExportSource> source;
    ScoresGrid()
    {
        dm.openLeague(leaguePath(200, 38000));
        applyDefaultScoreView(dm.ADOTableResults);
        source =
            std::make_unique<DatasetExportSource>(dm.ADOTableResults, matchGridColumns(MatchPage::Scores));
    }
};

ScoresGrid &scores()
{
    static ScoresGrid grid;
    return grid;
}

// The baseline: every cell of the grid read once, as every writer must.
void BM_ReadCells(benchmark::State &state)
{
    const ExportSource &source = *scores().source;
    for (auto _ : state) {
        const auto start = Clock::now();
        qsizetype chars = 0;
        for (int r = 0; r < source.rowCount(); ++r)
            for (int c = 0; c < source.columnCount(); ++c)
                chars += source.cell(r, c).text.size();
        benchmark::DoNotOptimize(chars);
        state.SetIterationTime(secondsSince(start));
    }
    state.counters["rows"] = source.rowCount();
}

void BM_ExportScores(benchmark::State &state)
{
    const ExportType type = static_cast<ExportType>(state.range(0));
    const ExportSource &source = *scores().source;
    const QString path = workDir().filePath(QStringLiteral("scores.") + exportTypeInfo(type).extension);
    for (auto _ : state) {
        const auto start = Clock::now();
        exportTableToFile(source, type, path, {});
        state.SetIterationTime(secondsSince(start));
    }
    state.SetLabel(exportTypeInfo(type).extension.toStdString());
    state.counters["rows"] = source.rowCount();
    state.counters["MB"] = QFileInfo(path).size() / 1e6;
}

void BM_TeamStatsPdf(benchmark::State &state)
{
    TDataMod dm;
    dm.openLeague(leaguePath(static_cast<int>(state.range(0)), 4000));
    dm.ADOTableTeams.setSort(defaultTeamSort(TeamTable::Home));
    const QString path = workDir().filePath(QStringLiteral("teams.pdf"));
    int rows = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const BandedReport report = teamStatsReport(dm.ADOTableTeams, QStringLiteral("Bench League"));
        writeBandedReportPdf(report, path);
        state.SetIterationTime(secondsSince(start));
        rows = static_cast<int>(report.rows.size());
    }
    state.counters["rows"] = rows;
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    benchmark::RegisterBenchmark("BM_ReadCells", BM_ReadCells)
        ->Iterations(3)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    for (const ExportTypeInfo &t : tableExportTypes())
        if (t.type != ExportType::Clipboard)
            benchmark::RegisterBenchmark("BM_ExportScores", BM_ExportScores)
                ->Arg(static_cast<int>(t.type))
                ->Iterations(3)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_TeamStatsPdf", BM_TeamStatsPdf)
        ->Arg(500)
        ->Iterations(3)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    return runBenchmarks(argc, argv);
}
