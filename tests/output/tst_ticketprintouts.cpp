// The ticket manager's printouts: the "Tickets" layout (columns, lines, summary boxes, page breaks), the
// tickets it takes from the ticket grid (its filter and order), and both printouts as real PDFs.

#include "betting/Bets.h"
#include "betting/TicketBook.h"
#include "betting/TicketFiles.h"
#include "betting/Tickets.h"
#include "output/TicketPrintouts.h"
#include "output/report/ReportPainter.h"
#include "support/PdfChecks.h"
#include "support/RecordingMessenger.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
// Where each text of a page starts, by text.
QMap<QString, QPoint> textPlaces(const DrawnPage &page)
{
    QMap<QString, QPoint> out;
    for (const DrawnText &t : page.texts)
        out.insert(t.text, t.box.topLeft());
    return out;
}

PrintedTicket ticket(const QString &stake, int bets)
{
    PrintedTicket t;
    t.money = {stake, QStringLiteral("1"), QStringLiteral("2.5"), QStringLiteral("25"), QStringLiteral("14")};
    for (int b = 0; b < bets; ++b)
        t.bets << QStringList{
            QStringLiteral("3/14/2005"), QStringLiteral("Cup"), QStringLiteral("Home %1").arg(b),
            QStringLiteral("Away"),      QStringLiteral("1"),   QStringLiteral("2.5"),
            QStringLiteral("Won")};
    return t;
}

void addTicket(TicketBook &book, const QDate &date, double stake, const QString &home)
{
    NewTicket(book, date);
    book.ADOTableTs.edit();
    book.ADOTableTs.field(QStringLiteral("Stake")).setFloat(stake);
    book.ADOTableTs.post();
    BetInput in;
    in.event = QStringLiteral("Cup");
    in.home = home;
    in.price = QStringLiteral("2.5");
    in.month = date.month();
    in.day = date.day();
    in.year = date.year();
    RecordingMessenger m;
    QVERIFY(StoreBet(book, in, m));
}
} // namespace

