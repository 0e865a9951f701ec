// Several season files in one import: read first, entered oldest season first by their dates, in one
// transaction, with one summary; the bookmakers' names beside their column codes.

#include "data/Database.h"
#include "data/Errors.h"
#include "entry/SeasonBookmakers.h"
#include "entry/SeasonFiles.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{
QString writeSeason(const QTemporaryDir &dir, const QString &name, const QByteArray &header,
                    const QByteArray &rows)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(header + rows) != header.size() + rows.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

const QByteArray kHeader = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A,WHH,WHD,WHA\n";

QStringList matchesInIdOrder(Database &db)
{
    QStringList out;
    Statement st = db.prepare(QStringLiteral("SELECT ID, Home, Away, DateP FROM Results ORDER BY ID"));
    while (st.step())
        out << QStringLiteral("%1 %2-%3 %4")
                   .arg(st.value(0).toInt())
                   .arg(st.value(1).toString(), st.value(2).toString(), st.value(3).toString());
    return out;
}
} // namespace

class TestSeasonFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    // Files named against their seasons go in by their dates; each file's matches in its own order.
    void oldestSeasonFirstByTheDatesInTheFiles()
    {
        QTemporaryDir dir;
        const QStringList paths = {
            writeSeason(dir, QStringLiteral("a-latest.csv"), kHeader,
                        "E0,14/08/05,Alpha,Beta,1,0,2,3,4,2,3,4\nE0,13/08/05,Gamma,Alpha,0,0,2,3,4,2,3,4\n"),
            writeSeason(dir, QStringLiteral("b-earliest.csv"), kHeader,
                        "E0,16/08/03,Beta,Gamma,2,2,2,3,4,2,3,4\n"),
            writeSeason(dir, QStringLiteral("c-middle.csv"), kHeader,
                        "E0,14/08/04,Gamma,Beta,3,1,2,3,4,2,3,4\n")};
        const QList<SeasonFile> files = readSeasonFiles(paths);
        QStringList order;
        for (const SeasonFile &f : files)
            order << QFileInfo(f.path).fileName();
        QCOMPARE(order, (QStringList{QStringLiteral("b-earliest.csv"), QStringLiteral("c-middle.csv"),
                                     QStringLiteral("a-latest.csv")}));
        QCOMPARE(matchCount(files), 4);

        LeagueFixture league(QStringLiteral("Football (Soccer)"));
        QList<int> seen;
        const ImportSummary s = ImportSeasonFiles(league.dm(), files, league.messenger,
                                                  [&](int done, int total) { seen << done * 10 + total; });
        QCOMPARE(seen, (QList<int>{14, 24, 34, 44}));
        QCOMPARE(s.added, 4);
        QCOMPARE(s.teamsAdded, 3);
        QCOMPARE(describeSeasonImport(s, int(files.size())),
                 QStringLiteral("3 season files: 4 matches added, 0 updated."));
        QCOMPARE(describeSeasonImport(s, 1), QStringLiteral("4 matches added, 0 updated."));
        QCOMPARE(matchesInIdOrder(league.dm().ADOConnection),
                 (QStringList{
                     QStringLiteral("0 Beta-Gamma 2003-08-16"), QStringLiteral("1 Gamma-Beta 2004-08-14"),
                     QStringLiteral("2 Alpha-Beta 2005-08-14"), QStringLiteral("3 Gamma-Alpha 2005-08-13")}));
        QVERIFY(league.messenger.log().isEmpty());
    }

    // A file refused half-way leaves nothing of any file, and its name says which one.
    void aRefusedFileLeavesNothing()
    {
        QTemporaryDir dir;
        const QStringList paths = {
            writeSeason(dir, QStringLiteral("good.csv"), kHeader, "E0,14/08/04,Alpha,Beta,1,0,,,,,,\n"),
            writeSeason(dir, QStringLiteral("bad.csv"), kHeader,
                        "E0,14/08/05,Beta,Gamma,1,0,,,,,,\nE0,15/08/05,Gamma,Gamma,1,0,,,,,,\n")};
        LeagueFixture league(QStringLiteral("Football (Soccer)"), {QStringLiteral("Alpha")});
        const QByteArray before = fileHash(league.path());
        const QList<SeasonFile> files = readSeasonFiles(paths);
        try {
            ImportSeasonFiles(league.dm(), files, league.messenger);
            QFAIL("the import went through");
        } catch (const CsvImportError &e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("bad.csv: Line 3: ")), qPrintable(e.message()));
        }
        QCOMPARE(fileHash(league.path()), before);
        QCOMPARE(league.dm().ADOTableResults.recordCount(), 0);
        QCOMPARE(league.dm().ADOTableTeams.recordCount(), 1);
        QCOMPARE(league.dm().ADOConnection.transactionDepth(), 0);

        // A file that cannot be read is named before anything is written.
        const QString broken =
            writeSeason(dir, QStringLiteral("broken.csv"), kHeader, "E0,31/02/05,A,B,1,0,,,,,,\n");
        try {
            readSeasonFiles({paths.first(), broken});
            QFAIL("a broken file was read");
        } catch (const CsvImportError &e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("broken.csv: ")), qPrintable(e.message()));
        }
    }

    // The bookmaker chooser offers what every file has, with names beside the codes.
    void bookmakersEveryFileHas()
    {
        QTemporaryDir dir;
        const QStringList paths = {
            writeSeason(dir, QStringLiteral("one.csv"), kHeader, "E0,14/08/04,Alpha,Beta,1,0,2,3,4,2,3,4\n"),
            writeSeason(dir, QStringLiteral("two.csv"),
                        "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,IWH,IWD,IWA,B365H,B365D,B365A,XYH,XYD,XYA\n",
                        "E0,14/08/05,Alpha,Beta,1,0,2,3,4,2,3,4,2,3,4\n")};
        const QList<SeasonFile> files = readSeasonFiles(paths);
        QCOMPARE(commonBookmakers(files), QStringList{QStringLiteral("B365")});
        QCOMPARE(commonBookmakers({files.last()}),
                 (QStringList{QStringLiteral("IW"), QStringLiteral("B365"), QStringLiteral("XY")}));
        QCOMPARE(SeasonBookmakers::caption(QStringLiteral("B365")), QStringLiteral("B365 (Bet365)"));
        QCOMPARE(SeasonBookmakers::caption(QStringLiteral("WH")), QStringLiteral("WH (William Hill)"));
        QCOMPARE(SeasonBookmakers::caption(QStringLiteral("XY")), QStringLiteral("XY"));
        QCOMPARE(SeasonBookmakers::nameOf(QStringLiteral("b365")), QString());
    }

    // The real seasons of the test data, given newest first and under shuffled names, come out in order.
    void realSeasonsInOrder()
    {
        const QString folder = QStringLiteral(QUORVANE_TEST_DATA) + QStringLiteral("/football-data");
        const QStringList names = {QStringLiteral("E0_2004-2005.csv"), QStringLiteral("E0_2002-2003.csv"),
                                   QStringLiteral("E0_2003-2004.csv")};
        QTemporaryDir dir;
        QStringList paths;
        for (int i = 0; i < names.size(); ++i) {
            const QString from = QDir(folder).filePath(names[i]);
            if (!QFile::exists(from))
                QSKIP("The football-data season files are not present.");
            paths << dir.filePath(QStringLiteral("season %1.csv").arg(i));
            QVERIFY(QFile::copy(from, paths.last()));
        }
        const QList<SeasonFile> files = readSeasonFiles(paths);
        QCOMPARE(files[0].path, paths[1]);
        QCOMPARE(files[1].path, paths[2]);
        QCOMPARE(files[2].path, paths[0]);
        LeagueFixture league(QStringLiteral("Football (Soccer)"));
        const ImportSummary s = ImportSeasonFiles(league.dm(), files, league.messenger);
        QCOMPARE(s.added, 3 * 380);
        Database &db = league.dm().ADOConnection;
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT MIN(DateP) FROM Results WHERE ID < 380")).toString().left(4),
            QStringLiteral("2002"));
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT MIN(DateP) FROM Results WHERE ID >= 760")).toString().left(4),
            QStringLiteral("2004"));
    }
};

QTEST_GUILESS_MAIN(TestSeasonFiles)
#include "tst_seasonfiles.moc"
