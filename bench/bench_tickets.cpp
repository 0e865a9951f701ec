// The ticket manager on a generated ticket file of 20,000 tickets with 60,000 bets: opening the file
// with its statistics as the window shows them first (the tickets chart of profit, the tickets table
// and the total profit), the same through the window drawn offscreen (target: under a second), and every
// view of both pages as `quorvane-cli tickets stats` prints them, each against a plain read of every
// column of the same rows through the engine.
//
// Counters: x_plain = time per iteration divided by the plain read of the same file.

#include "betting/TicketBook.h"
#include "betting/TicketSchema.h"
#include "betting/TicketStatistics.h"
#include "betting/ui/TFormTicketMgr.h"
#include "data/Database.h"
#include "data/Dates.h"

#include <QDate>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "WindowBenchApp.h"

#include <algorithm>
#include <chrono>

namespace
{
constexpr int kTickets = 20000;
constexpr int kBetsPerTicket = 3;

using Clock = std::chrono::steady_clock;
double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

quint64 mix(quint64 x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Prices in the three notations, as users type them.
QString price(quint64 h)
{
    static const char *const prices[] = {"1.85", "2.10", "1.45", "3.50", "5/4",
                                         "4/6",  "+150", "-120", "2.75", ""};
    return QString::fromLatin1(prices[h % 10]);
}

QString settlement(quint64 h)
{
    static const char *const s[] = {"Won", "Lost", "Lost", "Undecided", "Cancelled", "Won"};
    return QString::fromLatin1(s[h % 6]);
}

// The file, made once per run: tickets a few hours apart from 2000 on, each with three bets.
QString ticketFile()
{
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    path = dir.filePath(QStringLiteral("big.qvt"));
    TicketSchema::createFile(path);
    Database db;
    db.open(path);
    Transaction tx(db);
    Statement ticket =
        db.prepare(QStringLiteral("INSERT INTO Tickets VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"));
    Statement bet = db.prepare(QStringLiteral("INSERT INTO Bets VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"));
    const QDate start(2000, 1, 1);
    for (int t = 0; t < kTickets; ++t) {
        const quint64 h = mix(quint64(t));
        const QString date = Dates::toStored(start.addDays(t / 5));
        const double stake = double(1 + h % 50);
        const double total = 1.5 + double(h % 400) / 100.0;
        const QString status = settlement(h >> 8);
        const double profit = status == QLatin1String("Won") ? stake * total - stake - 1 : -stake - 1;
        ticket.bindAll({t, date, stake, 1.0, total, stake * total, profit, status});
        ticket.run();
        ticket.reset();
        for (int b = 0; b < kBetsPerTicket; ++b) {
            const quint64 g = mix(h + quint64(b));
            bet.bindAll({t, date, QStringLiteral("Event %1").arg(g % 40),
                         QStringLiteral("Team %1").arg(g % 500),
                         QStringLiteral("Team %1").arg((g >> 9) % 500),
                         QStringLiteral("1X2").mid(int(g % 3), 1), price(g >> 16), settlement(g >> 24)});
            bet.run();
            bet.reset();
        }
    }
    tx.commit();
    return path;
}

qint64 plainRead(Database &db)
{
    qint64 cells = 0;
    for (const char *table : {"SELECT * FROM Tickets", "SELECT * FROM Bets"}) {
        Statement st = db.prepare(QString::fromLatin1(table));
        const int columns = st.columnCount();
        while (st.step())
            for (int c = 0; c < columns; ++c) {
                QVariant v = st.value(c);
                benchmark::DoNotOptimize(v);
                ++cells;
            }
    }
    return cells;
}

double plainReadSeconds()
{
    static double best = 0;
    if (best > 0)
        return best;
    Database db;
    db.open(ticketFile());
    plainRead(db);
    best = 1e9;
    for (int run = 0; run < 10; ++run) {
        const auto start = Clock::now();
        plainRead(db);
        best = std::min(best, secondsSince(start));
    }
    return best;
}

template <typename F> void timed(benchmark::State &state, F &&work)
{
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        work();
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        total += s;
    }
    const double perIteration = total / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["x_plain"] = perIteration / plainReadSeconds();
}

void BM_PlainRead(benchmark::State &state)
{
    Database db;
    db.open(ticketFile());
    timed(state, [&] { benchmark::DoNotOptimize(plainRead(db)); });
}

// What the window does on Open: the three tables, then the statistics of the views chosen at first.
void BM_OpenWithStatistics(benchmark::State &state)
{
    const QString path = ticketFile();
    timed(state, [&] {
        TicketBook book;
        book.openFile(path);
        const StatsRows rows = ReadStatsRows(book.ADOConnection, std::nullopt);
        benchmark::DoNotOptimize(BuildChart(rows, ChartSubject::Tickets, ChartValue::Profit));
        benchmark::DoNotOptimize(TicketsTable(rows));
        benchmark::DoNotOptimize(TotalProfitText(rows));
    });
}

// Open through the window: the tables, the grids, the chart and the table drawn.
void BM_WindowOpen(benchmark::State &state)
{
    const QString path = ticketFile();
    timed(state, [&] {
        TFormTicketMgr window;
        window.resize(1280, 800);
        window.setPathChooser([&path](const QString &, bool, const QString &) { return path; });
        window.show();
        window.MenuOpenClick();
        benchmark::DoNotOptimize(window.grab());
    });
}

// Every view of both pages: ten charts and seven tables.
void BM_AllViews(benchmark::State &state)
{
    Database db;
    db.open(ticketFile());
    timed(state, [&] {
        const StatsRows rows = ReadStatsRows(db, std::nullopt);
        for (int v = 0; v < 5; ++v)
            for (ChartSubject s : {ChartSubject::Tickets, ChartSubject::Bets})
                benchmark::DoNotOptimize(BuildChart(rows, s, ChartValue(v)));
        benchmark::DoNotOptimize(TicketsTable(rows));
        for (BetsView v : {BetsView::All, BetsView::SingleChance, BetsView::DoubleChance})
            benchmark::DoNotOptimize(BetsTable(rows, v));
        for (PriceLabels l : {PriceLabels::EU, PriceLabels::UK, PriceLabels::US})
            benchmark::DoNotOptimize(PriceRangeTable(rows, l));
    });
}
} // namespace

int main(int argc, char **argv)
{
    WindowBenchApp app(argc, argv);
    // The program's settings (the ticket file the window opens again) go to a scratch folder, never to
    // the user's.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    using Function = void (*)(benchmark::State &);
    const std::pair<const char *, Function> all[] = {{"BM_PlainRead", BM_PlainRead},
                                                     {"BM_OpenWithStatistics", BM_OpenWithStatistics},
                                                     {"BM_WindowOpen", BM_WindowOpen},
                                                     {"BM_AllViews", BM_AllViews}};
    for (const auto &[name, fn] : all)
        benchmark::RegisterBenchmark(name, fn)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
    return runBenchmarks(argc, argv);
}
