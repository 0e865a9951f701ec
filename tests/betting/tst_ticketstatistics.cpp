// The betting statistics: month columns, counting and money of tickets and bets, rounding, price ranges
// and the cumulative charts, with the edge cases that decide what the user reads.

#include "betting/TicketBook.h"
#include "betting/TicketSchema.h"
#include "betting/TicketStatistics.h"
#include "data/Errors.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace
{
StatsTicket ticket(int n, const QDate &d, const QString &status, double profit = 0, double stake = 10,
                   double fee = 1)
{
    return StatsTicket{n, d, stake, fee, profit, status};
}

StatsBet betOn(int ticket, const QDate &d, const QString &result,
               const QString &price = QStringLiteral("2.00"), const QString &type = QStringLiteral("1"))
{
    return StatsBet{ticket, d, type, price, result};
}

// The row of a grid by its heading.
QStringList row(const StatsTable &grid, const QString &heading)
{
    for (const QStringList &r : grid)
        if (r.value(0) == heading)
            return r.mid(1);
    return {QStringLiteral("no row ") + heading};
}

const QDate March2004(2004, 3, 10);
} // namespace

class TestTicketStatistics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void monthColumnsFollowTheRows()
    {
        StatsRows rows;
        rows.tickets = {ticket(0, QDate(2004, 3, 1), QStringLiteral("Won"), 5),
                        ticket(1, QDate(2004, 3, 31), QStringLiteral("Undecided")),
                        ticket(2, QDate(2005, 3, 2), QStringLiteral("Lost"), -2)};
        const StatsTable grid = TicketsTable(rows);
        QCOMPARE(grid.size(), 7);
        QCOMPARE(grid[0], (QStringList{QString(), QStringLiteral("3/2004"), QStringLiteral("3/2005"),
                                       QStringLiteral("Total")}));
        QCOMPARE(row(grid, QStringLiteral("Profit")), (QStringList{u"5"_s, u"-2"_s, u"3"_s}));
    }

    void percentagesAndCounts_data()
    {
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<QStringList>("won");  // Won, Won (%)
        QTest::addColumn<QStringList>("lost"); // Lost, Lost (%)
        QTest::addColumn<QString>("total");
        QTest::newRow("two won, one lost")
            << QStringList{u"Won"_s, u"Won"_s, u"Lost"_s} << QStringList{u"2"_s, u"67"_s}
            << QStringList{u"1"_s, u"33"_s} << "3";
        QTest::newRow("one each") << QStringList{u"Won"_s, u"Lost"_s} << QStringList{u"1"_s, u"50"_s}
                                  << QStringList{u"1"_s, u"50"_s} << "2";
        QTest::newRow("only undecided") << QStringList{u"Undecided"_s, u"Undecided"_s}
                                        << QStringList{u"0"_s, u"0"_s} << QStringList{u"0"_s, u"0"_s} << "0";
        QTest::newRow("one won of eight, half to even")
            << QStringList{u"Won"_s,  u"Lost"_s, u"Lost"_s, u"Lost"_s,
                           u"Lost"_s, u"Lost"_s, u"Lost"_s, u"Lost"_s}
            << QStringList{u"1"_s, u"12"_s} << QStringList{u"7"_s, u"88"_s} << "8";
        QTest::newRow("cancelled and small letters count nowhere")
            << QStringList{u"Won"_s, u"Cancelled"_s, u"won"_s, u"LOST"_s} << QStringList{u"1"_s, u"100"_s}
            << QStringList{u"0"_s, u"0"_s} << "1";
    }
    void percentagesAndCounts()
    {
        QFETCH(QStringList, statuses);
        QFETCH(QStringList, won);
        QFETCH(QStringList, lost);
        QFETCH(QString, total);
        StatsRows rows;
        for (int i = 0; i < statuses.size(); ++i)
            rows.tickets.push_back(ticket(i, March2004, statuses[i], 1));
        const StatsTable grid = TicketsTable(rows);
        for (int column = 0; column < 2; ++column) { // the month and "Total" agree with one month
            QCOMPARE(row(grid, QStringLiteral("Tickets Won"))[column], won[0]);
            QCOMPARE(row(grid, QStringLiteral("Tickets Won (%)"))[column], won[1]);
            QCOMPARE(row(grid, QStringLiteral("Tickets Lost"))[column], lost[0]);
            QCOMPARE(row(grid, QStringLiteral("Tickets Lost (%)"))[column], lost[1]);
            QCOMPARE(row(grid, QStringLiteral("Total Tickets"))[column], total);
        }
        // A cancelled ticket adds nothing, not even its fee: only the counted tickets' profit shows.
        const int counted = won[0].toInt() + lost[0].toInt();
        QCOMPARE(row(grid, QStringLiteral("Profit")).last(), QString::number(counted));
    }

    void betMoneyComesFromItsTicket()
    {
        StatsRows rows;
        rows.tickets = {ticket(7, March2004, QStringLiteral("Lost"), -11)};
        rows.bets = {betOn(7, March2004, QStringLiteral("Won")), betOn(7, March2004, QStringLiteral("Lost"))};
        QCOMPARE(row(BetsTable(rows, BetsView::All), QStringLiteral("Profit")),
                 (QStringList{u"-2"_s, u"-2"_s}));
        rows.bets.pop_back();
        QCOMPARE(row(BetsTable(rows, BetsView::All), QStringLiteral("Profit")),
                 (QStringList{u"9"_s, u"9"_s}));
    }

    void betsOutsideTheShownTicketsCountNowhere()
    {
        StatsRows rows;
        rows.tickets = {ticket(1, March2004, QStringLiteral("Won"), 1)};
        rows.bets = {betOn(1, March2004, QStringLiteral("Won")), betOn(2, March2004, QStringLiteral("Won")),
                     betOn(1, March2004, QStringLiteral("Undecided"))};
        const StatsTable grid = BetsTable(rows, BetsView::All);
        QCOMPARE(row(grid, QStringLiteral("Total Bets")), (QStringList{u"1"_s, u"1"_s}));
        QCOMPARE(row(grid, QStringLiteral("Profit")), (QStringList{u"9"_s, u"9"_s}));
    }

    void wonBetsRoundTheColumnsProfit()
    {
        StatsRows rows;
        // Stake 1, fee 0: a won bet at 1.555 brings 0.555, rounded to 0.56 at once; a lost one -1, not
        // rounded (nothing to round); twice won gives 1.12, not 1.11.
        rows.tickets = {ticket(1, March2004, QStringLiteral("Won"), 0, 1, 0)};
        rows.bets = {betOn(1, March2004, QStringLiteral("Won"), QStringLiteral("1.555")),
                     betOn(1, March2004, QStringLiteral("Won"), QStringLiteral("1.555"))};
        QCOMPARE(row(BetsTable(rows, BetsView::All), QStringLiteral("Profit")),
                 (QStringList{u"1.12"_s, u"1.12"_s}));
    }

    void chanceGroupsCountTheirOwnTypes()
    {
        StatsRows rows;
        rows.tickets = {ticket(1, March2004, QStringLiteral("Won"))};
        rows.bets = {
            betOn(1, March2004, QStringLiteral("Won"), QStringLiteral("2.00"), QStringLiteral("1")),
            betOn(1, March2004, QStringLiteral("Lost"), QStringLiteral("2.00"), QStringLiteral("X2")),
            betOn(1, March2004, QStringLiteral("Won"), QStringLiteral("2.00"), QStringLiteral("x2"))};
        const StatsTable single = BetsTable(rows, BetsView::SingleChance);
        QCOMPARE(single.size(), 19);
        QCOMPARE(single[1][0], QStringLiteral("1 - Won"));
        QCOMPARE(single[18][0], QStringLiteral("2 - Profit"));
        QCOMPARE(row(single, QStringLiteral("1 - Won")), (QStringList{u"1"_s, u"1"_s}));
        QCOMPARE(row(single, QStringLiteral("X - Total")), (QStringList{u"0"_s, u"0"_s}));
        const StatsTable dbl = BetsTable(rows, BetsView::DoubleChance);
        QCOMPARE(dbl[18][0], QStringLiteral("12 - Profit"));
        QCOMPARE(row(dbl, QStringLiteral("1X - Total")),
                 (QStringList{u"0"_s, u"0"_s})); // type "1" counts nowhere
        QCOMPARE(row(dbl, QStringLiteral("X2 - Lost")), (QStringList{u"1"_s, u"1"_s}));
        QCOMPARE(row(dbl, QStringLiteral("X2 - Won")), (QStringList{u"0"_s, u"0"_s})); // "x2" is not "X2"
        QCOMPARE(row(dbl, QStringLiteral("X2 - Profit")), (QStringList{u"-11"_s, u"-11"_s}));
    }

    void priceRanges_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<int>("column"); // 1..9; 0 for none
        QTest::newRow("1.25 is in the first") << "1.25" << 1;
        QTest::newRow("1/4 is 1.25") << "1/4" << 1;
        QTest::newRow("-400 is 1.25") << "-400" << 1;
        QTest::newRow("1.26") << "1.26" << 2;
        QTest::newRow("3.00 is in the eighth") << "3.00" << 8;
        QTest::newRow("+200 is 3.00") << "+200" << 8;
        QTest::newRow("3.01") << "3.01" << 9;
        QTest::newRow("1000") << "1000.0" << 9;
        QTest::newRow("1.01 is in none") << "1.01" << 0;
        QTest::newRow("above 1000") << "1001.0" << 0;
        QTest::newRow("no price") << "" << 0;
        QTest::newRow("one character") << "3" << 0;
    }
    void priceRanges()
    {
        QFETCH(QString, price);
        QFETCH(int, column);
        StatsRows rows;
        rows.tickets = {ticket(1, March2004, QStringLiteral("Won"))};
        rows.bets = {betOn(1, March2004, QStringLiteral("Lost"), price)};
        const StatsTable grid = PriceRangeTable(rows, PriceLabels::EU);
        QCOMPARE(grid[0].size(), 11);
        QStringList expected(10, QStringLiteral("0"));
        if (column > 0)
            expected[column - 1] = expected[9] = QStringLiteral("1");
        QCOMPARE(row(grid, QStringLiteral("Bets Lost")), expected);
    }

    void priceRangeLabels()
    {
        const StatsRows none;
        QCOMPARE(PriceRangeTable(none, PriceLabels::EU)[0][9], QStringLiteral("> 3.00 "));
        QCOMPARE(PriceRangeTable(none, PriceLabels::UK)[0][4], QStringLiteral("3/4 - 1/1"));
        QCOMPARE(PriceRangeTable(none, PriceLabels::US)[0][1], QStringLiteral("-10000 - -400"));
        QCOMPARE(PriceRangeTable(none, PriceLabels::US)[0][10], QStringLiteral("Total"));
    }

    void emptyFileGivesHeadingsAndZeros()
    {
        const StatsRows none;
        const StatsTable grid = TicketsTable(none);
        QCOMPARE(grid.size(), 7);
        QCOMPARE(grid[0], (QStringList{QString(), QStringLiteral("Total")}));
        for (int r = 1; r < 7; ++r)
            QCOMPARE(grid[r].mid(1), QStringList{QStringLiteral("0")});
        QCOMPARE(BetsTable(none, BetsView::SingleChance).size(), 19);
        QVERIFY(BuildChart(none, ChartSubject::Tickets, ChartValue::Profit).isEmpty());
        QCOMPARE(TotalProfitText(none), QStringLiteral("0  "));
    }

    void chartsAreCumulativePerDate_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QList<double>>("bars");
        QTest::newRow("Profit") << int(ChartValue::Profit) << QList<double>{7.13, 4.87, 4.87};
        QTest::newRow("Won") << int(ChartValue::Won) << QList<double>{1, 1, 1};
        QTest::newRow("Lost") << int(ChartValue::Lost) << QList<double>{0, 1, 1};
        QTest::newRow("Total") << int(ChartValue::Total) << QList<double>{1, 2, 2};
        QTest::newRow("Percentage Won") << int(ChartValue::PercentageWon) << QList<double>{100, 50, 50};
    }
    void chartsAreCumulativePerDate()
    {
        QFETCH(int, value);
        QFETCH(QList<double>, bars);
        StatsRows rows;
        rows.tickets = {ticket(0, QDate(2004, 3, 1), QStringLiteral("Won"), 7.126),
                        ticket(1, QDate(2004, 3, 2), QStringLiteral("Lost"), -2.253),
                        ticket(2, QDate(2004, 3, 2), QStringLiteral("Lost"), -3.253),
                        ticket(3, QDate(2004, 4, 2), QStringLiteral("Undecided"), -5)};
        rows.tickets[2].status = QStringLiteral("Undecided");
        const QList<ChartBar> chart = BuildChart(rows, ChartSubject::Tickets, ChartValue(value));
        QCOMPARE(chart.size(), 3);
        QCOMPARE(chart[1].date, QDate(2004, 3, 2));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(chart[i].value, bars[i]);
    }

    void chartMoneyRoundsAlikeOnBothSides()
    {
        StatsRows rows;
        rows.tickets = {ticket(0, March2004, QStringLiteral("Lost"), -5.504)};
        QCOMPARE(BuildChart(rows, ChartSubject::Tickets, ChartValue::Profit)[0].value, -5.5);
        rows.tickets[0].profit = -5.505;
        QCOMPARE(BuildChart(rows, ChartSubject::Tickets, ChartValue::Profit)[0].value, -5.51);
    }

    void chartTitlesByChooser()
    {
        QCOMPARE(chartTitles(ChartSubject::Tickets, ChartValue::Profit).chart,
                 QStringLiteral("Profit / Ticket"));
        QCOMPARE(chartTitles(ChartSubject::Bets, ChartValue::Profit).chart, QStringLiteral("Profit"));
        QCOMPARE(chartTitles(ChartSubject::Tickets, ChartValue::Total).chart,
                 QStringLiteral("Total Tickets"));
        QCOMPARE(chartTitles(ChartSubject::Bets, ChartValue::PercentageWon).chart,
                 QStringLiteral("Percentage of Bets Won"));
        QCOMPARE(chartTitles(ChartSubject::Bets, ChartValue::Lost).axis, QStringLiteral("Bets"));
    }

    void unreadablePriceStopsTheBuild()
    {
        StatsRows rows;
        rows.tickets = {ticket(1, March2004, QStringLiteral("Won"))};
        rows.bets = {betOn(1, March2004, QStringLiteral("Won"), QStringLiteral("4/x"))};
        QVERIFY_THROWS_EXCEPTION(ConversionError, BetsTable(rows, BetsView::All));
        QVERIFY_THROWS_EXCEPTION(ConversionError, PriceRangeTable(rows, PriceLabels::EU));
    }

    void totalProfitOfTheTicketsShown()
    {
        StatsRows rows;
        rows.tickets = {ticket(0, March2004, QStringLiteral("Won"), 10.25),
                        ticket(1, March2004, QStringLiteral("Undecided"), 2.25)};
        QCOMPARE(TotalProfitText(rows), QStringLiteral("12.5  "));
    }

    void readsTheRowsOfTheDateRange()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.qvt"));
        TicketSchema::createFile(path);
        TicketBook book;
        book.openFile(path);
        book.ADOTableTs.appendRecord({0, QDate(2004, 12, 31), 10, 1, 2, 20, 9, QStringLiteral("Won")});
        book.ADOTableTs.appendRecord({1, QDate(2004, 1, 1), 10, 1, 2, 20, -11, QStringLiteral("Lost")});
        book.ADOTableTs.appendRecord({2, QDate(2005, 1, 1), 10, 1, 2, 20, -11, QStringLiteral("Lost")});
        // Bets are taken by their own date; the bet of ticket 2 has its ticket outside the range.
        book.ADOTableBets.appendRecord(
            {0, QDate(2004, 12, 31), u"E"_s, u"A"_s, u"B"_s, u"1"_s, u"2.00"_s, u"Won"_s});
        book.ADOTableBets.appendRecord(
            {2, QDate(2004, 6, 1), u"E"_s, u"A"_s, u"B"_s, u"1"_s, u"2.00"_s, u"Won"_s});
        book.ADOTableBets.appendRecord(
            {1, QDate(2005, 6, 1), u"E"_s, u"A"_s, u"B"_s, u"1"_s, u"2.00"_s, u"Won"_s});
        const StatsRows rows =
            ReadStatsRows(book.ADOConnection, DateRange{QDate(2004, 1, 1), QDate(2004, 12, 31)});
        QCOMPARE(rows.tickets.size(), size_t(2));
        QCOMPARE(rows.tickets[0].number, 1); // date order
        QCOMPARE(rows.bets.size(), size_t(2));
        QCOMPARE(row(BetsTable(rows, BetsView::All), QStringLiteral("Total Bets")),
                 (QStringList{u"0"_s, u"1"_s, u"1"_s}));
        QCOMPARE(TotalProfit(rows), -2.0);
    }

    // Money a ticket's fields could not take, stored before they were checked: two payouts of plus and
    // minus infinity made the total "-nan".  Reading names the ticket instead.
    void readingRefusesMoneyItsFieldsCouldNotTake_data()
    {
        QTest::addColumn<QString>("spoil");
        QTest::addColumn<QString>("message");
        QTest::newRow("infinite profits")
            << u"Profit = CASE TN WHEN 0 THEN 1e999 ELSE -1e999 END"_s
            << u"Ticket 0: Profit must be a finite number (inf). Correct it in the ticket dialog."_s;
        QTest::newRow("negative stake")
            << u"Stake = -10 WHERE TN = 1"_s
            << u"Ticket 1: Stake cannot be negative (-10). Correct it in the ticket "
               "dialog."_s;
        QTest::newRow("negative fee") << u"Fee = -1 WHERE TN = 1"_s
                                      << u"Ticket 1: Fee cannot be negative (-1). Correct it in the ticket "
                                         "dialog."_s;
    }
    void readingRefusesMoneyItsFieldsCouldNotTake()
    {
        QFETCH(QString, spoil);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.qvt"));
        TicketSchema::createFile(path);
        TicketBook book;
        book.openFile(path);
        book.ADOTableTs.appendRecord({0, QDate(2004, 3, 1), 10, 1, 2, 20, 9, QStringLiteral("Won")});
        book.ADOTableTs.appendRecord({1, QDate(2004, 3, 2), 10, 1, 2, 20, -11, QStringLiteral("Lost")});
        QCOMPARE(TotalProfit(ReadStatsRows(book.ADOConnection, std::nullopt)), -2.0);
        book.ADOConnection.execute(u"UPDATE Tickets SET "_s + spoil);
        try {
            ReadStatsRows(book.ADOConnection, std::nullopt);
            QFAIL("read");
        } catch (const QuorvaneError &e) {
            QCOMPARE(e.message(), message);
        }
    }
};

QTEST_GUILESS_MAIN(TestTicketStatistics)
#include "tst_ticketstatistics.moc"
