// The ticket commands of the real quorvane-cli binary on ticket files in a temporary folder.

#include "data/Database.h"
#include "support/CliRun.h"
#include "support/PdfChecks.h"
#include "support/StoredRows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace
{
CliRun tickets(const QString &file, const QStringList &args)
{
    return runCli(quorvaneCli(), QStringList{QStringLiteral("tickets"), file} + args);
}

QJsonDocument json(const CliRun &r)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("not JSON: %s", qPrintable(error.errorString()));
    return doc;
}

QStringList texts(const QJsonArray &a)
{
    QStringList out;
    for (const QJsonValue &v : a)
        out << v.toString();
    return out;
}

QStringList s(std::initializer_list<const char *> items)
{
    QStringList out;
    for (const char *i : items)
        out << QString::fromUtf8(i);
    return out;
}
} // namespace

class TestCliTickets : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_file;

    // Ticket 1 of 3/1/2005 (stake 10, fee 1, price 2.5, won) with a won and a lost bet, calculated; ticket
    // 2 of 4/2/2005 lost, calculated.
    void makeTypicalFile()
    {
        QCOMPARE(tickets(m_file, {QStringLiteral("new")}).exitCode, 0);
        const CliRun t0 = tickets(m_file, s({"add-ticket", "--date", "2005-03-01", "--stake", "10", "--fee",
                                             "1", "--price", "2.5", "--status", "Won"}));
        QCOMPARE(t0.exitCode, 0);
        QCOMPARE(t0.out.trimmed(), QByteArray("1")); // tickets are counted from 1
        QCOMPARE(
            tickets(m_file, s({"add-bet", "--ticket", "1", "--date", "2005-03-01", "--event", "Cup", "--home",
                               "Ajax", "--away", "PSV", "--bet", "1", "--price", "2.00", "--result", "Won"}))
                .exitCode,
            0);
        QCOMPARE(tickets(m_file, s({"add-bet", "--ticket", "1", "--date", "2005-03-02", "--event", "Cup",
                                    "--home", "Zwolle", "--bet", "X2", "--price", "5/4", "--result", "Lost"}))
                     .exitCode,
                 0);
        QCOMPARE(tickets(m_file, s({"calc", "--ticket", "1"})).exitCode, 0);
        QCOMPARE(
            tickets(m_file, s({"add-ticket", "--date", "2005-04-02", "--stake", "3", "--status", "Lost"}))
                .out.trimmed(),
            QByteArray("2"));
        QCOMPARE(tickets(m_file, s({"calc", "--ticket", "2"})).exitCode, 0);
    }

