#include "data/Database.h"
#include "data/Errors.h"
#include "entry/FixtureImport.h"
#include "predict/PredictionCommands.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(FixtureLayout)

namespace
{

const QStringList kAfl = {QStringLiteral("Carlton"), QStringLiteral("Geelong"), QStringLiteral("Essendon"),
                          QStringLiteral("Collingwood")};
const QStringList kMlb = {QStringLiteral("Boston"), QStringLiteral("New York"), QStringLiteral("Toronto")};
const QStringList kSoccer = {QStringLiteral("Arsenal"), QStringLiteral("Chelsea"),
                             QStringLiteral("Liverpool"), QStringLiteral("Everton")};

QString sportOf(FixtureLayout layout)
{
    switch (layout) {
    case FixtureLayout::FixturePage:
        return QStringLiteral("Australian Football");
    case FixtureLayout::BaseballSchedule:
        return QStringLiteral("Baseball");
    default:
        return QStringLiteral("Football (Soccer)");
    }
}

QStringList linesOf(const char *text)
{
    return fixtureLines(QString::fromUtf8(text));
}

// The rows of Results as the file holds them, in stored order, limited to the given columns.
QStringList resultRows(Database &db, const char *columns = "Home, Away, DateP, Rnd, Result")
{
    QStringList out;
    Statement st =
        db.prepare(QStringLiteral("SELECT %1 FROM Results ORDER BY rowid").arg(QLatin1String(columns)));
    while (st.step()) {
        QStringList values;
        for (int i = 0; i < st.columnCount(); ++i)
            values << st.value(i).toString();
        out << values.join(QLatin1Char('|'));
    }
    return out;
}

// Everything a played match changes: the rows it is stored in, with their rating snapshot, and the teams.
const char *const kPlayedColumns =
    "ID, Home, Away, F, A, Result, DateP, Rnd, PtsH, PtsHT, PtsA, PtsAT, TRH, TRHT, "
    "TRA, TRAT";

QList<int> skippedLines(const FixtureImportSummary &s)
{
    QList<int> lines;
    for (const FixtureImportSummary::Skipped &k : s.skipped)
        lines << k.line;
    return lines;
}

} // namespace

class TestFixtureImport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layoutsTurnPastedTextIntoFixtures_data();
    void layoutsTurnPastedTextIntoFixtures();
    void theLongestNameWins_data();
    void theLongestNameWins();
    void fixtureRowsContinueTheLeague();
    void soccerFixturesArePredictedAgainstTheSportsLine();
    void updatingAgainAddsNoFixtureTwice_data();
    void updatingAgainAddsNoFixtureTwice();
    void updateAfterReplaceAddsOnlyWhatIsNew();
    void soccerLinesWithAScoreAreNoFixtures_data();
    void soccerLinesWithAScoreAreNoFixtures();
    void resultsCountAsMatchEntryCountsThem_data();
    void resultsCountAsMatchEntryCountsThem();
    void unusableResultLinesAreSkipped_data();
    void unusableResultLinesAreSkipped();
    void aStoppingLineLeavesTheLeagueAsItWas_data();
    void aStoppingLineLeavesTheLeagueAsItWas();
    void theFirstAndLastYearsOfTheDatesAreRead();
    void replaceChangesTheFirstOccurrenceOfEachLine_data();
    void replaceChangesTheFirstOccurrenceOfEachLine();
};

