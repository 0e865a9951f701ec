// The money metrics of settled bets, the staking plans, and what a back-test keeps of them: the metrics
// row in the betting systems file, the balance curve, and the closing line value.

#include "analysis/BackTest.h"
#include "analysis/BetMetrics.h"
#include "analysis/HistoryMetrics.h"
#include "analysis/HistoryRows.h"
#include "analysis/Staking.h"
#include "analysis/SystemMetrics.h"
#include "analysis/SystemsFile.h"
#include "data/ClosingPrices.h"
#include "data/Database.h"
#include "data/LeagueSchema.h"
#include "data/Numbers.h"
#include "data/TDataMod.h"
#include "data/Table.h"
#include "entry/Odds.h"
#include "support/RandomLeague.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

Q_DECLARE_METATYPE(QList<SettledBet>)
Q_DECLARE_METATYPE(StakingPlan)

namespace
{
constexpr MatchOutcome H = MatchOutcome::HomeWin;
constexpr MatchOutcome D = MatchOutcome::Draw;
constexpr MatchOutcome W = MatchOutcome::AwayWin;

// A stake of 10 at a price, settled as the back-test settles it.
SettledBet bet(MatchOutcome backed, bool won, double price, double closing = 0)
{
    const double stake = price > 0 ? 10.0 : 0.0;
    const double profit = price == 0 ? 0.0 : won ? price * 10 - 10 : -10;
    return {backed, won, price, stake, profit, closing};
}

BettingSystem system(StakingPlan plan = {})
{
    BettingSystem s;
    s.options.homeWin = s.options.awayWin = s.options.draw = true;
    s.options.homePct = s.options.drawPct = s.options.awayPct = 10;
    s.options.confidence = 10;
    s.options.lastMatches = 4;
    s.startingBalance = 100;
    s.wager = 10;
    s.staking = plan;
    return s;
}

struct Detail {
    qint64 id;
    QString verdict;
    double probability; // of the verdict's outcome, from the stored percentages
    double price;       // of the verdict's outcome; 0 without one
};

// The tested matches of the last back-test, from the systems file's detail.
QList<Detail> details(Database &sys)
{
    QList<Detail> out;
    Statement st =
        sys.prepare(QStringLiteral("SELECT ID, Verdict, HP, DP, AP, O1, OX, O2 FROM Results ORDER BY rowid"));
    while (st.step()) {
        Detail d{qRound64(st.value(0).toDouble()), st.value(1).toString(), 0, 0};
        const int column = d.verdict == QLatin1String("1") ? 0 : d.verdict == QLatin1String("X") ? 1 : 2;
        d.probability = st.value(2 + column).toDouble() / 100.0;
        d.price = Odds::OddsToDecimal(st.value(5 + column).toString());
        out << d;
    }
    return out;
}
} // namespace

class TestBetMetrics : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void metricsOfHandCountedSeries_data();
    void metricsOfHandCountedSeries();
    void closingLineValue();
    void stakes_data();
    void stakes();
    void planWords_data();
    void planWords();
    void flatTestKeepsItsNumbersAndStoresMetrics();
    void kellyBetsOnlyWhereTheEdgeIsPositive();
    void closingPricesOfTheLeagueGiveTheLineValue();
    void olderSystemsFileGetsTheTableAndDeleteTakesBoth();
    void historyMetricsBetEveryVerdictFlat();

private:
    QString leaguePath(quint32 seed);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestBetMetrics::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestBetMetrics::leaguePath(quint32 seed)
{
    const QString path = m_dir->filePath(QStringLiteral("league%1.qvl").arg(seed));
    RandomLeagueSpec spec;
    spec.seed = seed;
    spec.matches = 250;
    spec.awkward = false;
    writeRandomLeague(path, spec);
    return path;
}

