// The command-line companion on the whole English league history (208,028 matches in 125 season files,
// made from the shared long-history file by history_baseline.py), each run as a separate process as a
// user runs it, against a plain Python sqlite3 script doing the same reads and writes and, for recalc and
// backtest, against the C floor (history_floor.c: the same reads and writes with the sqlite3 API alone);
// then the team look-ups of an import among 20 and 2,000 teams, and the header scan of a file with very
// many columns.  Skipped when the history file is absent; QUORVANE_DATA names the data folder when it is
// elsewhere.
//
// Counters: x_baseline = time divided by the plain script's; x_floor = the whole command's time divided by
// the whole C floor's, the two run in turn (median of the runs); x_empty = one season into the full league
// divided by the same season into an empty one; x_20_teams = the same 10,000 matches among 2,000 teams
// divided by among 20; ns_per_column = header scan time per column (flat when linear); peak_mb = the
// command's peak resident memory; kb_per_match = the command's peak memory above that of the same
// command on an empty league, per stored match.

#include "data/Database.h"
#include "entry/ResultsCsv.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "BenchMain.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <memory>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace
{

const QString kCli = QStringLiteral(QUORVANE_CLI);
const QString kScript = QStringLiteral(QUORVANE_BENCH_DIR "/history_baseline.py");
const QString kFloor = QStringLiteral(QUORVANE_HISTORY_FLOOR);

// The long-history file: under QUORVANE_DATA when that is set, else in the shared data folder beside the
// source tree (as the tests find it).  Says once where it looks, and what happens when the file is absent.
QString historyFile()
{
    const QByteArray set = qgetenv("QUORVANE_DATA");
    const QString folder = set.isEmpty() ? QStringLiteral(QUORVANE_TEST_DATA) : QString::fromLocal8Bit(set);
    const QString file = QDir(folder).filePath(QStringLiteral("long-history/england.csv"));
    const QByteArray where = QDir::toNativeSeparators(file).toLocal8Bit();
    if (QFile::exists(file))
        std::fprintf(stderr,
                     "bench_history: reading the history from %s (QUORVANE_DATA sets the data folder; the "
                     "benchmarks that need it skip without it)\n",
                     where.constData());
    else
        std::fprintf(
            stderr,
            "bench_history: no history at %s, so the benchmarks that need it skip (QUORVANE_DATA sets "
            "the data folder)\n",
            where.constData());
    return file;
}
const QString kHistory = historyFile();

struct Child {
    double seconds = 0;
    double peakMb = 0;
    QByteArray out;
};

// Runs a program to its end with its output in a file (or thrown away), as a user's shell would.
Child run(const QStringList &argv, const QString &outPath = QStringLiteral("/dev/null"))
{
    std::vector<QByteArray> args;
    for (const QString &a : argv)
        args.push_back(a.toLocal8Bit());
    std::vector<char *> raw;
    for (QByteArray &a : args)
        raw.push_back(a.data());
    raw.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    const QByteArray out = outPath.toLocal8Bit();
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, out.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, raw[0], &files, nullptr, raw.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + args[0].toStdString());
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Child child;
    child.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    child.peakMb = usage.ru_maxrss / 1024.0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("failed: " + argv.join(QLatin1Char(' ')).toStdString());
    QFile f(outPath);
    if (outPath != QLatin1String("/dev/null") && f.open(QIODevice::ReadOnly))
        child.out = f.readAll();
    return child;
}

// Seconds the baseline script reports for its own work (its start-up left out).
double baseline(const QStringList &args, const QString &scratch)
{
    return run(QStringList{QStringLiteral("python3"), kScript} + args, scratch).out.trimmed().toDouble();
}

void copy(const QString &from, const QString &to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        throw std::runtime_error("cannot copy " + from.toStdString());
}

