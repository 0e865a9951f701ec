// The charts' whole-number value axis (empty, small, crossing zero, long) and the choice of value labels
// that have room: apart, overlapping, too close, and each one checked against the labels kept rather
// than against its neighbour only.

#include "analysis/ChartLayout.h"

#include <QTest>

class TestChartLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeNumberAxis_data();
    void wholeNumberAxis();
    void labelsClearOfEachOther_data();
    void labelsClearOfEachOther();
};

void TestChartLayout::wholeNumberAxis_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("step");

    QTest::newRow("no values") << 0 << 0 << 0 << 1 << 1;
    QTest::newRow("a few points") << 0 << 3 << 0 << 3 << 1;
    QTest::newRow("ten steps of 1") << 0 << 10 << 0 << 10 << 1;
    QTest::newRow("steps of 2") << 0 << 11 << 0 << 12 << 2;
    QTest::newRow("steps of 5") << 0 << 21 << 0 << 25 << 5;
    QTest::newRow("across zero") << -3 << 7 << -3 << 7 << 1;
    QTest::newRow("across zero, on whole steps") << -7 << 15 << -10 << 15 << 5;
    QTest::newRow("below zero only") << -5 << -1 << -5 << 0 << 1;
    QTest::newRow("ratings") << 0 << 1532 << 0 << 1600 << 200;
}

void TestChartLayout::wholeNumberAxis()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, step);
    const WholeNumberAxis axis = ::wholeNumberAxis(low, high);
    QCOMPARE(axis.min, min);
    QCOMPARE(axis.max, max);
    QCOMPARE(axis.step, step);
    QVERIFY((axis.max - axis.min) / axis.step <= 10);
}

void TestChartLayout::labelsClearOfEachOther_data()
{
    QTest::addColumn<QList<QRectF>>("labels");
    QTest::addColumn<QList<bool>>("shown");

    const auto at = [](qreal x, qreal y) { return QRectF(x, y, 20, 10); };
    QTest::newRow("none") << QList<QRectF>{} << QList<bool>{};
    QTest::newRow("apart") << QList<QRectF>{at(0, 0), at(30, 0), at(60, 0)} << QList<bool>{true, true, true};
    QTest::newRow("overlapping across, apart up and down")
        << QList<QRectF>{at(0, 0), at(10, 20), at(20, 0)} << QList<bool>{true, true, false};
    // The second overlaps the first and goes; the third clears the first, not the second.
    QTest::newRow("overlapping") << QList<QRectF>{at(0, 0), at(15, 0), at(25, 0)}
                                 << QList<bool>{true, false, true};
    QTest::newRow("closer than the gap") << QList<QRectF>{at(0, 0), at(21, 0)} << QList<bool>{true, false};
    QTest::newRow("the gap apart") << QList<QRectF>{at(0, 0), at(22.5, 0)} << QList<bool>{true, true};
}

void TestChartLayout::labelsClearOfEachOther()
{
    QFETCH(QList<QRectF>, labels);
    QFETCH(QList<bool>, shown);
    QCOMPARE(::labelsClearOfEachOther(labels), shown);
}

QTEST_GUILESS_MAIN(TestChartLayout)
#include "tst_chartlayout.moc"
