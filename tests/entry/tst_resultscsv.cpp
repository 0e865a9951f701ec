// Reading season files in the common football results layout: decoding, row shapes, dates,
// unreadable rows, bookmaker columns, price choice, odds texts and match days; then every real
// season file of the test data when it is present.

#include "entry/Odds.h"
#include "entry/ResultsCsv.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace
{

const QByteArray BasicHeader = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG";

QByteArray csv(const QList<QByteArray> &lines, const QByteArray &lineEnd = "\r\n")
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + lineEnd;
    return bytes;
}

QStringList strings(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list << QString::fromUtf8(item);
    return list;
}

QStringList oddsOf(const CsvMatch &m)
{
    return {m.odds[0], m.odds[1], m.odds[2]};
}

QStringList bookmakersOf(const CsvMatch &m)
{
    return {m.bookmakers[0], m.bookmakers[1], m.bookmakers[2]};
}

// The UTF-8 text as UTF-16 with its byte-order mark.
QByteArray utf16(const QByteArray &utf8, bool littleEndian)
{
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const QChar c : QString::fromUtf8(utf8)) {
        const char low = char(c.unicode() & 0xFF), high = char(c.unicode() >> 8);
        bytes += littleEndian ? QByteArray{&low, 1} + QByteArray{&high, 1}
                              : QByteArray{&high, 1} + QByteArray{&low, 1};
    }
    return bytes;
}

QString dataDir()
{
    return QStringLiteral(QUORVANE_TEST_DATA "/football-data");
}

} // namespace

class TestResultsCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decoding_data();
    void decoding();
    void strayBytesKeepTheirNeighbours();
    void rowShapes();
    void alternativeColumnNames();
    void dates_data();
    void dates();
    void fixtures();
    void unreadableRows_data();
    void unreadableRows();
    void missingColumns_data();
    void missingColumns();
    void bookmakerColumns_data();
    void bookmakerColumns();
    void prices_data();
    void prices();
    void unknownBookmaker_data();
    void unknownBookmaker();
    void oddsTexts_data();
    void oddsTexts();
    void eitherDecimalMark_data();
    void eitherDecimalMark();
    void longPrices_data();
    void longPrices();
    void rounds_data();
    void rounds();
    void roundsStopAt999();
    void readsFiles();
    void realSeasons_data();
    void realSeasons();
    void realRows_data();
    void realRows();
};

// --- Decoding and row shapes ---------------------------------------------------------------------

void TestResultsCsv::decoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("home");

    // Date first, so a BOM left on the first header name would hide the Date column; the away
    // price ends each line, where stray CRs would sit.
    const QByteArray header = "Date,HomeTeam,AwayTeam,FTHG,FTAG,Referee,B365H,B365D,B365A";
    const QByteArray nimesUtf8 = "N\xC3\xAEmes";
    QTest::newRow("UTF-8 with BOM, CR CR LF")
        << "\xEF\xBB\xBF" +
               csv({header, "01/08/14," + nimesUtf8 + ",Lyon,1,0,,2,3,4", "02/08/14,Lens,Metz,0,0,,2,3,4"},
                   "\r\r\n")
        << QStringLiteral("N\u00EEmes");
    QTest::newRow("UTF-8 without BOM, LF")
        << csv({header, "01/08/14," + nimesUtf8 + ",Lyon,1,0,,2,3,4", "02/08/14,Lens,Metz,0,0,,2,3,4"}, "\n")
        << QStringLiteral("N\u00EEmes");
    QTest::newRow("Windows-1252, no-break space and euro sign in another column")
        << csv({header, "01/08/04,N\xEEmes,Lyon,1,0,\xA0U Rennie,2,3,4", "02/08/04,Lens,Metz,0,0,\x80,2,3,4"})
        << QStringLiteral("N\u00EEmes");
    QTest::newRow("Windows-1252 letter of 0x80-0x9F")
        << csv({header, "01/08/04,\x8Aibenik,Lyon,1,0,,2,3,4", "02/08/04,Lens,Metz,0,0,,2,3,4"})
        << QStringLiteral("\u0160ibenik");
    QTest::newRow("BOM, then Windows-1252")
        << "\xEF\xBB\xBF" +
               csv({header, "01/08/04,N\xEEmes,Lyon,1,0,,2,3,4", "02/08/04,Lens,Metz,0,0,,2,3,4"})
        << QStringLiteral("N\u00EEmes");
    QTest::newRow("CR only, as old Macintosh spreadsheets end lines")
        << csv({header, "01/08/14," + nimesUtf8 + ",Lyon,1,0,,2,3,4", "02/08/14,Lens,Metz,0,0,,2,3,4"}, "\r")
        << QStringLiteral("N\u00EEmes");
    QTest::newRow("a lone CR between two CRLF rows")
        << header + "\r\n01/08/14,Lille,Lyon,1,0,,2,3,4\r02/08/14,Lens,Metz,0,0,,2,3,4\r\n"
        << QStringLiteral("Lille");
    QTest::newRow("UTF-8 with a stray no-break space on the name's line")
        << csv({header, "01/08/14," + nimesUtf8 + ",Lyon,1,0,\xA0U Rennie,2,3,4",
                "02/08/14,Lens,Metz,0,0,,2,3,4"})
        << QStringLiteral("N\u00EEmes");
    QTest::newRow("UTF-8 with a stray Windows-1252 letter in a name")
        << csv({header, "01/08/14,N\xEEmes,Lyon,1,0,,2,3,4",
                "02/08/14," + nimesUtf8 + ",Metz,0,0,\x80,2,3,4"})
        << QStringLiteral("N\u00EEmes");
    QTest::newRow("UTF-16LE with BOM")
        << utf16(csv({header, "01/08/14,N\u00EEmes,Lyon,1,0,,2,3,4", "02/08/14,Lens,Metz,0,0,,2,3,4"}), true)
        << QStringLiteral("N\u00EEmes");
    QTest::newRow("UTF-16BE with BOM")
        << utf16(csv({header, "01/08/14,N\u00EEmes,Lyon,1,0,,2,3,4", "02/08/14,Lens,Metz,0,0,,2,3,4"}), false)
        << QStringLiteral("N\u00EEmes");
    QTest::newRow("separated by semicolons")
        << csv({"Date;HomeTeam;AwayTeam;FTHG;FTAG;Referee;B365H;B365D;B365A",
                "01/08/14;" + nimesUtf8 + ";Lyon;1;0;;2;3;4", "02/08/14;Lens;Metz;0;0;\"A, B\";2;3;4"})
        << QStringLiteral("N\u00EEmes");
    QTest::newRow("UTF-8 with BOM, CRLF, ASCII names")
        << "\xEF\xBB\xBF" + csv({header, "01/08/14,Lille,Lyon,1,0,,2,3,4", "02/08/14,Lens,Metz,0,0,,2,3,4"})
        << QStringLiteral("Lille");
}

