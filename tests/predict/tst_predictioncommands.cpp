#include "data/ResultsViews.h"
#include "data/TDataMod.h"
#include "predict/PredictionCommands.h"
#include "support/LeagueFixture.h"
#include "support/MatchRows.h"

#include <QTest>

namespace
{
const QString H = QStringLiteral("H");
const QString A = QStringLiteral("A");

// The worked example: H's and A's histories, newest first, on distinct dates before the fixture.
void writeWorkedExample(LeagueFixture &f)
{
    Database &db = f.dm().ADOConnection;
    const QStringList h = {QStringLiteral("H-X 2:0"), QStringLiteral("Y-H 1:1"), QStringLiteral("H-Z 3:1"),
                           QStringLiteral("H-W 0:1"), QStringLiteral("V-H 2:0"), QStringLiteral("H-U 2:2"),
                           QStringLiteral("H-T 1:0"), QStringLiteral("H-S 4:0"), QStringLiteral("H-R 1:1")};
    const QStringList a = {QStringLiteral("A-P 1:1"), QStringLiteral("Q-A 2:1"), QStringLiteral("Z-A 0:0"),
                           QStringLiteral("O-A 1:3"), QStringLiteral("A-N 2:0"), QStringLiteral("M-A 3:0"),
                           QStringLiteral("L-A 1:2"), QStringLiteral("K-A 2:2"), QStringLiteral("J-A 1:0")};
    // Stored oldest first, as matches are entered.
    for (int i = h.size() - 1; i >= 0; --i) {
        insertMatch(db, playedRow(h[i], QDate(2005, 5, 1).addDays(20 - 2 * i)));
        insertMatch(db, playedRow(a[i], QDate(2005, 5, 1).addDays(21 - 2 * i)));
    }
    f.reopen();
    for (const QString &t : {H, A})
        f.addTeam(t);
    Table &teams = f.dm().ADOTableTeams;
    auto set = [&teams](const QString &team, const char *col, int v) {
        teams.locate(QStringLiteral("Team"), {team});
        teams.edit();
        teams.field(QString::fromLatin1(col)).setInteger(v);
        teams.post();
    };
    set(H, "TRH", 1250); // used as 12
    set(H, "TRT", 1199); // 11
    set(A, "TRA", 950);  // 9
    set(A, "TRT", 1000); // 10
}

PredictionOptions exampleOptions(bool venue)
{
    PredictionOptions o;
    o.homeWin = o.awayWin = true;
    o.draw = false;
    o.homePct = o.awayPct = 50;
    o.confidence = 50;
    o.venueStats = venue;
    o.lastMatches = 6;
    return o;
}

QString text(Table &t, const char *c)
{
    return t.field(QString::fromLatin1(c)).asString();
}
} // namespace

class TestPredictionCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void workedExampleStoredInFixture_data();
    void workedExampleStoredInFixture();
    void longLinesStoreACallThatFits_data();
    void longLinesStoreACallThatFits();
    void predictWalksTheViewAndStopsAtUnknownTeam();
    void predictTakesFixedListUnderSortOnWrittenColumn();
    void recalculateUsesSnapshotAndStrictlyEarlierDates();
    void recalculateWritesEachMatchIntoItsOwnRow();
    void optionsLoadedAndClamped();
};

void TestPredictionCommands::workedExampleStoredInFixture_data()
{
    QTest::addColumn<bool>("venue");
    QTest::addColumn<QList<int>>("numbers"); // HP DP AP CF Ttl
    QTest::addColumn<QStringList>("texts");  // Verdict PResult UOP
    QTest::newRow("home/away statistics")
        << true << QList<int>{54, 27, 19, 79, 3}
        << QStringList{QStringLiteral("1"), QStringLiteral("2:1"), QStringLiteral("Over 2.5")};
    QTest::newRow("overall statistics")
        << false << QList<int>{36, 33, 31, 64, 2}
        << QStringList{QStringLiteral("?"), QStringLiteral("1:1"), QStringLiteral("Under 2.5")};
}

void TestPredictionCommands::workedExampleStoredInFixture()
{
    QFETCH(bool, venue);
    QFETCH(QList<int>, numbers);
    QFETCH(QStringList, texts);
    LeagueFixture f;
    writeWorkedExample(f);
    MatchRow fixture;
    fixture.home = H;
    fixture.away = A;
    fixture.date = QDate(2005, 6, 15);
    insertMatch(f.dm().ADOConnection, fixture);
    f.reopen();
    Table &r = f.dm().ADOTableResults;
    applyDefaultFixtureView(r);
    QCOMPARE(PredictUpcomingMatches(f.dm(), exampleOptions(venue), f.messenger), 1);
    QVERIFY(f.messenger.messages().isEmpty());
    f.reopen();
    QVERIFY(r.locate(QStringLiteral("Result"), {QStringLiteral(":")}));
    QCOMPARE((QList<int>{r.field(QStringLiteral("HP")).asInteger(), r.field(QStringLiteral("DP")).asInteger(),
                         r.field(QStringLiteral("AP")).asInteger(), r.field(QStringLiteral("CF")).asInteger(),
                         r.field(QStringLiteral("Ttl")).asInteger()}),
             numbers);
    QCOMPARE((QStringList{text(r, "Verdict"), text(r, "PResult"), text(r, "UOP")}), texts);
}