void TestBetMetrics::metricsOfHandCountedSeries_data()
{
    QTest::addColumn<QList<SettledBet>>("bets");
    QTest::addColumn<double>("turnover");
    QTest::addColumn<double>("profit");
    QTest::addColumn<double>("drawdown");
    QTest::addColumn<double>("drawdownPct");
    QTest::addColumn<int>("losing");
    QTest::addColumn<int>("winning");
    QTest::addColumn<QList<int>>("perOutcome");
    QTest::addColumn<QList<double>>("meanPrice");

    // From 100: 90, 80, 70, then 3.00 wins 20: the fall from the start is the deepest.
    QTest::newRow("a run of losses") << QList<SettledBet>{bet(H, false, 2), bet(H, false, 2.5),
                                                          bet(W, false, 3), bet(D, true, 3)}
                                     << 40.0 << -10.0 << 30.0 << 30.0 << 3 << 1 << QList<int>{2, 1, 1}
                                     << QList<double>{2.25, 3, 3};
    // 120, 130 (the peak), 120, 110, 120: the fall is 20 of 130.
    QTest::newRow("a peak then a fall")
        << QList<SettledBet>{bet(H, true, 3), bet(H, true, 2), bet(W, false, 4), bet(W, false, 4),
                             bet(H, true, 2)}
        << 50.0 << 20.0 << 20.0 << 100.0 * 20 / 130 << 2 << 2 << QList<int>{3, 0, 2}
        << QList<double>{7.0 / 3, 0, 4};
    // A bet without a price counts as a bet and in the runs, moves no money and has no price.
    QTest::newRow("missing odds") << QList<SettledBet>{bet(D, false, 0), bet(D, false, 0), bet(H, true, 2)}
                                  << 10.0 << 10.0 << 0.0 << 0.0 << 2 << 1 << QList<int>{1, 2, 0}
                                  << QList<double>{2, 0, 0};
    QTest::newRow("no bets") << QList<SettledBet>{} << 0.0 << 0.0 << 0.0 << 0.0 << 0 << 0
                             << QList<int>{0, 0, 0} << QList<double>{0, 0, 0};
}

void TestBetMetrics::metricsOfHandCountedSeries()
{
    QFETCH(QList<SettledBet>, bets);
    QFETCH(double, turnover);
    QFETCH(double, profit);
    MetricsAccumulator acc(100);
    for (const SettledBet &b : bets)
        acc.add(b);
    const BetMetrics m = acc.result();
    QCOMPARE(m.turnover, turnover);
    QCOMPARE(m.profit, profit);
    QCOMPARE(m.yieldPct, turnover > 0 ? 100 * profit / turnover : 0.0);
    QTEST(m.maxDrawdown, "drawdown");
    QTEST(m.maxDrawdownPct, "drawdownPct");
    QTEST(m.longestLosingRun, "losing");
    QTEST(m.longestWinningRun, "winning");
    QFETCH(QList<int>, perOutcome);
    QFETCH(QList<double>, meanPrice);
    for (int o = 0; o < 3; ++o) {
        QCOMPARE(m.bets[o], perOutcome[o]);
        QCOMPARE(m.meanPrice[o], meanPrice[o]);
    }
    QVERIFY(!m.clvMeanPct && !m.beatClosePct); // no closing prices: no line value, not 0
}

void TestBetMetrics::closingLineValue()
{
    MetricsAccumulator acc(100);
    acc.add(bet(H, true, 2.2, 2.0));  // +10 %, beat
    acc.add(bet(W, false, 1.8, 2.0)); // -10 %
    acc.add(bet(D, false, 3.3, 3.0)); // +10 %, beat
    acc.add(bet(D, false, 2.0, 2.0)); // 0 %, level is not beating it
    acc.add(bet(H, false, 2.0));      // no closing price: left out
    acc.add(bet(H, false, 0, 2.0));   // no price taken: left out
    const BetMetrics m = acc.result();
    QCOMPARE(m.closingBets, 4);
    QVERIFY(m.clvMeanPct && m.beatClosePct);
    QVERIFY(std::abs(*m.clvMeanPct - 2.5) < 1e-9);
    QCOMPARE(*m.beatClosePct, 50.0);
}