void TestResultsCsv::decoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, home);

    const CsvSeason season = readResultsCsv(bytes, QStringLiteral("best"), QLocale::c());
    QCOMPARE(season.matches.size(), 2);
    QCOMPARE(season.matches.at(0).home, home);
    QCOMPARE(season.matches.at(0).line, 2);
    QCOMPARE(season.matches.at(1).line, 3);
    QCOMPARE(oddsOf(season.matches.at(1)), strings({"2.00", "3.00", "4.00"}));
}

// One mistyped byte must not turn every accented name of a UTF-8 file into two letters; a file
// without any UTF-8 sequence keeps reading as Windows-1252.
void TestResultsCsv::strayBytesKeepTheirNeighbours()
{
    const QByteArray header = "Date,HomeTeam,AwayTeam,FTHG,FTAG,Referee";
    const CsvSeason mixed = readResultsCsv(csv(
        {header, "01/08/14,N\xC3\xAEmes,Montb\xE9liard,1,0,A\xA0Rennie", "02/08/14,S\xC3\xA8te,Metz,0,0,"}));
    QCOMPARE(mixed.matches.at(0).home, QStringLiteral("N\u00EEmes"));
    QCOMPARE(mixed.matches.at(0).away, QStringLiteral("Montb\u00E9liard"));
    QCOMPARE(mixed.matches.at(1).home, QStringLiteral("S\u00E8te"));

    // A sequence cut short by the line end, an overlong form and a surrogate are stray bytes too.
    const CsvSeason broken = readResultsCsv(
        csv({header, "01/08/14,N\xC3\xAEmes,\xC0\xAFLyon,1,0,", "02/08/14,\xED\xA0\x80Lens,Metz,0,0,\xC3"},
            "\n"));
    QCOMPARE(broken.matches.at(0).away, QStringLiteral("\u00C0\u00AFLyon"));
    QCOMPARE(broken.matches.at(1).home, QStringLiteral("\u00ED\u00A0\u20ACLens"));

    const CsvSeason windows = readResultsCsv(csv({header, "01/08/04,N\xEEmes,Lyon,1,0,\xC3\x20"}));
    QCOMPARE(windows.matches.at(0).home, QStringLiteral("N\u00EEmes"));
}

void TestResultsCsv::rowShapes()
{
    const QByteArray bytes = csv({
        "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,FTR,Referee,GBH,GBD,GBA,,",
        "E0,18/08/01,Charlton,Everton,1,2,A,\"Wiley, A. G.\",2.1,2.9,3.25", // 2: quoted comma
        "E0,19/08/01,Derby,Blackburn,2,1",                                  // 3: short row
        "E0,19/08/01,Leeds,Southampton,2,0,H,X,1.4,3.6,5.5,,,,,,,,,,",      // 4: over-long row
        ",,,,,,,,,,,,",                                                     // 5: bare commas
        "",                                                                 // 6: blank
        " , ,\"\"",                                                         // 7: nothing but spaces
        "E0,20/08/01,\"Nott\"\"m Forest\",Wolves,0,0,D,,1.9,3,4",           // 8: doubled quote
        "E0,20/08/01,  Arsenal , Chelsea\t,3,3,D,\"\",,,",                  // 9: padded names
        ",,,,,,,,,,,,",
    });
    const CsvSeason season = readResultsCsv(bytes, QStringLiteral("best"), QLocale::c());
    QCOMPARE(season.matches.size(), 5);

    QList<int> lines;
    for (const CsvMatch &m : season.matches)
        lines << m.line;
    QCOMPARE(lines, QList<int>({2, 3, 4, 8, 9}));

    const CsvMatch &quoted = season.matches.at(0);
    QCOMPARE(oddsOf(quoted), strings({"2.1", "2.9", "3.25"}));
    QCOMPARE(bookmakersOf(quoted), strings({"GB", "GB", "GB"}));

    const CsvMatch &shortRow = season.matches.at(1);
    QVERIFY(shortRow.played);
    QCOMPARE(shortRow.homeGoals, 2);
    QCOMPARE(shortRow.awayGoals, 1);
    QCOMPARE(oddsOf(shortRow), strings({"-", "-", "-"}));

    QCOMPARE(oddsOf(season.matches.at(2)), strings({"1.4", "3.6", "5.5"}));
    QCOMPARE(season.matches.at(3).home, QStringLiteral("Nott\"m Forest"));
    QCOMPARE(season.matches.at(4).home, QStringLiteral("Arsenal"));
    QCOMPARE(season.matches.at(4).away, QStringLiteral("Chelsea"));
    QCOMPARE(season.matches.at(4).homeGoals, 3);
}

void TestResultsCsv::alternativeColumnNames()
{
    const CsvSeason season =
        readResultsCsv(csv({"Country,League,Season,Date,Time,Home,Away,HG,AG,Res",
                            "Brazil,Serie A,2012,19/05/2012,22:30,Palmeiras,Portuguesa,1,1,D"}));
    QCOMPARE(season.matches.size(), 1);
    const CsvMatch &m = season.matches.at(0);
    QCOMPARE(m.date, QDate(2012, 5, 19));
    QCOMPARE(m.home, QStringLiteral("Palmeiras"));
    QCOMPARE(m.away, QStringLiteral("Portuguesa"));
    QCOMPARE(m.homeGoals, 1);
    QCOMPARE(m.awayGoals, 1);
}

