// The one reader and writer of Results: which rows a typed choice reads, in which order (ties in stored
// order), which members it fills and how they read; the prediction writer; "played" in SQL and in C++.

#include "data/Database.h"
#include "data/Errors.h"
#include "data/MatchStore.h"
#include "support/LeagueFixture.h"
#include "support/MatchRows.h"

#include <QTest>

namespace
{
// The home teams of the rows a selection reads, in the order read.
QStringList homesOf(Database &db, const MatchSelection &s)
{
    QStringList homes;
    forEachMatch(db, s, [&homes](const Match &m) { homes << m.homeTeam; });
    return homes;
}

QStringList names(const char *spaced)
{
    return QString::fromLatin1(spaced).split(QLatin1Char(' '));
}

MatchSelection selection(MatchChoice which, MatchOrder order)
{
    MatchSelection s;
    s.which = which;
    s.order = order;
    return s;
}
} // namespace

class TestMatchStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void choicesAndOrders_data();
    void choicesAndOrders();
    void teamAndDates_data();
    void teamAndDates();
    void readsOnlyTheChosenMembers();
    void valuesReadAsTheComputationsRead();
    void unreadableWholeNumberStops();
    void playedIsOneRule_data();
    void playedIsOneRule();
    void writerStoresThePredictionOfOneRow();

private:
    std::unique_ptr<LeagueFixture> m_league;
    Database &db() { return m_league->dm().ADOConnection; }
    qint64 add(const QString &home, const QString &away, int F, int A, const QDate &date)
    {
        MatchRow m;
        m.home = home, m.away = away, m.F = F, m.A = A, m.date = date;
        return insertMatch(db(), m);
    }
};

void TestMatchStore::init()
{
    m_league = std::make_unique<LeagueFixture>();
    // Stored order is not date order; three matches share 2005-08-13; one has no date; two are fixtures.
    const QDate d13(2005, 8, 13);
    add(QStringLiteral("A"), QStringLiteral("B"), 1, 0, d13);
    add(QStringLiteral("C"), QStringLiteral("D"), 2, 2, QDate(2005, 8, 6));
    add(QStringLiteral("E"), QStringLiteral("F"), -1, -1, QDate(2005, 8, 20));
    add(QStringLiteral("G"), QStringLiteral("h"), 0, 3, d13);
    add(QStringLiteral("I"), QStringLiteral("J"), 4, 1, QDate());
    add(QStringLiteral("K"), QStringLiteral("A"), -1, -1, QDate(2005, 8, 1));
    add(QStringLiteral("H"), QStringLiteral("C"), 2, 1, d13);
}

void TestMatchStore::cleanup()
{
    m_league.reset();
}

void TestMatchStore::choicesAndOrders_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("order");
    QTest::addColumn<QStringList>("homes");
    const auto row = [](const char *name, MatchChoice which, MatchOrder order, const char *homes) {
        QTest::newRow(name) << int(which) << int(order) << QString::fromLatin1(homes).split(QLatin1Char(' '));
    };
    row("all, stored", MatchChoice::All, MatchOrder::Stored, "A C E G I K H");
    // No date first, then by date, one day's matches in stored order.
    row("all, by date", MatchChoice::All, MatchOrder::ByDate, "I K C A G H E");
    row("played, by date", MatchChoice::Played, MatchOrder::ByDate, "I C A G H");
    row("played, stored", MatchChoice::Played, MatchOrder::Stored, "A C G I H");
    // Newest first, one day's matches still in stored order.
    row("played, newest first", MatchChoice::Played, MatchOrder::NewestFirst, "A G H C I");
    row("fixtures, by date", MatchChoice::Fixtures, MatchOrder::ByDate, "K E");
}

void TestMatchStore::choicesAndOrders()
{
    QFETCH(int, which);
    QFETCH(int, order);
    QFETCH(QStringList, homes);
    const MatchSelection s = selection(MatchChoice(which), MatchOrder(order));
    QCOMPARE(homesOf(db(), s), homes);
    // Read whole, the same rows in the same order.
    QStringList whole;
    for (const Match &m : readMatches(db(), s))
        whole << m.homeTeam;
    QCOMPARE(whole, homes);
}