void TestBetMetrics::stakes_data()
{
    QTest::addColumn<StakingPlan>("plan");
    QTest::addColumn<double>("balance");
    QTest::addColumn<double>("price");
    QTest::addColumn<double>("probability");
    QTest::addColumn<double>("stake");
    const StakingPlan flat;
    const StakingPlan percent{StakingKind::PercentOfBalance, 5};
    const StakingPlan halfKelly{StakingKind::Kelly, 0.5};
    QTest::newRow("flat, whatever the balance") << flat << -50.0 << 2.0 << 0.1 << 20.0;
    QTest::newRow("5 % of 240") << percent << 240.0 << 2.0 << 0.5 << 12.0;
    QTest::newRow("share of nothing") << percent << 0.0 << 2.0 << 0.5 << 0.0;
    // (0.5 x 3 - 1) / (3 - 1) = 0.25 of the balance, half of it.
    QTest::newRow("half Kelly") << halfKelly << 100.0 << 3.0 << 0.5 << 12.5;
    QTest::newRow("Kelly stake zero") << halfKelly << 100.0 << 3.0 << 1.0 / 3 << 0.0;
    QTest::newRow("Kelly stake negative") << halfKelly << 100.0 << 3.0 << 0.3 << 0.0;
    QTest::newRow("Kelly without a price") << halfKelly << 100.0 << 0.0 << 0.9 << 0.0;
    QTest::newRow("Kelly at evens or less") << halfKelly << 100.0 << 1.0 << 0.9 << 0.0;
    QTest::newRow("Kelly on a lost balance") << halfKelly << -5.0 << 3.0 << 0.9 << 0.0;
}

void TestBetMetrics::stakes()
{
    QFETCH(StakingPlan, plan);
    QFETCH(double, balance);
    QFETCH(double, price);
    QFETCH(double, probability);
    QFETCH(double, stake);
    const double got = plan.stake(20, balance, price, probability);
    QVERIFY2(std::abs(got - stake) < 1e-12, qPrintable(QString::number(got)));
}

void TestBetMetrics::planWords_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("name");
    QTest::newRow("flat") << QStringLiteral("flat") << true << QStringLiteral("Flat");
    QTest::newRow("percent") << QStringLiteral("percent:2.5") << true
                             << QStringLiteral("Percent of balance 2.5 %");
    QTest::newRow("kelly") << QStringLiteral("Kelly:0.25") << true << QStringLiteral("Kelly 0.25");
    QTest::newRow("whole balance") << QStringLiteral("percent:100") << true
                                   << QStringLiteral("Percent of balance 100 %");
    QTest::newRow("over the balance") << QStringLiteral("percent:101") << false << QString();
    QTest::newRow("zero") << QStringLiteral("percent:0") << false << QString();
    QTest::newRow("over full Kelly") << QStringLiteral("kelly:1.5") << false << QString();
    QTest::newRow("decimal comma") << QStringLiteral("kelly:0,5") << true << QStringLiteral("Kelly 0.5");
    QTest::newRow("two decimal marks") << QStringLiteral("kelly:0,5.1") << false << QString();
    QTest::newRow("no number") << QStringLiteral("kelly") << false << QString();
    QTest::newRow("other plan") << QStringLiteral("martingale:2") << false << QString();
}

void TestBetMetrics::planWords()
{
    QFETCH(QString, words);
    QFETCH(bool, valid);
    const std::optional<StakingPlan> plan = StakingPlan::fromWords(words);
    QCOMPARE(plan.has_value(), valid);
    if (plan)
        QTEST(plan->name(), "name");
}