// --- Dates, fixtures and unreadable rows -----------------------------------------------------------

void TestResultsCsv::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");

    QTest::newRow("49 is 2049") << "14/08/49" << QDate(2049, 8, 14);
    QTest::newRow("50 is 1950") << "14/08/50" << QDate(1950, 8, 14);
    QTest::newRow("00 is 2000") << "01/01/00" << QDate(2000, 1, 1);
    QTest::newRow("99 is 1999") << "31/12/99" << QDate(1999, 12, 31);
    QTest::newRow("93 is 1993") << "14/08/93" << QDate(1993, 8, 14);
    QTest::newRow("four-digit year") << "09/08/2019" << QDate(2019, 8, 9);
    QTest::newRow("the first season of league history") << "08/09/1888" << QDate(1888, 9, 8);
    QTest::newRow("the first year") << "01/01/1850" << QDate(1850, 1, 1);
    QTest::newRow("the last year") << "31/12/2100" << QDate(2100, 12, 31);
    QTest::newRow("leap day") << "29/02/2004" << QDate(2004, 2, 29);
    QTest::newRow("one-digit day and month") << "1/2/03" << QDate(2003, 2, 1);
    QTest::newRow("padded") << " 17/05/2024 " << QDate(2024, 5, 17);
}

void TestResultsCsv::dates()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);

    const CsvSeason season = readResultsCsv(csv({BasicHeader, "E0," + text.toUtf8() + ",A,B,1,0"}));
    QCOMPARE(season.matches.size(), 1);
    QCOMPARE(season.matches.at(0).date, date);
}

void TestResultsCsv::fixtures()
{
    const CsvSeason season =
        readResultsCsv(csv({BasicHeader + ",B365H,B365D,B365A", "E0,01/05/24,A,B,2,0,1.5,4,6",
                            "E0,08/05/24,B,A,,,2.2,3.1,3"}),
                       QStringLiteral("best"), QLocale::c());
    QCOMPARE(season.matches.size(), 2);
    QVERIFY(season.matches.at(0).played);
    const CsvMatch &fixture = season.matches.at(1);
    QVERIFY(!fixture.played);
    QCOMPARE(fixture.homeGoals, -1);
    QCOMPARE(fixture.awayGoals, -1);
    QCOMPARE(fixture.date, QDate(2024, 5, 8));
    QCOMPARE(oddsOf(fixture), strings({"2.2", "3.1", "3.00"}));
}

void TestResultsCsv::unreadableRows_data()
{
    QTest::addColumn<QList<QByteArray>>("rows");
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");

    const QByteArray good = "E0,01/02/05,A,B,1,0";
    QTest::newRow("no date") << QList<QByteArray>{"E0,,A,B,1,0"} << QByteArray("\r\n") << 2
                             << "Line 2: no date.";
    QTest::newRow("31 February, after a blank line")
        << QList<QByteArray>{good, "", "E0,31/02/05,C,D,1,0"} << QByteArray("\r\n") << 4
        << "Line 4: the date '31/02/05' does not exist.";
    QTest::newRow("no 29 February 2100") << QList<QByteArray>{"E0,29/02/2100,C,D,1,0"} << QByteArray("\n")
                                         << 2 << "Line 2: the date '29/02/2100' does not exist.";
    QTest::newRow("month 13") << QList<QByteArray>{"E0,01/13/05,C,D,1,0"} << QByteArray("\n") << 2
                              << "Line 2: the date '01/13/05' does not exist.";
    QTest::newRow("ISO date") << QList<QByteArray>{"E0,2005-02-01,C,D,1,0"} << QByteArray("\n") << 2
                              << "Line 2: the date '2005-02-01' is not written dd/mm/yy or dd/mm/yyyy.";
    QTest::newRow("score x, after bare commas, CR CR LF")
        << QList<QByteArray>{good, ",,,,,", "E0,01/02/05,C,D,x,0"} << QByteArray("\r\r\n") << 4
        << "Line 4: the score 'x' is not a whole number.";
    QTest::newRow("fractional score") << QList<QByteArray>{"E0,01/02/05,C,D,1,1.5"} << QByteArray("\r\n") << 2
                                      << "Line 2: the score '1.5' is not a whole number.";
    QTest::newRow("negative score") << QList<QByteArray>{"E0,01/02/05,C,D,-1,0"} << QByteArray("\r\n") << 2
                                    << "Line 2: the score '-1' is below 0.";
    QTest::newRow("only the away score") << QList<QByteArray>{good, "E0,01/02/05,C,D,,2"}
                                         << QByteArray("\r\n") << 3 << "Line 3: the home score is missing.";
    QTest::newRow("only the home score, short row")
        << QList<QByteArray>{"E0,01/02/05,C,D,2"} << QByteArray("\r\n") << 2
        << "Line 2: the away score is missing.";
    QTest::newRow("no home team") << QList<QByteArray>{"E0,01/02/05,,D,1,0"} << QByteArray("\r\n") << 2
                                  << "Line 2: no home team.";
    QTest::newRow("no away team") << QList<QByteArray>{"E0,01/02/05,C, ,1,0"} << QByteArray("\r\n") << 2
                                  << "Line 2: no away team.";
    QTest::newRow("year before 1850")
        << QList<QByteArray>{good, "E0,31/12/1849,C,D,1,0"} << QByteArray("\r\n") << 3
        << "Line 3: the year of '31/12/1849' lies outside 1850 to 2100.";
    QTest::newRow("year after 2100") << QList<QByteArray>{"E0,08/09/2101,C,D,1,0"} << QByteArray("\r") << 2
                                     << "Line 2: the year of '08/09/2101' lies outside 1850 to 2100.";
    QTest::newRow("a long score is quoted in part")
        << QList<QByteArray>{"E0,01/02/05,C,D," + QByteArray(100, 'x') + ",0"} << QByteArray("\n") << 2
        << QString::fromUtf8("Line 2: the score '") + QString(60, QLatin1Char('x')) +
               QString::fromUtf8("\u2026' is not a whole number.");
}