void TestFixtureImport::layoutsTurnPastedTextIntoFixtures_data()
{
    QTest::addColumn<FixtureLayout>("layout");
    QTest::addColumn<QStringList>("teams");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows"); // Home|Away|DateP|Rnd|Result
    QTest::addColumn<QList<int>>("skipped");

    const auto afl = FixtureLayout::FixturePage;
    QTest::newRow("fixture page: round, day and fixture lines")
        << afl << kAfl
        << QStringLiteral("Toyota AFL Premiership\nRnd 7\nSaturday 25 Mar 7:40pm\nCarlton vs Geelong\n"
                          "Sunday 26 Mar\nEssendon vs Collingwood\n")
        << QStringList{QStringLiteral("Carlton|Geelong|2006-03-25|7|:"),
                       QStringLiteral("Essendon|Collingwood|2006-03-26|7|:")}
        << QList<int>{};
    QTest::newRow("fixture page: a team the league lacks, the same team twice")
        << afl << kAfl << QStringLiteral("Carlton vs Sydney\nCarlton vs Carlton\nGeelong vs Essendon")
        << QStringList{QStringLiteral("Geelong|Essendon|2006-01-01|1|:")} << QList<int>{1, 2};
    // One name inside another: the longer name wins, whatever the Teams table's order.
    QTest::newRow("fixture page: the longer name listed later")
        << afl
        << QStringList{QStringLiteral("Eagles"), QStringLiteral("West Coast Eagles"),
                       QStringLiteral("Carlton")}
        << QStringLiteral("West Coast Eagles vs Carlton")
        << QStringList{QStringLiteral("West Coast Eagles|Carlton|2006-01-01|1|:")} << QList<int>{};
    QTest::newRow("fixture page: the shorter name listed later")
        << afl
        << QStringList{QStringLiteral("West Coast Eagles"), QStringLiteral("Eagles"),
                       QStringLiteral("Carlton")}
        << QStringLiteral("West Coast Eagles vs Carlton")
        << QStringList{QStringLiteral("West Coast Eagles|Carlton|2006-01-01|1|:")} << QList<int>{};

    QTest::newRow("baseball: each day a round, one-digit days")
        << FixtureLayout::BaseballSchedule << kMlb
        << QStringLiteral("Sunday, Apr 10\nBoston at New York @ 7:05 PM\nMonday, Apr 3, 2006\n"
                          "Toronto at Boston @ 1:05 PM\nAmerican League\n")
        << QStringList{QStringLiteral("New York|Boston|2006-04-10|1|:"),
                       QStringLiteral("Boston|Toronto|2006-04-03|2|:")}
        << QList<int>{};
    QTest::newRow("baseball: a line naming one known team")
        << FixtureLayout::BaseballSchedule << kMlb
        << QStringLiteral("Apr 10\nBoston at New York @ 7:05 PM\nToronto at Chicago @ 7:05 PM")
        << QStringList{QStringLiteral("New York|Boston|2006-04-10|1|:")} << QList<int>{3};

    QTest::newRow("soccer A: date lines, also before the first one")
        << FixtureLayout::SoccerA << kSoccer
        << QStringLiteral("Everton - Arsenal\nPremier League\n12-08-2023\nArsenal - Chelsea\n"
                          "13-08-2023 Liverpool - Everton")
        << QStringList{QStringLiteral("Everton|Arsenal|2005-01-01|0|:"),
                       QStringLiteral("Arsenal|Chelsea|2023-08-12|0|:"),
                       QStringLiteral("Liverpool|Everton|2023-08-13|0|:")}
        << QList<int>{};
    QTest::newRow("soccer B: rounds, dates of any year, fixtures before the first date")
        << FixtureLayout::SoccerB << kSoccer
        << QStringLiteral("Arsenal-Chelsea\nRound 5\n12.08.2023 20:45 Arsenal-Chelsea\n13.08.2005\n"
                          "Liverpool-Everton\nRound 6 \n19.08.2023\nChelsea-Liverpool")
        << QStringList{QStringLiteral("Arsenal|Chelsea|2023-08-12|5|:"),
                       QStringLiteral("Liverpool|Everton|2005-08-13|5|:"),
                       QStringLiteral("Chelsea|Liverpool|2023-08-19|6|:")}
        << QList<int>{1};
}

void TestFixtureImport::layoutsTurnPastedTextIntoFixtures()
{
    QFETCH(FixtureLayout, layout);
    QFETCH(QStringList, teams);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    QFETCH(QList<int>, skipped);
    LeagueFixture league(sportOf(layout), teams);
    const FixtureImportSummary s = ImportFixtures(league.dm(), layout, fixtureLines(text), 2006);
    QCOMPARE(resultRows(league.dm().ADOConnection), rows);
    QCOMPARE(skippedLines(s), skipped);
    QCOMPARE(s.fixturesAdded, rows.size());
    QCOMPARE(league.dm().ADOTableResults.recordCount(), rows.size()); // the open table shows them
}