// The season files, an empty league, and the league of all seasons but the last (built once, timed).
class History
{
public:
    static History &get()
    {
        static History h;
        return h;
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    const QStringList &seasons() const { return m_seasons; }
    QString empty() const { return path(QStringLiteral("empty.qvl")); }
    QString allButLast() const { return path(QStringLiteral("all-but-last.qvl")); }
    QString full() const { return path(QStringLiteral("full.qvl")); }

    double buildSeconds = 0, baselineSeconds = 0, buildPeakMb = 0;

private:
    History()
    {
        const QString outList = path(QStringLiteral("seasons.txt"));
        run({QStringLiteral("python3"), kScript, QStringLiteral("split"), kHistory,
             path(QStringLiteral("seasons"))},
            outList);
        QFile list(outList);
        if (!list.open(QIODevice::ReadOnly))
            throw std::runtime_error("no season list");
        for (const QByteArray &line : list.readAll().split('\n'))
            if (!line.trimmed().isEmpty())
                m_seasons << QString::fromLocal8Bit(line.trimmed());
        run({kCli, QStringLiteral("new"), empty()});

        // The whole history, season after season, as a user builds it.
        copy(empty(), full());
        for (qsizetype i = 0; i < m_seasons.size(); ++i) {
            if (i == m_seasons.size() - 1)
                copy(full(), allButLast());
            const Child c = run({kCli, QStringLiteral("import"), full(), m_seasons[i]});
            buildSeconds += c.seconds;
            buildPeakMb = std::max(buildPeakMb, c.peakMb);
        }
        const QString plain = path(QStringLiteral("plain.qvl"));
        copy(empty(), plain);
        baselineSeconds =
            baseline(QStringList{QStringLiteral("import"), plain} + m_seasons, path(QStringLiteral("s")));
    }

    QTemporaryDir m_dir;
    QStringList m_seasons;
};

bool haveHistory(benchmark::State &state)
{
    if (QFile::exists(kHistory))
        return true;
    state.SkipWithError("the long-history file is absent");
    return false;
}

void BM_WholeHistory(benchmark::State &state)
{
    if (!haveHistory(state))
        return;
    History &h = History::get();
    for (auto _ : state)
        state.SetIterationTime(h.buildSeconds);
    state.counters["seasons"] = double(h.seasons().size());
    state.counters["x_baseline"] = h.buildSeconds / h.baselineSeconds;
    state.counters["peak_mb"] = h.buildPeakMb;
}

// The last season (2,036 matches) into the empty league and into the league of every other season.
void BM_LastSeason(benchmark::State &state)
{
    if (!haveHistory(state))
        return;
    History &h = History::get();
    const QString work = h.path(QStringLiteral("work.qvl"));
    double best[2] = {1e9, 1e9}, peak = 0;
    for (auto _ : state) {
        for (int into = 0; into < 2; ++into) {
            copy(into == 0 ? h.empty() : h.allButLast(), work);
            const Child c = run({kCli, QStringLiteral("import"), work, h.seasons().constLast()});
            best[into] = std::min(best[into], c.seconds);
            peak = std::max(peak, c.peakMb);
        }
        state.SetIterationTime(best[1]);
    }
    state.counters["empty_s"] = best[0];
    state.counters["full_s"] = best[1];
    state.counters["x_empty"] = best[1] / best[0];
    state.counters["peak_mb"] = peak;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// recalc and backtest over all 208,028 played matches, in turn with the C floor.
void BM_Recalc(benchmark::State &state)
{
    if (!haveHistory(state))
        return;
    History &h = History::get();
    const QString work = h.path(QStringLiteral("work.qvl"));
    double plain = 0, peak = 0;
    std::vector<double> ratios;
    for (auto _ : state) {
        copy(h.full(), work);
        const Child c = run({kCli, QStringLiteral("recalc"), work});
        copy(h.full(), work);
        const Child floor = run({kFloor, QStringLiteral("recalc"), work});
        copy(h.full(), work);
        plain = baseline({QStringLiteral("recalc"), work}, h.path(QStringLiteral("s")));
        ratios.push_back(c.seconds / floor.seconds);
        peak = c.peakMb;
        state.SetIterationTime(c.seconds);
        state.counters["x_baseline"] = c.seconds / plain;
    }
    state.counters["x_floor"] = median(ratios);
    state.counters["peak_mb"] = peak;
}

void BM_BackTest(benchmark::State &state)
{
    if (!haveHistory(state))
        return;
    History &h = History::get();
    const QString systems = h.path(QStringLiteral("systems.qvs"));
    double plain = 0, peak = 0;
    std::vector<double> ratios;
    for (auto _ : state) {
        QFile::remove(systems);
        const Child c =
            run({kCli, QStringLiteral("backtest"), h.full(), QStringLiteral("--systems"), systems});
        const Child floor = run({kFloor, QStringLiteral("backtest"), h.full(), systems});
        plain = baseline({QStringLiteral("backtest"), h.full(), systems}, h.path(QStringLiteral("s")));
        ratios.push_back(c.seconds / floor.seconds);
        peak = c.peakMb;
        state.SetIterationTime(c.seconds);
        state.counters["x_baseline"] = c.seconds / plain;
    }
    state.counters["x_floor"] = median(ratios);
    state.counters["peak_mb"] = peak;
}

// Peak memory of the commands that compute from every match, on the full league and on an empty one: what
// a command holds must not grow with the matches it only passes through.
void BM_MemoryPerMatch(benchmark::State &state)
{
    if (!haveHistory(state))
        return;
    History &h = History::get();
    static const std::vector<QStringList> commands = {{QStringLiteral("recalc")},
                                                      {QStringLiteral("backtest")},
                                                      {QStringLiteral("history")},
                                                      {QStringLiteral("calibration")}};
    const QStringList &command = commands.at(static_cast<size_t>(state.range(0)));
    state.SetLabel(command.first().toStdString());
    const QString work = h.path(QStringLiteral("work.qvl"));
    const QString systems = h.path(QStringLiteral("memory.qvs"));
    double peak[2] = {0, 0}, seconds = 0;
    for (auto _ : state) {
        for (int full = 0; full < 2; ++full) {
            copy(full ? h.full() : h.empty(), work);
            // The history and calibration read stored predictions: made first.
            if (command.first() != QLatin1String("recalc") && command.first() != QLatin1String("backtest"))
                run({kCli, QStringLiteral("recalc"), work});
            QStringList args{kCli, command.first(), work};
            if (command.first() == QLatin1String("backtest")) {
                QFile::remove(systems);
                args << QStringLiteral("--systems") << systems;
            }
            const Child c = run(args);
            peak[full] = c.peakMb;
            seconds = c.seconds;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["peak_mb"] = peak[1];
    Database league;
    league.open(h.full());
    const double matches = league.scalar(QStringLiteral("SELECT count(*) FROM Results")).toDouble();
    state.counters["kb_per_match"] = (peak[1] - peak[0]) * 1024.0 / matches;
}

// Peak memory of the reading commands and of add-match (a match after the whole history) on the full
// league.
void BM_CommandMemory(benchmark::State &state)
{
    if (!haveHistory(state))
        return;
    History &h = History::get();
    const QString work = h.path(QStringLiteral("work.qvl"));
    static const std::vector<QStringList> commands = {
        {QStringLiteral("table"), QStringLiteral("overall"), QStringLiteral("--format"),
         QStringLiteral("json")},
        {QStringLiteral("matches"), QStringLiteral("--format"), QStringLiteral("json")},
        {QStringLiteral("matches"), QStringLiteral("--format"), QStringLiteral("csv")},
        {QStringLiteral("matches"), QStringLiteral("--format"), QStringLiteral("text")},
        {QStringLiteral("add-match"), QStringLiteral("--home"), QStringLiteral("Arsenal"),
         QStringLiteral("--away"), QStringLiteral("Chelsea"), QStringLiteral("--date"),
         QStringLiteral("2025-07-01"), QStringLiteral("--score"), QStringLiteral("1:0")}};
    const QStringList &command = commands.at(static_cast<size_t>(state.range(0)));
    state.SetLabel(command.mid(0, 3).join(QLatin1Char(' ')).toStdString());
    double peak = 0;
    for (auto _ : state) {
        copy(h.full(), work);
        const Child c = run(QStringList{kCli, command.first(), work} + command.mid(1));
        peak = c.peakMb;
        state.SetIterationTime(c.seconds);
    }
    state.counters["peak_mb"] = peak;
}

// 10,000 matches among a given number of teams, as one season file.
QByteArray generatedSeason(int teams)
{
    QByteArray bytes = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG\n";
    for (int i = 0; i < 10000; ++i) {
        const int home = i % teams;
        const int away = (home + 1 + (i / teams) % (teams - 1)) % teams;
        const QDate date = QDate(2000, 1, 1).addDays(i / 10);
        bytes += "E0," + date.toString(QStringLiteral("dd/MM/yyyy")).toLatin1() + ",Club " +
                 QByteArray::number(home) + ",Club " + QByteArray::number(away) + "," +
                 QByteArray::number(i % 4) + "," + QByteArray::number(i % 3) + "\n";
    }
    return bytes;
}

void BM_TeamLookups(benchmark::State &state)
{
    static std::map<int, double> seconds;
    const int teams = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("season.csv"));
    QFile f(csv);
    if (!f.open(QIODevice::WriteOnly) || f.write(generatedSeason(teams)) < 0)
        throw std::runtime_error("cannot write the season");
    f.close();
    const QString league = dir.filePath(QStringLiteral("league.qvl"));
    double best = 1e9;
    for (auto _ : state) {
        QFile::remove(league);
        run({kCli, QStringLiteral("new"), league});
        const Child c = run({kCli, QStringLiteral("import"), league, csv});
        best = std::min(best, c.seconds);
        state.SetIterationTime(c.seconds);
    }
    seconds[teams] = best;
    state.counters["us_per_match"] = best * 1e6 / 10000;
    if (seconds.count(20) && teams != 20)
        state.counters["x_20_teams"] = best / seconds[20];
}

void BM_HeaderScan(benchmark::State &state)
{
    const int columns = static_cast<int>(state.range(0));
    QByteArray header = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG";
    QByteArray row = "E0,01/02/05,A,B,1,0";
    for (int i = 0; i < (columns - 6) / 3; ++i) {
        const QByteArray prefix = "P" + QByteArray::number(i);
        header += "," + prefix + "H," + prefix + "D," + prefix + "A";
        row += ",2.1,3.2,3.3";
    }
    const QByteArray bytes = header + "\n" + row + "\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(readResultsCsv(bytes, QStringLiteral("best"), QLocale::c()));
    state.counters["ns_per_column"] = benchmark::Counter(
        double(columns) * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_WholeHistory)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_LastSeason)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Recalc)->UseManualTime()->Iterations(3)->Unit(benchmark::kSecond);
BENCHMARK(BM_BackTest)->UseManualTime()->Iterations(3)->Unit(benchmark::kSecond);
BENCHMARK(BM_MemoryPerMatch)->UseManualTime()->Iterations(1)->DenseRange(0, 3)->Unit(benchmark::kSecond);
BENCHMARK(BM_CommandMemory)->UseManualTime()->Iterations(1)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TeamLookups)->UseManualTime()->Iterations(2)->Arg(20)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeaderScan)->Arg(120000)->Arg(240000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv);
}
