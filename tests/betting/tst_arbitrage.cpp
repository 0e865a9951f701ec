#include "betting/Arbitrage.h"
#include "support/RecordingMessenger.h"

#include <QTest>

namespace
{

const QLocale kDot(QLocale::English, QLocale::UnitedStates);
const QLocale kComma(QLocale::German, QLocale::Germany);

const std::array<QString, 3> kBookmakers{QStringLiteral("Alpha"), QStringLiteral("Beta"),
                                         QStringLiteral("Gamma")};

ArbitrageInput match(const QStringList &odds, double multiplier = 100)
{
    ArbitrageInput in;
    in.homeTeam = QStringLiteral("Lions");
    in.awayTeam = QStringLiteral("Tigers");
    in.odds = {odds.at(0), odds.at(1), odds.at(2)};
    in.bookmakers = kBookmakers;
    in.multiplier = multiplier;
    return in;
}

// The grid rows every refresh writes before computing.
QList<QStringList> headRows(const ArbitrageInput &in)
{
    return {{QString(), in.homeTeam, QStringLiteral("Draw"), in.awayTeam},
            {QStringLiteral("Bookmaker"), in.bookmakers[0], in.bookmakers[1], in.bookmakers[2]},
            {QStringLiteral("Odds"), in.odds[0], in.odds[1], in.odds[2]}};
}

QStringList emptyRow(const QString &heading)
{
    return {heading, QString(), QString(), QString()};
}

} // namespace

class TestArbitrage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void computed_data();
    void computed();
    void nothingComputed_data();
    void nothingComputed();
    void conversionFails_data();
    void conversionFails();
    void multiplierScalesEverything_data();
    void multiplierScalesEverything();
    void multiplierText_data();
    void multiplierText();
    void returnColour_data();
    void returnColour();
    void columnWidths_data();
    void columnWidths();
};

void TestArbitrage::computed_data()
{
    QTest::addColumn<QStringList>("odds");
    QTest::addColumn<double>("multiplier");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("stakes");
    QTest::addColumn<QStringList>("winnings");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("profit");
    QTest::addColumn<bool>("green");

    const auto row = [](const char *a, const char *b, const char *c) {
        return QStringList{QString::fromLatin1(a), QString::fromLatin1(b), QString::fromLatin1(c)};
    };

    QTest::newRow("sure profit") << row("2.20", "3.80", "4.50") << 100.0 << kDot
                                 << row("42.72", "24.73", "20.89") << row("93.99", "93.99", "93.99")
                                 << QStringLiteral("88.35 ") << QStringLiteral("5.65 ") << true;
    // -7.994 rounds away from zero, like a positive value would.
    QTest::newRow("loss") << row("2.10", "3.20", "3.50") << 100.0 << kDot << row("51.16", "33.58", "30.7")
                          << row("107.44", "107.44", "107.44") << QStringLiteral("115.43 ")
                          << QStringLiteral("-7.99 ") << false;
    QTest::newRow("no draw") << row("1.80", "-", "2.10") << 100.0 << kDot << row("57.32", "0", "49.13")
                             << row("103.17", "0", "103.17") << QStringLiteral("106.45 ")
                             << QStringLiteral("-3.28 ") << false;
    QTest::newRow("empty draw") << row("1.80", "", "2.10") << 100.0 << kDot << row("57.32", "0", "49.13")
                                << row("103.17", "0", "103.17") << QStringLiteral("106.45 ")
                                << QStringLiteral("-3.28 ") << false;
    QTest::newRow("notations mixed") << row("4/5", "+200", "3.10") << 100.0 << kDot
                                     << row("67.3", "40.38", "39.08") << row("121.15", "121.15", "121.15")
                                     << QStringLiteral("146.77 ") << QStringLiteral("-25.62 ") << false;
    QTest::newRow("american, whole amounts")
        << row("+150", "+300", "+400") << 100.0 << kDot << row("34", "21.25", "17") << row("85", "85", "85")
        << QStringLiteral("72.25 ") << QStringLiteral("12.75 ") << true;
    QTest::newRow("fractional and negative american")
        << row("2/1", "-", "-150") << 100.0 << kDot << row("31.11", "0", "56") << row("93.33", "0", "93.33")
        << QStringLiteral("87.11 ") << QStringLiteral("6.22 ") << true;
    QTest::newRow("comma locale") << row("2,20", "3,80", "4,50") << 100.0 << kComma
                                  << row("42,72", "24,73", "20,89") << row("93,99", "93,99", "93,99")
                                  << QStringLiteral("88,35 ") << QStringLiteral("5,65 ") << true;
    QTest::newRow("break-even is not a profit")
        << row("2.00", "-", "2.00") << 100.0 << kDot << row("50", "0", "50") << row("100", "0", "100")
        << QStringLiteral("100 ") << QStringLiteral("0 ") << false;
    QTest::newRow("multiplier 200") << row("2.20", "3.80", "4.50") << 200.0 << kDot
                                    << row("85.45", "49.47", "41.77") << row("187.99", "187.99", "187.99")
                                    << QStringLiteral("176.69 ") << QStringLiteral("11.29 ") << true;
    QTest::newRow("multiplier 0") << row("2.20", "3.80", "4.50") << 0.0 << kDot << row("0", "0", "0")
                                  << row("0", "0", "0") << QStringLiteral("0 ") << QStringLiteral("0 ")
                                  << false;
}

