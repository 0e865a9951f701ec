// What the money metrics of a back-test cost beside the back-test itself, on generated leagues of 3,800
// and 38,000 played matches with closing prices for every match:
//   (a) the whole back-test with its metrics, as the program runs it;
//   (b) the metrics' own share of that work, alone: reading the closing prices, looking each bet's up,
//       summing the bets, growing the balance curve and storing the metrics row.
// x_backtest = (b) / (a): the fraction the metrics add, in wall-clock and (closing line) in processor
// seconds.  (b) commits its metrics row on its own, paying a durable commit that the back-test shares with
// its detail rows: the figures are an upper bound.  Every benchmark keeps its best run.

#include "analysis/BackTest.h"
#include "analysis/SystemMetrics.h"
#include "analysis/SystemsFile.h"
#include "data/ClosingPrices.h"
#include "data/Database.h"
#include "data/TDataMod.h"
#include "entry/Odds.h"
#include "support/RandomLeague.h"

#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "BenchMain.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <time.h>
#include <vector>

namespace
{

constexpr int kSizes[] = {3800, 38000};

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// The league of this size with closing prices 5 % under every price, written once per run.
QString leagueFile(int matches)
{
    static std::map<int, QString> files;
    auto it = files.find(matches);
    if (it != files.end())
        return it->second;
    RandomLeagueSpec spec;
    spec.seed = 7;
    spec.teams = matches <= 3800 ? 20 : 200;
    spec.matches = matches;
    spec.fixtureShare = 0;
    spec.days = matches / (spec.teams / 2);
    spec.awkward = false;
    const QString path = workDir().filePath(QStringLiteral("league-%1.qvl").arg(matches));
    writeRandomLeague(path, spec);
    Database league;
    league.open(path);
    Transaction tx(league);
    Statement st = league.prepare(QStringLiteral("SELECT ID, O1, OX, O2 FROM Results"));
    while (st.step()) {
        ClosingPriceSet set{};
        for (int o = 0; o < 3; ++o)
            set[o] = Odds::OddsToDecimal(st.value(1 + o).toString()) / 1.05;
        ClosingPrices::store(league, qRound64(st.value(0).toDouble()), set);
    }
    tx.commit();
    return files.emplace(matches, path).first->second;
}

BettingSystem system()
{
    BettingSystem s;
    s.options.homeWin = s.options.awayWin = s.options.draw = true;
    s.options.homePct = s.options.drawPct = s.options.awayPct = 30;
    s.options.confidence = 30;
    return s;
}

struct Bet {
    qint64 id;
    SettledBet settled;
};

// The bets of the last back-test, from its detail, with the money it moved.
std::vector<Bet> betsOfDetail(Database &systems)
{
    std::vector<Bet> bets;
    Statement st =
        systems.prepare(QStringLiteral("SELECT ID, Verdict, O1, OX, O2, F, A, Result FROM Results"));
    while (st.step()) {
        const QString verdict = st.value(1).toString();
        if (verdict == QLatin1String("?"))
            continue;
        const int o = verdict == QLatin1String("1") ? 0 : verdict == QLatin1String("X") ? 1 : 2;
        const MatchOutcome backed = o == 0   ? MatchOutcome::HomeWin
                                    : o == 1 ? MatchOutcome::Draw
                                             : MatchOutcome::AwayWin;
        const double price = Odds::OddsToDecimal(st.value(2 + o).toString());
        const bool won =
            matchOutcome(st.value(5).toInt(), st.value(6).toInt(), st.value(7).toString()) == backed;
        bets.push_back({qRound64(st.value(0).toDouble()),
                        {backed, won, price, 20,
                         price == 0 ? 0
                         : won      ? 20 * price - 20
                                    : -20,
                         0}});
    }
    return bets;
}

struct Best {
    double wall = 1e300;
    double cpu = 1e300;
};
std::map<std::pair<int, int>, Best> &best() // (kind, matches) -> seconds
{
    static std::map<std::pair<int, int>, Best> b;
    return b;
}

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

template <typename Fn> void measure(benchmark::State &state, int kind, int matches, Fn once)
{
    Best fastest;
    for (auto _ : state) {
        const double cpuStart = cpuSeconds();
        const auto start = Clock::now();
        once();
        const double s = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(s);
        fastest.wall = std::min(fastest.wall, s);
        fastest.cpu = std::min(fastest.cpu, cpuSeconds() - cpuStart);
    }
    best()[{kind, matches}] = fastest;
    state.counters["us_per_match"] = fastest.wall / matches * 1e6;
    if (kind == 1 && best().count({0, matches}))
        state.counters["x_backtest"] = fastest.wall / best()[{0, matches}].wall;
}

void BM_BackTest(benchmark::State &state)
{
    const int matches = int(state.range(0));
    TDataMod dm;
    dm.openLeague(leagueFile(matches), LeagueTables::leagueRowOnly());
    Database systems;
    SystemsFile::open(systems, workDir().filePath(QStringLiteral("backtest-%1.qvs").arg(matches)));
    measure(state, 0, matches, [&] { BackTest(system(), dm, systems).run(); });
}

void BM_MetricsAlone(benchmark::State &state)
{
    const int matches = int(state.range(0));
    Database league;
    league.open(leagueFile(matches));
    Database systems;
    SystemsFile::open(systems, workDir().filePath(QStringLiteral("metrics-%1.qvs").arg(matches)));
    {
        TDataMod dm;
        dm.openLeague(league.path(), LeagueTables::leagueRowOnly());
        BackTest(system(), dm, systems).run();
    }
    const std::vector<Bet> bets = betsOfDetail(systems);
    measure(state, 1, matches, [&] {
        const QHash<qint64, ClosingPriceSet> closing = ClosingPrices::readAll(league);
        MetricsAccumulator acc(100);
        QList<QPointF> curve{QPointF(0, 100)};
        double balance = 100;
        for (std::size_t i = 0; i < bets.size(); ++i) {
            SettledBet b = bets[i].settled;
            const auto c = closing.constFind(bets[i].id);
            b.closing = c == closing.cend() ? 0.0 : (*c)[outcomeIndex(b.backed)];
            acc.add(b);
            balance += b.profit;
            curve.append(QPointF(double(i + 1), balance));
        }
        // One point per tested match, bet or not.
        for (int i = int(bets.size()); i < matches; ++i)
            curve.append(QPointF(double(i + 1), balance));
        Transaction tx(systems);
        SystemMetrics::store(systems, 0, StakingPlan{}, acc.result());
        tx.commit();
        benchmark::DoNotOptimize(curve.size());
    });
    state.counters["bets"] = double(bets.size());
}

} // namespace

int main(int argc, char **argv)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    for (const int n : kSizes) {
        const int iterations = n <= 3800 ? 5 : 3;
        benchmark::RegisterBenchmark("BM_BackTest", BM_BackTest)
            ->Arg(n)
            ->Iterations(iterations)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_MetricsAlone", BM_MetricsAlone)
            ->Arg(n)
            ->Iterations(iterations)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    const int status = runBenchmarks(argc, argv);
    if (status == 0)
        for (const int n : kSizes)
            if (best().count({0, n}) && best().count({1, n})) {
                const Best a = best()[{0, n}], b = best()[{1, n}];
                std::printf(
                    "%6d matches: back-test %.3f s (%.3f s processor), metrics alone %.4f s (%.4f s), "
                    "metrics / back-test %.4f (%.4f)\n",
                    n, a.wall, a.cpu, b.wall, b.cpu, b.wall / a.wall, b.cpu / a.cpu);
            }
    return status;
}