void TestFixtureImport::theLongestNameWins_data()
{
    QTest::addColumn<FixtureLayout>("layout");
    QTest::addColumn<QStringList>("teams");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows"); // Home|Away|Result

    const auto mlb = FixtureLayout::BaseballSchedule;
    const QStringList texasLast = {QStringLiteral("Texas Rangers"), QStringLiteral("Boston"),
                                   QStringLiteral("Texas")};
    const QStringList texasFirst = {QStringLiteral("Texas"), QStringLiteral("Boston"),
                                    QStringLiteral("Texas Rangers")};
    QTest::newRow("baseball: the shorter name listed later")
        << mlb << texasLast << QStringLiteral("Apr 10\nBoston at Texas Rangers @ 7:05 PM")
        << QStringList{QStringLiteral("Texas Rangers|Boston|:")};
    QTest::newRow("baseball: the shorter name listed first")
        << mlb << texasFirst << QStringLiteral("Apr 10\nBoston at Texas Rangers @ 7:05 PM")
        << QStringList{QStringLiteral("Texas Rangers|Boston|:")};
    // The shorter name inside the longer one is part of it; its own occurrence is the other team.
    QTest::newRow("baseball: both, the longer away")
        << mlb << texasLast << QStringLiteral("Apr 10\nTexas Rangers at Texas @ 7:05 PM")
        << QStringList{QStringLiteral("Texas|Texas Rangers|:")};
    QTest::newRow("baseball: both, the longer at home")
        << mlb << texasLast << QStringLiteral("Apr 10\nTexas at Texas Rangers @ 7:05 PM")
        << QStringList{QStringLiteral("Texas Rangers|Texas|:")};
    // The score is read after the whole name.
    QTest::newRow("baseball: a played game")
        << mlb << texasLast << QStringLiteral("Apr 10\nBoston 3 at Texas Rangers 5")
        << QStringList{QStringLiteral("Texas Rangers|Boston|5:3")};
    QTest::newRow("fixture page: names inside both teams' names")
        << FixtureLayout::FixturePage
        << QStringList{QStringLiteral("Sydney"), QStringLiteral("Sydney Swans"),
                       QStringLiteral("Swans"),  QStringLiteral("Carlton Blues"),
                       QStringLiteral("Blues"),  QStringLiteral("Carlton")}
        << QStringLiteral("Carlton Blues vs Sydney Swans")
        << QStringList{QStringLiteral("Carlton Blues|Sydney Swans|:")};
    QTest::newRow("soccer A: a name ending in another team's name")
        << FixtureLayout::SoccerA
        << QStringList{QStringLiteral("Manchester City"), QStringLiteral("Manchester United"),
                       QStringLiteral("City"), QStringLiteral("United")}
        << QStringLiteral("12-08-2023\nManchester City - Manchester United")
        << QStringList{QStringLiteral("Manchester City|Manchester United|:")};
    // The separator's first hyphen lies inside the home team's name.
    QTest::newRow("soccer B: a hyphen inside the longer name")
        << FixtureLayout::SoccerB
        << QStringList{QStringLiteral("Paris Saint-Germain"), QStringLiteral("Paris"), QStringLiteral("Lyon")}
        << QStringLiteral("12.08.2023\nParis Saint-Germain-Lyon")
        << QStringList{QStringLiteral("Paris Saint-Germain|Lyon|:")};
}

void TestFixtureImport::theLongestNameWins()
{
    QFETCH(FixtureLayout, layout);
    QFETCH(QStringList, teams);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    LeagueFixture league(sportOf(layout), teams);
    const FixtureImportSummary s = ImportFixtures(league.dm(), layout, fixtureLines(text), 2006);
    QCOMPARE(resultRows(league.dm().ADOConnection, "Home, Away, Result"), rows);
    QCOMPARE(skippedLines(s), QList<int>{});
}

void TestFixtureImport::fixtureRowsContinueTheLeague()
{
    // IDs go on from the largest, baseball rounds from the last, and the sport's under/over line is set
    // where the layout gives it.
    LeagueFixture mlb(QStringLiteral("Baseball"), kMlb);
    QVERIFY(
        mlb.addMatch(QStringLiteral("Boston"), QStringLiteral("Toronto"), 4, 2, false, QDate(2006, 4, 1), 9));
    ImportFixtures(mlb.dm(), FixtureLayout::BaseballSchedule, linesOf("Apr 12\nBoston at New York @ 7:05 PM"),
                   2006);
    QCOMPARE(
        resultRows(mlb.dm().ADOConnection, "ID, Home, Rnd, Ttl, UOV, UOP, HP, Verdict, PResult, O1").last(),
        QStringLiteral("1|New York|10|0|8.5|8.5|0|?|:|-"));

    // The soccer pages give no line either: their fixtures get the sport's too.
    LeagueFixture soccer(QStringLiteral("Football (Soccer)"), kSoccer);
    ImportFixtures(soccer.dm(), FixtureLayout::SoccerA, linesOf("12-08-2023\nArsenal - Chelsea"), 2006);
    ImportFixtures(soccer.dm(), FixtureLayout::SoccerB, linesOf("13.08.2023\nLiverpool-Everton"), 2006);
    QCOMPARE(resultRows(soccer.dm().ADOConnection, "ID, Ttl, UOV, UOP, O2"),
             (QStringList{QStringLiteral("0|0|2.5|2.5|-"), QStringLiteral("1|0|2.5|2.5|-")}));
}