void TestResultsCsv::unreadableRows()
{
    QFETCH(QList<QByteArray>, rows);
    QFETCH(QByteArray, lineEnd);
    QFETCH(int, line);
    QFETCH(QString, message);

    try {
        readResultsCsv(csv(QList<QByteArray>{BasicHeader} + rows, lineEnd));
        QFAIL("the row was read");
    } catch (const CsvImportError &e) {
        QCOMPARE(e.message(), message);
        QCOMPARE(e.line, line);
    }
}

void TestResultsCsv::missingColumns_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    QTest::newRow("Date") << csv({"Div,Datum,HomeTeam,AwayTeam,FTHG,FTAG", "E0,01/02/05,A,B,1,0"})
                          << "The file has no Date column: the header has 6 columns, "
                             "'Div,Datum,HomeTeam,AwayTeam,FTHG,FTAG'.";
    QTest::newRow("separated by tabs")
        << csv({"Div\tDate\tHomeTeam\tAwayTeam\tFTHG\tFTAG", "E0\t01/02/05\tA\tB\t1\t0"})
        << "The file has no Date column: the header has 1 column; is the file separated by tabs?";
    QTest::newRow("a long header is quoted in part")
        << csv({"Div,Datum,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A,BWH,BWD,BWA,IWH,IWD,IWA"})
        << QString::fromUtf8("The file has no Date column: the header has 15 columns, "
                             "'Div,Datum,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A,BWH,\u2026'.");
    QTest::newRow("HomeTeam") << csv({"Div,Date,Team,AwayTeam,FTHG,FTAG"})
                              << "The file has no HomeTeam column.";
    QTest::newRow("AwayTeam") << csv({"Div,Date,HomeTeam,Away Team,FTHG,FTAG"})
                              << "The file has no AwayTeam column.";
    QTest::newRow("FTHG") << csv({"Div,Date,HomeTeam,AwayTeam,HTHG,FTAG"}) << "The file has no FTHG column.";
    QTest::newRow("FTAG") << csv({"Div,Date,HomeTeam,AwayTeam,FTHG,HTAG"}) << "The file has no FTAG column.";
    QTest::newRow("names in another letter case")
        << csv({"Div,date,HomeTeam,AwayTeam,FTHG,FTAG"})
        << "The file has no Date column: the header has 6 columns, 'Div,date,HomeTeam,AwayTeam,FTHG,FTAG'.";
    QTest::newRow("header only") << csv({BasicHeader})
                                 << "The file has no matches: every row after the header is blank.";
    QTest::newRow("header and blank rows") << csv({BasicHeader, ",,,,,", ""}, "\r")
                                           << "The file has no matches: every row after the header is blank.";
    QTest::newRow("empty file") << QByteArray() << "The file is empty.";
    QTest::newRow("nothing but a BOM and line ends")
        << QByteArray("\xEF\xBB\xBF\r\n\r\n") << "The file is empty.";
}

void TestResultsCsv::missingColumns()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    try {
        readResultsCsv(bytes);
        QFAIL("the file was read");
    } catch (const CsvImportError &e) {
        QCOMPARE(e.message(), message);
        QCOMPARE(e.line, 0);
    }
}

// --- Bookmakers and prices -----------------------------------------------------------------------

void TestResultsCsv::bookmakerColumns_data()
{
    QTest::addColumn<QByteArray>("priceHeader");
    QTest::addColumn<QStringList>("bookmakers");

    QTest::newRow("current layout: aggregates and closing prices left out, VC kept, VCC not")
        << QByteArray("B365H,B365D,B365A,BWH,BWD,BWA,PSH,PSD,PSA,VCH,VCD,VCA,MaxH,MaxD,MaxA,AvgH,AvgD,AvgA,"
                      "B365>2.5,B365<2.5,AHh,B365AHH,B365AHA,B365CH,B365CD,B365CA,PSCH,PSCD,PSCA,"
                      "VCCH,VCCD,VCCA,MaxCH,MaxCD,MaxCA,AvgCH,AvgCD,AvgCA,PCAHH,PCAHA")
        << strings({"B365", "BW", "PS", "VC"});
    QTest::newRow("BetBrain era")
        << QByteArray("SJH,SJD,SJA,PSH,PSD,PSA,Bb1X2,BbMxH,BbAvH,BbMxD,BbAvD,BbMxA,BbAvA,BbAHh,BbMxAHH,"
                      "BbAvAHH,PSCH,PSCD,PSCA")
        << strings({"SJ", "PS"});
    QTest::newRow("a prefix needs all three prices")
        << QByteArray("XXH,XXD,YYD,YYA,GBH,GBD,GBA,GBAHH,GBAHA,GBAH") << strings({"GB"});
    QTest::newRow("VC is closing when V has prices") << QByteArray("VH,VD,VA,VCH,VCD,VCA") << strings({"V"});
    QTest::newRow("a closing price without its opening one is a bookmaker")
        << QByteArray("PSCH,PSCD,PSCA") << strings({"PSC"});
    QTest::newRow("in the order of the columns")
        << QByteArray("WHD,B365H,B365D,B365A,WHH,WHA") << strings({"WH", "B365"});
    QTest::newRow("letter case counts") << QByteArray("b365H,b365D,b365A,IWh,IWd,IWa") << strings({"b365"});
    QTest::newRow("results only") << QByteArray("FTR,,,,") << strings({});
}

