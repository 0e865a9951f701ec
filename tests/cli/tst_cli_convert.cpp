// `convert` of the real quorvane-cli binary: an older league file into a new one, Access league files
// whole and damaged, and the refusals that leave the files as they were.

#include "data/Database.h"
#include "data/TDataMod.h"
#include "data/Table.h"
#include "support/CliRun.h"
#include "support/DamagedFiles.h"
#include "support/JetWriter.h"
#include "support/StoredRows.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace
{

CliRun convert(const QString &from, const QString &to)
{
    return runCli(quorvaneCli(), {QStringLiteral("convert"), from, to});
}

// A league file of the older layout with one played match.
void createOlderLeague(const QString &path)
{
    Database::create(path);
    Database db;
    db.open(path);
    for (const char *sql :
         {"CREATE TABLE League (Sport TEXT(20), League TEXT(35), SS REAL, SE REAL, PW REAL, PD REAL, PL "
          "REAL, "
          "PWO REAL, PDO REAL, PLO REAL, HW BIT, DR BIT, AW BIT, HP REAL, DP REAL, AP REAL, CF REAL)",
          "INSERT INTO League VALUES ('Baseball', 'Old', 1998, 1998, 1, 0, 0, 1, 0, 0, 1, 0, 1, 50, 0, 50, "
          "50)",
          "CREATE TABLE Teams (Team TEXT(30))", "INSERT INTO Teams VALUES ('Sox'), ('Cubs')",
          "CREATE TABLE Results (ID REAL, Home TEXT(30), Away TEXT(30), Result TEXT(10), DateP DATE, Round "
          "REAL, "
          "HQVR REAL, HTQVR REAL, AQVR REAL, ATQVR REAL, F REAL, A REAL, HP REAL, DP REAL, AP REAL, CF REAL, "
          "PResult TEXT(7), Verdict TEXT(2), O1 TEXT(7), O1B TEXT(20), OX TEXT(7), OXB TEXT(20), O2 TEXT(7), "
          "O2B TEXT(20), Margin REAL)",
          "INSERT INTO Results VALUES (0, 'Sox', 'Cubs', '5:3', '1998-05-01', 1, 1500, 1500, 1500, 1500, 5, "
          "3, 0, "
          "0, 0, 0, ':', '?', '-', '', '-', '', '-', '', 0)",
          "CREATE TABLE Players (N REAL, Player TEXT(30), Team TEXT(30), Pos TEXT(20), PR REAL, IN_OUT "
          "TEXT(3), "
          "PPic BLOB, Wt TEXT(6), Ht TEXT(6))"})
        db.execute(QString::fromLatin1(sql));
}

} // namespace

class TestCliConvert : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void convertsAnOlderLeague();
    void refusesAndLeavesFilesAlone();
    void leagueCommandsSayHowToConvertAccessFiles_data();
    void leagueCommandsSayHowToConvertAccessFiles();
    void damagedAccessFilesEndInAMessage_data();
    void damagedAccessFilesEndInAMessage();
};

void TestCliConvert::convertsAnOlderLeague()
{
    QTemporaryDir dir;
    const QString from = dir.filePath(QStringLiteral("old.mdb"));
    const QString to = dir.filePath(QStringLiteral("new.qvl"));
    createOlderLeague(from);

    const CliRun r = convert(from, to);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.contains(QLatin1String("File convertion complete")), qPrintable(r.err));
    TDataMod dm;
    dm.openLeague(to);
    QVERIFY(dm.ADOTableTeams.locate(QStringLiteral("Team"), {QStringLiteral("Sox")}));
    QCOMPARE(dm.ADOTableTeams.field(QStringLiteral("HW")).asInteger(), 1);
}

