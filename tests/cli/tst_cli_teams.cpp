// Runs the real quorvane-cli binary's team merge on a league file in a temporary folder.

#include "data/Database.h"
#include "support/CliRun.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QTest>

namespace
{
CliRun cli(const QStringList &args)
{
    return runCli(quorvaneCli(), args);
}

QStringList column(const QString &path, const QString &sql)
{
    Database db;
    db.open(path);
    QStringList values;
    Statement st = db.prepare(sql);
    while (st.step())
        values << st.value(0).toString();
    return values;
}
} // namespace

class TestCliTeams : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mergesTeams();
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
};

void TestCliTeams::mergesTeams()
{
    LeagueFixture league(
        QStringLiteral("Football (Soccer)"),
        {QStringLiteral("Leeds"), QStringLiteral("Middlesboro"), QStringLiteral("Middlesbrough")});
    QVERIFY(league.addMatch(QStringLiteral("Middlesboro"), QStringLiteral("Leeds"), 2, 0));
    QVERIFY(league.addMatch(QStringLiteral("Leeds"), QStringLiteral("Middlesbrough"), 1, 1, false,
                            QDate(2005, 8, 8)));
    league.dm().closeLeague(); // the program alone writes it
    const CliRun r =
        cli({QStringLiteral("merge-teams"), league.path(), QStringLiteral("--keep"),
             QStringLiteral("middlesbrough"), QStringLiteral("--merge"), QStringLiteral("MIDDLESBORO")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromUtf8(r.out), QStringLiteral("MIDDLESBORO merged into middlesbrough.\n"));
    QCOMPARE(column(league.path(), QStringLiteral("SELECT Team FROM Teams ORDER BY Team")),
             QStringList({QStringLiteral("Leeds"), QStringLiteral("Middlesbrough")}));
    QCOMPARE(column(league.path(), QStringLiteral("SELECT Home || '-' || Away FROM Results ORDER BY ID")),
             QStringList({QStringLiteral("Middlesbrough-Leeds"), QStringLiteral("Leeds-Middlesbrough")}));
    // One win and one draw of the kept team, replayed.
    QCOMPARE(column(league.path(), QStringLiteral("SELECT CAST(TW AS INTEGER) || ' ' || CAST(TD AS INTEGER) "
                                                  "FROM Teams WHERE Team = 'Middlesbrough'")),
             QStringList{QStringLiteral("1 1")});
    QCOMPARE(column(league.path(), QStringLiteral("SELECT Alias || '>' || Team FROM TeamAliases")),
             QStringList{QStringLiteral("Middlesboro>Middlesbrough")});
}

void TestCliTeams::refusalsChangeNothing_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("same team") << QStringList{QStringLiteral("--keep"), QStringLiteral("Leeds"),
                                              QStringLiteral("--merge"), QStringLiteral("leeds")}
                               << 1 << QStringLiteral("cannot be merged into itself");
    QTest::newRow("unknown team") << QStringList{QStringLiteral("--keep"), QStringLiteral("Leeds"),
                                                 QStringLiteral("--merge"), QStringLiteral("York")}
                                  << 1 << QStringLiteral("The league has no team \"York\".");
    // Merged, their match would be Leeds against Leeds.
    QTest::newRow("teams that met") << QStringList{QStringLiteral("--keep"), QStringLiteral("Leeds"),
                                                   QStringLiteral("--merge"), QStringLiteral("Hull")}
                                    << 1
                                    << QStringLiteral(
                                           ": Hull v Leeds, 2:0\nDelete these matches first, then merge.");
    QTest::newRow("no --merge") << QStringList{QStringLiteral("--keep"), QStringLiteral("Leeds")} << 2
                                << QStringLiteral("--merge");
}

void TestCliTeams::refusalsChangeNothing()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    LeagueFixture league(QStringLiteral("Football (Soccer)"),
                         {QStringLiteral("Leeds"), QStringLiteral("Hull")});
    QVERIFY(league.addMatch(QStringLiteral("Hull"), QStringLiteral("Leeds"), 2, 0));
    league.dm().closeLeague();
    const QByteArray before = fileHash(league.path());
    const CliRun r = cli(QStringList{QStringLiteral("merge-teams"), league.path()} + options);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(fileHash(league.path()), before);
}

QTEST_GUILESS_MAIN(TestCliTeams)
#include "tst_cli_teams.moc"
