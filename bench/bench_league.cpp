// The league data core on generated leagues of 3,800, 38,000 and 100,000 played matches: importing the
// matches through the match entry routine, opening the league, the check of its played rows, a title-click
// sort and a filter on Results, each against a plain read of the same Results rows through the engine.
//
// Counters: us_per_match = time per iteration divided by the league's matches (flat when the cost grows
// linearly); x_plain = time per iteration divided by the plain read of the same league; x_open (the check
// only) = time per iteration divided by opening the same league without the check.

#include "data/Database.h"
#include "data/Errors.h"
#include "data/PlayedRowsCheck.h"
#include "data/TDataMod.h"
#include "entry/MatchEntry.h"
#include "support/RecordingMessenger.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "BenchMain.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <stdexcept>

namespace
{

struct LeagueSize {
    int matches;
    int teams;
};

// The sizes by their number of matches; bigger leagues have more teams, as real ones pooled over
// seasons and divisions do.
LeagueSize leagueSize(int matches)
{
    if (matches <= 3800)
        return {matches, 20};
    if (matches <= 38000)
        return {matches, 200};
    return {matches, 500};
}

quint64 mix(quint64 x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

QString teamName(int t)
{
    // Some names outside ASCII, as real leagues have, so the case-blind lookups do real work.
    static const char *const stems[] = {"Athletic", "Rovers", "Dynamo", "Örgryte", "Union",
                                        "Sporting", "Real",   "Škoda",  "City",    "Étoile"};
    return QString::fromUtf8(stems[t % 10]) + QLatin1Char(' ') + QString::number(t + 1);
}

QStringList teamNames(int teams)
{
    QStringList names;
    for (int t = 0; t < teams; ++t)
        names << teamName(t);
    return names;
}

// Match i of a league: a double round robin by the circle method, repeated season after season, one
// round every two days; scores from a fixed hash of i.
MatchEntryInput generatedMatch(int i, int teams, const QStringList &names)
{
    const int perRound = teams / 2;
    const int roundsPerSeason = 2 * (teams - 1);
    const int roundIndex = i / perRound;
    const int r = roundIndex % roundsPerSeason;
    const int k = i % perRound;
    const int rr = r % (teams - 1);
    int a = (rr + k) % (teams - 1);
    int b = k == 0 ? teams - 1 : (rr + teams - 1 - k) % (teams - 1);
    if ((r >= teams - 1) != (k % 2 == 1)) // second half of a season swaps sides; slots alternate
        std::swap(a, b);

    const quint64 h = mix(quint64(i));
    MatchEntryInput in;
    in.mode = MatchEntryMode::Add;
    in.teamEntries = names;
    in.home = names[a];
    in.away = names[b];
    in.homeScore = int(h % 5);
    in.awayScore = int((h >> 8) % 4);
    in.overtime = false;
    const QDate date = QDate(2000, 8, 1).addDays(2 * roundIndex);
    in.year = date.year();
    in.month = date.month();
    in.day = date.day();
    in.round = r + 1;
    in.underOver = QStringLiteral("2.5");
    in.odds[0] = QStringLiteral("2.10");
    in.odds[1] = QStringLiteral("3.30");
    in.odds[2] = QStringLiteral("3.60");
    in.bookmaker[0] = QStringLiteral("Bookie %1").arg(h % 7);
    return in;
}

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

int g_fileCounter = 0;

// A new league file with the size's teams and no matches; the connection stays open on it.
QString newLeague(TDataMod &dm, const LeagueSize &size)
{
    const QString path =
        workDir().filePath(QStringLiteral("league-%1-%2.qvl").arg(size.matches).arg(++g_fileCounter));
    CreateLeagueFile(dm.ADOConnection, dm.ADOTableLeague, path);
    dm.OpenLeagueTables();
    Transaction tx(dm.ADOConnection);
    const QStringList names = teamNames(size.teams);
    for (int t = 0; t < size.teams; ++t)
        dm.ADOTableTeams.appendRecord(newTeamValues(names[t], t + 1));
    tx.commit();
    return path;
}

// The import command: every match through the match entry routine, in one transaction.
void importMatches(TDataMod &dm, const LeagueSize &size)
{
    const QStringList names = teamNames(size.teams);
    RecordingMessenger messenger;
    Transaction tx(dm.ADOConnection);
    for (int i = 0; i < size.matches; ++i)
        if (!SaveMatch(dm, generatedMatch(i, size.teams, names), messenger))
            throw std::runtime_error("a generated match was refused: " +
                                     messenger.texts().join(QLatin1Char('|')).toStdString());
    tx.commit();
}

std::map<int, QString> &leagueFiles()
{
    static std::map<int, QString> files;
    return files;
}

// The generated league of this size, made once per run.
QString leagueFile(int matches)
{
    auto it = leagueFiles().find(matches);
    if (it != leagueFiles().end())
        return it->second;
    TDataMod dm;
    const LeagueSize size = leagueSize(matches);
    const QString path = newLeague(dm, size);
    importMatches(dm, size);
    dm.closeLeague();
    leagueFiles()[matches] = path;
    return path;
}

// Reads every column of every Results row through the engine, as loading the table does, without the
// dataset layer.
qint64 plainRead(Database &db)
{
    qint64 cells = 0;
    Statement st = db.prepare(QStringLiteral("SELECT * FROM Results"));
    const int columns = st.columnCount();
    while (st.step()) {
        for (int c = 0; c < columns; ++c) {
            QVariant v = st.value(c);
            benchmark::DoNotOptimize(v);
            ++cells;
        }
    }
    return cells;
}

// Seconds of the plain read of a league, measured once per run.
double plainReadSeconds(int matches)
{
    static std::map<int, double> measured;
    auto it = measured.find(matches);
    if (it != measured.end())
        return it->second;
    Database db;
    db.open(leagueFile(matches));
    plainRead(db); // warm the page cache
    // The best of at least ten runs and a third of a second, so a busy moment does not skew every ratio.
    double best = 1e9;
    const auto begin = Clock::now();
    for (int run = 0; run < 10 || secondsSince(begin) < 0.3; ++run) {
        const auto start = Clock::now();
        plainRead(db);
        best = std::min(best, secondsSince(start));
    }
    measured[matches] = best;
    return best;
}

// Time per iteration per match and against the plain read of the same league.
void report(benchmark::State &state, double totalSeconds, int matches)
{
    const double perIteration =
        totalSeconds / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["us_per_match"] = perIteration / matches * 1e6;
    state.counters["x_plain"] = perIteration / plainReadSeconds(matches);
}

void BM_PlainRead(benchmark::State &state)
{
    const int matches = int(state.range(0));
    Database db;
    db.open(leagueFile(matches));
    plainRead(db);
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(plainRead(db));
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        total += s;
    }
    report(state, total, matches);
}

void BM_Import(benchmark::State &state)
{
    const int matches = int(state.range(0));
    const LeagueSize size = leagueSize(matches);
    double total = 0;
    for (auto _ : state) {
        TDataMod dm;
        const QString path = newLeague(dm, size);
        const auto start = Clock::now();
        importMatches(dm, size);
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        total += s;
        dm.closeLeague();
        leagueFiles().emplace(matches, path); // the first import serves the other benchmarks
    }
    report(state, total, matches);
}

void BM_OpenLeague(benchmark::State &state)
{
    const int matches = int(state.range(0));
    const QString path = leagueFile(matches);
    double total = 0;
    for (auto _ : state) {
        TDataMod dm;
        const auto start = Clock::now();
        dm.openLeague(path);
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        total += s;
        if (dm.ADOTableResults.recordCount() != matches)
            state.SkipWithError("the league lost matches");
    }
    report(state, total, matches);
}

// Seconds of opening a league (all four tables loaded, as the desktop program opens it), the best of a
// few, measured once per run.
double openSeconds(int matches)
{
    static std::map<int, double> measured;
    auto it = measured.find(matches);
    if (it != measured.end())
        return it->second;
    const QString path = leagueFile(matches);
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        TDataMod dm;
        const auto start = Clock::now();
        dm.openLeague(path);
        best = std::min(best, secondsSince(start));
    }
    measured[matches] = best;
    return best;
}

