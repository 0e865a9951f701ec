// The desktop program on a league of 9,664 matches (20 teams a season, 25 seasons' worth of dates), its
// main window shown offscreen: Recalculate Predictions and Predict Upcoming Matches run from the window
// (from OK to the end, the progress bar and the grids behind it repainted on the way) against
// `quorvane-cli recalc` and `predict` on a copy of the same file; and switching to the cross table and to
// the streak table (built from the file, laid out and painted).  Targets: each run from the window within
// 1.5 x the command line's (x_cli), each table under 300 ms.
//
// BM_OpenLeague: the program started on a league of 208,028 matches (as many as England's whole history;
// QUORVANE_BENCH_LEAGUE names another file to open instead), in a process of its own, from its start to
// the first paint of the main window with the league open.  Counters: open_s, the time from opening the
// league to that paint; peak_mb, the process's peak resident memory.  Targets: under 1 s and 150 MB.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/ui/GuiMessenger.h"
#include "support/RandomLeague.h"
#include "support/RecordingMessenger.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "WindowBenchApp.h"

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace
{

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// The league file, written once for the whole run.
QString leaguePath()
{
    static const QString path = [] {
        const QString p = scratch().filePath(QStringLiteral("desktop.qvl"));
        RandomLeagueSpec spec;
        spec.seed = 25;
        spec.teams = 20;
        spec.matches = 9664;
        spec.days = 9000;
        writeRandomLeague(p, spec);
        return p;
    }();
    return path;
}

QString copyOfLeague(const QString &name)
{
    const QString path = scratch().filePath(name);
    QFile::remove(path);
    if (!QFile::copy(leaguePath(), path))
        throw std::runtime_error("cannot copy the league");
    return path;
}

// The main window with every window of the program, the league open, shown as a user sees it.
struct Desktop {
    TMainForm form;
    std::unique_ptr<AppWindows> windows;

    explicit Desktop(const QString &league)
    {
        windows = createAppWindows(form, [] {});
        openLeagueAtStart(*windows, league);
        form.resize(1280, 800);
        form.show();
        QCoreApplication::processEvents();
    }
};

struct Run {
    const char *menu;    // the main window's command
    const char *command; // quorvane-cli's
};
const Run kRuns[] = {{"MenuRecalc", "recalc"}, {"MenuPredict", "predict"}};

double commandLineRun(const char *command, const QString &league)
{
    QProcess cli;
    const auto start = Clock::now();
    cli.start(QStringLiteral(QUORVANE_CLI), {QString::fromLatin1(command), league});
    if (!cli.waitForFinished(600000) || cli.exitCode() != 0)
        throw std::runtime_error("quorvane-cli failed");
    return secondsSince(start);
}

void BM_RunFromWindow(benchmark::State &state)
{
    const Run &run = kRuns[state.range(0)];
    double window = 0, commandLine = 0;
    for (auto _ : state) {
        Desktop desktop(copyOfLeague(QStringLiteral("window.qvl")));
        // OK in the dialog as soon as it opens; the time runs from there to the end of the run.
        Clock::time_point start;
        QTimer::singleShot(0, &desktop.form, [&start] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                throw std::runtime_error("no dialog");
            start = Clock::now();
            dialog->accept();
        });
        desktop.form.command(QString::fromLatin1(run.menu))->trigger();
        window = secondsSince(start);
        commandLine = commandLineRun(run.command, copyOfLeague(QStringLiteral("cli.qvl")));
        state.SetIterationTime(window);
    }
    state.SetLabel(run.command);
    state.counters["cli_s"] = commandLine;
    state.counters["x_cli"] = window / commandLine;
}