void TestArbitrage::computed()
{
    QFETCH(QStringList, odds);
    QFETCH(double, multiplier);
    QFETCH(QLocale, locale);
    QFETCH(QStringList, stakes);
    QFETCH(QStringList, winnings);
    QFETCH(QString, total);
    QFETCH(QString, profit);
    QFETCH(bool, green);

    const ArbitrageInput in = match(odds, multiplier);
    RecordingMessenger messenger;
    const std::optional<ArbitrageResult> result = computeArbitrage(in, messenger, locale);

    QVERIFY(result);
    QVERIFY(messenger.messages().isEmpty());
    const QList<QStringList> grid = headRows(in) << (QStringList{QStringLiteral("Stake")} + stakes)
                                                 << (QStringList{QStringLiteral("Winnings")} + winnings);
    QCOMPARE(result->grid, grid);
    QCOMPARE(result->total, total);
    QCOMPARE(result->profit, profit);
    QVERIFY(result->profitColour);
    QVERIFY(*result->profitColour == (green ? Rgb{128, 255, 128} : Rgb{255, 128, 128}));
    QVERIFY(result->split);
}

void TestArbitrage::nothingComputed_data()
{
    QTest::addColumn<QStringList>("odds");

    QTest::newRow("fixture without odds")
        << QStringList{QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-")};
    QTest::newRow("one-character home")
        << QStringList{QStringLiteral("2"), QStringLiteral("3.80"), QStringLiteral("4.50")};
    QTest::newRow("empty away") << QStringList{QStringLiteral("2.20"), QStringLiteral("3.80"), QString()};
}

void TestArbitrage::nothingComputed()
{
    QFETCH(QStringList, odds);

    const ArbitrageInput in = match(odds);
    RecordingMessenger messenger;
    const std::optional<ArbitrageResult> result = computeArbitrage(in, messenger, kDot);

    QVERIFY(result);
    QVERIFY(messenger.messages().isEmpty());
    const QList<QStringList> grid = headRows(in) << emptyRow(QStringLiteral("Stake"))
                                                 << emptyRow(QStringLiteral("Winnings"));
    QCOMPARE(result->grid, grid);
    QCOMPARE(result->total, QStringLiteral("0 "));
    QCOMPARE(result->profit, QStringLiteral("0 "));
    QVERIFY(!result->profitColour);
    QVERIFY(!result->split);
    // What the window shows when a conversion fails is this same blank state.
    QCOMPARE(blankArbitrage(in).grid, grid);
    QCOMPARE(blankArbitrage(in).total, QStringLiteral("0 "));
    QCOMPARE(blankArbitrage(in).profit, QStringLiteral("0 "));
    QVERIFY(!blankArbitrage(in).profitColour);
}

void TestArbitrage::conversionFails_data()
{
    QTest::addColumn<QStringList>("odds");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("warning");

    QTest::newRow("decimal typo") << QStringList{QStringLiteral("1.5x"), QStringLiteral("3.80"),
                                                 QStringLiteral("4.50")}
                                  << kDot
                                  << QStringLiteral("1.5x is an invalid value\rExample: 1.50 or 3,00");
    QTest::newRow("zero price") << QStringList{QStringLiteral("2.20"), QStringLiteral("3.80"),
                                               QStringLiteral("0.00")}
                                << kDot << QStringLiteral("0.00 is an invalid value\rExample: 1.50 or 3,00");
    QTest::newRow("zero denominator in the draw")
        << QStringList{QStringLiteral("2.20"), QStringLiteral("4/0"), QStringLiteral("4.50")} << kDot
        << QStringLiteral("4/0 is an invalid value\rExample: 4/5 or 2/1");
    QTest::newRow("not american") << QStringList{QStringLiteral("2.20"), QStringLiteral("3.80"),
                                                 QStringLiteral("ab")}
                                  << kDot << QStringLiteral("ab is an invalid value\rExample: +200 or -150");
    QTest::newRow("both decimal marks")
        << QStringList{QStringLiteral("1.5,0"), QStringLiteral("3,80"), QStringLiteral("4,50")} << kComma
        << QStringLiteral("1.5,0 is an invalid value\rExample: 1.50 or 3,00");
    // The refresh stops at the first failure: the away text is read before the draw.
    QTest::newRow("first failure only")
        << QStringList{QStringLiteral("2.20"), QStringLiteral("x1"), QStringLiteral("y2")} << kDot
        << QStringLiteral("y2 is an invalid value\rExample: +200 or -150");
}

void TestArbitrage::conversionFails()
{
    QFETCH(QStringList, odds);
    QFETCH(QLocale, locale);
    QFETCH(QString, warning);

    RecordingMessenger messenger;
    QVERIFY(!computeArbitrage(match(odds), messenger, locale));
    QCOMPARE(messenger.messages().size(), 1);
    QCOMPARE(messenger.messages().first().kind, RecordingMessenger::Kind::Warning);
    QCOMPARE(messenger.messages().first().text, warning);
}

void TestArbitrage::multiplierScalesEverything_data()
{
    QTest::addColumn<QStringList>("odds");

    QTest::newRow("three-way") << QStringList{QStringLiteral("2.10"), QStringLiteral("3.20"),
                                              QStringLiteral("3.50")};
    QTest::newRow("two-way") << QStringList{QStringLiteral("1.80"), QStringLiteral("-"),
                                            QStringLiteral("2.10")};
}

// The unrounded values double: a rounding done too early would show here.
void TestArbitrage::multiplierScalesEverything()
{
    QFETCH(QStringList, odds);

    RecordingMessenger messenger;
    const auto once = computeArbitrage(match(odds, 100), messenger, kDot);
    const auto twice = computeArbitrage(match(odds, 200), messenger, kDot);
    QVERIFY(once && once->split && twice && twice->split);
    const ArbitrageSplit &a = *once->split;
    const ArbitrageSplit &b = *twice->split;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(b.stakes[i], 2 * a.stakes[i]);
        QCOMPARE(b.winnings[i], 2 * a.winnings[i]);
    }
    QCOMPARE(b.total, 2 * a.total);
    QCOMPARE(b.profit, 2 * a.profit);
    // Every outcome that is bet on pays multiplier * sum of inverses; the total is multiplier * sum^2.
    QCOMPARE(a.winnings[0], 100 * a.inverseSum);
    QCOMPARE(a.winnings[2], 100 * a.inverseSum);
    QCOMPARE(a.total, 100 * a.inverseSum * a.inverseSum);
}