class TestTicketPrintouts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void columnsFollowThePageWidth()
    {
        const QList<DrawnPage> pages =
            layoutTicketsPrintout({ticket(QStringLiteral("10"), 1)}, QSize(4900, 6400));
        QCOMPARE(pages.size(), 1);
        const QMap<QString, QPoint> at = textPlaces(pages[0]);
        QCOMPARE(at.value(QStringLiteral("Tickets")), QPoint(100, 225));
        // W = 4800: edges 50, 480, 1440, 2640, 3840, 4080, 4320, 4850; texts 50 right of each edge.
        const QList<std::pair<const char *, QPoint>> expected = {
            {"Date", {100, 370}},          {"Event", {530, 370}},      {"Competitor 1", {1490, 370}},
            {"Competitor 2", {2690, 370}}, {"Bet", {3890, 370}},       {"Price", {4130, 370}},
            {"Result", {4370, 370}},       {"Home 0", {1490, 570}},    {"Won", {4370, 570}},
            {"Stake: 10", {100, 670}},     {"Fee: 1", {900, 670}},     {"Total Price: 2.5", {1700, 670}},
            {"Payout: 25", {2500, 670}},   {"Profit: 14", {3300, 670}}};
        for (const auto &[text, place] : expected)
            QCOMPARE(at.value(QString::fromUtf8(text), QPoint(-1, -1)), place);
        QVERIFY(pages[0].frames.contains(QRect(4320, 550, 530, 100))); // the last bet column
        QVERIFY(pages[0].frames.contains(QRect(50, 650, 4800, 100)));  // the summary box across the page
    }

    void linesThatRunPastThePaperBreakThePage_data()
    {
        QTest::addColumn<QList<int>>("betsPerTicket");
        QTest::addColumn<int>("height");
        QTest::addColumn<QList<int>>("summaryTops"); // page * 10000 + top of each summary box
        // Room for three lines a page (550, 650, 750).
        QTest::newRow("ticket fills the page") << QList<int>{2} << 850 << QList<int>{750};
        QTest::newRow("empty line pushes the next ticket over")
            << QList<int>{2, 1} << 850 << QList<int>{750, 10650};
        QTest::newRow("summary alone on the next page") << QList<int>{3} << 850 << QList<int>{10550};
        QTest::newRow("ticket without bets") << QList<int>{0, 0} << 850 << QList<int>{550, 750};
        QTest::newRow("long ticket over three pages") << QList<int>{7} << 850 << QList<int>{20650};
    }

    void linesThatRunPastThePaperBreakThePage()
    {
        QFETCH(QList<int>, betsPerTicket);
        QFETCH(int, height);
        QFETCH(QList<int>, summaryTops);
        QList<PrintedTicket> tickets;
        for (int bets : betsPerTicket)
            tickets << ticket(QStringLiteral("10"), bets);
        const QList<DrawnPage> pages = layoutTicketsPrintout(tickets, QSize(4900, height));
        QList<int> tops;
        for (int p = 0; p < pages.size(); ++p) {
            QCOMPARE(textPlaces(pages[p]).value(QStringLiteral("Tickets")),
                     QPoint(100, 225)); // heading on every page
            for (const DrawnText &t : pages[p].texts) {
                if (t.text.startsWith(QLatin1String("Stake: ")))
                    tops << p * 10000 + t.box.top() - 20;
                QVERIFY2(t.box.top() < height, qPrintable(t.text));
            }
        }
        QCOMPARE(tops, summaryTops);
    }

    void printsTheTicketsTheGridShowsInItsOrder()
    {
        if (!popplerAvailable())
            QSKIP("pdftotext (poppler-utils) is not installed");
        // Letter, the paper of this locale.
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const auto restoreLocale = qScopeGuard([&before] { QLocale::setDefault(before); });
        QTemporaryDir dir;
        TicketBook book;
        RecordingMessenger m;
        QCOMPARE(NewTicketList(book, dir.filePath(QStringLiteral("t.qvt")), m), FileCommandResult::Done);
        addTicket(book, QDate(2005, 3, 14), 10, QStringLiteral("Arsenal"));
        addTicket(book, QDate(2005, 4, 2), 20, QStringLiteral("Everton"));
        addTicket(book, QDate(2006, 5, 1), 30, QStringLiteral("Outside"));
        const TicketDateFilter filter{1, 1, 2005, 12, 31, 2005};
        ApplyTicketDateFilter(book, &filter);
        book.ADOTableTs.setSort(QStringLiteral("TN DESC"));

        const QString pdf = dir.filePath(QStringLiteral("tickets.pdf"));
        writeJobsPdf({ticketsPrintout(readPrintedTickets(book))}, pdf);
        const QString text = pdfPages(pdf).join(QLatin1Char('\n'));
        QVERIFY2(text.contains(QLatin1String("Competitor 1")), qPrintable(text));
        QVERIFY(!text.contains(QLatin1String("Outside")));
        QVERIFY(!text.contains(QLatin1String("Stake: 30")));
        const qsizetype everton = text.indexOf(QLatin1String("Everton"));
        const qsizetype arsenal = text.indexOf(QLatin1String("Arsenal"));
        QVERIFY(everton >= 0 && arsenal > everton);
        QVERIFY(text.indexOf(QLatin1String("Stake: 20")) > everton);
        QVERIFY(text.indexOf(QLatin1String("Stake: 10")) > arsenal);
        QCOMPARE(pdfPageSizes(pdf).value(0), QSizeF(612, 792)); // Letter, portrait
    }

    void tablePrintsEveryCellOnOneLandscapePage()
    {
        if (!popplerAvailable())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const QList<QStringList> cells = {
            {QString(), QStringLiteral("3/2004"), QStringLiteral("Total")},
            {QStringLiteral("Profit"), QStringLiteral("9"), QStringLiteral("9")},
            {QStringLiteral("Won"), QStringLiteral("1"), QStringLiteral("1")}};
        const QString pdf = dir.filePath(QStringLiteral("table.pdf"));
        writeJobsPdf({statisticsTablePrintout(cells, 20)}, pdf);
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        for (const char *t : {"Betting Statistics", "3/2004", "Total", "Profit", "Won"})
            QVERIFY2(pages[0].contains(QLatin1String(t)), t);
        const QSizeF size = pdfPageSizes(pdf).value(0);
        QVERIFY(size.width() > size.height());
    }
};

QTEST_MAIN(TestTicketPrintouts)
#include "tst_ticketprintouts.moc"