// The check of the played rows that opening a league makes, on its own.
void BM_CheckPlayedRows(benchmark::State &state)
{
    const int matches = int(state.range(0));
    TDataMod dm;
    dm.openLeague(leagueFile(matches));
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const PlayedRowsReport rows = checkPlayedRows(dm.ADOConnection);
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        total += s;
        if (!rows.consistent())
            state.SkipWithError("a generated match does not add up");
    }
    report(state, total, matches);
    state.counters["x_open"] =
        total / double(std::max<benchmark::IterationCount>(state.iterations(), 1)) / openSeconds(matches);
}

// One click on a column title of the scores view: Results sorted by that column (a text key with a date
// key behind it, or a date descending).  Going back to the stored order is not timed.
void sortBenchmark(benchmark::State &state, const QString &sortText)
{
    const int matches = int(state.range(0));
    TDataMod dm;
    dm.openLeague(leagueFile(matches));
    Table &results = dm.ADOTableResults;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        results.setSort(sortText);
        results.first();
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        total += s;
        results.setSort(QString());
    }
    report(state, total, matches);
}

void BM_SortHomeDate(benchmark::State &state)
{
    sortBenchmark(state, QStringLiteral("Home, DateP"));
}

void BM_SortDateDesc(benchmark::State &state)
{
    sortBenchmark(state, QStringLiteral("DateP DESC"));
}

