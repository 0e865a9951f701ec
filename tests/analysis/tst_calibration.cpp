// Calibration of stored predictions against the market: the three scores on hand-computed matches,
// equal rows when the stored percentages are the market's, and the reliability bins.

#include "analysis/Calibration.h"
#include "data/Database.h"
#include "support/LeagueFixture.h"
#include "support/MatchRows.h"

#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(Match)

namespace
{
Match match(int HP, int DP, int AP, const QString &result, const QString &O1 = QStringLiteral("2.00"),
            const QString &OX = QStringLiteral("4.00"), const QString &O2 = QStringLiteral("4.00"))
{
    Match m;
    m.prediction.homePercent = HP, m.prediction.drawPercent = DP, m.prediction.awayPercent = AP;
    const QStringList score = result.section(QLatin1Char(' '), 0, 0).split(QLatin1Char(':'));
    m.homeScore = score[0].toInt(), m.awayScore = score[1].toInt();
    m.result = result;
    m.homePrice = O1, m.drawPrice = OX, m.awayPrice = O2;
    return m;
}

bool near(double a, double b)
{
    return std::abs(a - b) < 1e-12;
}
} // namespace

class TestCalibration : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void scoresOfOneMatch_data();
    void scoresOfOneMatch();
    void matchesWithoutThreePricesOrPredictionAreLeftOut();
    void storedMarketProbabilitiesScoreAsTheMarket();
    void reliabilityBins();
};

void TestCalibration::scoresOfOneMatch_data()
{
    QTest::addColumn<Match>("m");
    QTest::addColumn<double>("brier");
    QTest::addColumn<double>("rps");
    QTest::addColumn<double>("logloss");
    QTest::addColumn<double>("marketBrier");
    QTest::addColumn<double>("marketRps");
    // Prices 2.00, 4.00, 4.00: the market says 50, 25, 25 %.
    // Home win: (0.5-1)^2 + 0.3^2 + 0.2^2; cumulative (0.5-1, 0.8-1) squared and halved.
    QTest::newRow("home win") << match(50, 30, 20, QStringLiteral("2:1")) << 0.38 << 0.145 << -std::log(0.5)
                              << 0.375 << 0.15625;
    // Decided in overtime: a draw, whatever the score.
    QTest::newRow("overtime draw") << match(50, 30, 20, QStringLiteral("3:2 OT")) << 0.78 << 0.145
                                   << -std::log(0.3) << 0.875 << 0.15625;
    // Ranked: an away win hurts a home call more than a draw call does.
    QTest::newRow("away win") << match(50, 30, 20, QStringLiteral("0:1")) << 0.98 << 0.445 << -std::log(0.2)
                              << 0.875 << 0.40625;
    // A stored 0 % on what happened counts as 0.5 %, the most the store can have rounded to 0.
    QTest::newRow("0 % happened") << match(60, 40, 0, QStringLiteral("0:2")) << 1.52 << 0.68
                                  << -std::log(kLogLossFloor) << 0.875 << 0.40625;
    // The margin is taken out: 1.90, 3.80, 3.80 say 50, 25, 25 % as well.
    QTest::newRow("with margin") << match(50, 30, 20, QStringLiteral("2:1"), QStringLiteral("1.90"),
                                          QStringLiteral("3.80"), QStringLiteral("3.80"))
                                 << 0.38 << 0.145 << -std::log(0.5) << 0.375 << 0.15625;
    // Fractional and American texts convert through the odds rules: 1/1 = 2.00, +300 = 4.00.
    QTest::newRow("other notations") << match(50, 30, 20, QStringLiteral("2:1"), QStringLiteral("1/1"),
                                              QStringLiteral("+300"), QStringLiteral("3/1"))
                                     << 0.38 << 0.145 << -std::log(0.5) << 0.375 << 0.15625;
}

void TestCalibration::scoresOfOneMatch()
{
    QFETCH(Match, m);
    const CalibrationReport r = computeCalibration({m});
    QCOMPARE(r.matches, 1);
    QFETCH(double, brier);
    QFETCH(double, rps);
    QFETCH(double, logloss);
    QFETCH(double, marketBrier);
    QFETCH(double, marketRps);
    QVERIFY2(near(r.model.brier, brier), qPrintable(QString::number(r.model.brier)));
    QVERIFY2(near(r.model.rps, rps), qPrintable(QString::number(r.model.rps)));
    QVERIFY2(near(r.model.logloss, logloss), qPrintable(QString::number(r.model.logloss)));
    QVERIFY2(near(r.market.brier, marketBrier), qPrintable(QString::number(r.market.brier)));
    QVERIFY2(near(r.market.rps, marketRps), qPrintable(QString::number(r.market.rps)));
}