void TestFixtureImport::soccerFixturesArePredictedAgainstTheSportsLine()
{
    LeagueFixture league(QStringLiteral("Football (Soccer)"), kSoccer);
    // Three played matches a team, enough for the predictions to call the total.
    const char *const played[][2] = {{"Arsenal", "Chelsea"},   {"Liverpool", "Everton"},
                                     {"Chelsea", "Liverpool"}, {"Everton", "Arsenal"},
                                     {"Arsenal", "Liverpool"}, {"Chelsea", "Everton"}};
    for (int i = 0; i < 6; ++i)
        QVERIFY(league.addMatch(QString::fromLatin1(played[i][0]), QString::fromLatin1(played[i][1]), 2,
                                i % 3, false, QDate(2023, 8, 1 + i)));
    ImportFixtures(league.dm(), FixtureLayout::SoccerB, linesOf("12.08.2023\nArsenal-Liverpool"), 2006);
    ImportFixtures(league.dm(), FixtureLayout::SoccerA, linesOf("13-08-2023\nChelsea - Everton"), 2006);
    // A fixture stored without a line by an earlier version is called against the sport's line too.
    Database &db = league.dm().ADOConnection;
    db.execute(QStringLiteral("INSERT INTO Results (ID, Home, Away, Result, DateP, Rnd, PResult, Verdict) "
                              "VALUES (9, 'Everton', 'Arsenal', ':', '2023-08-14', 1, ':', '?')"));
    league.dm().ADOTableResults.reload();
    PredictionOptions options;
    QCOMPARE(PredictUpcomingMatches(league.dm(), options, league.messenger), 3);
    const QStringList calls = resultRows(db, "UOP").mid(6);
    QCOMPARE(calls.size(), 3);
    for (const QString &call : calls)
        QVERIFY2(call == QLatin1String("Over 2.5") || call == QLatin1String("Under 2.5"), qPrintable(call));
}

void TestFixtureImport::updatingAgainAddsNoFixtureTwice_data()
{
    QTest::addColumn<FixtureLayout>("layout");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fixtures");

    QTest::newRow("fixture page") << FixtureLayout::FixturePage
                                  << QStringLiteral("Rnd 1\nSaturday 25 Mar\nCarlton vs Geelong\n"
                                                    "Essendon vs Collingwood")
                                  << 2;
    QTest::newRow("baseball") << FixtureLayout::BaseballSchedule
                              << QStringLiteral("Apr 10\nBoston at New York @ 7:05 PM") << 1;
    QTest::newRow("soccer A") << FixtureLayout::SoccerA
                              << QStringLiteral("12-08-2023\nArsenal - Chelsea\nLiverpool - Everton") << 2;
    QTest::newRow("soccer B") << FixtureLayout::SoccerB
                              << QStringLiteral("12.08.2023 20:45 Arsenal-Chelsea\nLiverpool-Everton") << 2;
}

void TestFixtureImport::updatingAgainAddsNoFixtureTwice()
{
    QFETCH(FixtureLayout, layout);
    QFETCH(QString, text);
    QFETCH(int, fixtures);
    LeagueFixture league(sportOf(layout), kAfl + kMlb + kSoccer);
    const FixtureImportSummary first = ImportFixtures(league.dm(), layout, fixtureLines(text), 2006);
    QCOMPARE(first.fixturesAdded, fixtures);
    const QStringList rows = resultRows(league.dm().ADOConnection);
    const FixtureImportSummary again = ImportFixtures(league.dm(), layout, fixtureLines(text), 2006);
    QCOMPARE(again.fixturesAdded, 0);
    QCOMPARE(again.alreadyStored, fixtures);
    QCOMPARE(describeImport(again),
             QStringLiteral("0 fixtures added, 0 results entered (0 of them into stored "
                            "fixtures), %1 already in the league, 0 lines skipped.")
                 .arg(fixtures));
    QCOMPARE(resultRows(league.dm().ADOConnection), rows);
}