private Q_SLOTS:
    void init()
    {
        // A file of its own for every test function and data row.
        static int serial = 0;
        m_file = m_dir.filePath(QStringLiteral("t%1.qvt").arg(++serial));
    }

    void listShowsTicketsWithTheirBets()
    {
        makeTypicalFile();
        const CliRun r = tickets(m_file, s({"list", "--format", "json"}));
        QCOMPARE(r.exitCode, 0);
        const QJsonArray list = json(r).array();
        QCOMPARE(list.size(), 2);
        const QJsonObject t0 = list[0].toObject();
        QCOMPARE(t0.keys().size(), 9);
        QCOMPARE(t0[QStringLiteral("DateP")].toString(), QStringLiteral("2005-03-01"));
        QCOMPARE(t0[QStringLiteral("Payout")].toDouble(), 25.0);
        QCOMPARE(t0[QStringLiteral("Profit")].toDouble(), 14.0);
        const QJsonArray bets = t0[QStringLiteral("bets")].toArray();
        QCOMPARE(bets.size(), 2);
        QCOMPARE(bets[1].toObject()[QStringLiteral("Away")].toString(), QString());
        QCOMPARE(bets[1].toObject()[QStringLiteral("Price")].toString(), QStringLiteral("5/4"));
        QCOMPARE(list[1].toObject()[QStringLiteral("Profit")].toDouble(), -3.0);
        QCOMPARE(list[1].toObject()[QStringLiteral("bets")].toArray().size(), 0);
    }

    void statsPrintsEveryView()
    {
        makeTypicalFile();
        const CliRun r = tickets(m_file, s({"stats", "--format", "json"}));
        QCOMPARE(r.exitCode, 0);
        const QJsonObject stats = json(r).object();
        QCOMPARE(stats[QStringLiteral("total_profit")].toString(), QStringLiteral("11"));
        const QJsonObject tables = stats[QStringLiteral("tables")].toObject();
        QCOMPARE(tables.keys(), s({"bets-all", "bets-double", "bets-single", "price-range-EU",
                                   "price-range-UK", "price-range-US", "tickets"}));
        const QJsonArray ticketsGrid = tables[QStringLiteral("tickets")].toArray();
        QCOMPARE(texts(ticketsGrid[0].toArray()), s({"", "3/2005", "4/2005", "Total"}));
        QCOMPARE(texts(ticketsGrid[6].toArray()), s({"Profit", "14", "-3", "11"}));
        // The won bet at 2.00 brings 10 * 2 - 10 - 1 = 9, the lost one -11.
        QCOMPARE(texts(tables[QStringLiteral("bets-all")].toArray()[6].toArray()), s({"Profit", "-2", "-2"}));
        QCOMPARE(texts(tables[QStringLiteral("price-range-US")].toArray()[0].toArray())[4],
                 QStringLiteral("-133 - 100"));
        const QJsonObject charts = stats[QStringLiteral("charts")].toObject();
        const QJsonArray profit =
            charts[QStringLiteral("tickets")].toObject()[QStringLiteral("Profit")].toArray();
        QCOMPARE(profit.size(), 2);
        QCOMPARE(profit[1].toArray()[0].toString(), QStringLiteral("4/2/2005"));
        QCOMPARE(profit[1].toArray()[1].toDouble(), 11.0);
        QCOMPARE(charts[QStringLiteral("bets")].toObject().keys(),
                 s({"Lost", "Percentage Won", "Profit", "Total", "Won"}));
    }

    void statsKeepToTheDateRange()
    {
        makeTypicalFile();
        const CliRun r =
            tickets(m_file, s({"stats", "--from", "2005-04-01", "--to", "2005-04-02", "--format", "json"}));
        QCOMPARE(r.exitCode, 0);
        const QJsonObject stats = json(r).object();
        QCOMPARE(stats[QStringLiteral("total_profit")].toString(), QStringLiteral("-3"));
        QCOMPARE(texts(stats[QStringLiteral("tables")]
                           .toObject()[QStringLiteral("bets-all")]
                           .toArray()[0]
                           .toArray()),
                 s({"", "Total"}));
    }

    void deleteTakesTheBetsAlong()
    {
        makeTypicalFile();
        QCOMPARE(tickets(m_file, s({"delete", "--ticket", "1"})).exitCode, 0);
        const QJsonArray list = json(tickets(m_file, s({"list", "--format", "json"}))).array();
        QCOMPARE(list.size(), 1);
        Database db;
        db.open(m_file);
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Bets")).toInt(), 0);
    }

    void printWritesTheTicketsOfTheRangeAndTheTables()
    {
        if (!popplerAvailable())
            QSKIP("pdftotext (poppler-utils) is not installed");
        makeTypicalFile();
        const QString ticketsPdf = m_dir.filePath(QStringLiteral("tickets.pdf"));
        QCOMPARE(tickets(m_file, {QStringLiteral("print"), QStringLiteral("--pdf"), ticketsPdf}).exitCode, 0);
        const QString all = pdfPages(ticketsPdf).join(QLatin1Char('\n'));
        for (const char *text : {"Tickets", "Competitor 2", "Ajax", "Zwolle", "Stake: 10", "Profit: -3"})
            QVERIFY2(all.contains(QLatin1String(text)), text);

        const QString aprilPdf = m_dir.filePath(QStringLiteral("april.pdf"));
        const CliRun april =
            tickets(m_file, QStringList{QStringLiteral("print"), QStringLiteral("--pdf"), aprilPdf} +
                                s({"--from", "2005-04-01", "--to", "2005-04-30"}));
        QCOMPARE(april.exitCode, 0);
        const QString aprilText = pdfPages(aprilPdf).join(QLatin1Char('\n'));
        QVERIFY(aprilText.contains(QLatin1String("Stake: 3")));
        QVERIFY(!aprilText.contains(QLatin1String("Ajax")));

        const QString tablePdf = m_dir.filePath(QStringLiteral("table.pdf"));
        QCOMPARE(tickets(m_file, {QStringLiteral("print"), QStringLiteral("--pdf"), tablePdf,
                                  QStringLiteral("--table"), QStringLiteral("bets-all")})
                     .exitCode,
                 0);
        const QString table = pdfPages(tablePdf).join(QLatin1Char('\n'));
        for (const char *text : {"Betting Statistics", "3/2005", "Total Bets"})
            QVERIFY2(table.contains(QLatin1String(text)), text);

        const CliRun unknown = tickets(m_file, {QStringLiteral("print"), QStringLiteral("--pdf"), tablePdf,
                                                QStringLiteral("--table"), QStringLiteral("bets")});
        QCOMPARE(unknown.exitCode, 2);
        QVERIFY(unknown.err.contains(QLatin1String("bets-all")));
    }

    // A file written before the amounts were checked: calc and stats refuse the ticket, named, where
    // the payouts of plus and minus infinity made the total "-nan".
    void moneyStoredBeforeTheChecksIsRefused()
    {
        QCOMPARE(tickets(m_file, {QStringLiteral("new")}).exitCode, 0);
        for (const char *stake : {"10", "20"})
            QCOMPARE(tickets(m_file, s({"add-ticket", "--date", "2005-03-01", "--stake", stake, "--price",
                                        "2", "--status", "Won"}))
                         .exitCode,
                     0);
        {
            Database db;
            db.open(m_file);
            db.execute(QStringLiteral(
                "UPDATE Tickets SET TPrice = 1e308, Stake = CASE TN WHEN 1 THEN 10 ELSE -10 END, "
                "PayOut = CASE TN WHEN 1 THEN 1e999 ELSE -1e999 END, Profit = CASE TN WHEN 1 THEN 1e999 ELSE "
                "-1e999 END"));
        }
        const QByteArray before = fileHash(m_file);
        const CliRun calc = tickets(m_file, s({"calc", "--ticket", "1"}));
        QCOMPARE(calc.exitCode, 1);
        QCOMPARE(calc.err.trimmed(), QStringLiteral("Total Price cannot be more than 10000 (1E308)."));
        const CliRun stats = tickets(m_file, s({"stats"}));
        QCOMPARE(stats.exitCode, 1);
        QCOMPARE(stats.err.trimmed(),
                 QStringLiteral(
                     "Ticket 1: Profit must be a finite number (inf). Correct it in the ticket dialog."));
        QVERIFY(!stats.out.contains("nan"));
        QCOMPARE(fileHash(m_file), before);
    }

    void badInputWritesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("price that does not read")
            << s({"add-bet", "--ticket", "1", "--date", "2005-03-01", "--event", "Cup", "--home", "A",
                  "--bet", "1", "--price", "1.x"})
            << "1.x is an invalid value.";
        QTest::newRow("fraction over 0") << s({"add-bet", "--ticket", "1", "--date", "2005-03-01", "--event",
                                               "Cup", "--home", "A", "--bet", "1", "--price", "4/0"})
                                         << "4/0 is an invalid value.";
        QTest::newRow("unknown ticket") << s({"add-bet", "--ticket", "7", "--date", "2005-03-01", "--event",
                                              "Cup", "--home", "A", "--bet", "1"})
                                        << "The file has no ticket '7'.";
        QTest::newRow("date that does not exist") << s({"add-bet", "--ticket", "1", "--date", "2005-02-29",
                                                        "--event", "Cup", "--home", "A", "--bet", "1"})
                                                  << "2005-02-29 is not a date.";
        QTest::newRow("no competitor") << s({"add-bet", "--ticket", "1", "--date", "2005-03-01", "--event",
                                             "Cup", "--home", "", "--bet", "1"})
                                       << "Competitor 1 not entered / selected";
        QTest::newRow("price too long") << s({"add-bet", "--ticket", "1", "--date", "2005-03-01", "--event",
                                              "Cup", "--home", "A", "--bet", "1", "--price", "1.00001"})
                                        << "Price";
        QTest::newRow("stake") << s({"add-ticket", "--date", "2005-03-01", "--stake", "ten"})
                               << "'ten' is not a valid floating point value";
        // Amounts the ticket dialog's fields refuse, refused here with the field named.
        QTest::newRow("negative stake")
            << s({"add-ticket", "--date", "2005-03-01", "--stake", "-5"}) << "Stake cannot be negative (-5).";
        QTest::newRow("negative fee")
            << s({"add-ticket", "--date", "2005-03-01", "--fee", "-1"}) << "Fee cannot be negative (-1).";
        QTest::newRow("price of 1e308") << s({"add-ticket", "--date", "2005-03-01", "--price", "1e308"})
                                        << "Total Price cannot be more than 10000 (1E308).";
        QTest::newRow("stake of 1e308") << s({"add-ticket", "--date", "2005-03-01", "--stake", "1e308"})
                                        << "Stake cannot be more than 100000000 (1E308).";
        QTest::newRow("bet price above the largest")
            << s({"add-bet", "--ticket", "1", "--date", "2005-03-01", "--event", "Cup", "--home", "A",
                  "--bet", "1", "--price", "20000."})
            << "Price cannot be more than 10000 (20000).";
        QTest::newRow("ticket date") << s({"add-ticket", "--date", "2005-04-31"})
                                     << "2005-04-31 is not a date.";
        QTest::newRow("calc of an unknown ticket")
            << s({"calc", "--ticket", "9"}) << "The file has no ticket '9'.";
        QTest::newRow("delete of an unknown ticket")
            << s({"delete", "--ticket", "x"}) << "The file has no ticket 'x'.";
    }
    void badInputWritesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QCOMPARE(tickets(m_file, {QStringLiteral("new")}).exitCode, 0);
        QCOMPARE(tickets(m_file, s({"add-ticket", "--date", "2005-03-01"})).exitCode, 0);
        const QByteArray before = fileHash(m_file);
        const CliRun r = tickets(m_file, args);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(fileHash(m_file), before);
    }
};

QTEST_GUILESS_MAIN(TestCliTickets)
#include "tst_cli_tickets.moc"
