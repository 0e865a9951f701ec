#include "data/Database.h"
#include "data/Errors.h"
#include "data/LeagueSchema.h"
#include "entry/ResultsCsv.h"
#include "entry/ResultsImport.h"
#include "support/LeagueFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <array>

namespace
{

using Rows = QList<QVariantList>;

const QByteArray kHeader = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A\n";

CsvSeason seasonOf(const QByteArray &rows)
{
    return readResultsCsv(kHeader + rows);
}

// Every row of a table as the file holds it, read through a connection of its own.
Rows fileRows(const QString &path, const QString &table)
{
    Database db;
    db.open(path);
    Rows rows;
    Statement st = db.prepare(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quoteIdentifier(table)));
    while (st.step()) {
        QVariantList row;
        for (int c = 0; c < st.columnCount(); ++c)
            row << st.value(c);
        rows << row;
    }
    return rows;
}

// Every row of an open dataset in its current order.
Rows datasetRows(const Dataset &ds)
{
    Rows rows;
    for (int r = 0; r < ds.recordCount(); ++r) {
        QVariantList row;
        for (int c = 0; c < ds.columnCount(); ++c)
            row << ds.valueAt(r, c);
        rows << row;
    }
    return rows;
}

// Where a column of Results sits in a row of fileRows().
int at(const char *name)
{
    return columnIndex(LeagueSchema::resultsColumns(), QString::fromLatin1(name));
}

// The standings the stored matches add up to, with three points for a win and one for a draw:
// per team its home line and its away line (P, W, D, L, F, A, Pts).
using Line = std::array<int, 7>;
QHash<QString, std::array<Line, 2>> standingsOf(const Rows &results)
{
    QHash<QString, std::array<Line, 2>> table;
    for (const QVariantList &r : results) {
        if (r[at("Result")].toString().size() <= 1)
            continue; // a fixture
        const int f = r[at("F")].toInt(), a = r[at("A")].toInt();
        const auto add = [](Line &l, int own, int other) {
            l[0] += 1;
            l[1] += own > other;
            l[2] += own == other;
            l[3] += own < other;
            l[4] += own;
            l[5] += other;
            l[6] += own > other ? 3 : own == other ? 1 : 0;
        };
        add(table[r[at("Home")].toString()][0], f, a);
        add(table[r[at("Away")].toString()][1], a, f);
    }
    return table;
}

void verifyStandingsMatchResults(LeagueFixture &f)
{
    const auto expected = standingsOf(fileRows(f.path(), QStringLiteral("Results")));
    const char *home[] = {"HP", "HW", "HD", "HL", "HF", "HA", "HPts"};
    const char *away[] = {"AP", "AW", "AD", "AL", "AF", "AA", "APts"};
    const char *total[] = {"TP", "TW", "TD", "TL", "TF", "TA", "TPts"};
    for (const QString &team : f.teamNames()) {
        const auto lines = expected.value(team);
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(f.team(team, QString::fromLatin1(home[i])), lines[0][i]);
            QCOMPARE(f.team(team, QString::fromLatin1(away[i])), lines[1][i]);
            QCOMPARE(f.team(team, QString::fromLatin1(total[i])), lines[0][i] + lines[1][i]);
        }
        QCOMPARE(f.team(team, QStringLiteral("TDif")),
                 f.team(team, QStringLiteral("TF")) - f.team(team, QStringLiteral("TA")));
    }
}

QStringList storedTeams(const QString &path)
{
    QStringList names;
    for (const QVariantList &row : fileRows(path, QStringLiteral("Teams")))
        names << row[1].toString();
    return names;
}

} // namespace

class TestResultsImport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void newTeamsRoundsAndValues();
    void reimportChangesNothing_data();
    void reimportChangesNothing();
    void newerCopyEditsThroughMatchEntry();
    void refusedRowRollsBackEverything_data();
    void refusedRowRollsBackEverything();
    void oddsInCommaLocale();
    void strayByteMakesNoNewTeams();
    void onlyTheSeasonsDaysLoaded();
    void fullDiskNamesTheFileNotARow();
    void realSeason();
};

