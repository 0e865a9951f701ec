#include "data/Database.h"
#include "data/Errors.h"
#include "data/LeagueSchema.h"
#include "data/LeagueSettings.h"
#include "data/Sports.h"
#include "data/TDataMod.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

namespace
{
void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestLeague : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void createWritesTablesAndFirstRow();
    void createRefusesExistingFile();
    void openRefuses_data();
    void openRefuses();
    void openRefusesLockedFile();
    void sportConstants_data();
    void sportConstants();
    void sportPresets();
    void changesOfAnotherProgramAreReadAgain();

private:
    QTemporaryDir m_dir;
};

void TestLeague::createWritesTablesAndFirstRow()
{
    const QString path = m_dir.filePath(QStringLiteral("Serie A.qvl"));
    TDataMod dm;
    CreateLeagueFile(dm.ADOConnection, dm.ADOTableLeague, path);
    QVERIFY(dm.ADOTableLeague.isActive());
    QCOMPARE(dm.ADOTableLeague.recordCount(), 1);
    dm.closeLeague();

    // Read back with a plain connection: exact tables, columns in order, declared types.
    Database db;
    db.open(path);
    QCOMPARE(db.tableNames(), (QStringList{QStringLiteral("League"), QStringLiteral("Teams"),
                                           QStringLiteral("Results"), QStringLiteral("Players")}));
    const auto results = db.tableColumns(QStringLiteral("Results"));
    QCOMPARE(results.size(), 34);
    QCOMPARE(results.first().first, QStringLiteral("ID"));
    QCOMPARE(results[4], qMakePair(QStringLiteral("DateP"), QStringLiteral("DATE")));
    QCOMPARE(results[1], qMakePair(QStringLiteral("Home"), QStringLiteral("TEXT(30)")));
    QCOMPARE(results.last(), qMakePair(QStringLiteral("Retrn"), QStringLiteral("REAL")));
    QStringList teamColumns;
    for (const auto &c : db.tableColumns(QStringLiteral("Teams")))
        teamColumns << c.first;
    QCOMPARE(teamColumns.join(QLatin1Char(' ')),
             QStringLiteral("Pos Team TRH HP HW HD HL HF HA HDif HPts TRA AP AW AD AL AF AA ADif APts "
                            "TRT TP TW TD TL TF TA TDif TPts TPic"));
    QCOMPARE(db.tableColumns(QStringLiteral("Players")).at(8),
             qMakePair(QStringLiteral("PPic"), QStringLiteral("BLOB")));
    QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Teams")).toInt(), 0);

    Statement st = db.prepare(QStringLiteral("SELECT * FROM League"));
    QVERIFY(st.step());
    const Season season = currentSeason(); // a new league starts in the season being played
    const QVariantList expected = {QStringLiteral("Football (Soccer)"),
                                   QStringLiteral("Serie A.qvl"),
                                   season.first,
                                   season.first + 1,
                                   3,
                                   1,
                                   0,
                                   3,
                                   1,
                                   0,
                                   0,
                                   1,
                                   0,
                                   1,
                                   50,
                                   35,
                                   50,
                                   50,
                                   1,
                                   5};
    QCOMPARE(st.columnCount(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        if (expected[i].typeId() == QMetaType::QString)
            QCOMPARE(st.value(i).toString(), expected[i].toString());
        else
            QCOMPARE(st.value(i).toDouble(), expected[i].toDouble());
    }
    QVERIFY(!st.step());
}

void TestLeague::createRefusesExistingFile()
{
    const QString path = m_dir.filePath(QStringLiteral("exists.qvl"));
    writeFile(path, "keep me");
    TDataMod dm;
    QVERIFY_THROWS_EXCEPTION(DatabaseError, CreateLeagueFile(dm.ADOConnection, dm.ADOTableLeague, path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("keep me"));
}

void TestLeague::openRefuses_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("text file") << QStringLiteral("text");
    QTest::newRow("random bytes") << QStringLiteral("random");
    QTest::newRow("empty file") << QStringLiteral("empty");
    QTest::newRow("truncated league") << QStringLiteral("truncated");
    QTest::newRow("other schema") << QStringLiteral("other");
    QTest::newRow("league missing a column") << QStringLiteral("column");
    QTest::newRow("missing file") << QStringLiteral("missing");
}

void TestLeague::openRefuses()
{
    QFETCH(QString, kind);
    const QString path = m_dir.filePath(kind + QStringLiteral(".qvl"));
    if (kind == QLatin1String("text")) {
        writeFile(path, "Date,HomeTeam,AwayTeam\n01/08/05,A,B\n");
    } else if (kind == QLatin1String("random")) {
        QByteArray bytes;
        quint32 x = 12345;
        for (int i = 0; i < 8192; ++i) {
            x = x * 1103515245u + 12345u;
            bytes.append(char(x >> 24));
        }
        writeFile(path, bytes);
    } else if (kind == QLatin1String("empty")) {
        writeFile(path, QByteArray());
    } else if (kind == QLatin1String("truncated") || kind == QLatin1String("column") ||
               kind == QLatin1String("other")) {
        const QString whole = m_dir.filePath(kind + QStringLiteral("-whole.qvl"));
        {
            TDataMod dm;
            CreateLeagueFile(dm.ADOConnection, dm.ADOTableLeague, whole);
            dm.OpenLeagueTables();
            for (int i = 0; i < 200; ++i)
                dm.ADOTableTeams.appendRecord(newTeamValues(QStringLiteral("Team %1").arg(i), i + 1));
            if (kind == QLatin1String("column"))
                dm.ADOConnection.execute(QStringLiteral("ALTER TABLE Results DROP COLUMN Retrn"));
            if (kind == QLatin1String("other"))
                dm.ADOConnection.execute(QStringLiteral("ALTER TABLE Players RENAME TO Squad"));
        }
        QFile f(whole);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray bytes = f.readAll();
        if (kind == QLatin1String("truncated"))
            bytes.truncate(bytes.size() / 2 + 100);
        writeFile(path, bytes);
    }
    const QByteArray before = fileHash(path);
    TDataMod dm;
    try {
        dm.openLeague(path);
        QFAIL("a file that is not a whole league file was opened");
    } catch (const DatabaseError &e) {
        QVERIFY(!e.message().isEmpty());
    }
    QVERIFY(!dm.isLeagueOpen());
    QVERIFY(!dm.ADOTableResults.isActive());
    QCOMPARE(fileHash(path), before); // nothing written to a refused file
}

void TestLeague::openRefusesLockedFile()
{
    const QString path = m_dir.filePath(QStringLiteral("locked.qvl"));
    {
        TDataMod dm;
        CreateLeagueFile(dm.ADOConnection, dm.ADOTableLeague, path);
    }
    sqlite3 *other = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE; UPDATE League SET PB = 1;", nullptr, nullptr, nullptr),
             SQLITE_OK);
    Database::setDefaultBusyTimeout(200);
    TDataMod dm;
    QVERIFY_THROWS_EXCEPTION(DatabaseError, dm.openLeague(path));
    QVERIFY(!dm.isLeagueOpen());
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    dm.openLeague(path); // opens once the other writer is gone
    QVERIFY(dm.isLeagueOpen());
    Database::setDefaultBusyTimeout(5000);
}