void TestMatchStore::teamAndDates_data()
{
    QTest::addColumn<bool>("oneTeam");
    QTest::addColumn<QString>("team");
    QTest::addColumn<int>("side");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QStringList>("homes");
    const QDate none;
    const int either = int(TeamSide::Either);
    QTest::newRow("either side, letter case ignored")
        << true << QStringLiteral("a") << either << none << none << names("K A");
    QTest::newRow("home only") << true << QStringLiteral("H") << int(TeamSide::Home) << none << none
                               << names("H");
    QTest::newRow("away only") << true << QStringLiteral("H") << int(TeamSide::Away) << none << none
                               << names("G");
    QTest::newRow("an empty name is a name") << true << QString() << either << none << none << QStringList();
    QTest::newRow("from a date, the day included")
        << false << QString() << either << QDate(2005, 8, 13) << none << names("A G H E");
    QTest::newRow("up to a date, the day included")
        << false << QString() << either << none << QDate(2005, 8, 6) << names("K C");
    QTest::newRow("one day") << false << QString() << either << QDate(2005, 8, 13) << QDate(2005, 8, 13)
                             << names("A G H");
}

void TestMatchStore::teamAndDates()
{
    QFETCH(bool, oneTeam);
    QFETCH(QString, team);
    QFETCH(int, side);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QStringList, homes);
    MatchSelection s = selection(MatchChoice::All, MatchOrder::ByDate);
    if (oneTeam)
        s.team = team;
    s.side = TeamSide(side);
    s.from = from;
    s.to = to;
    QCOMPARE(homesOf(db(), s), homes);
}

void TestMatchStore::readsOnlyTheChosenMembers()
{
    MatchSelection s = selection(MatchChoice::Played, MatchOrder::Stored);
    s.fields = MatchTeams | MatchScores;
    const std::vector<Match> read = readMatches(db(), s);
    QCOMPARE(read.size(), size_t(5));
    const Match &m = read[1];
    QCOMPARE(m.homeTeam, QStringLiteral("C"));
    QCOMPARE(m.homeScore, 2);
    QCOMPARE(m.awayScore, 2);
    QVERIFY(m.rowid > 0); // always: the row's place
    QVERIFY(m.result.isNull());
    QVERIFY(!m.date.isValid());
    QCOMPARE(m.homeRating, 0);
    QVERIFY(m.homePrice.isNull());
}

void TestMatchStore::valuesReadAsTheComputationsRead()
{
    // Reals round half to even, blank texts read 0, numbers typed as text read, a time after the date
    // is left out, NULL stays none where it can.
    const qint64 row = add(QStringLiteral("X"), QStringLiteral("Y"), 2, 1, QDate(2005, 9, 1));
    db().execute(QStringLiteral("UPDATE Results SET TRH = 1250.5, TRHT = 1251.5, TRA = ' ', TRAT = '77', "
                                "DateP = '2005-09-01 18:30', O1 = '2.10', Retrn = NULL, ID = 9.0 "
                                "WHERE rowid = ?1"),
                 {row});
    MatchSelection s = selection(MatchChoice::All, MatchOrder::Stored);
    const std::vector<Match> read = readMatches(db(), s);
    const Match &m = read.back();
    QCOMPARE(m.rowid, row);
    QCOMPARE(m.id, 9);
    QCOMPARE(m.homeRating, 1250);
    QCOMPARE(m.homeTotalRating, 1252);
    QCOMPARE(m.awayRating, 0);
    QCOMPARE(m.awayTotalRating, 77);
    QCOMPARE(m.date, QDate(2005, 9, 1));
    QCOMPARE(m.result, QStringLiteral("2:1"));
    QCOMPARE(m.homePrice, QStringLiteral("2.10"));
    QVERIFY(!m.arbitrageReturn.has_value());
    QCOMPARE(m.line, 2.5);
    QVERIFY(m.played());
    QCOMPARE(m.outcome(), MatchOutcome::HomeWin);
}

