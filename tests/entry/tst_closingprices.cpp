// The closing prices of season files: which columns give them, how an import keeps them beside the
// matches, and how deleting or editing a match keeps them consistent.

#include "data/ClosingPrices.h"
#include "data/Database.h"
#include "data/LeagueSchema.h"
#include "entry/MatchEntry.h"
#include "entry/ResultsCsv.h"
#include "entry/ResultsImport.h"
#include "support/LeagueFixture.h"

#include <QFile>
#include <QTest>

namespace
{
// Two bookmakers with opening and closing prices, and the market's best closing price.
const QByteArray kFile = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A,PSH,PSD,PSA,"
                         "B365CH,B365CD,B365CA,PSCH,PSCD,PSCA,MaxCH,MaxCD,MaxCA\n"
                         "E0,12/08/17,Arsenal,Chelsea,2,0,1.50,4.00,7.00,1.55,4.10,6.50,"
                         "1.40,4.50,8.00,1.45,4.40,8.50,1.60,4.60,9.00\n"
                         "E0,12/08/17,Brighton,Burnley,1,1,2.10,3.20,3.60,2.00,3.30,3.70,"
                         "2.20,,3.40,2.25,3.10,3.30,2.30,3.40,3.80\n"
                         "E0,19/08/17,Chelsea,Brighton,,,2.50,3.30,2.90,2.60,3.20,2.80,"
                         ",,,,,,,,\n";

QHash<qint64, ClosingPriceSet> stored(const QString &path)
{
    Database db;
    db.open(path);
    return ClosingPrices::readAll(db);
}
} // namespace

class TestClosingPrices : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }
    void columnsOfTheChosenBookmaker_data();
    void columnsOfTheChosenBookmaker();
    void importKeepsThemByMatchId();
    void fileWithoutThemLeavesTheLeagueAsItWas();
    void deleteAndEditKeepThemConsistent();
    void realSeasonHasThem();
};

void TestClosingPrices::columnsOfTheChosenBookmaker_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("bookmaker");
    QTest::addColumn<QList<double>>("first");
    QTest::addColumn<QList<double>>("second");
    QTest::newRow("one bookmaker") << kFile << QStringLiteral("B365") << QList<double>{1.40, 4.50, 8.00}
                                   << QList<double>{2.20, 0, 3.40};
    // "best" takes the highest closing price of the bookmakers it takes its prices from.
    QTest::newRow("best") << kFile << QStringLiteral("best") << QList<double>{1.45, 4.50, 8.50}
                          << QList<double>{2.25, 3.10, 3.40};
    const QByteArray maxOnly = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A,MaxCH,MaxCD,MaxCA\n"
                               "E0,12/08/17,Arsenal,Chelsea,2,0,1.50,4.00,7.00,1.60,4.60,9.00\n"
                               "E0,12/08/17,Brighton,Burnley,1,1,2.10,3.20,3.60,2.30,3.40,3.80\n";
    QTest::newRow("best, the market's only")
        << maxOnly << QStringLiteral("best") << QList<double>{1.60, 4.60, 9.00}
        << QList<double>{2.30, 3.40, 3.80};
    QTest::newRow("one bookmaker without closing")
        << maxOnly << QStringLiteral("B365") << QList<double>{0, 0, 0} << QList<double>{0, 0, 0};
}

void TestClosingPrices::columnsOfTheChosenBookmaker()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, bookmaker);
    QFETCH(QList<double>, first);
    QFETCH(QList<double>, second);
    const CsvSeason season = readResultsCsv(file, bookmaker);
    // Closing columns are never bookmakers of their own.
    QVERIFY(!season.bookmakers.contains(QStringLiteral("B365C")));
    QVERIFY(!season.bookmakers.contains(QStringLiteral("MaxC")));
    for (int o = 0; o < 3; ++o) {
        QCOMPARE(season.matches[0].closing[o], first[o]);
        QCOMPARE(season.matches[1].closing[o], second[o]);
    }
}