void TestLeague::sportConstants_data()
{
    QTest::addColumn<QString>("sport");
    QTest::addColumn<int>("factor");
    QTest::addColumn<int>("typical");
    QTest::addColumn<double>("homeWeight");
    QTest::addColumn<double>("drawWeight");
    QTest::addColumn<double>("line");
    QTest::newRow("soccer") << QStringLiteral("Football (Soccer)") << 150 << 2 << 1.0 << 1.0 << 2.5;
    QTest::newRow("ice hockey") << QStringLiteral("Ice Hockey") << 100 << 3 << 1.0 << 1.0 << 5.5;
    QTest::newRow("basketball") << QStringLiteral("Basketball") << 15 << 98 << 0.4 << 0.2 << 180.5;
    QTest::newRow("american football")
        << QStringLiteral("American Football") << 25 << 19 << 0.375 << 0.25 << 44.5;
    QTest::newRow("australian football")
        << QStringLiteral("Australian Football") << 10 << 100 << 0.4 << 0.2 << 200.5;
    QTest::newRow("volleyball") << QStringLiteral("Volleyball") << 1 << 1 << 1.0 << 1.0 << 180.5;
    QTest::newRow("soccer in other case is any other sport")
        << QStringLiteral("football (soccer)") << 1 << 1 << 1.0 << 1.0 << 1.5;
    QTest::newRow("unknown") << QStringLiteral("Curling") << 1 << 1 << 1.0 << 1.0 << 1.5;
}