void TestMatchStore::unreadableWholeNumberStops()
{
    const qint64 row = add(QStringLiteral("X"), QStringLiteral("Y"), 2, 1, QDate(2005, 9, 1));
    db().execute(QStringLiteral("UPDATE Results SET F = 'two' WHERE rowid = ?1"), {row});
    MatchSelection s = selection(MatchChoice::All, MatchOrder::Stored);
    QVERIFY_THROWS_EXCEPTION(ConversionError, readMatches(db(), s));
    s.fields = MatchTeams; // F not read: nothing to refuse
    QCOMPARE(readMatches(db(), s).size(), size_t(8));
}

void TestMatchStore::playedIsOneRule_data()
{
    QTest::addColumn<QVariant>("result");
    QTest::newRow("fixture") << QVariant(QStringLiteral(":"));
    QTest::newRow("score") << QVariant(QStringLiteral("2:1"));
    QTest::newRow("overtime") << QVariant(QStringLiteral("3:2 OT"));
    QTest::newRow("empty") << QVariant(QStringLiteral(""));
    QTest::newRow("one character") << QVariant(QStringLiteral("x"));
    QTest::newRow("no result") << QVariant();
}

void TestMatchStore::playedIsOneRule()
{
    QFETCH(QVariant, result);
    db().execute(QStringLiteral("DELETE FROM Results"));
    const qint64 row = add(QStringLiteral("X"), QStringLiteral("Y"), 2, 1, QDate(2005, 9, 1));
    db().execute(QStringLiteral("UPDATE Results SET Result = ?1 WHERE rowid = ?2"), {result, row});
    const bool played = isPlayed(result.toString());
    QCOMPARE(homesOf(db(), selection(MatchChoice::Played, MatchOrder::Stored)).size(), played ? 1 : 0);
    QCOMPARE(homesOf(db(), selection(MatchChoice::Fixtures, MatchOrder::Stored)).size(), played ? 0 : 1);
    QCOMPARE(
        db().scalar(QStringLiteral("SELECT count(*) FROM Results WHERE ") + MatchStore::playedCondition())
            .toInt(),
        played ? 1 : 0);
}

void TestMatchStore::writerStoresThePredictionOfOneRow()
{
    const std::vector<Match> before = readMatches(db(), selection(MatchChoice::All, MatchOrder::Stored));
    StoredPrediction p;
    p.homePercent = 61, p.drawPercent = 22, p.awayPercent = 17, p.confidence = 75;
    p.predictedScore = QStringLiteral("2:0"), p.predictedTotal = 2, p.verdict = QStringLiteral("1");
    p.underOver = QStringLiteral("Under 2.5");
    {
        Transaction tx(db());
        MatchWriter writer(db());
        writer.writePrediction(before[3].rowid, p);
        tx.commit();
    }
    const std::vector<Match> after = readMatches(db(), selection(MatchChoice::All, MatchOrder::Stored));
    QCOMPARE(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        const StoredPrediction &s = after[i].prediction;
        if (i != 3) {
            QCOMPARE(s.verdict, before[i].prediction.verdict);
            QCOMPARE(s.homePercent, before[i].prediction.homePercent);
            continue;
        }
        QCOMPARE(s.homePercent, 61);
        QCOMPARE(s.drawPercent, 22);
        QCOMPARE(s.awayPercent, 17);
        QCOMPARE(s.confidence, 75);
        QCOMPARE(s.predictedScore, QStringLiteral("2:0"));
        QCOMPARE(s.predictedTotal, 2);
        QCOMPARE(s.verdict, QStringLiteral("1"));
        QCOMPARE(s.underOver, QStringLiteral("Under 2.5"));
        QCOMPARE(after[i].homeTeam, before[i].homeTeam);
    }
}

QTEST_GUILESS_MAIN(TestMatchStore)
#include "tst_matchstore.moc"