// The Replace button mends a name the league spells otherwise; Update then adds only the mended line's
// fixture.  The same pair on another day, or the other way round, is a fixture of its own.
void TestFixtureImport::updateAfterReplaceAddsOnlyWhatIsNew()
{
    LeagueFixture league(QStringLiteral("Football (Soccer)"),
                         kSoccer + QStringList{QStringLiteral("Man United")});
    QStringList lines = linesOf("12.08.2023\nArsenal-Chelsea\nMan Utd-Everton\n19.08.2023\nArsenal-Chelsea");
    FixtureImportSummary s = ImportFixtures(league.dm(), FixtureLayout::SoccerB, lines, 2006);
    QCOMPARE(s.fixturesAdded, 2);
    QCOMPARE(skippedLines(s), QList<int>{3});
    lines = ReplaceFirstInLines(lines, QStringLiteral("Man Utd"), QStringLiteral("Man United"));
    s = ImportFixtures(league.dm(), FixtureLayout::SoccerB, lines, 2006);
    QCOMPARE(s.fixturesAdded, 1);
    QCOMPARE(s.alreadyStored, 2);
    QCOMPARE(skippedLines(s), QList<int>{});
    s = ImportFixtures(league.dm(), FixtureLayout::SoccerB, linesOf("12.08.2023\nChelsea-Arsenal"), 2006);
    QCOMPARE(s.fixturesAdded, 1);
    QCOMPARE(resultRows(league.dm().ADOConnection),
             (QStringList{QStringLiteral("Arsenal|Chelsea|2023-08-12|0|:"),
                          QStringLiteral("Arsenal|Chelsea|2023-08-19|0|:"),
                          QStringLiteral("Man United|Everton|2023-08-12|0|:"),
                          QStringLiteral("Chelsea|Arsenal|2023-08-12|0|:")}));
}

void TestFixtureImport::soccerLinesWithAScoreAreNoFixtures_data()
{
    QTest::addColumn<FixtureLayout>("layout");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows"); // Home|Away|DateP|Rnd|Result
    QTest::addColumn<QList<int>>("skipped");

    const auto a = FixtureLayout::SoccerA;
    const auto b = FixtureLayout::SoccerB;
    QTest::newRow("B: score after the teams")
        << b << QStringLiteral("12.08.2023\nLiverpool-Everton 2:1\nArsenal-Chelsea")
        << QStringList{QStringLiteral("Arsenal|Chelsea|2023-08-12|0|:")} << QList<int>{2};
    QTest::newRow("B: score between the teams")
        << b << QStringLiteral("12.08.2023\nLiverpool 0 - 0 Everton") << QStringList{} << QList<int>{2};
    QTest::newRow("B: kick-off time before or after the teams")
        << b << QStringLiteral("12.08.2023 20:45 Liverpool-Everton\nArsenal-Chelsea 15:30")
        << QStringList{QStringLiteral("Liverpool|Everton|2023-08-12|0|:"),
                       QStringLiteral("Arsenal|Chelsea|2023-08-12|0|:")}
        << QList<int>{};
    QTest::newRow("A: score between the teams")
        << a << QStringLiteral("12-08-2023\nLiverpool 2 - 1 Everton\nArsenal - Chelsea")
        << QStringList{QStringLiteral("Arsenal|Chelsea|2023-08-12|0|:")} << QList<int>{2};
}

void TestFixtureImport::soccerLinesWithAScoreAreNoFixtures()
{
    QFETCH(FixtureLayout, layout);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    QFETCH(QList<int>, skipped);
    LeagueFixture league(QStringLiteral("Football (Soccer)"), kSoccer);
    const FixtureImportSummary s = ImportFixtures(league.dm(), layout, fixtureLines(text), 2006);
    QCOMPARE(resultRows(league.dm().ADOConnection), rows);
    QCOMPARE(skippedLines(s), skipped);
    for (const FixtureImportSummary::Skipped &k : s.skipped)
        QCOMPARE(k.reason, QStringLiteral("it gives a score: a played match, not a fixture"));
    QCOMPARE(league.team(QStringLiteral("Liverpool"), QStringLiteral("TP")), 0); // nothing was played
}