void TestLeague::sportConstants()
{
    QFETCH(QString, sport);
    QFETCH(int, factor);
    QFETCH(int, typical);
    QFETCH(double, homeWeight);
    QFETCH(double, drawWeight);
    QFETCH(double, line);
    QCOMPARE(GetSportConstants(sport).ratingFactor, factor);
    QCOMPARE(GetSportConstants(sport).typicalScore, typical);
    QCOMPARE(GetOutcomeWeights(sport).home, homeWeight);
    QCOMPARE(GetOutcomeWeights(sport).draw, drawWeight);
    QCOMPARE(GetOutcomeWeights(sport).away, homeWeight);
    QCOMPARE(DefaultTotalLine(sport), line);
}

void TestLeague::sportPresets()
{
    QCOMPARE(sportNames().size(), 9);
    QCOMPARE(sportNames().at(4), QStringLiteral("Football (Soccer)"));
    QCOMPARE(sportPosition(QStringLiteral("ice HOCKEY")), 6);
    QCOMPARE(sportPosition(QStringLiteral("Volleyball")), -1);
    const SportDefaults *ice = sportDefaults(6);
    QVERIFY(ice);
    QCOMPARE((QList<int>{ice->PW, ice->PD, ice->PL, ice->PWO, ice->PDO, ice->PLO, ice->HP, ice->DP, ice->AP}),
             (QList<int>{2, 1, 0, 2, 1, 1, 50, 30, 50}));
    QVERIFY(!sportDefaults(9));
}

// Another connection's commit makes the open tables read their rows again; our own writes do not, and a
// pending edit survives.
void TestLeague::changesOfAnotherProgramAreReadAgain()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {QStringLiteral("Alpha"), QStringLiteral("Beta")});
    TDataMod &dm = f.dm();
    dm.ReloadIfChangedElsewhere(); // whatever the fixture wrote on its own connection
    QVERIFY(!dm.ReloadIfChangedElsewhere());
    QVERIFY(f.addMatch(QStringLiteral("Alpha"), QStringLiteral("Beta"), 2, 1));
    QVERIFY(!dm.ReloadIfChangedElsewhere()); // our own write
    dm.ADOTableTeams.first();
    dm.ADOTableTeams.edit();
    dm.ADOTableTeams.field(QStringLiteral("Team")).setString(QStringLiteral("Alpha Renamed"));
    {
        Database other;
        other.open(f.path());
        other.execute(QStringLiteral("UPDATE League SET League = ?1"), {QStringLiteral("Changed Elsewhere")});
    }
    QVERIFY(dm.ReloadIfChangedElsewhere());
    QVERIFY(!dm.ReloadIfChangedElsewhere());
    dm.ADOTableLeague.first();
    QCOMPARE(dm.ADOTableLeague.field(QStringLiteral("League")).asString(),
             QStringLiteral("Changed Elsewhere"));
    QCOMPARE(dm.ADOTableTeams.state(), Dataset::State::Edit);
    dm.ADOTableTeams.post();
    QCOMPARE(
        dm.ADOConnection.scalar(QStringLiteral("SELECT COUNT(*) FROM Teams WHERE Team = 'Alpha Renamed'"))
            .toInt(),
        1);
}

QTEST_GUILESS_MAIN(TestLeague)
#include "tst_league.moc"