void TestResultsCsv::bookmakerColumns()
{
    QFETCH(QByteArray, priceHeader);
    QFETCH(QStringList, bookmakers);

    const CsvSeason season = readResultsCsv(csv({BasicHeader + "," + priceHeader, "E0,01/02/05,A,B,1,0"}));
    QCOMPARE(season.bookmakers, bookmakers);
}

void TestResultsCsv::prices_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QByteArray>("prices");
    QTest::addColumn<QStringList>("odds");
    QTest::addColumn<QStringList>("bookmakers");

    // Column order: B365, BW, Max, PSC, PS.  Max and PSC are not bookmakers: their high prices
    // must never be taken.
    QTest::newRow("best per outcome")
        << "best" << QByteArray("2.1,3.4,3.5, 2.0,3.5,3.6, 9,9,9, 8,8,8, 2.05,3.3,3.8")
        << strings({"2.1", "3.5", "3.8"}) << strings({"B365", "BW", "PS"});
    QTest::newRow("a tie goes to the first columns")
        << "best" << QByteArray("2.1,3.4,3.5, 2.10,3.40,3.6, 9,9,9, 8,8,8, 2.1,3.4,3.60")
        << strings({"2.1", "3.4", "3.6"}) << strings({"B365", "B365", "BW"});
    QTest::newRow("missing and unreadable prices")
        << "best" << QByteArray(",,4, abc,3.3,, 9,9,9, 8,8,8, 0,-3.5,1e1") << strings({"-", "3.3", "4.00"})
        << strings({"", "BW", "B365"});
    QTest::newRow("no prices at all") << "best" << QByteArray(",,, ,,, 9,9,9, 8,8,8, ,,")
                                      << strings({"-", "-", "-"}) << strings({"", "", ""});
    QTest::newRow("one bookmaker, lower prices")
        << "BW" << QByteArray("2.1,3.4,3.5, 2.0,3.3,3.4, 9,9,9, 8,8,8, 2.2,3.5,3.6")
        << strings({"2.0", "3.3", "3.4"}) << strings({"BW", "BW", "BW"});
    QTest::newRow("one bookmaker, some prices missing")
        << "PS" << QByteArray("2.1,3.4,3.5, 2.0,3.3,3.4, 9,9,9, 8,8,8, ,3.5,x") << strings({"-", "3.5", "-"})
        << strings({"", "PS", ""});
}

void TestResultsCsv::prices()
{
    QFETCH(QString, choice);
    QFETCH(QByteArray, prices);
    QFETCH(QStringList, odds);
    QFETCH(QStringList, bookmakers);

    const QByteArray header =
        BasicHeader + ",B365H,B365D,B365A,BWH,BWD,BWA,MaxH,MaxD,MaxA,PSCH,PSCD,PSCA,PSH,PSD,PSA";
    const CsvSeason season =
        readResultsCsv(csv({header, "E0,01/02/05,A,B,1,0," + prices}), choice, QLocale::c());
    QCOMPARE(season.bookmakers, strings({"B365", "BW", "PS"}));
    const CsvMatch &m = season.matches.at(0);
    QCOMPARE(oddsOf(m), odds);
    QCOMPARE(bookmakersOf(m), bookmakers);
    for (const QString &name : bookmakersOf(m))
        QVERIFY2(!name.isNull(), "a missing bookmaker is empty text, not null");
}

void TestResultsCsv::unknownBookmaker_data()
{
    QTest::addColumn<QByteArray>("priceHeader");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("message");

    const QByteArray prices = "B365H,B365D,B365A,BWH,BWD,BWA,MaxH,MaxD,MaxA,PSCH,PSCD,PSCA,PSH,PSD,PSA";
    QTest::newRow("a market aggregate")
        << prices << "Max"
        << "The file has no bookmaker 'Max'; its bookmakers are B365, BW, PS.";
    QTest::newRow("a closing price") << prices << "PSC"
                                     << "The file has no bookmaker 'PSC'; its bookmakers are B365, BW, PS.";
    QTest::newRow("another letter case")
        << prices << "bw"
        << "The file has no bookmaker 'bw'; its bookmakers are B365, BW, PS.";
    QTest::newRow("a file without prices") << QByteArray("FTR") << "B365"
                                           << "The file has no bookmaker 'B365'; it has no bookmaker prices.";
}

void TestResultsCsv::unknownBookmaker()
{
    QFETCH(QByteArray, priceHeader);
    QFETCH(QString, choice);
    QFETCH(QString, message);

    try {
        readResultsCsv(csv({BasicHeader + "," + priceHeader, "E0,01/02/05,A,B,1,0"}), choice);
        QFAIL("the bookmaker was accepted");
    } catch (const CsvImportError &e) {
        QCOMPARE(e.message(), message);
        QCOMPARE(e.line, 0);
    }
}

void TestResultsCsv::oddsTexts_data()
{
    QTest::addColumn<QByteArray>("price");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");

    const QLocale point(QLocale::English, QLocale::UnitedStates);
    const QLocale comma(QLocale::German, QLocale::Germany);
    QTest::newRow("2.1, point") << QByteArray("2.1") << point << "2.1";
    QTest::newRow("2.1, comma") << QByteArray("2.1") << comma << "2,1";
    QTest::newRow("2.10 keeps its digits, comma") << QByteArray("2.10") << comma << "2,10";
    QTest::newRow("whole number, point") << QByteArray("7") << point << "7.00";
    QTest::newRow("whole number, comma") << QByteArray("7") << comma << "7,00";
    QTest::newRow("four-digit whole number, point") << QByteArray("1000") << point << "1000.00";
    QTest::newRow("four-digit whole number, comma") << QByteArray("1000") << comma << "1000,00";
    QTest::newRow("1.001, comma") << QByteArray("1.001") << comma << "1,001";
}