void TestCliConvert::refusesAndLeavesFilesAlone()
{
    QTemporaryDir dir;
    const QString from = dir.filePath(QStringLiteral("old.mdb"));
    createOlderLeague(from);
    const QString existing = dir.filePath(QStringLiteral("existing.qvl"));
    {
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    const QByteArray fromHash = fileHash(from);

    // An existing target is never replaced: nobody is there to answer the question.
    CliRun r = convert(from, existing);
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(QLatin1String("already exists")), qPrintable(r.err));
    QCOMPARE(fileHash(existing), QCryptographicHash::hash("keep me", QCryptographicHash::Sha256));

    // A Jet database that holds no league, when the samples are present.
    const QString sample = QStringLiteral(QUORVANE_TEST_DATA) + QStringLiteral("/jet/nwind_jet3.mdb");
    if (QFile::exists(sample)) {
        const QString target = dir.filePath(QStringLiteral("nwind.qvl"));
        r = convert(sample, target);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QLatin1String("not a league file")), qPrintable(r.err));
        QVERIFY(!QFile::exists(target));
    }
    QCOMPARE(fileHash(from), fromHash);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("existing.qvl"), QStringLiteral("old.mdb")}));
}

void TestCliConvert::leagueCommandsSayHowToConvertAccessFiles_data()
{
    QTest::addColumn<QString>("signature");
    QTest::addColumn<QStringList>("args"); // FILE stands for the Access file
    const QString file = QStringLiteral("FILE");
    const QList<QStringList> commands = {
        {QStringLiteral("table"), file},
        {QStringLiteral("matches"), file, QStringLiteral("--format"), QStringLiteral("json")},
        {QStringLiteral("recalc"), file},
        {QStringLiteral("predict"), file},
        {QStringLiteral("backtest"), file, QStringLiteral("--systems"), QStringLiteral("SYSTEMS")},
        {QStringLiteral("history"), file},
        {QStringLiteral("calibration"), file},
        {QStringLiteral("arbitrage"), file},
        {QStringLiteral("tip"), file, QStringLiteral("--home"), QStringLiteral("A"), QStringLiteral("--away"),
         QStringLiteral("B")},
        {QStringLiteral("chart"), file, QStringLiteral("--team1"), QStringLiteral("A"),
         QStringLiteral("--type"), QStringLiteral("Points")},
        {QStringLiteral("import"), file, QStringLiteral("SEASON")},
        {QStringLiteral("add-match"), file, QStringLiteral("--home"), QStringLiteral("A"),
         QStringLiteral("--away"), QStringLiteral("B"), QStringLiteral("--date"),
         QStringLiteral("2024-08-17")},
        {QStringLiteral("merge-teams"), file, QStringLiteral("--keep"), QStringLiteral("A"),
         QStringLiteral("--merge"), QStringLiteral("B")},
        {QStringLiteral("export"), file, QStringLiteral("--grid"), QStringLiteral("scores"),
         QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--output"),
         QStringLiteral("OUT")},
        // Refused before anything is downloaded: the server is never asked.
        {QStringLiteral("fetch-season"), file, QStringLiteral("--div"), QStringLiteral("E0"),
         QStringLiteral("--season"), QStringLiteral("2023-2024"), QStringLiteral("--server"),
         QStringLiteral("http://127.0.0.1:9/")},
    };
    for (const char *signature : {"Standard Jet DB", "Standard ACE DB"})
        for (const QStringList &args : commands)
            QTest::addRow("%s, %s", args.constFirst().toLatin1().constData(), signature)
                << QString::fromLatin1(signature) << args;
}

// Any league command given an Access file says what it is and how to convert it, and leaves it alone.
void TestCliConvert::leagueCommandsSayHowToConvertAccessFiles()
{
    QFETCH(QString, signature);
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    // The first bytes of an Access database, where its kind is written: all the check reads.
    const QString access = dir.filePath(QStringLiteral("my league.mdb"));
    {
        QFile f(access);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray head("\x00\x01\x00\x00", 4);
        head += signature.toLatin1();
        head.append(2048 - head.size(), '\0');
        f.write(head);
    }
    const QString season = dir.filePath(QStringLiteral("season.csv"));
    {
        QFile f(season);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Div,Date,HomeTeam,AwayTeam,FTHG,FTAG\nE0,17/08/24,A,B,1,0\n");
    }
    const QByteArray before = fileHash(access);
    args.replaceInStrings(QStringLiteral("FILE"), access);
    args.replaceInStrings(QStringLiteral("SYSTEMS"), dir.filePath(QStringLiteral("systems.qvs")));
    args.replaceInStrings(QStringLiteral("SEASON"), season);
    args.replaceInStrings(QStringLiteral("OUT"), dir.filePath(QStringLiteral("out.csv")));

    const CliRun r = runCli(quorvaneCli(), args);
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, QStringLiteral("%1 is an Access database, not a league file; convert it into one first:\n"
                                   "  quorvane-cli convert '%1' NEWFILE.qvl\n")
                        .arg(access));
    QVERIFY(r.out.isEmpty());
    QCOMPARE(fileHash(access), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             (QStringList{QStringLiteral("my league.mdb"), QStringLiteral("season.csv")}));
}