void TestResultsImport::newTeamsRoundsAndValues()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {QStringLiteral("Chelsea")});
    f.dm().ADOTableTeams.setSort(QStringLiteral("TRT DESC"));
    const CsvSeason season = seasonOf("E0,12/08/17,Arsenal,CHELSEA,2,0,1.50,4.00,7\n"
                                      "E0,12/08/17,Brighton,Burnley,1,1,2.1,3.2,3.6\n"
                                      "E0,19/08/17,Chelsea,Arsenal,0,1,2.5,3.3,2.9\n"
                                      "E0,19/08/17,Burnley,Brighton,,,1.9,3.4,4.2\n");
    QList<std::pair<int, int>> progress;
    const ImportSummary s = ImportResults(f.dm(), season, f.messenger, [&](int done, int total) {
        progress.append({done, total});
    });
    QCOMPARE(s.added, 4);
    QCOMPARE(s.teamsAdded, 3);
    QCOMPARE(progress.constLast(), std::make_pair(4, 4));
    QCOMPARE(progress.size(), 4);
    QVERIFY(f.messenger.texts().isEmpty());

    // New teams in order of first appearance, home before away; the existing one keeps its spelling.
    QCOMPARE(storedTeams(f.path()), QStringList({QStringLiteral("Chelsea"), QStringLiteral("Arsenal"),
                                                 QStringLiteral("Brighton"), QStringLiteral("Burnley")}));
    // Pos follows the home table: Arsenal 3 points, Brighton 1, Burnley 0 with difference 0,
    // Chelsea 0 with -1; the table's own sort is back.
    QCOMPARE(f.dm().ADOTableTeams.sort(), QStringLiteral("TRT DESC"));
    QCOMPARE(f.team(QStringLiteral("Arsenal"), QStringLiteral("Pos")), 1);
    QCOMPARE(f.team(QStringLiteral("Brighton"), QStringLiteral("Pos")), 2);
    QCOMPARE(f.team(QStringLiteral("Burnley"), QStringLiteral("Pos")), 3);
    QCOMPARE(f.team(QStringLiteral("Chelsea"), QStringLiteral("Pos")), 4);

    Table &r = f.dm().ADOTableResults;
    QCOMPARE(r.recordCount(), 4);
    // Rounds: one more than the rows either team had before in the file.
    const struct {
        int id;
        const char *away;
        int round;
        const char *result;
    } expected[4] = {{0, "Chelsea", 1, "2:0"},
                     {1, "Burnley", 1, "1:1"},
                     {2, "Arsenal", 2, "0:1"},
                     {3, "Brighton", 2, ":"}};
    int i = 0;
    for (r.first(); !r.eof(); r.next(), ++i) {
        QCOMPARE(r.field(QStringLiteral("ID")).asInteger(), expected[i].id);
        QCOMPARE(r.field(QStringLiteral("Away")).asString(), QString::fromLatin1(expected[i].away));
        QCOMPARE(r.field(QStringLiteral("Rnd")).asInteger(), expected[i].round);
        QCOMPARE(r.field(QStringLiteral("Result")).asString(), QString::fromLatin1(expected[i].result));
        QCOMPARE(r.field(QStringLiteral("MatchT")).asString(), QStringLiteral("Regular Season"));
        QCOMPARE(r.field(QStringLiteral("UOV")).asFloat(), 2.5);
        QCOMPARE(r.field(QStringLiteral("UOP")).asString(), QStringLiteral("2.5"));
        QCOMPARE(r.field(QStringLiteral("O1B")).asString(), QStringLiteral("B365"));
    }
    r.first();
    QCOMPARE(r.field(QStringLiteral("O1")).asString(), QStringLiteral("1.50"));
    QCOMPARE(r.field(QStringLiteral("O2")).asString(), QStringLiteral("7.00"));
    QVERIFY(r.field(QStringLiteral("Retrn")).asFloat() < 0);
    verifyStandingsMatchResults(f);
}

void TestResultsImport::reimportChangesNothing_data()
{
    QTest::addColumn<QByteArray>("again");
    const QByteArray rows = "E0,12/08/17,Arsenal,Chelsea,2,0,1.50,4.00,7\n"
                            "E0,12/08/17,Brighton,Burnley,1,1,2.1,3.2,3.6\n"
                            "E0,19/08/17,Burnley,Arsenal,,,1.9,3.4,4.2\n";
    QTest::newRow("same file") << rows;
    QTest::newRow("names in other letter case") << rows.toUpper();
}