void TestArbitrage::multiplierText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("multiplier");

    QTest::newRow("empty reads as the minimum") << QString() << 1.0;
    QTest::newRow("zero before clamping") << QStringLiteral("0") << 0.0;
    QTest::newRow("whole number") << QStringLiteral("250") << 250.0;
    QTest::newRow("largest") << QStringLiteral("99999") << 99999.0;
}

void TestArbitrage::multiplierText()
{
    QFETCH(QString, text);
    QFETCH(double, multiplier);
    QCOMPARE(stakeMultiplierOfText(text), multiplier);
}

void TestArbitrage::returnColour_data()
{
    QTest::addColumn<double>("retrn");
    QTest::addColumn<bool>("green");

    QTest::newRow("positive") << 6.01 << true;
    QTest::newRow("smallest positive") << 0.01 << true;
    QTest::newRow("zero, also a match without a return") << 0.0 << false;
    QTest::newRow("margin") << -7.43 << false;
}

void TestArbitrage::returnColour()
{
    QFETCH(double, retrn);
    QFETCH(bool, green);
    QVERIFY(::returnColour(retrn) == (green ? Rgb{128, 255, 128} : Rgb{255, 128, 128}));
}

void TestArbitrage::columnWidths_data()
{
    QTest::addColumn<int>("gridWidth");
    QTest::addColumn<int>("share");

    QTest::newRow("exact") << 510 << 134;
    QTest::newRow("remainder dropped") << 512 << 134;
}

void TestArbitrage::columnWidths()
{
    QFETCH(int, gridWidth);
    QFETCH(int, share);
    const std::array<int, 4> expected{100, share, share, share};
    QVERIFY(stakeGridColumnWidths(gridWidth) == expected);
}

QTEST_GUILESS_MAIN(TestArbitrage)
#include "tst_arbitrage.moc"
