// `convert` of the real quorvane-cli binary: an older league file into a new one, and the refusals that
// leave the files as they were.

#include "data/Database.h"
#include "data/TDataMod.h"
#include "data/Table.h"
#include "support/CliRun.h"
#include "support/StoredRows.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
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

QTEST_GUILESS_MAIN(TestCliConvert)
#include "tst_cli_convert.moc"