void TestResultsImport::reimportChangesNothing()
{
    QFETCH(QByteArray, again);
    LeagueFixture f;
    ImportResults(f.dm(),
                  seasonOf("E0,12/08/17,Arsenal,Chelsea,2,0,1.50,4.00,7\n"
                           "E0,12/08/17,Brighton,Burnley,1,1,2.1,3.2,3.6\n"
                           "E0,19/08/17,Burnley,Arsenal,,,1.9,3.4,4.2\n"),
                  f.messenger);
    const Rows teams = fileRows(f.path(), QStringLiteral("Teams"));
    const Rows results = fileRows(f.path(), QStringLiteral("Results"));

    const ImportSummary s = ImportResults(f.dm(), seasonOf(again), f.messenger);
    QCOMPARE(s.unchanged, 3);
    QCOMPARE(s.added + s.updated + s.teamsAdded, 0);
    QCOMPARE(fileRows(f.path(), QStringLiteral("Teams")), teams);
    QCOMPARE(fileRows(f.path(), QStringLiteral("Results")), results);
}

void TestResultsImport::newerCopyEditsThroughMatchEntry()
{
    LeagueFixture f;
    ImportResults(f.dm(),
                  seasonOf("E0,12/08/17,Arsenal,Chelsea,2,0,1.50,4.00,7\n"
                           "E0,12/08/17,Brighton,Burnley,1,1,2.1,3.2,3.6\n"
                           "E0,19/08/17,Chelsea,Brighton,1,0,2.5,3.3,2.9\n"
                           "E0,19/08/17,Burnley,Arsenal,,,1.9,3.4,4.2\n"
                           "E0,26/08/17,Arsenal,Brighton,3,1,1.3,5.5,9.0\n"),
                  f.messenger);
    const Rows before = fileRows(f.path(), QStringLiteral("Results"));
    // The view's filter hides every match; the import must find them all the same.
    Table &r = f.dm().ADOTableResults;
    r.setFilter(QStringLiteral("Home = 'nobody'"));
    r.setFiltered(true);

    const ImportSummary s = ImportResults(f.dm(),
                                          seasonOf("E0,12/08/17,Arsenal,Chelsea,2,0,1.50,4.00,7\n"
                                                   "E0,12/08/17,Brighton,Burnley,2,1,2.1,3.2,3.6\n"
                                                   "E0,19/08/17,Chelsea,Brighton,1,0,2.5,3.3,2.9\n"
                                                   "E0,19/08/17,Burnley,Arsenal,0,2,2.05,3.5,4.0\n"
                                                   "E0,26/08/17,Arsenal,Brighton,3,1,1.3,5.5,9.0\n"
                                                   "E0,02/09/17,Chelsea,Burnley,,,1.8,3.6,4.4\n"),
                                          f.messenger);
    QCOMPARE(s.added, 1);
    QCOMPARE(s.updated, 2);
    QCOMPARE(s.unchanged, 3);
    QVERIFY(r.filtered());
    QCOMPARE(r.filter(), QStringLiteral("Home = 'nobody'"));

    const Rows after = fileRows(f.path(), QStringLiteral("Results"));
    QCOMPARE(after.size(), 6);
    for (int i : {0, 2, 4})
        QCOMPARE(after[i], before[i]); // untouched
    for (int i : {1, 3})               // edited in place: same ID, teams, date, round, kind and line
        for (const char *c : {"ID", "Home", "Away", "DateP", "Rnd", "MatchT", "UOV"})
            QCOMPARE(after[i][at(c)], before[i][at(c)]);
    QCOMPARE(after[1][at("Result")].toString(), QStringLiteral("2:1"));
    QCOMPARE(after[3][at("Result")].toString(), QStringLiteral("0:2"));
    QCOMPARE(after[3][at("O1")].toString(), QStringLiteral("2.05")); // the newer copy's odds
    QCOMPARE(after[5][at("ID")].toInt(), 5);
    QCOMPARE(after[5][at("Result")].toString(), QStringLiteral(":"));
    verifyStandingsMatchResults(f);
}

void TestResultsImport::refusedRowRollsBackEverything_data()
{
    QTest::addColumn<QByteArray>("badRow");
    QTest::addColumn<QString>("warning");
    QTest::newRow("home equals away") << QByteArray("E0,26/08/17,Arsenal,Arsenal,1,0,,,\n")
                                      << QStringLiteral("Home team cannot equal Away team");
    QTest::newRow("team name too long")
        << QByteArray("E0,26/08/17,Arsenal,A Team Name Of Thirty-One Chars,1,0,,,\n") << QString();
}

