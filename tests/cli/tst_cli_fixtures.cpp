// Runs the real quorvane-cli binary's fixture importer on a league file in a temporary folder.

#include "data/Database.h"
#include "support/CliRun.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QFile>
#include <QTest>

namespace
{
CliRun cli(const QStringList &args)
{
    return runCli(quorvaneCli(), args);
}

QString writeText(const QString &path, const QByteArray &text)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}
} // namespace

class TestCliFixtures : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void importsAndListsSkippedLines();
    void theSameTextAgainAddsNothing();
    void aStoppingLineChangesNothing_data();
    void aStoppingLineChangesNothing();
    void wrongUsage_data();
    void wrongUsage();
};

void TestCliFixtures::importsAndListsSkippedLines()
{
    LeagueFixture league(QStringLiteral("Australian Football"),
                         {QStringLiteral("Carlton"), QStringLiteral("Geelong"), QStringLiteral("Essendon")});
    league.dm().closeLeague(); // the program alone writes it
    QTemporaryDir dir;
    // Windows line ends, as text saved from a browser often has them.
    const QString text = writeText(dir.filePath(QStringLiteral("page.txt")),
                                   "Rnd 3\r\nSaturday 25 Mar\r\nCarlton vs Geelong\r\n"
                                   "Essendon (88) def. Carlton (70)\r\nGeelong vs Sydney\r\n");
    const CliRun r = cli({QStringLiteral("import-fixtures"), league.path(), QStringLiteral("--layout"),
                          QStringLiteral("afl"), QStringLiteral("--year"), QStringLiteral("2006"), text});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromUtf8(r.out),
             QStringLiteral("1 fixtures added, 1 results entered (0 of them into stored fixtures), "
                            "0 already in the league, 1 lines skipped.\n"
                            "Line 5 (\"Geelong vs Sydney\"): it does not name two teams of the league\n"));
    Database db;
    db.open(league.path());
    QCOMPARE(storedRowList(db, QStringLiteral("Results")).size(), 2);
    Statement st = db.prepare(QStringLiteral("SELECT HW, HPts FROM Teams WHERE Team = 'Essendon'"));
    QVERIFY(st.step());
    QCOMPARE(st.value(0).toInt(), 1);
}

void TestCliFixtures::theSameTextAgainAddsNothing()
{
    LeagueFixture league(QStringLiteral("Football (Soccer)"),
                         {QStringLiteral("Arsenal"), QStringLiteral("Chelsea"), QStringLiteral("Everton")});
    league.dm().closeLeague();
    QTemporaryDir dir;
    const QString text = writeText(dir.filePath(QStringLiteral("page.txt")),
                                   "Round 1\n12.08.2023\nArsenal-Chelsea\nChelsea-Everton 2:0\n");
    const QStringList args = {QStringLiteral("import-fixtures"), league.path(), QStringLiteral("--layout"),
                              QStringLiteral("soccer-b"), text};
    CliRun r = cli(args);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromUtf8(r.out),
             QStringLiteral(
                 "1 fixtures added, 0 results entered (0 of them into stored fixtures), "
                 "0 already in the league, 1 lines skipped.\n"
                 "Line 4 (\"Chelsea-Everton 2:0\"): it gives a score: a played match, not a fixture\n"));
    r = cli(args);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.startsWith("0 fixtures added, 0 results entered (0 of them into stored fixtures), "
                              "1 already in the league, 1 lines skipped."),
             r.out.constData());
    Database db;
    db.open(league.path());
    QCOMPARE(storedRowList(db, QStringLiteral("Results")).size(), 1);
    QCOMPARE(db.scalar(QStringLiteral("SELECT UOP FROM Results")).toString(), QStringLiteral("2.5"));
}

void TestCliFixtures::aStoppingLineChangesNothing_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("day that is no number")
        << QStringLiteral("mlb") << QByteArray("Apr 10\nBoston 3 at Toronto 5\nApr xx\n")
        << QStringLiteral("Line 3 (\"Apr xx\")");
    QTest::newRow("year of five digits")
        << QStringLiteral("soccer-b")
        << QByteArray("12.08.2023\nBoston-Toronto\n12.08.20055\nToronto-Boston\n")
        << QStringLiteral("Line 3 (\"12.08.20055\"): the year 20055 lies outside 1850 to 2100.");
}

void TestCliFixtures::aStoppingLineChangesNothing()
{
    QFETCH(QString, layout);
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    LeagueFixture league(QStringLiteral("Baseball"), {QStringLiteral("Boston"), QStringLiteral("Toronto")});
    league.dm().closeLeague();
    const QByteArray before = fileHash(league.path());
    QTemporaryDir dir;
    const QString page = writeText(dir.filePath(QStringLiteral("page.txt")), text);
    const CliRun r =
        cli({QStringLiteral("import-fixtures"), league.path(), QStringLiteral("--layout"), layout, page});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(fileHash(league.path()), before);
}

void TestCliFixtures::wrongUsage_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("unknown layout") << QStringList{QStringLiteral("--layout"), QStringLiteral("afl2")};
    QTest::newRow("no layout") << QStringList{};
    QTest::newRow("year no number") << QStringList{QStringLiteral("--layout"), QStringLiteral("afl"),
                                                   QStringLiteral("--year"), QStringLiteral("06x")};
    // No league can store a date of these years.
    QTest::newRow("year of five digits") << QStringList{QStringLiteral("--layout"), QStringLiteral("afl"),
                                                        QStringLiteral("--year"), QStringLiteral("99999")};
    QTest::newRow("year before the dates") << QStringList{QStringLiteral("--layout"), QStringLiteral("afl"),
                                                          QStringLiteral("--year"), QStringLiteral("1849")};
}

void TestCliFixtures::wrongUsage()
{
    QFETCH(QStringList, options);
    LeagueFixture league(QStringLiteral("Australian Football"),
                         {QStringLiteral("Carlton"), QStringLiteral("Geelong")});
    league.dm().closeLeague();
    const QByteArray before = fileHash(league.path());
    QTemporaryDir dir;
    const QString text = writeText(dir.filePath(QStringLiteral("page.txt")),
                                   "Carlton vs Geelong\nCarlton (90) def. Geelong (80)\n");
    const CliRun r =
        cli(QStringList{QStringLiteral("import-fixtures"), league.path()} + options + QStringList{text});
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(fileHash(league.path()), before);
}

QTEST_GUILESS_MAIN(TestCliFixtures)
#include "tst_cli_fixtures.moc"