void TestPredictionCommands::longLinesStoreACallThatFits_data()
{
    QTest::addColumn<double>("line");
    QTest::addColumn<QString>("call");
    QTest::newRow("fits as it is") << 2.5 << QStringLiteral("Over 2.5");
    QTest::newRow("basketball line: the space goes") << 210.25 << QStringLiteral("Under210.25");
    QTest::newRow("longer still: the side alone") << 1234.125 << QStringLiteral("Under");
}

// A line whose call is longer than UOP holds must not stop the run: the call is stored in a form that
// fits and keeps the side the views look for.
void TestPredictionCommands::longLinesStoreACallThatFits()
{
    QFETCH(double, line);
    QFETCH(QString, call);
    LeagueFixture f;
    writeWorkedExample(f);
    MatchRow fixture;
    fixture.home = H;
    fixture.away = A;
    fixture.date = QDate(2005, 6, 15);
    fixture.UOV = line;
    insertMatch(f.dm().ADOConnection, fixture);
    f.reopen();
    applyDefaultFixtureView(f.dm().ADOTableResults);
    QCOMPARE(PredictUpcomingMatches(f.dm(), exampleOptions(true), f.messenger), 1);
    QVERIFY(f.messenger.messages().isEmpty());
    f.reopen();
    Table &r = f.dm().ADOTableResults;
    QVERIFY(r.locate(QStringLiteral("Result"), {QStringLiteral(":")}));
    QCOMPARE(text(r, "UOP"), call);
    QCOMPARE(r.field(QStringLiteral("UOV")).asFloat(), line);
}

void TestPredictionCommands::predictWalksTheViewAndStopsAtUnknownTeam()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {H, A, QStringLiteral("O\"Brien's")});
    const QString quoted = QStringLiteral("O\"Brien's");
    Database &db = f.dm().ADOConnection;
    insertMatch(db, playedRow(QStringLiteral("H-A 1:0"), QDate(2005, 8, 1)));
    MatchRow fx;
    fx.date = QDate(2005, 9, 1);
    fx.home = H, fx.away = quoted;
    insertMatch(db, fx);
    fx.date = QDate(2005, 9, 2);
    fx.home = A, fx.away = H;
    insertMatch(db, fx);
    fx.date = QDate(2005, 9, 3);
    fx.home = QStringLiteral("Nobody"), fx.away = A;
    insertMatch(db, fx);
    fx.date = QDate(2005, 9, 4);
    fx.home = H, fx.away = A;
    insertMatch(db, fx);
    f.reopen();
    Table &r = f.dm().ADOTableResults;

    // The view filtered to one team predicts only its fixtures (a name with both quotes works).
    r.setFilter(
        QStringLiteral("(Result = ':' AND Home = 'O\"Brien''s') OR (Result = ':' AND Away = 'O\"Brien''s')"));
    r.setFiltered(true);
    r.setSort(QStringLiteral("DateP"));
    QCOMPARE(PredictUpcomingMatches(f.dm(), exampleOptions(true), f.messenger), 1);
    QVERIFY(f.messenger.messages().isEmpty());
    f.reopen();
    r.setFiltered(false); // the filter outlives the reopening, as the shared tables' filters do
    QVERIFY(r.locate(QStringLiteral("Home;Away"), {A, H}));
    QCOMPARE(text(r, "PResult"), QStringLiteral(":")); // outside the view: untouched

    // The whole fixture view: stops at the unknown home team; the fixtures before it keep their values.
    applyDefaultFixtureView(r);
    QCOMPARE(PredictUpcomingMatches(f.dm(), exampleOptions(true), f.messenger), 2);
    QCOMPARE(f.messenger.texts(), QStringList{QStringLiteral("Cannot find home team")});
    f.reopen();
    r.setFiltered(false);
    QVERIFY(r.locate(QStringLiteral("Home;Away"), {A, H}));
    QVERIFY(text(r, "PResult") != QLatin1String(":"));
    QVERIFY(r.locate(QStringLiteral("Home"), {QStringLiteral("Nobody")}));
    QCOMPARE(text(r, "PResult"), QStringLiteral(":"));
    QVERIFY(r.locate(QStringLiteral("Home;Away"), {H, A}));
    QVERIFY(r.locate(QStringLiteral("Home;Away;Result"), {H, A, QStringLiteral(":")}));
    QCOMPARE(text(r, "PResult"), QStringLiteral(":")); // after the stop: not reached
}