void TestBetMetrics::flatTestKeepsItsNumbersAndStoresMetrics()
{
    TDataMod dm;
    dm.openLeague(leaguePath(3));
    Database sys;
    SystemsFile::open(sys, m_dir->filePath(QStringLiteral("flat.qvs")));
    BackTest test(system(), dm, sys);
    const MethodsRow row = test.run();
    const BetMetrics &m = test.metrics();
    const QList<Detail> rows = details(sys);

    int bets = 0, priced = 0;
    for (const Detail &d : rows) {
        bets += d.verdict != QLatin1String("?");
        priced += d.verdict != QLatin1String("?") && d.price > 0;
    }
    QVERIFY(bets > 50);
    QCOMPARE(m.bets[0] + m.bets[1] + m.bets[2], row.Tot);
    QCOMPARE(row.Tot, bets);
    QCOMPARE(m.turnover, 10.0 * priced);
    QCOMPARE(Numbers::round2(m.profit / 100 * 100), row.Profit); // the start is 100

    // The curve: the start, then one point per tested match; the drawdown is its deepest fall.
    const QList<QPointF> &curve = test.balanceCurve();
    QCOMPARE(curve.size(), rows.size() + 1);
    QCOMPARE(curve.first(), QPointF(0, 100));
    QVERIFY(std::abs(curve.last().y() - (100 + m.profit)) < 1e-9);
    double peak = curve.first().y(), deepest = 0;
    for (const QPointF &p : curve) {
        peak = std::max(peak, p.y());
        deepest = std::max(deepest, peak - p.y());
    }
    QVERIFY(deepest > 0);
    QVERIFY(std::abs(m.maxDrawdown - deepest) < 1e-9);

    // The metrics row is kept beside the Methods row, with the plan.
    const std::optional<SystemMetrics::Stored> stored = SystemMetrics::read(sys, row.ID);
    QVERIFY(stored);
    QCOMPARE(stored->staking, QStringLiteral("Flat"));
    QCOMPARE(stored->metrics.turnover, m.turnover);
    QCOMPARE(stored->metrics.maxDrawdown, m.maxDrawdown);
    QCOMPARE(stored->metrics.longestLosingRun, m.longestLosingRun);
    QCOMPARE(stored->metrics.bets[2], m.bets[2]);
    QVERIFY(!stored->metrics.clvMeanPct); // the league has no closing prices
    // Methods keeps exactly its columns.
    QCOMPARE(sys.tableColumns(QStringLiteral("Methods")).size(), SystemsFile::methodsColumns().size());
}

void TestBetMetrics::kellyBetsOnlyWhereTheEdgeIsPositive()
{
    const QString path = leaguePath(5);
    TDataMod dm;
    dm.openLeague(path);
    Database sys;
    SystemsFile::open(sys, m_dir->filePath(QStringLiteral("kelly.qvs")));
    BackTest test(system({StakingKind::Kelly, 0.5}), dm, sys);
    const MethodsRow row = test.run();

    // A verdict is a bet exactly when its own probability times the price is above 1.
    int edges = 0, verdicts = 0;
    for (const Detail &d : details(sys)) {
        verdicts += d.verdict != QLatin1String("?");
        edges += d.verdict != QLatin1String("?") && d.price > 1 && d.probability * d.price > 1;
    }
    QVERIFY(edges > 0 && edges < verdicts);
    QCOMPARE(row.Tot, edges);
    QCOMPARE(test.metrics().bets[0] + test.metrics().bets[1] + test.metrics().bets[2], edges);
    QCOMPARE(SystemMetrics::read(sys, row.ID)->staking, QStringLiteral("Kelly 0.5"));

    // A share of the balance never stakes it all: the balance stays above 0.
    BackTest percent(system({StakingKind::PercentOfBalance, 20}), dm, sys);
    percent.run();
    for (const QPointF &p : percent.balanceCurve())
        QVERIFY(p.y() > 0);
}

void TestBetMetrics::closingPricesOfTheLeagueGiveTheLineValue()
{
    const QString path = leaguePath(9);
    {
        // Closing prices 10 % below every price taken, for the matches of even ID only.
        Database league;
        league.open(path);
        Transaction tx(league);
        Statement st = league.prepare(QStringLiteral("SELECT ID, O1, OX, O2 FROM Results"));
        while (st.step()) {
            const qint64 id = qRound64(st.value(0).toDouble());
            if (id % 2)
                continue;
            ClosingPriceSet set{};
            for (int o = 0; o < 3; ++o)
                set[o] = Odds::OddsToDecimal(st.value(1 + o).toString()) / 1.1;
            ClosingPrices::store(league, id, set);
        }
        tx.commit();
    }
    TDataMod dm;
    dm.openLeague(path); // the extra table does not stop the file opening as a league
    Database sys;
    SystemsFile::open(sys, m_dir->filePath(QStringLiteral("clv.qvs")));
    BackTest test(system(), dm, sys);
    test.run();
    int expected = 0;
    for (const Detail &d : details(sys))
        expected += d.verdict != QLatin1String("?") && d.price > 0 && d.id % 2 == 0;
    const BetMetrics &m = test.metrics();
    QVERIFY(expected > 10);
    QCOMPARE(m.closingBets, expected);
    QVERIFY(m.clvMeanPct && std::abs(*m.clvMeanPct - 10.0) < 1e-9);
    QCOMPARE(*m.beatClosePct, 100.0);
}