void TestFixtureImport::resultsCountAsMatchEntryCountsThem_data()
{
    QTest::addColumn<FixtureLayout>("layout");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("matches"); // the same, as the match dialog would enter them:
                                              // home|away|F|A|yyyy-MM-dd|round
    QTest::addColumn<int>("filled");

    // Both leagues start with an earlier meeting of Carlton and Geelong, and a fixture of theirs on 25 Mar.
    QTest::newRow("fixture page") << FixtureLayout::FixturePage
                                  << QStringLiteral("Rnd 2\nSaturday 25 Mar\nCarlton (95) def. Geelong (80)\n"
                                                    "Sunday 26 Mar\nEssendon (70) def. by Carlton (101)")
                                  << QStringList{QStringLiteral("Carlton|Geelong|95|80|2006-03-25|2"),
                                                 QStringLiteral("Essendon|Carlton|70|101|2006-03-26|2")}
                                  << 1;
    QTest::newRow("baseball schedule")
        << FixtureLayout::BaseballSchedule
        << QStringLiteral("Saturday, Mar 25\nGeelong 8 at Carlton 9\nSunday, Mar 26\n"
                          "Carlton 11 at Essendon 7")
        << QStringList{QStringLiteral("Carlton|Geelong|9|8|2006-03-25|2"),
                       QStringLiteral("Essendon|Carlton|7|11|2006-03-26|4")}
        << 1;
}

void TestFixtureImport::resultsCountAsMatchEntryCountsThem()
{
    QFETCH(FixtureLayout, layout);
    QFETCH(QString, text);
    QFETCH(QStringList, matches);
    QFETCH(int, filled);
    const auto start = [](LeagueFixture &l) {
        QVERIFY(l.addMatch(QStringLiteral("Carlton"), QStringLiteral("Geelong"), 60, 90, false,
                           QDate(2006, 3, 18), 1));
        QVERIFY(l.addMatch(QStringLiteral("Carlton"), QStringLiteral("Geelong"), -1, -1, false,
                           QDate(2006, 3, 25), 2));
    };
    LeagueFixture imported(sportOf(layout), kAfl);
    LeagueFixture typed(sportOf(layout), kAfl);
    start(imported);
    start(typed);
    // The oracle: the matches typed in, the fixture edited as the match dialog edits it.
    for (const QString &m : matches) {
        const QStringList v = m.split(QLatin1Char('|'));
        const QDate date = QDate::fromString(v[4], Qt::ISODate);
        Table &results = typed.dm().ADOTableResults;
        if (results.locate(QStringLiteral("Home;Away;Result"), {v[0], v[1], QStringLiteral(":")})) {
            MatchEntryInput in =
                typed.input(v[0], v[1], v[2].toInt(), v[3].toInt(), false, date, v[5].toInt());
            in.mode = MatchEntryMode::Edit;
            in.round = results.field(QStringLiteral("Rnd")).asInteger();
            QVERIFY(SaveMatch(typed.dm(), in, typed.messenger));
        } else {
            QVERIFY(typed.addMatch(v[0], v[1], v[2].toInt(), v[3].toInt(), false, date, v[5].toInt()));
        }
    }

    const FixtureImportSummary s = ImportFixtures(imported.dm(), layout, fixtureLines(text), 2006);
    QCOMPARE(s.fixturesFilled, filled);
    QCOMPARE(s.resultsAdded, matches.size() - filled);
    QVERIFY(s.skipped.isEmpty());
    Database &a = imported.dm().ADOConnection;
    Database &b = typed.dm().ADOConnection;
    QCOMPARE(resultRows(a, kPlayedColumns), resultRows(b, kPlayedColumns));
    QCOMPARE(storedRowList(a, QStringLiteral("Teams")), storedRowList(b, QStringLiteral("Teams")));

    // The same text again enters no result twice.
    const QStringList teamsOnce = storedRowList(a, QStringLiteral("Teams"));
    const FixtureImportSummary again = ImportFixtures(imported.dm(), layout, fixtureLines(text), 2006);
    QCOMPARE(again.alreadyStored, matches.size());
    QCOMPARE(again.resultsAdded + again.fixturesFilled, 0);
    QCOMPARE(storedRowList(a, QStringLiteral("Teams")), teamsOnce);
}

void TestFixtureImport::unusableResultLinesAreSkipped_data()
{
    QTest::addColumn<FixtureLayout>("layout");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("skipped");
    QTest::addColumn<int>("applied");

    const auto afl = FixtureLayout::FixturePage;
    const auto mlb = FixtureLayout::BaseballSchedule;
    QTest::newRow("def. with one score")
        << afl << QStringLiteral("Carlton def. Geelong (80)") << QList<int>{1} << 0;
    QTest::newRow("def. without scores")
        << afl << QStringLiteral("Carlton def. Geelong") << QList<int>{1} << 0;
    QTest::newRow("def. against an unknown team")
        << afl << QStringLiteral("Carlton (80) def. Sydney (70)") << QList<int>{1} << 0;
    // The earlier line named Boston; this one must not borrow it as its away team.
    QTest::newRow("baseball: one team known")
        << mlb << QStringLiteral("Apr 10\nBoston 3 at New York 5 F\nChicago 4 at Toronto 2") << QList<int>{3}
        << 1;
    QTest::newRow("baseball: no scores")
        << mlb << QStringLiteral("Apr 10\nBoston at New York Postponed\nToronto at Boston")
        << QList<int>{2, 3} << 0;
}