// Showing the played matches of one round; switching the filter off again is not timed.
void BM_FilterRound(benchmark::State &state)
{
    const int matches = int(state.range(0));
    TDataMod dm;
    dm.openLeague(leagueFile(matches));
    Table &results = dm.ADOTableResults;
    const int teams = leagueSize(matches).teams;
    int expected = 0;
    for (int i = 0; i < matches; ++i)
        expected += (i / (teams / 2)) % (2 * (teams - 1)) == 2;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        results.setFilter(QStringLiteral("Result <> ':' AND Rnd = 3"));
        results.setFiltered(true);
        results.first();
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        total += s;
        if (results.recordCount() != expected)
            state.SkipWithError("the filter shows the wrong rows");
        results.setFiltered(false);
        results.setFilter(QString());
    }
    report(state, total, matches);
}

// One more match entered on a big league as the match dialog's OK does: its own transaction, synced to
// disk.  Runs on a copy of the league so the others keep their size.
void BM_EnterOneMatch(benchmark::State &state)
{
    const int matches = int(state.range(0));
    const LeagueSize size = leagueSize(matches);
    const QString path = workDir().filePath(QStringLiteral("entry-%1.qvl").arg(matches));
    QFile::remove(path);
    if (!QFile::copy(leagueFile(matches), path)) {
        state.SkipWithError("cannot copy the league");
        return;
    }
    TDataMod dm;
    dm.openLeague(path);
    const QStringList names = teamNames(size.teams);
    RecordingMessenger messenger;
    int i = matches;
    double total = 0;
    for (auto _ : state) {
        const MatchEntryInput in = generatedMatch(i++, size.teams, names);
        const auto start = Clock::now();
        const bool stored = SaveMatch(dm, in, messenger);
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        total += s;
        if (!stored)
            state.SkipWithError("the match was refused");
    }
    report(state, total, matches);
}

// Registers a benchmark for the three sizes; few iterations for the big leagues, where one is long
// enough to time well on its own.  The import comes first so that its files serve the rest.
void registerSizes(const char *name, void (*function)(benchmark::State &), int iterationsSmall,
                   int iterationsBig)
{
    for (const int matches : {3800, 38000, 100000})
        benchmark::RegisterBenchmark(name, function)
            ->Arg(matches)
            ->Iterations(matches <= 3800 ? iterationsSmall : iterationsBig)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char **argv)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    registerSizes("BM_Import", BM_Import, 3, 1);
    registerSizes("BM_PlainRead", BM_PlainRead, 50, 10);
    registerSizes("BM_OpenLeague", BM_OpenLeague, 20, 3);
    registerSizes("BM_CheckPlayedRows", BM_CheckPlayedRows, 20, 5);
    registerSizes("BM_SortHomeDate", BM_SortHomeDate, 20, 5);
    registerSizes("BM_SortDateDesc", BM_SortDateDesc, 20, 5);
    registerSizes("BM_FilterRound", BM_FilterRound, 20, 5);
    registerSizes("BM_EnterOneMatch", BM_EnterOneMatch, 20, 20);
    return runBenchmarks(argc, argv);
}