void TestResultsImport::refusedRowRollsBackEverything()
{
    QFETCH(QByteArray, badRow);
    QFETCH(QString, warning);
    LeagueFixture f(QStringLiteral("Football (Soccer)"),
                    {QStringLiteral("Chelsea"), QStringLiteral("Everton")});
    QVERIFY(f.addMatch(QStringLiteral("Chelsea"), QStringLiteral("Everton"), 1, 0));
    const Rows fileTeams = fileRows(f.path(), QStringLiteral("Teams"));
    const Rows fileResults = fileRows(f.path(), QStringLiteral("Results"));
    const Rows teams = datasetRows(f.dm().ADOTableTeams);
    const Rows results = datasetRows(f.dm().ADOTableResults);

    const CsvSeason season = seasonOf("E0,12/08/17,Arsenal,Chelsea,2,0,1.50,4.00,7\n"
                                      "E0,12/08/17,Everton,Brighton,1,1,2.1,3.2,3.6\n" +
                                      badRow);
    try {
        ImportResults(f.dm(), season, f.messenger);
        QFAIL("the import went through");
    } catch (const CsvImportError &e) {
        QCOMPARE(e.line, 4);
        QVERIFY2(e.message().startsWith(QStringLiteral("Line 4: ")), qPrintable(e.message()));
    }
    if (!warning.isEmpty())
        QCOMPARE(f.messenger.texts(), QStringList{warning});
    QCOMPARE(fileRows(f.path(), QStringLiteral("Teams")), fileTeams);
    QCOMPARE(fileRows(f.path(), QStringLiteral("Results")), fileResults);
    QCOMPARE(datasetRows(f.dm().ADOTableTeams), teams);
    QCOMPARE(datasetRows(f.dm().ADOTableResults), results);
    QCOMPARE(f.dm().ADOConnection.transactionDepth(), 0);
}

// A UTF-8 season file with one stray byte (a no-break space of a spreadsheet in the referee's
// name) still names the league's own teams.
void TestResultsImport::strayByteMakesNoNewTeams()
{
    const QString nimes = QStringLiteral("N\u00EEmes"), sete = QStringLiteral("S\u00E8te");
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {nimes, sete});
    const CsvSeason season = readResultsCsv("Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,Referee\r\n"
                                            "F1,01/08/14,N\xC3\xAEmes,S\xC3\xA8te,1,0,A\xA0Rennie\r\n"
                                            "F1,08/08/14,S\xC3\xA8te,N\xC3\xAEmes,2,2,\r\n");
    const ImportSummary s = ImportResults(f.dm(), season, f.messenger);
    QCOMPARE(s.teamsAdded, 0);
    QCOMPARE(s.added, 2);
    QCOMPARE(storedTeams(f.path()), QStringList({nimes, sete}));
    QCOMPARE(f.team(nimes, QStringLiteral("TP")), 2);
}

// The command line loads only the stored matches of the file's days: a match already stored is still
// found, and new IDs still follow the largest of the whole league.
void TestResultsImport::onlyTheSeasonsDaysLoaded()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"),
                    {QStringLiteral("Chelsea"), QStringLiteral("Everton")});
    QVERIFY(
        f.addMatch(QStringLiteral("Chelsea"), QStringLiteral("Everton"), 1, 0, false, QDate(2017, 8, 12)));
    QVERIFY(f.addMatch(QStringLiteral("Everton"), QStringLiteral("Chelsea"), 2, 2, false, QDate(2020, 1, 1)));
    const CsvSeason season = seasonOf("E0,12/08/17,chelsea,EVERTON,1,0,,,\n"
                                      "E0,19/08/17,Everton,Arsenal,3,0,,,\n");
    f.reopen();
    openResultsOfSeason(f.dm(), season);
    QCOMPARE(f.dm().ADOTableResults.recordCount(), 1);
    const ImportSummary s = ImportResults(f.dm(), season, f.messenger);
    QCOMPARE(s.unchanged, 1);
    QCOMPARE(s.added, 1);
    const Rows rows = fileRows(f.path(), QStringLiteral("Results"));
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[2][at("ID")].toInt(), 2);
    QCOMPARE(rows[2][at("Home")].toString(), QStringLiteral("Everton"));
    verifyStandingsMatchResults(f);
}