void TestResultsCsv::oddsTexts()
{
    QFETCH(QByteArray, price);
    QFETCH(QLocale, locale);
    QFETCH(QString, text);

    const CsvSeason season =
        readResultsCsv(csv({BasicHeader + ",IWH,IWD,IWA", "E0,01/02/05,A,B,1,0," + price + ",,"}),
                       QStringLiteral("IW"), locale);
    const QString stored = season.matches.at(0).odds[0];
    QCOMPARE(stored, text);
    // The odds rules read the stored text back, in the same locale, as the file's decimal price.
    QCOMPARE(Odds::DetectOddsType(stored), int(Odds::Decimal));
    QCOMPARE(Odds::OddsToDecimal(stored, locale), QString::fromLatin1(price).toDouble());
}

// A file separated by ";" may come from a spreadsheet of a decimal-comma locale or from a script that
// writes "."; a file separated by "," may quote a price with a decimal comma.  Either way the price is
// the same, and its stored text reads back as it in the league's locale.
void TestResultsCsv::eitherDecimalMark_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("odds");
    QTest::addColumn<double>("closingHome");

    const QByteArray semicolons = "Div;Date;HomeTeam;AwayTeam;FTHG;FTAG;PSH;PSD;PSA;PSCH;PSCD;PSCA";
    const QByteArray commas = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,PSH,PSD,PSA,PSCH,PSCD,PSCA";
    const QLocale point(QLocale::English, QLocale::UnitedStates);
    const QLocale comma(QLocale::German, QLocale::Germany);
    QTest::newRow("\";\" and \".\", point")
        << semicolons << QByteArray("E0;01/02/05;A;B;1;0;2.5;3.40;4;2.6;;") << point
        << strings({"2.5", "3.40", "4.00"}) << 2.6;
    QTest::newRow("\";\" and \".\", comma")
        << semicolons << QByteArray("E0;01/02/05;A;B;1;0;2.5;3.40;4;2.6;;") << comma
        << strings({"2,5", "3,40", "4,00"}) << 2.6;
    QTest::newRow("\";\" and \",\", point")
        << semicolons << QByteArray("E0;01/02/05;A;B;1;0;2,5;3,40;4;2,6;;") << point
        << strings({"2.5", "3.40", "4.00"}) << 2.6;
    QTest::newRow("\";\" and both marks in one row, comma")
        << semicolons << QByteArray("E0;01/02/05;A;B;1;0;2.5;3,40;,5;;;") << comma
        << strings({"2,5", "3,40", ",5"}) << 0.0;
    QTest::newRow("\";\" and two marks in one price")
        << semicolons << QByteArray("E0;01/02/05;A;B;1;0;1.5,0;2,5.0;1..5;;;") << point
        << strings({"-", "-", "-"}) << 0.0;
    QTest::newRow("\",\" with a quoted decimal comma")
        << commas << QByteArray("E0,01/02/05,A,B,1,0,\"2,5\",3.4,4,\"2,6\",,") << point
        << strings({"2.5", "3.4", "4.00"}) << 2.6;
}

void TestResultsCsv::eitherDecimalMark()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, row);
    QFETCH(QLocale, locale);
    QFETCH(QStringList, odds);
    QFETCH(double, closingHome);

    const CsvSeason season = readResultsCsv(csv({header, row}), QStringLiteral("best"), locale);
    const CsvMatch &m = season.matches.at(0);
    QCOMPARE(oddsOf(m), odds);
    QCOMPARE(m.closing[0], closingHome);
    for (const QString &text : std::as_const(odds))
        if (text != QLatin1String("-"))
            QCOMPARE(Odds::OddsToDecimal(text, locale),
                     QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble());
}

void TestResultsCsv::longPrices_data()
{
    QTest::addColumn<QByteArray>("prices");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("odds");
    QTest::addColumn<int>("rounded");

    const QLocale c = QLocale::c();
    QTest::newRow("six decimals") << QByteArray("1.909091,3.4,4.333333") << c
                                  << strings({"1.91", "3.4", "4.33"}) << 2;
    QTest::newRow("exactly seven characters kept")
        << QByteArray("1.90909,3.4,101.125") << c << strings({"1.90909", "3.4", "101.125"}) << 0;
    QTest::newRow("half rounds away from zero")
        << QByteArray("2.125000,3.335000,1.00") << c << strings({"2.13", "3.34", "1.00"}) << 2;
    QTest::newRow("comma locale") << QByteArray("1.909091,3.4,4")
                                  << QLocale(QLocale::German, QLocale::Germany)
                                  << strings({"1,91", "3,4", "4,00"}) << 1;
    QTest::newRow("too large even when rounded: refused")
        << QByteArray("10000,3.4,4") << c << strings({"10000.00", "3.4", "4.00"}) << 0;
}

// A file with more decimals than the league stores is stored rounded, not refused; the count of
// rounded prices goes into the import's summary.
void TestResultsCsv::longPrices()
{
    QFETCH(QByteArray, prices);
    QFETCH(QLocale, locale);
    QFETCH(QStringList, odds);
    QFETCH(int, rounded);

    const QByteArray bytes = csv({BasicHeader + ",IWH,IWD,IWA", "E0,01/02/05,A,B,1,0," + prices});
    if (odds.at(0).size() > 7) {
        QVERIFY_THROWS_EXCEPTION(CsvImportError, readResultsCsv(bytes, QStringLiteral("best"), locale));
        return;
    }
    const CsvSeason season = readResultsCsv(bytes, QStringLiteral("best"), locale);
    QCOMPARE(oddsOf(season.matches.at(0)), odds);
    QCOMPARE(season.roundedPrices, rounded);
}

// --- Match days ----------------------------------------------------------------------------------

