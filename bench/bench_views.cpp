// The match views of the main window on a generated league of 38,000 matches, drawn offscreen: opening the
// league and showing its scores tab (the filter and sort of the tab applied, the grid laid out and
// painted), and a click on a column title of the scores grid (the sort, the model reset and the repaint).
// Targets: under a second for the first, under 150 ms for the second.

#include "app/ui/MatchesView.h"
#include "data/Database.h"
#include "data/TDataMod.h"
#include "data/ui/DataGrid.h"
#include "support/RandomLeague.h"

#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "WindowBenchApp.h"

#include <chrono>
#include <cstdio>
#include <memory>

namespace
{

constexpr int kMatches = 38000;

// The league file, written once for the whole run.
QString leaguePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("views-%1.qvl").arg(kMatches));
        RandomLeagueSpec spec;
        spec.seed = 38;
        spec.teams = 200;
        spec.matches = kMatches;
        spec.days = 3000;
        writeRandomLeague(p, spec);
        return p;
    }();
    return path;
}

// Draws everything the window shows now, as the first paint after showing it does.
void paintNow(QWidget &w)
{
    QCoreApplication::processEvents();
    w.repaint();
}

void BM_OpenAndShowScores(benchmark::State &state)
{
    const QString path = leaguePath();
    for (auto _ : state) {
        const auto start = Clock::now();
        auto dm = std::make_unique<TDataMod>();
        dm->openLeague(path);
        auto view = std::make_unique<MatchesView>(*dm, MatchPage::Scores);
        view->resize(1600, 900);
        view->show();
        view->refresh();
        paintNow(*view);
        state.SetIterationTime(secondsSince(start));
        state.counters["rows"] = view->grid()->model()->rowCount();
        view.reset();
        dm.reset();
    }
}

void BM_TitleClickSort(benchmark::State &state)
{
    TDataMod dm;
    dm.openLeague(leaguePath());
    MatchesView view(dm, MatchPage::Scores);
    view.resize(1600, 900);
    view.show();
    view.refresh();
    paintNow(view);
    QHeaderView *header = view.grid()->horizontalHeader();
    const int column = static_cast<int>(state.range(0));
    const QPoint title(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                       header->height() / 2);
    for (auto _ : state) {
        const auto start = Clock::now();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
        paintNow(view);
        state.SetIterationTime(secondsSince(start));
    }
    state.SetLabel(matchGridColumns(MatchPage::Scores)[column].title.toStdString());
    state.counters["rows"] = view.grid()->model()->rowCount();
}

} // namespace

int main(int argc, char **argv)
{
    WindowBenchApp app(argc, argv);

    benchmark::RegisterBenchmark("BM_OpenAndShowScores", BM_OpenAndShowScores)
        ->Iterations(5)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    // Date (a date column), Home Team (text compared ignoring letter case), Score (text), Return (%) (reals).
    for (const int column : {0, 3, 5, 17})
        benchmark::RegisterBenchmark("BM_TitleClickSort", BM_TitleClickSort)
            ->Arg(column)
            ->Iterations(10)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    return runBenchmarks(argc, argv);
}