void TestCalibration::matchesWithoutThreePricesOrPredictionAreLeftOut()
{
    const QList<Match> matches{
        match(50, 30, 20, QStringLiteral("2:1"), QStringLiteral("2.00"), QStringLiteral("-"),
              QStringLiteral("4.00")),
        match(50, 30, 20, QStringLiteral("2:1"), QStringLiteral("2.00"), QStringLiteral("4.00"), QString()),
        match(50, 30, 20, QStringLiteral("2:1"), QStringLiteral("2.00"), QStringLiteral("4.00"),
              QStringLiteral("4.0x")),
        match(0, 0, 0, QStringLiteral("2:1")),
        match(50, 30, 20, QStringLiteral("0:1")),
    };
    const CalibrationReport r = computeCalibration(matches);
    QCOMPARE(r.matches, 1);
    QVERIFY(near(r.model.brier, 0.98)); // the last one alone
    int binned = 0;
    for (const ReliabilityBin &bin : r.reliability[0])
        binned += bin.count;
    QCOMPARE(binned, 1);
    QCOMPARE(computeCalibration({}).matches, 0);
    QCOMPARE(computeCalibration({}).model.logloss, 0.0);
}

void TestCalibration::storedMarketProbabilitiesScoreAsTheMarket()
{
    LeagueFixture f;
    Database &db = f.dm().ADOConnection;
    struct Row {
        const char *text;
        int HP, DP, AP;
        const char *O1, *OX, *O2;
    };
    const Row rows[] = {
        {"A-B 2:1", 50, 25, 25, "2.00", "4.00", "4.00"}, {"B-C 1:1", 40, 20, 40, "2.50", "5.00", "2.50"},
        {"C-A 0:3", 50, 25, 25, "1.90", "3.80", "3.80"}, {"A-C 2:2 OT", 40, 20, 40, "2.50", "5.00", "2.50"},
        {"B-A 1:0", 20, 40, 40, "4/1", "+150", "3/2"},   {"C-B 4:0", 25, 25, 50, "4.00", "4.00", "2.00"},
    };
    int day = 1;
    for (const Row &row : rows) {
        MatchRow m = playedRow(QString::fromLatin1(row.text), QDate(2005, 8, day++));
        m.O1 = QString::fromLatin1(row.O1), m.OX = QString::fromLatin1(row.OX),
        m.O2 = QString::fromLatin1(row.O2);
        const qint64 rowid = insertMatch(db, m);
        db.execute(QStringLiteral("UPDATE Results SET HP = ?1, DP = ?2, AP = ?3 WHERE rowid = ?4"),
                   {row.HP, row.DP, row.AP, rowid});
    }
    MatchRow fixture; // not played: left out
    fixture.home = QStringLiteral("A"), fixture.away = QStringLiteral("B"), fixture.date = QDate(2005, 9, 1);
    fixture.O1 = fixture.OX = fixture.O2 = QStringLiteral("3.00");
    db.execute(QStringLiteral("UPDATE Results SET HP = 1 WHERE rowid = ?1"), {insertMatch(db, fixture)});

    const QList<Match> read = readCalibrationMatches(db);
    QCOMPARE(read.size(), 6);
    QCOMPARE(read[3].result, QStringLiteral("2:2 OT"));
    const CalibrationReport r = computeCalibration(read);
    QCOMPARE(r.matches, 6);
    QVERIFY(r.model.brier > 0 && r.model.rps > 0 && r.model.logloss > 0);
    QVERIFY(std::abs(r.model.brier - r.market.brier) < 1e-9);
    QVERIFY(std::abs(r.model.rps - r.market.rps) < 1e-9);
    QVERIFY(std::abs(r.model.logloss - r.market.logloss) < 1e-9);
}

void TestCalibration::reliabilityBins()
{
    // Home percentages 0, 9, 10, 19, 95, 100: bins 0, 0, 1, 1, 9, 9.
    const QList<Match> matches{
        match(0, 50, 50, QStringLiteral("1:0")),  match(9, 45, 46, QStringLiteral("0:0")),
        match(10, 45, 45, QStringLiteral("1:0")), match(19, 41, 40, QStringLiteral("0:1")),
        match(95, 5, 0, QStringLiteral("1:0")),   match(100, 0, 0, QStringLiteral("0:1")),
    };
    const CalibrationReport r = computeCalibration(matches);
    const auto &home = r.reliability[0];
    QCOMPARE(home[0].count, 2);
    QVERIFY(near(home[0].predicted, 0.045));
    QVERIFY(near(home[0].observed, 0.5));
    QCOMPARE(home[1].count, 2);
    QVERIFY(near(home[1].predicted, 0.145));
    QVERIFY(near(home[1].observed, 0.5));
    QCOMPARE(home[9].count, 2);
    QVERIFY(near(home[9].predicted, 0.975));
    QVERIFY(near(home[9].observed, 0.5));
    for (int b = 2; b < 9; ++b)
        QCOMPARE(home[b].count, 0);
    // Draw 5 % and 0 % in bin 0 (neither a draw), 41 to 50 % in bins 4 and 5; one of those was a draw.
    const auto &draw = r.reliability[1];
    QCOMPARE(draw[0].count, 2);
    QCOMPARE(draw[0].observed, 0.0);
    QCOMPARE(draw[4].count + draw[5].count, 4);
    QCOMPARE(draw[4].observed * draw[4].count + draw[5].observed * draw[5].count, 1.0);
}

QTEST_GUILESS_MAIN(TestCalibration)
#include "tst_calibration.moc"