void TestResultsCsv::rounds_data()
{
    QTest::addColumn<QList<QByteArray>>("rows");
    QTest::addColumn<QList<int>>("rounds");

    QTest::newRow("a team seen again starts a round")
        << QList<QByteArray>{"A,B,1,0", "C,D,1,0", "A,C,1,0", "B,D,1,0", "D,A,1,0"}
        << QList<int>{1, 1, 2, 2, 3};
    QTest::newRow("the away team counts too") << QList<QByteArray>{"A,B,1,0", "C,A,1,0"} << QList<int>{1, 2};
    QTest::newRow("letter case ignored")
        << QList<QByteArray>{"Arsenal,Chelsea,1,0", "Leeds,ARSENAL,1,0", "Chelsea,Wolves,1,0"}
        << QList<int>{1, 2, 2};
    QTest::newRow("fixtures take part")
        << QList<QByteArray>{"A,B,1,0", "C,D,,", "C,A,,", "B,D,,"} << QList<int>{1, 1, 2, 2};
    // B-D of the second day is played after the third: it gets the third, not a round of its own.
    QTest::newRow("a postponed match stays near its place")
        << QList<QByteArray>{"A,B,1,0", "C,D,1,0", "A,C,1,0", "D,A,1,0", "B,C,1,0", "B,D,1,0"}
        << QList<int>{1, 1, 2, 3, 3, 3};
    QTest::newRow("the busier team decides")
        << QList<QByteArray>{"A,B,1,0", "A,C,1,0", "A,D,1,0", "C,D,1,0", "B,A,1,0"}
        << QList<int>{1, 2, 3, 2, 4};
}

void TestResultsCsv::rounds()
{
    QFETCH(QList<QByteArray>, rows);
    QFETCH(QList<int>, rounds);

    QList<QByteArray> lines{BasicHeader};
    for (const QByteArray &row : rows)
        lines << "E0,01/02/05," + row;
    QList<int> got;
    for (const CsvMatch &m : readResultsCsv(csv(lines)).matches)
        got << m.round;
    QCOMPARE(got, rounds);
}

void TestResultsCsv::roundsStopAt999()
{
    QList<QByteArray> lines{BasicHeader};
    for (int i = 0; i < 1001; ++i)
        lines << "E0,01/02/05,A,B,1,0";
    const QList<CsvMatch> matches = readResultsCsv(csv(lines)).matches;
    QCOMPARE(matches.size(), 1001);
    QCOMPARE(matches.at(997).round, 998);
    QCOMPARE(matches.at(998).round, 999);
    QCOMPARE(matches.at(999).round, 999);
    QCOMPARE(matches.at(1000).round, 999);
}

// --- Files ---------------------------------------------------------------------------------------

void TestResultsCsv::readsFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("season.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(csv({BasicHeader + ",WHH,WHD,WHA", "E0,01/02/05,A,B,1,0,1.5,4,7"}));
    file.close();

    const CsvSeason season = readResultsCsvFile(path, QStringLiteral("WH"), QLocale::c());
    QCOMPARE(season.matches.size(), 1);
    QCOMPARE(oddsOf(season.matches.at(0)), strings({"1.5", "4.00", "7.00"}));

    try {
        readResultsCsvFile(dir.filePath(QStringLiteral("missing.csv")), QStringLiteral("best"));
        QFAIL("a missing file was read");
    } catch (const CsvImportError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("The file ")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("missing.csv")), qPrintable(e.message()));
        QCOMPARE(e.line, 0);
    }
}

void TestResultsCsv::realSeasons_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("matches");
    QTest::addColumn<QStringList>("bookmakers");

    // The data's description: matches per file and its odds prefixes less aggregates and closing prices.
    const QStringList none;
    const QStringList e0From2000 = strings({"GB", "IW", "LB", "SB", "WH"});
    const QStringList e0From2001 = strings({"GB", "IW", "LB", "SB", "SY", "WH"});
    const QStringList e0From2002 = strings({"B365", "GB", "IW", "LB", "SO", "SB", "WH"});
    const QStringList e0From2004 = strings({"B365", "BW", "GB", "IW", "LB", "SB", "WH"});
    const QStringList e0From2005 = strings({"B365", "BW", "GB", "IW", "LB", "SB", "WH", "SJ", "VC"});
    const QStringList e0From2007 = strings({"B365", "BW", "GB", "IW", "LB", "SB", "WH", "SJ", "VC", "BS"});
    const QStringList e0From2012 = strings({"B365", "BW", "GB", "IW", "LB", "PS", "WH", "SJ", "VC", "BS"});
    const QStringList withSj = strings({"B365", "BW", "IW", "LB", "PS", "WH", "SJ", "VC"});
    const QStringList withLb = strings({"B365", "BW", "IW", "LB", "PS", "WH", "VC"});
    const QStringList current = strings({"B365", "BW", "IW", "PS", "WH", "VC"});

    const struct {
        const char *file;
        int matches;
        QStringList bookmakers;
    } seasons[] = {
        {"D1_2014-2015", 306, withSj},     {"E0_1993-1994", 462, none},
        {"E0_1994-1995", 462, none},       {"E0_1995-1996", 380, none},
        {"E0_1996-1997", 380, none},       {"E0_1997-1998", 380, none},
        {"E0_1998-1999", 380, none},       {"E0_1999-2000", 380, none},
        {"E0_2000-2001", 380, e0From2000}, {"E0_2001-2002", 380, e0From2001},
        {"E0_2002-2003", 380, e0From2002}, {"E0_2003-2004", 380, e0From2002},
        {"E0_2004-2005", 380, e0From2004}, {"E0_2005-2006", 380, e0From2005},
        {"E0_2006-2007", 380, e0From2005}, {"E0_2007-2008", 380, e0From2007},
        {"E0_2008-2009", 380, e0From2007}, {"E0_2009-2010", 380, e0From2007},
        {"E0_2010-2011", 380, e0From2007}, {"E0_2011-2012", 380, e0From2007},
        {"E0_2012-2013", 380, e0From2012}, {"E0_2013-2014", 380, withSj},
        {"E0_2014-2015", 380, withSj},     {"E0_2015-2016", 380, withLb},
        {"E0_2016-2017", 380, withLb},     {"E0_2017-2018", 380, withLb},
        {"F1_2014-2015", 380, withSj},     {"F1_2015-2016", 380, withLb},
        {"F1_2018-2019", 380, current},    {"F1_2019-2020", 279, current},
        {"F1_2020-2021", 380, current},    {"F1_2021-2022", 380, current},
        {"F1_2022-2023", 380, current},    {"F1_2023-2024", 306, current},
    };
    for (const auto &s : seasons)
        QTest::newRow(s.file) << QString::fromLatin1(s.file) << s.matches << s.bookmakers;
}