void TestPredictionCommands::predictTakesFixedListUnderSortOnWrittenColumn()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {H, A, QStringLiteral("B")});
    Database &db = f.dm().ADOConnection;
    insertMatch(db, playedRow(QStringLiteral("H-A 3:0"), QDate(2005, 8, 1)));
    insertMatch(db, playedRow(QStringLiteral("H-B 2:0"), QDate(2005, 8, 2)));
    for (int i = 0; i < 6; ++i) {
        MatchRow fx;
        fx.home = i % 2 ? H : A;
        fx.away = i % 2 ? QStringLiteral("B") : H;
        fx.date = QDate(2005, 9, 1 + i);
        insertMatch(db, fx);
    }
    f.reopen();
    Table &r = f.dm().ADOTableResults;
    r.setFilter(QStringLiteral("Result = ':' AND Verdict = '?'")); // every written fixture leaves this view
    r.setFiltered(true);
    r.setSort(QStringLiteral("HP DESC"));
    QCOMPARE(PredictUpcomingMatches(f.dm(), exampleOptions(false), f.messenger), 6);
    r.setFiltered(false);
    int predicted = 0;
    for (r.first(); !r.eof(); r.next())
        predicted += text(r, "Result") == QLatin1String(":") && text(r, "PResult") != QLatin1String(":");
    QCOMPARE(predicted, 6);
}

void TestPredictionCommands::recalculateUsesSnapshotAndStrictlyEarlierDates()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {H, A});
    Database &db = f.dm().ADOConnection;
    // Only a same-day match precedes the recalculated one: its history is empty.
    MatchRow early = playedRow(QStringLiteral("H-A 5:0"), QDate(2005, 8, 1));
    insertMatch(db, early);
    MatchRow m = playedRow(QStringLiteral("A-H 1:1"), QDate(2005, 8, 1));
    m.TRH = 1299; // used as 12
    m.TRA = 1500;
    const qint64 rowid = insertMatch(db, m);
    MatchRow fx;
    fx.home = H, fx.away = A, fx.date = QDate(2005, 9, 1);
    insertMatch(db, fx);
    f.reopen();
    Table &r = f.dm().ADOTableResults;
    r.setFiltered(false);
    QCOMPARE(RecalculatePredictions(f.dm(), exampleOptions(true), f.messenger), 2);
    QCOMPARE(f.messenger.texts(), QStringList{QStringLiteral("Recalculate predictions complete.")});
    r.gotoBookmark(rowid);
    // No earlier match: both sides take the goal prior, so 2:2 with CF 25; 12 against 15 favours the away
    // side.
    QCOMPARE(text(r, "PResult"), QStringLiteral("2:2"));
    QCOMPARE(r.field(QStringLiteral("CF")).asInteger(), 25);
    QVERIFY(r.field(QStringLiteral("AP")).asInteger() > r.field(QStringLiteral("HP")).asInteger());
    QVERIFY(r.locate(QStringLiteral("Result"), {QStringLiteral(":")}));
    QCOMPARE(text(r, "PResult"), QStringLiteral(":")); // fixtures untouched
}

void TestPredictionCommands::recalculateWritesEachMatchIntoItsOwnRow()
{
    // Two matches with the same Home, Away and round: each gets its own prediction.
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {H, A});
    Database &db = f.dm().ADOConnection;
    const qint64 first = insertMatch(db, playedRow(QStringLiteral("H-A 1:0"), QDate(2005, 8, 1)));
    insertMatch(db, playedRow(QStringLiteral("A-H 0:4"), QDate(2005, 8, 8)));
    insertMatch(db, playedRow(QStringLiteral("H-A 3:0"), QDate(2005, 8, 15)));
    const qint64 second = insertMatch(db, playedRow(QStringLiteral("H-A 2:2"), QDate(2005, 8, 22)));
    f.reopen();
    Table &r = f.dm().ADOTableResults;
    applyDefaultScoreView(r);
    RecalculatePredictions(f.dm(), exampleOptions(false), f.messenger);
    r.gotoBookmark(first);
    const QString firstScore = text(r, "PResult");
    QCOMPARE(firstScore, QStringLiteral("2:2")); // nothing before it
    r.gotoBookmark(second);
    QVERIFY(text(r, "PResult") != firstScore); // three earlier matches shape the newer one
}

void TestPredictionCommands::optionsLoadedAndClamped()
{
    LeagueFixture f;
    f.setLeague(QStringLiteral("HP"), 95);
    f.setLeague(QStringLiteral("CF"), 5);
    f.setLeague(QStringLiteral("LM"), 11);
    f.setLeague(QStringLiteral("DR"), true);
    f.setLeague(QStringLiteral("HA"), false);
    const PredictionOptions o = loadPredictionOptions(f.dm());
    QCOMPARE(o.homePct, 90);
    QCOMPARE(o.confidence, 10);
    QCOMPARE(o.lastMatches, 10);
    QCOMPARE(o.drawPct, 35);
    QVERIFY(o.draw);
    QVERIFY(!o.venueStats);
}

QTEST_GUILESS_MAIN(TestPredictionCommands)
#include "tst_predictioncommands.moc"