// The big league, written once for the whole run unless one is named.
QString bigLeaguePath()
{
    static const QString path = [] {
        const QString named = qEnvironmentVariable("QUORVANE_BENCH_LEAGUE");
        if (!named.isEmpty())
            return named;
        const QString p = scratch().filePath(QStringLiteral("big.qvl"));
        RandomLeagueSpec spec;
        spec.seed = 208;
        spec.teams = 92;
        spec.matches = 208028;
        spec.fixtureShare = 0.01;
        spec.days = 40000;
        writeRandomLeague(p, spec);
        return p;
    }();
    return path;
}

// The child's part: the program's windows made, the league opened and the main window painted once;
// prints the seconds from opening to the end of the paint.
int openLeagueChild(const char *league)
{
    TMainForm form;
    const auto windows = createAppWindows(form, [] {});
    form.resize(1280, 800);
    const auto start = Clock::now();
    openLeagueAtStart(*windows, QString::fromLocal8Bit(league));
    form.show();
    QCoreApplication::processEvents();
    form.repaint();
    std::printf("%f\n", secondsSince(start));
    return 0;
}

void BM_OpenLeague(benchmark::State &state)
{
    const QString league = bigLeaguePath();
    double seconds = 0, peakMb = 0;
    for (auto _ : state) {
        const QString copy = scratch().filePath(QStringLiteral("open.qvl"));
        QFile::remove(copy);
        if (!QFile::copy(league, copy))
            throw std::runtime_error("cannot copy the league");
        const QString out = scratch().filePath(QStringLiteral("open.txt"));
        const QByteArray program = QCoreApplication::applicationFilePath().toLocal8Bit();
        const QByteArray file = copy.toLocal8Bit();
        const QByteArray outFile = out.toLocal8Bit();
        char option[] = "--open-league";
        char *argv[] = {const_cast<char *>(program.constData()), option, const_cast<char *>(file.constData()),
                        nullptr};
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, outFile.constData(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, argv[0], &files, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&files);
        if (spawned != 0)
            throw std::runtime_error("cannot start the child");
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            throw std::runtime_error("the child failed");
        QFile result(out);
        if (!result.open(QIODevice::ReadOnly))
            throw std::runtime_error("no time from the child");
        seconds = result.readAll().trimmed().toDouble();
        peakMb = usage.ru_maxrss / 1024.0;
        state.SetIterationTime(seconds);
    }
    state.counters["open_s"] = seconds;
    state.counters["peak_mb"] = peakMb;
}

void BM_ShowTable(benchmark::State &state)
{
    const auto tab = static_cast<TMainForm::Tab>(state.range(0));
    Desktop desktop(copyOfLeague(QStringLiteral("tables.qvl")));
    for (auto _ : state) {
        desktop.form.setCurrentTab(TMainForm::Tab::HomeStats);
        QCoreApplication::processEvents();
        const auto start = Clock::now();
        desktop.form.setCurrentTab(tab);
        QCoreApplication::processEvents();
        desktop.form.repaint();
        state.SetIterationTime(secondsSince(start));
    }
    state.SetLabel(tab == TMainForm::Tab::CrossTable ? "cross table" : "streak table");
}

} // namespace

int main(int argc, char **argv)
{
    WindowBenchApp app(argc, argv);
    // The program's settings go to the scratch folder, never to the user's.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratch().path());
    RecordingMessenger messages; // "Recalculate predictions complete." and the like, without a box
    setMessenger(&messages);
    if (argc == 3 && std::strcmp(argv[1], "--open-league") == 0)
        return openLeagueChild(argv[2]);

    benchmark::RegisterBenchmark("BM_RunFromWindow", BM_RunFromWindow)
        ->DenseRange(0, 1)
        ->Iterations(3)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    for (const TMainForm::Tab tab : {TMainForm::Tab::CrossTable, TMainForm::Tab::StreakTable})
        benchmark::RegisterBenchmark("BM_ShowTable", BM_ShowTable)
            ->Arg(static_cast<int>(tab))
            ->Iterations(5)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_OpenLeague", BM_OpenLeague)
        ->Iterations(3)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    return runBenchmarks(argc, argv);
}