// A write the file system refuses is told as such, with the file, not as a fault of the row that
// happened to be written; nothing of the import stays.
void TestResultsImport::fullDiskNamesTheFileNotARow()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"),
                    {QStringLiteral("Chelsea"), QStringLiteral("Everton")});
    QVERIFY(f.addMatch(QStringLiteral("Chelsea"), QStringLiteral("Everton"), 1, 0));
    const Rows fileResults = fileRows(f.path(), QStringLiteral("Results"));
    QByteArray rows;
    for (int day = 0; day < 400; ++day)
        rows += QStringLiteral("E0,%1,Team %2,Team %3,1,0,2.1,3.2,3.6\n")
                    .arg(QDate(2017, 8, 1).addDays(day).toString(QStringLiteral("dd/MM/yyyy")))
                    .arg(2 * day)
                    .arg(2 * day + 1)
                    .toUtf8();
    Database &db = f.dm().ADOConnection;
    // The file may grow by a few pages only: the engine then reports it as a full disk.
    db.execute(QStringLiteral("PRAGMA max_page_count = %1")
                   .arg(db.scalar(QStringLiteral("PRAGMA page_count")).toInt() + 2));
    try {
        ImportResults(f.dm(), seasonOf(rows), f.messenger);
        QFAIL("the import went through");
    } catch (const WriteError &e) {
        QVERIFY2(!e.message().startsWith(QStringLiteral("Line")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("disk full")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(QFileInfo(f.path()).absoluteFilePath())),
                 qPrintable(e.message()));
    }
    QCOMPARE(fileRows(f.path(), QStringLiteral("Results")), fileResults);
    QCOMPARE(f.dm().ADOConnection.transactionDepth(), 0);
}

void TestResultsImport::oddsInCommaLocale()
{
    const QByteArray rows = "E0,12/08/17,Arsenal,Chelsea,2,0,2.10,3.4,7\n"
                            "E0,19/08/17,Chelsea,Arsenal,,,2.5,3.3,2.9\n";
    LeagueFixture dot;
    ImportResults(dot.dm(), seasonOf(rows), dot.messenger);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    LeagueFixture comma;
    ImportResults(comma.dm(), seasonOf(rows), comma.messenger);
    QVERIFY2(comma.messenger.texts().isEmpty(), qPrintable(comma.messenger.texts().join(QLatin1Char('\n'))));

    Table &r = comma.dm().ADOTableResults;
    r.first();
    QCOMPARE(r.field(QStringLiteral("O1")).asString(), QStringLiteral("2,10"));
    QCOMPARE(r.field(QStringLiteral("OX")).asString(), QStringLiteral("3,4"));
    QCOMPARE(r.field(QStringLiteral("O2")).asString(), QStringLiteral("7,00"));
    dot.dm().ADOTableResults.first();
    QCOMPARE(r.field(QStringLiteral("Retrn")).asFloat(),
             dot.dm().ADOTableResults.field(QStringLiteral("Retrn")).asFloat());
    r.last();
    QCOMPARE(r.field(QStringLiteral("UOP")).asString(), QStringLiteral("2,5")); // the fixture's line
    QCOMPARE(r.field(QStringLiteral("UOV")).asFloat(), 2.5);
}

void TestResultsImport::realSeason()
{
    const QString path = QStringLiteral(QUORVANE_TEST_DATA "/football-data/E0_2017-2018.csv");
    if (!QFile::exists(path))
        QSKIP("The real season file is not here.");

    // The points each team earned, straight from the file.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    const QList<QByteArray> header = lines[0].trimmed().split(',');
    const auto col = [&](const char *name) { return header.indexOf(QByteArray(name)); };
    QHash<QString, int> points;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].trimmed().split(',');
        if (fields.size() < header.size() || fields[col("HomeTeam")].isEmpty())
            continue;
        const int hg = fields[col("FTHG")].toInt(), ag = fields[col("FTAG")].toInt();
        const QString home = QString::fromUtf8(fields[col("HomeTeam")]);
        const QString away = QString::fromUtf8(fields[col("AwayTeam")]);
        points[home] += hg > ag ? 3 : hg == ag ? 1 : 0;
        points[away] += ag > hg ? 3 : hg == ag ? 1 : 0;
    }

    LeagueFixture f;
    const ImportSummary s = ImportResults(f.dm(), readResultsCsvFile(path), f.messenger);
    QCOMPARE(s.added, 380);
    QCOMPARE(s.teamsAdded, 20);
    QCOMPARE(points.size(), 20);
    for (auto it = points.cbegin(); it != points.cend(); ++it) {
        QCOMPARE(f.team(it.key(), QStringLiteral("TP")), 38);
        QCOMPARE(f.team(it.key(), QStringLiteral("TPts")), it.value());
    }
    QCOMPARE(ImportResults(f.dm(), readResultsCsvFile(path), f.messenger).unchanged, 380);
}

QTEST_GUILESS_MAIN(TestResultsImport)
#include "tst_resultsimport.moc"