void TestFixtureImport::unusableResultLinesAreSkipped()
{
    QFETCH(FixtureLayout, layout);
    QFETCH(QString, text);
    QFETCH(QList<int>, skipped);
    QFETCH(int, applied);
    LeagueFixture league(sportOf(layout), kAfl + kMlb);
    QVERIFY(league.addMatch(QStringLiteral("Carlton"), QStringLiteral("Geelong"), -1, -1));
    QVERIFY(league.addMatch(QStringLiteral("New York"), QStringLiteral("Boston"), -1, -1));
    Database &db = league.dm().ADOConnection;
    const QStringList teams = storedRowList(db, QStringLiteral("Teams"));
    const FixtureImportSummary s = ImportFixtures(league.dm(), layout, fixtureLines(text), 2006);
    QCOMPARE(skippedLines(s), skipped);
    QCOMPARE(s.fixturesFilled + s.resultsAdded, applied);
    QCOMPARE(resultRows(db, "Result").filter(QRegularExpression(QStringLiteral("\\d"))).size(), applied);
    if (applied == 0)
        QCOMPARE(storedRowList(db, QStringLiteral("Teams")), teams);
    for (const FixtureImportSummary::Skipped &k : s.skipped)
        QVERIFY2(!k.reason.isEmpty(), qPrintable(k.text));
}

void TestFixtureImport::aStoppingLineLeavesTheLeagueAsItWas_data()
{
    QTest::addColumn<FixtureLayout>("layout");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("year"); // the year given for the page
    QTest::addColumn<QString>("reason");

    const auto afl = FixtureLayout::FixturePage;
    const auto mlb = FixtureLayout::BaseballSchedule;
    const auto a = FixtureLayout::SoccerA;
    const auto b = FixtureLayout::SoccerB;
    const QString notInteger = QStringLiteral("is not a valid integer value");
    const auto outside = [](int y) {
        return QStringLiteral("the year %1 lies outside 1850 to 2100.").arg(y);
    };
    QTest::newRow("round that is no number")
        << afl << QStringLiteral("Saturday 25 Mar\nCarlton (95) def. Geelong (80)\nRnd x") << 3 << 2006
        << notInteger;
    QTest::newRow("day that does not exist")
        << afl
        << QStringLiteral(
               "Saturday 25 Mar\nCarlton (95) def. Geelong (80)\nMonday 31 Apr\nCarlton vs Geelong")
        << 4 << 2006 << QStringLiteral("Invalid argument to date encode");
    QTest::newRow("baseball day that is no number")
        << mlb << QStringLiteral("Sunday, Apr 10\nBoston 3 at New York 5\nMonday, Apr x1") << 3 << 2006
        << notInteger;
    QTest::newRow("soccer A kick-off time read as a date")
        << a << QStringLiteral("12-08-2023\nArsenal - Chelsea\nLiverpool - Everton 20:45") << 3 << 2006
        << notInteger;
    // Years the league cannot store a date of: the first line that dates a match with it stops.
    QTest::newRow("fixture page: year of five digits")
        << afl << QStringLiteral("Saturday 25 Mar\nCarlton (95) def. Geelong (80)") << 2 << 99999
        << outside(99999);
    QTest::newRow("fixture page: year 10000")
        << afl << QStringLiteral("Rnd 1\nCarlton vs Geelong") << 2 << 10000 << outside(10000);
    QTest::newRow("fixture page: year before the dates")
        << afl << QStringLiteral("Carlton vs Geelong") << 1 << 1849 << outside(1849);
    QTest::newRow("baseball: year after the dates")
        << mlb << QStringLiteral("Apr 10\nBoston 3 at New York 5") << 2 << 2101 << outside(2101);
    QTest::newRow("soccer B: a typo in a later date line")
        << b << QStringLiteral("12.08.2023\nArsenal-Chelsea\n19.08.20055\nLiverpool-Everton") << 3 << 2006
        << outside(20055);
    QTest::newRow("soccer B: a date line with its fixture")
        << b << QStringLiteral("12.08.20055 20:45 Arsenal-Chelsea") << 1 << 2006 << outside(20055);
    QTest::newRow("soccer A: year of five digits")
        << a << QStringLiteral("12-08-20055\nArsenal - Chelsea") << 1 << 2006 << outside(20055);
    QTest::newRow("soccer A: year before the dates")
        << a << QStringLiteral("12-08-1820\nArsenal - Chelsea") << 1 << 2006 << outside(1820);
}