void TestClosingPrices::importKeepsThemByMatchId()
{
    LeagueFixture f;
    ImportResults(f.dm(), readResultsCsv(kFile, QStringLiteral("PS")), f.messenger);
    QHash<qint64, ClosingPriceSet> prices = stored(f.path());
    QCOMPARE(prices.size(), 2); // the fixture has none
    QCOMPARE(prices.value(0), (ClosingPriceSet{1.45, 4.40, 8.50}));
    QCOMPARE(prices.value(1), (ClosingPriceSet{2.25, 3.10, 3.30}));
    // Results keeps exactly its columns.
    Database db;
    db.open(f.path());
    QCOMPARE(db.tableColumns(QStringLiteral("Results")).size(), LeagueSchema::resultsColumns().size());

    // A later copy of the file, now with the fixture played and closed: its prices join, the others
    // are replaced by the newer file's.
    QByteArray later = kFile;
    later.replace("E0,19/08/17,Chelsea,Brighton,,,2.50,3.30,2.90,2.60,3.20,2.80,,,,,,,,,",
                  "E0,19/08/17,Chelsea,Brighton,1,0,2.50,3.30,2.90,2.60,3.20,2.80,,,,2.40,3.30,3.00,,,");
    later.replace("1.45,4.40,8.50", "1.44,4.40,8.50");
    const ImportSummary s = ImportResults(f.dm(), readResultsCsv(later, QStringLiteral("PS")), f.messenger);
    QCOMPARE(s.updated, 1);
    QCOMPARE(s.unchanged, 2);
    prices = stored(f.path());
    QCOMPARE(prices.size(), 3);
    QCOMPARE(prices.value(0)[0], 1.44);
    QCOMPARE(prices.value(2), (ClosingPriceSet{2.40, 3.30, 3.00}));
}

void TestClosingPrices::fileWithoutThemLeavesTheLeagueAsItWas()
{
    LeagueFixture f;
    ImportResults(f.dm(),
                  readResultsCsv("Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A\n"
                                 "E0,12/08/17,Arsenal,Chelsea,2,0,1.50,4.00,7.00\n"),
                  f.messenger);
    Database db;
    db.open(f.path());
    QVERIFY(!ClosingPrices::exists(db)); // no table made for nothing
    QVERIFY(ClosingPrices::readAll(db).isEmpty());
    LeagueSchema::check(db);
}

void TestClosingPrices::deleteAndEditKeepThemConsistent()
{
    LeagueFixture f;
    ImportResults(f.dm(), readResultsCsv(kFile, QStringLiteral("B365")), f.messenger);
    QCOMPARE(stored(f.path()).size(), 2);
    Table &results = f.dm().ADOTableResults;

    // A new score for the same fixture keeps its closing prices.
    QVERIFY(results.locate(QStringLiteral("ID"), {0}));
    MatchEntryInput in =
        f.input(QStringLiteral("Arsenal"), QStringLiteral("Chelsea"), 3, 0, false, QDate(2017, 8, 12));
    in.mode = MatchEntryMode::Edit;
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    QVERIFY(stored(f.path()).contains(0));
    // Another day makes it another fixture: its prices go.
    QVERIFY(results.locate(QStringLiteral("ID"), {0}));
    in = f.input(QStringLiteral("Arsenal"), QStringLiteral("Chelsea"), 3, 0, false, QDate(2017, 8, 13));
    in.mode = MatchEntryMode::Edit;
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    QVERIFY(!stored(f.path()).contains(0));

    // Deleting a match deletes its prices with it; the other match keeps its own.
    QVERIFY(results.locate(QStringLiteral("ID"), {1}));
    results.deleteRecord();
    QVERIFY(stored(f.path()).isEmpty());
    QCOMPARE(results.recordCount(), 2);
}

void TestClosingPrices::realSeasonHasThem()
{
    const QString path = QStringLiteral(QUORVANE_TEST_DATA "/football-data/F1_2023-2024.csv");
    if (!QFile::exists(path))
        QSKIP("The real season file is not here.");
    const CsvSeason season = readResultsCsvFile(path, QStringLiteral("B365"));
    int closed = 0;
    for (const CsvMatch &m : season.matches)
        closed += m.closing[0] > 1 && m.closing[1] > 1 && m.closing[2] > 1;
    QVERIFY2(closed > season.matches.size() * 9 / 10, qPrintable(QString::number(closed)));
    LeagueFixture f;
    ImportResults(f.dm(), season, f.messenger);
    QCOMPARE(stored(f.path()).size(), closed);
}

QTEST_GUILESS_MAIN(TestClosingPrices)
#include "tst_closingprices.moc"
