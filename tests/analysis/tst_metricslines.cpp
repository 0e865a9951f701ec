// The money metrics and the calibration scores as the windows and the command line show them: each
// figure in the locale's number format, and a dash or a note for what is not known.

#include "analysis/MetricsLines.h"

#include <QTest>

class TestMetricsLines : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void metricsInTheLocale_data();
    void metricsInTheLocale();
    void scoresOverNoMatchAreUnknown();
};

namespace
{
BetMetrics sample()
{
    BetMetrics m;
    m.turnover = 1234.5;
    m.profit = -56.789;
    m.yieldPct = -4.6;
    m.maxDrawdown = 80;
    m.maxDrawdownPct = 40;
    m.longestLosingRun = 4;
    m.longestWinningRun = 2;
    m.bets[0] = 7;
    m.bets[2] = 3;
    m.meanPrice[0] = 1.9;
    m.meanPrice[2] = 3.25;
    m.clvMeanPct = 1.5;
    return m; // no share beating the close: unknown
}

QString valueOf(const QList<MetricLine> &lines, const QString &name)
{
    for (const MetricLine &l : lines)
        if (l.name == name)
            return l.value;
    return QStringLiteral("(missing)");
}
} // namespace

void TestMetricsLines::metricsInTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {"C", "Turnover", "1234.50"},
        {"de_DE", "Turnover", "1.234,50"},
        {"de_DE", "Profit", "-56,79"},
        {"C", "Yield", "-4.60 %"},
        {"de_DE", "Maximum drawdown", "80,00 (40,00 %)"},
        {"C", "Longest losing run", "4"},
        {"C", "Bets on 1", "7, mean price 1.90"},
        {"C", "Bets on X", "0, mean price -"}, // no bet on the draw
        {"de_DE", "Bets on 2", "3, mean price 3,25"},
        {"C", "Closing line value", "1.50 %"},
        {"C", "Beat the closing price", "no closing prices"},
    };
    for (const auto &[locale, name, value] : rows)
        QTest::addRow("%s %s", locale, name)
            << QString::fromLatin1(locale) << QString::fromLatin1(name) << QString::fromUtf8(value);
}

void TestMetricsLines::metricsInTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QCOMPARE(valueOf(metricLines(sample(), QLocale(locale)), name), value);
}

void TestMetricsLines::scoresOverNoMatchAreUnknown()
{
    CalibrationReport none;
    const QList<QStringList> empty = calibrationScoreRows(none, QLocale::c());
    QCOMPARE(empty[1], (QStringList{QStringLiteral("Model"), QStringLiteral("-"), QStringLiteral("-"),
                                    QStringLiteral("-")}));
    CalibrationReport one;
    one.matches = 1;
    one.market = {0.5, 0.125, 0.69314718};
    QCOMPARE(calibrationScoreRows(one, QLocale(QStringLiteral("de_DE")))[2],
             (QStringList{QStringLiteral("Market"), QStringLiteral("0,5000"), QStringLiteral("0,1250"),
                          QStringLiteral("0,6931")}));
}

QTEST_MAIN(TestMetricsLines)
#include "tst_metricslines.moc"