void TestFixtureImport::aStoppingLineLeavesTheLeagueAsItWas()
{
    QFETCH(FixtureLayout, layout);
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(int, year);
    QFETCH(QString, reason);
    LeagueFixture league(sportOf(layout), kAfl + kMlb + kSoccer);
    QVERIFY(league.addMatch(QStringLiteral("Carlton"), QStringLiteral("Geelong"), -1, -1));
    const QByteArray before = fileHash(league.path());
    const QStringList lines = fixtureLines(text);
    try {
        ImportFixtures(league.dm(), layout, lines, year);
        QFAIL("the import went through");
    } catch (const FixtureLineError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Line %1 (\"%2\")").arg(line).arg(lines[line - 1])),
                 qPrintable(e.message()));
        QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
    }
    QCOMPARE(fileHash(league.path()), before);
    // The open tables show the file again, not the rows written before the line stopped.
    QCOMPARE(league.dm().ADOTableResults.recordCount(), 1);
    QCOMPARE(league.team(QStringLiteral("Carlton"), QStringLiteral("HP")), 0);
}

void TestFixtureImport::theFirstAndLastYearsOfTheDatesAreRead()
{
    LeagueFixture league(QStringLiteral("Football (Soccer)"), kAfl + kSoccer);
    ImportFixtures(league.dm(), FixtureLayout::FixturePage, linesOf("Sunday 1 Jan\nCarlton vs Geelong"),
                   1850);
    ImportFixtures(league.dm(), FixtureLayout::SoccerB, linesOf("31.12.2100\nArsenal-Chelsea"), 2006);
    ImportFixtures(league.dm(), FixtureLayout::SoccerA, linesOf("20-01-1850\nLiverpool - Everton"), 2006);
    QCOMPARE(resultRows(league.dm().ADOConnection, "Home, DateP"),
             (QStringList{QStringLiteral("Carlton|1850-01-01"), QStringLiteral("Arsenal|2100-12-31"),
                          QStringLiteral("Liverpool|1850-01-20")}));
}

void TestFixtureImport::replaceChangesTheFirstOccurrenceOfEachLine_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("first occurrence, every line")
        << QStringList{QStringLiteral("Man Utd - Man City Man"), QStringLiteral("Arsenal"),
                       QStringLiteral("Man")}
        << QStringLiteral("Man") << QStringLiteral("Manchester")
        << QStringList{QStringLiteral("Manchester Utd - Man City Man"), QStringLiteral("Arsenal"),
                       QStringLiteral("Manchester")};
    QTest::newRow("letter case counts") << QStringList{QStringLiteral("man utd")} << QStringLiteral("Man")
                                        << QStringLiteral("X") << QStringList{QStringLiteral("man utd")};
    // The new text holds the old one: it comes out whole.
    QTest::newRow("new text holding the old")
        << QStringList{QStringLiteral("Utd - City")} << QStringLiteral("Utd") << QStringLiteral("Man Utd")
        << QStringList{QStringLiteral("Man Utd - City")};
    QTest::newRow("new text holding the old later")
        << QStringList{QStringLiteral("Utd - City")} << QStringLiteral("Utd") << QStringLiteral("Utd X")
        << QStringList{QStringLiteral("Utd X - City")};
    QTest::newRow("deleting") << QStringList{QStringLiteral("Arsenal FC - Chelsea FC")}
                              << QStringLiteral(" FC") << QString()
                              << QStringList{QStringLiteral("Arsenal - Chelsea FC")};
    QTest::newRow("nothing to find") << QStringList{QStringLiteral("Arsenal")} << QString()
                                     << QStringLiteral("X") << QStringList{QStringLiteral("Arsenal")};
}

void TestFixtureImport::replaceChangesTheFirstOccurrenceOfEachLine()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QStringList, expected);
    QCOMPARE(ReplaceFirstInLines(lines, from, to), expected);
}

QTEST_GUILESS_MAIN(TestFixtureImport)
#include "tst_fixtureimport.moc"