void TestResultsCsv::realSeasons()
{
    QFETCH(QString, file);
    QFETCH(int, matches);
    QFETCH(QStringList, bookmakers);

    if (!QDir(dataDir()).exists())
        QSKIP("The real season files are not present.");
    const QString path = dataDir() + QLatin1Char('/') + file + QStringLiteral(".csv");
    QVERIFY2(QFile::exists(path), qPrintable(path));

    const QLocale comma(QLocale::German, QLocale::Germany);
    const CsvSeason season = readResultsCsvFile(path, QStringLiteral("best"), comma);
    QCOMPARE(season.matches.size(), matches);
    QCOMPARE(season.bookmakers, bookmakers);

    // The season's years, from the file name: August of the first to June of the second.
    const int firstYear = file.mid(3, 4).toInt();
    const QDate from(firstYear, 7, 1), to(firstYear + 1, 6, 30);
    int lastLine = 1;
    for (const CsvMatch &m : season.matches) {
        const QString where = file + QStringLiteral(" line ") + QString::number(m.line);
        QVERIFY2(m.played && m.homeGoals >= 0 && m.awayGoals >= 0, qPrintable(where));
        QVERIFY2(m.date >= from && m.date <= to,
                 qPrintable(where + QStringLiteral(": ") + m.date.toString()));
        QVERIFY2(!m.home.isEmpty() && !m.away.isEmpty() && m.home != m.away, qPrintable(where));
        QVERIFY2(m.line > lastLine, qPrintable(where));
        lastLine = m.line;
        for (int outcome = 0; outcome < 3; ++outcome) {
            if (m.bookmakers[outcome].isEmpty()) {
                QCOMPARE(m.odds[outcome], QStringLiteral("-"));
                continue;
            }
            // Every price in these files is at least 1.0; a shifted field would give goals or counts.
            QVERIFY2(season.bookmakers.contains(m.bookmakers[outcome]), qPrintable(where));
            QVERIFY2(Odds::OddsToDecimal(m.odds[outcome], comma) >= 1.0,
                     qPrintable(where + QLatin1Char(' ') + m.odds[outcome]));
        }
    }
    QCOMPARE(season.matches.constFirst().round, 1);

    // A complete double round robin of n teams has rounds 1 to 2(n-1), whatever was postponed.
    QSet<QString> teams;
    QSet<int> rounds;
    for (const CsvMatch &m : season.matches) {
        teams << m.home << m.away;
        rounds << m.round;
    }
    const int n = static_cast<int>(teams.size());
    if (matches == n * (n - 1)) {
        QCOMPARE(rounds.size(), 2 * (n - 1));
        QCOMPARE(*std::min_element(rounds.cbegin(), rounds.cend()), 1);
        QCOMPARE(*std::max_element(rounds.cbegin(), rounds.cend()), 2 * (n - 1));
    }
}

void TestResultsCsv::realRows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("away");
    QTest::addColumn<int>("homeGoals");
    QTest::addColumn<int>("awayGoals");
    QTest::addColumn<QStringList>("odds");
    QTest::addColumn<QStringList>("bookmakers");

    QTest::newRow("results only, first row")
        << "E0_1993-1994" << 2 << "best" << QDate(1993, 8, 14) << "Arsenal"
        << "Coventry" << 0 << 3 << strings({"-", "-", "-"}) << strings({"", "", ""});
    // Max has 3.6 for the draw and must not win it.
    QTest::newRow("current layout, best, BOM and CR CR LF")
        << "F1_2019-2020" << 2 << "best" << QDate(2019, 8, 9) << "Monaco"
        << "Lyon" << 0 << 3 << strings({"3.00", "3.57", "2.5"}) << strings({"B365", "PS", "VC"});
    // The quoted referee "Wiley, A. G." comes before the prices; ties go to the earlier bookmaker.
    QTest::newRow("quoted comma, best")
        << "E0_2001-2002" << 171 << "best" << QDate(2001, 12, 22) << "Charlton"
        << "Blackburn" << 0 << 2 << strings({"2.1", "3.25", "3.4"}) << strings({"IW", "LB", "WH"});
    QTest::newRow("quoted comma, one bookmaker")
        << "E0_2001-2002" << 171 << "WH" << QDate(2001, 12, 22) << "Charlton"
        << "Blackburn" << 0 << 2 << strings({"1.9", "3.25", "3.4"}) << strings({"WH", "WH", "WH"});
}

void TestResultsCsv::realRows()
{
    QFETCH(QString, file);
    QFETCH(int, line);
    QFETCH(QString, choice);
    QFETCH(QDate, date);
    QFETCH(QString, home);
    QFETCH(QString, away);
    QFETCH(int, homeGoals);
    QFETCH(int, awayGoals);
    QFETCH(QStringList, odds);
    QFETCH(QStringList, bookmakers);

    const QString path = dataDir() + QLatin1Char('/') + file + QStringLiteral(".csv");
    if (!QFile::exists(path))
        QSKIP("The real season files are not present.");
    const CsvSeason season = readResultsCsvFile(path, choice, QLocale::c());
    const auto m = std::find_if(season.matches.cbegin(), season.matches.cend(),
                                [&](const CsvMatch &match) { return match.line == line; });
    QVERIFY(m != season.matches.cend());
    QCOMPARE(m->date, date);
    QCOMPARE(m->home, home);
    QCOMPARE(m->away, away);
    QCOMPARE(m->homeGoals, homeGoals);
    QCOMPARE(m->awayGoals, awayGoals);
    QCOMPARE(oddsOf(*m), odds);
    QCOMPARE(bookmakersOf(*m), bookmakers);
}

QTEST_GUILESS_MAIN(TestResultsCsv)
#include "tst_resultscsv.moc"
