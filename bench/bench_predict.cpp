// Recalculating predictions and back-testing a betting system on generated leagues of 3,800, 38,000 and
// 100,000 played matches, side by side with
//   (a) the straightforward method, two history queries per match, up to the size it finishes within a
//       minute (a bigger size is skipped when the last one, grown by the square of the size, would not);
//   (b) "plain": a read of the same Results rows (the columns the back-test reads) plus an insert of as
//       many detail rows into a betting systems file in one transaction, the floor any back-test pays.
//
// Counters: us_per_match = seconds per run divided by the matches; x_plain = fast / plain and
// x_straight = fast / straightforward of the same size; peak_MB = the process's peak resident memory so
// far.  Every benchmark keeps its best run; a table of all of them, in wall-clock and in processor
// seconds, closes the run.  Writes are durable, as in the program.

#include "analysis/BackTest.h"
#include "analysis/SystemsFile.h"
#include "data/Database.h"
#include "data/ResultsViews.h"
#include "data/TDataMod.h"
#include "predict/PredictionCommands.h"
#include "support/QueryHistories.h"
#include "support/RandomLeague.h"
#include "support/RecordingMessenger.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "BenchMain.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <time.h>

namespace
{

constexpr int kSizes[] = {3800, 38000, 100000};
constexpr double kStraightforwardLimit = 60; // seconds

// Bigger leagues have more teams, as real ones pooled over seasons and divisions do; each team plays
// about once per match day.
RandomLeagueSpec leagueSpec(int matches)
{
    RandomLeagueSpec spec;
    spec.seed = 7;
    spec.teams = matches <= 3800 ? 20 : matches <= 38000 ? 200 : 500;
    spec.matches = matches;
    spec.fixtureShare = 0;
    spec.days = matches / (spec.teams / 2);
    spec.awkward = false;
    return spec;
}

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// The generated league of this size, written once per run.
QString leagueFile(int matches)
{
    static std::map<int, QString> files;
    auto it = files.find(matches);
    if (it == files.end()) {
        const QString path = workDir().filePath(QStringLiteral("league-%1.qvl").arg(matches));
        writeRandomLeague(path, leagueSpec(matches));
        it = files.emplace(matches, path).first;
    }
    return it->second;
}

QString systemsFile(const QString &name)
{
    return workDir().filePath(name + QStringLiteral(".qvs"));
}

double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// The best run of every benchmark by name and size, in wall-clock and in processor seconds: on a shared
// machine the second shows the work apart from waiting for a core.
enum class Kind { Plain, RecalcStraight, BackTestStraight, RecalcFast, BackTestFast };
struct Best {
    double wall = 1e300;
    double cpu = 1e300;
};
std::map<std::pair<Kind, int>, Best> &best()
{
    static std::map<std::pair<Kind, int>, Best> b;
    return b;
}

std::optional<Best> bestOf(Kind kind, int matches)
{
    const auto it = best().find({kind, matches});
    return it == best().end() ? std::nullopt : std::optional<Best>(it->second);
}

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Times every iteration of `once`, keeps the best and sets the counters.
template <typename Fn> void measure(benchmark::State &state, Kind kind, int matches, Fn once)
{
    Best fastest;
    for (auto _ : state) {
        const double cpuStart = cpuSeconds();
        const auto start = Clock::now();
        once();
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        fastest.wall = std::min(fastest.wall, s);
        fastest.cpu = std::min(fastest.cpu, cpuSeconds() - cpuStart);
    }
    best()[{kind, matches}] = fastest;
    state.counters["us_per_match"] = fastest.wall / matches * 1e6;
    state.counters["peak_MB"] = peakMegabytes();
    if (kind == Kind::RecalcFast || kind == Kind::BackTestFast) {
        if (const auto plain = bestOf(Kind::Plain, matches))
            state.counters["x_plain"] = fastest.wall / plain->wall;
        const Kind straight = kind == Kind::RecalcFast ? Kind::RecalcStraight : Kind::BackTestStraight;
        if (const auto s = bestOf(straight, matches))
            state.counters["x_straight"] = fastest.wall / s->wall;
    }
}

// ---------------------------------------------------------------- plain

void plainReadAndWrite(Database &league, Database &systems)
{
    Transaction tx(systems);
    systems.execute(QStringLiteral("DELETE FROM Results"));
    Statement read = league.prepare(QStringLiteral(
        "SELECT rowid, ID, DateP, Rnd, Result, Home, Away, F, A, TRH, TRHT, TRA, TRAT, UOV, O1, OX, O2 "
        "FROM Results WHERE Result <> ':' ORDER BY DateP, rowid"));
    Statement insert = systems.prepare(QStringLiteral("INSERT INTO Results (ID, Home, Away, Result, DateP, "
                                                      "Rnd, F, A, HP, DP, AP, CF, PResult, Ttl, Verdict, "
                                                      "UOV, UOP, O1, OX, O2, Balance) VALUES (?1, ?2, ?3, "
                                                      "?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, "
                                                      "?16, ?17, ?18, ?19, ?20, ?21)"));
    const int columns = read.columnCount();
    QVariantList row;
    while (read.step()) {
        row.clear();
        for (int c = 0; c < columns; ++c)
            row << read.value(c);
        // The detail row of the match with a fixed prediction in place of a computed one.
        insert.bindAll({row[1],
                        row[5],
                        row[6],
                        row[4],
                        row[2],
                        row[3],
                        row[7],
                        row[8],
                        50,
                        25,
                        25,
                        50,
                        QStringLiteral("1:0"),
                        1,
                        QStringLiteral("1"),
                        row[13],
                        QStringLiteral("Under 2.5"),
                        row[14],
                        row[15],
                        row[16],
                        100.0});
        insert.run();
        insert.reset();
    }
    tx.commit();
}

void BM_Plain(benchmark::State &state)
{
    const int matches = int(state.range(0));
    Database league;
    league.open(leagueFile(matches));
    Database systems;
    SystemsFile::open(systems, systemsFile(QStringLiteral("plain-%1").arg(matches)));
    plainReadAndWrite(league, systems); // warms the page cache
    measure(state, Kind::Plain, matches, [&] { plainReadAndWrite(league, systems); });
}

// ---------------------------------------------------------------- recalc and back-test

int recalc(TDataMod &dm, HistorySource *histories)
{
    RecordingMessenger messenger;
    return RecalculatePredictions(dm, loadPredictionOptions(dm), messenger, {}, histories);
}

void backTest(TDataMod &dm, Database &systems, HistorySource *histories)
{
    BettingSystem system;
    system.options = loadPredictionOptions(dm);
    BackTest(system, dm, systems, histories).run();
}

// Whether the straightforward method would pass the limit at this size, judged from the largest smaller
// size it ran at and its quadratic growth.
bool beyondLimit(benchmark::State &state, Kind kind, int matches)
{
    for (auto it = std::rbegin(kSizes); it != std::rend(kSizes); ++it) {
        if (*it >= matches)
            continue;
        const auto measured = bestOf(kind, *it);
        if (!measured)
            continue;
        const double estimate = measured->wall * (double(matches) / *it) * (double(matches) / *it);
        if (estimate <= kStraightforwardLimit)
            return false;
        const std::string why = "skipped: about " + std::to_string(int(estimate)) + " s, over a minute";
        state.SkipWithError(why.c_str());
        return true;
    }
    return false;
}

void BM_Recalc(benchmark::State &state, bool straightforward)
{
    const int matches = int(state.range(0));
    const Kind kind = straightforward ? Kind::RecalcStraight : Kind::RecalcFast;
    if (straightforward && beyondLimit(state, kind, matches))
        return;
    TDataMod dm;
    dm.openLeague(leagueFile(matches));
    applyDefaultScoreView(dm.ADOTableResults); // as showing the scores page does
    QueryHistories queries(dm.ADOConnection);
    HistorySource *histories = straightforward ? &queries : nullptr;
    int written = 0;
    measure(state, kind, matches, [&] { written = recalc(dm, histories); });
    if (written != matches)
        state.SkipWithError("not every match was predicted");
}

void BM_BackTest(benchmark::State &state, bool straightforward)
{
    const int matches = int(state.range(0));
    const Kind kind = straightforward ? Kind::BackTestStraight : Kind::BackTestFast;
    if (straightforward && beyondLimit(state, kind, matches))
        return;
    TDataMod dm;
    dm.openLeague(leagueFile(matches));
    Database systems;
    SystemsFile::open(systems, systemsFile(QStringLiteral("%1-%2").arg(straightforward).arg(matches)));
    QueryHistories queries(dm.ADOConnection);
    HistorySource *histories = straightforward ? &queries : nullptr;
    measure(state, kind, matches, [&] { backTest(dm, systems, histories); });
    if (systems.scalar(QStringLiteral("SELECT count(*) FROM Results")).toInt() != matches)
        state.SkipWithError("not every match was tested");
}

// ---------------------------------------------------------------- summary

// "wall / cpu" seconds.
QString seconds(std::optional<Best> b)
{
    return b ? QStringLiteral("%1/%2").arg(b->wall, 0, 'f', 3).arg(b->cpu, 0, 'f', 3) : QStringLiteral("-");
}

// "wall / cpu" ratios.
QString ratio(std::optional<Best> a, std::optional<Best> b)
{
    return a && b ? QStringLiteral("%1/%2").arg(a->wall / b->wall, 0, 'g', 3).arg(a->cpu / b->cpu, 0, 'g', 3)
                  : QStringLiteral("-");
}

void printSummary()
{
    std::printf(
        "\nBest runs, wall-clock/processor seconds; ratios fast/plain and fast/straightforward likewise.\n");
    const char *format = "%8s  %-13s | %-13s %-15s %-11s %-15s | %-13s %-15s %-11s %-15s\n";
    std::printf(format, "matches", "plain", "recalc", "straightforward", "x_plain", "x_straight", "backtest",
                "straightforward", "x_plain", "x_straight");
    for (const int n : kSizes) {
        const auto plain = bestOf(Kind::Plain, n);
        const auto rf = bestOf(Kind::RecalcFast, n), rs = bestOf(Kind::RecalcStraight, n);
        const auto bf = bestOf(Kind::BackTestFast, n), bs = bestOf(Kind::BackTestStraight, n);
        std::printf(format, qPrintable(QString::number(n)), qPrintable(seconds(plain)),
                    qPrintable(seconds(rf)), qPrintable(seconds(rs)), qPrintable(ratio(rf, plain)),
                    qPrintable(ratio(rf, rs)), qPrintable(seconds(bf)), qPrintable(seconds(bs)),
                    qPrintable(ratio(bf, plain)), qPrintable(ratio(bf, bs)));
    }
    std::printf("peak resident memory: %.0f MB\n", peakMegabytes());
}

void registerSize(int matches)
{
    const int iterations = matches <= 3800 ? 5 : matches <= 38000 ? 3 : 2;
    const auto add = [&](const std::string &name, auto fn, int n) {
        benchmark::RegisterBenchmark(name.c_str(), fn)
            ->Arg(matches)
            ->Iterations(n)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    };
    add("BM_Plain", BM_Plain, iterations);
    add(
        "BM_RecalcStraightforward", [](benchmark::State &s) { BM_Recalc(s, true); }, 1);
    add(
        "BM_BackTestStraightforward", [](benchmark::State &s) { BM_BackTest(s, true); }, 1);
    add(
        "BM_RecalcFast", [](benchmark::State &s) { BM_Recalc(s, false); }, iterations);
    add(
        "BM_BackTestFast", [](benchmark::State &s) { BM_BackTest(s, false); }, iterations);
}

} // namespace

int main(int argc, char **argv)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Database::setDurableWrites(true); // commits wait for the disk, as in the program
    for (const int matches : kSizes)
        registerSize(matches);
    const int status = runBenchmarks(argc, argv);
    if (status == 0)
        printSummary();
    return status;
}