void TestBetMetrics::olderSystemsFileGetsTheTableAndDeleteTakesBoth()
{
    const QString path = m_dir->filePath(QStringLiteral("old.qvs"));
    {
        // A file as written before the metrics existed: the two tables only.
        Database::create(path);
        Database db;
        db.open(path);
        db.execute(LeagueSchema::createTableSql(QStringLiteral("Methods"), SystemsFile::methodsColumns()));
        db.execute(LeagueSchema::createTableSql(QStringLiteral("Results"), SystemsFile::resultsColumns()));
    }
    TDataMod dm;
    dm.openLeague(leaguePath(11));
    Database sys;
    SystemsFile::open(sys, path);
    QVERIFY(sys.tableNames().contains(QStringLiteral("MethodMetrics")));
    const int first = BackTest(system(), dm, sys).run().ID;
    const int second = BackTest(system({StakingKind::PercentOfBalance, 5}), dm, sys).run().ID;
    QCOMPARE(sys.scalar(QStringLiteral("SELECT count(*) FROM MethodMetrics")).toInt(), 2);

    Table methods(&sys, QStringLiteral("Methods"));
    methods.open();
    QVERIFY(methods.locate(QStringLiteral("ID"), {first}));
    SystemMetrics::deleteSystem(methods);
    QCOMPARE(methods.recordCount(), 1);
    QVERIFY(!SystemMetrics::read(sys, first));
    QCOMPARE(SystemMetrics::read(sys, second)->staking, QStringLiteral("Percent of balance 5 %"));
    QCOMPARE(sys.scalar(QStringLiteral("SELECT count(*) FROM Methods")).toInt(), 1);
}

void TestBetMetrics::historyMetricsBetEveryVerdictFlat()
{
    // Stored predictions of two matches: a home win at 2.50 that happened with a closing price of 2.00,
    // an away tip on a match decided in overtime (a draw) at 3.00; a "?" is no bet.
    Match won;
    won.id = 4, won.prediction.verdict = QStringLiteral("1"), won.homeScore = 2, won.awayScore = 0;
    won.result = QStringLiteral("2:0");
    won.homePrice = QStringLiteral("2.50"), won.drawPrice = QStringLiteral("-"),
    won.awayPrice = QStringLiteral("-");
    Match overtime = won;
    overtime.id = 5, overtime.prediction.verdict = QStringLiteral("2"), overtime.homeScore = 1;
    overtime.awayScore = 2, overtime.result = QStringLiteral("1:2 OT"),
    overtime.awayPrice = QStringLiteral("3.00");
    Match none = won;
    none.prediction.verdict = QStringLiteral("?");
    const QHash<qint64, ClosingPriceSet> closing{{4, {2.0, 0, 0}}};
    const BetMetrics m = historyMetrics({won, overtime, none}, 100, 20, closing);
    QCOMPARE(m.turnover, 40.0);
    QCOMPARE(m.profit, 10.0); // +30, -20
    QCOMPARE(m.maxDrawdown, 20.0);
    QCOMPARE(m.bets[0], 1);
    QCOMPARE(m.bets[2], 1);
    QCOMPARE(m.closingBets, 1);
    QCOMPARE(*m.clvMeanPct, 25.0);
}

QTEST_GUILESS_MAIN(TestBetMetrics)
#include "tst_betmetrics.moc"