void TestCliConvert::damagedAccessFilesEndInAMessage_data()
{
    QTest::addColumn<QString>("source"); // a sample's file name, or empty for an Access league of our own
    QTest::addColumn<int>("damage");
    QTest::addColumn<qint64>("at");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("message"); // how stderr starts
    const QString unreadable = QStringLiteral("The file damaged.mdb cannot be read as an Access database");
    QTest::newRow("whole league") << QString() << int(Damage::None) << qint64(0) << qint64(0)
                                  << QStringLiteral("File convertion complete");
    // The usage maps are on page 3; the library crashed on a data page in their place.
    QTest::newRow("league, its last page over its usage maps")
        << QString() << int(Damage::CopyPage) << qint64(-1) << qint64(3) << unreadable;
    // The cases users met with the samples: a changed byte that crashed the library, a cut copy that made it
    // loop and fill the terminal.
    QTest::newRow("Jet 3 sample, one byte changed")
        << QStringLiteral("test2V1997_jet3.mdb") << int(Damage::Byte) << qint64(4131) << qint64(0xe7)
        << unreadable;
    QTest::newRow("Jet 3 sample, cut at 94 KiB") << QStringLiteral("testV1997_jet3.mdb") << int(Damage::Cut)
                                                 << qint64(94 * 1024) << qint64(0) << unreadable;
}

// A damaged Access file ends the command with one line saying that it cannot be read, exit code 1 and
// nothing written; the library's own complaints never reach the terminal.
void TestCliConvert::damagedAccessFilesEndInAMessage()
{
    QFETCH(QString, source);
    QFETCH(int, damage);
    QFETCH(qint64, at);
    QFETCH(qint64, value);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QByteArray bytes;
    if (source.isEmpty()) {
        const QString older = dir.filePath(QStringLiteral("older.db"));
        createOlderLeague(older);
        const QString access = dir.filePath(QStringLiteral("league.mdb"));
        QCOMPARE(JetWriter::writeCopyOf(older,
                                        {QStringLiteral("League"), QStringLiteral("Teams"),
                                         QStringLiteral("Results"), QStringLiteral("Players")},
                                        access),
                 QString());
        QFile f(access);
        QVERIFY(f.open(QIODevice::ReadOnly));
        bytes = f.readAll();
        QVERIFY(QFile::remove(older) && f.remove());
        if (at < 0)
            at += bytes.size() / 4096; // counted from the last page
    } else {
        QFile f(QStringLiteral(QUORVANE_TEST_DATA) + QStringLiteral("/jet/") + source);
        if (!f.open(QIODevice::ReadOnly))
            QSKIP("The Jet sample databases are not present.");
        bytes = f.readAll();
    }
    const QString from = dir.filePath(QStringLiteral("damaged.mdb"));
    {
        QFile f(from);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(damaged(bytes, Damage(damage), at, value));
    }
    const QString to = dir.filePath(QStringLiteral("new.qvl"));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("QUORVANE_JET_READER_SECONDS"), QStringLiteral("2")); // a loop stops soon
    const CliRun r = runCli(quorvaneCli(), {QStringLiteral("convert"), from, to}, env);
    const bool converted = Damage(damage) == Damage::None;
    QCOMPARE(r.exitCode, converted ? 0 : 1);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.startsWith(message) && r.err.count(u'\n') == 1, qPrintable(r.err.left(2000)));
    QStringList left = {QStringLiteral("damaged.mdb")};
    if (converted) {
        left << QStringLiteral("new.qvl");
        TDataMod dm;
        dm.openLeague(to);
        QVERIFY(dm.ADOTableTeams.locate(QStringLiteral("Team"), {QStringLiteral("Sox")}));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), left);
}

QTEST_GUILESS_MAIN(TestCliConvert)
#include "tst_cli_convert.moc"
