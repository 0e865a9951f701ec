// The arbitrage finder's match list over a small league file: by date with one day's matches in stored
// order, the two filters alone and together, and the sort by each column both ways, with rounds,
// prices in three notations and returns ordered as numbers, team names ignoring letter case, matches
// without a value at the low end, and equal values kept in date order.

#include "betting/ArbitrageList.h"
#include "support/LeagueFixture.h"
#include "support/MatchRows.h"

#include <QTest>

Q_DECLARE_METATYPE(ArbitrageColumn)

namespace
{
QStringList homes(const QList<ArbitrageRow> &rows)
{
    QStringList out;
    for (const ArbitrageRow &r : rows)
        out << r.input.homeTeam;
    return out;
}

QStringList list(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}
} // namespace

class TestArbitrageList : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<LeagueFixture> m_league;
    Database &db() { return m_league->dm().ADOConnection; }

private Q_SLOTS:
    void init();
    void cleanup() { m_league.reset(); }
    void filters_data();
    void filters();
    void sorts_data();
    void sorts();
    void rowsCarryWhatTheFinderShows();
};

// Stored in this order (rowid 1 to 4); by date: bears, Hawks, Eagles (same day as Hawks, stored after
// it), Lions.
//   Lions-Hawks   08-03 rnd 2   10.00  3.40  1.30   return 1.5   fixture
//   bears-Lions   08-01 rnd 1   2.20   -     +200   return 4     played 1:0
//   Hawks-bears   08-02 rnd 10  4/5    3.00  1.5x   no return    fixture
//   Eagles-Lions  08-02 rnd 1   -      3.00  2.50   return 0     fixture
void TestArbitrageList::init()
{
    m_league = std::make_unique<LeagueFixture>();
    struct Stored {
        const char *home, *away;
        int day, round;
        const char *o1, *ox, *o2;
        QVariant retrn;
        bool played;
    };
    const Stored stored[] = {
        {"Lions", "Hawks", 3, 2, "10.00", "3.40", "1.30", 1.5, false},
        {"bears", "Lions", 1, 1, "2.20", "-", "+200", 4.0, true},
        {"Hawks", "bears", 2, 10, "4/5", "3.00", "1.5x", QVariant(), false},
        {"Eagles", "Lions", 2, 1, "-", "3.00", "2.50", 0.0, false},
    };
    for (const Stored &s : stored) {
        MatchRow m;
        m.home = QString::fromLatin1(s.home);
        m.away = QString::fromLatin1(s.away);
        m.date = QDate(2024, 8, s.day);
        m.round = s.round;
        m.O1 = QString::fromLatin1(s.o1);
        m.OX = QString::fromLatin1(s.ox);
        m.O2 = QString::fromLatin1(s.o2);
        if (s.played)
            m.F = 1, m.A = 0;
        const qint64 rowid = insertMatch(db(), m);
        db().execute(QStringLiteral("UPDATE Results SET Retrn = ?1 WHERE rowid = ?2"), {s.retrn, rowid});
    }
}

void TestArbitrageList::filters_data()
{
    QTest::addColumn<bool>("upcoming");
    QTest::addColumn<bool>("positive");
    QTest::addColumn<QStringList>("listed");

    QTest::newRow("every match, by date") << false << false << list("bears Hawks Eagles Lions");
    QTest::newRow("not yet played") << true << false << list("Hawks Eagles Lions");
    // A return of 0 and a missing one are not positive.
    QTest::newRow("positive return") << false << true << list("bears Lions");
    QTest::newRow("both") << true << true << list("Lions");
}

void TestArbitrageList::filters()
{
    QFETCH(bool, upcoming);
    QFETCH(bool, positive);
    QFETCH(QStringList, listed);
    ArbitrageFilter filter;
    filter.upcomingOnly = upcoming;
    filter.positiveOnly = positive;
    QCOMPARE(homes(readArbitrageRows(db(), filter)), listed);

    // Walked one by one, the same rows.
    QStringList walked;
    forEachArbitrageRow(db(), filter, [&walked](const ArbitrageRow &r) { walked << r.input.homeTeam; });
    QCOMPARE(walked, listed);
}

void TestArbitrageList::sorts_data()
{
    QTest::addColumn<ArbitrageColumn>("column");
    QTest::addColumn<QStringList>("ascending");
    QTest::addColumn<QStringList>("descending");

    // Hawks and Eagles share a day: date order among them both ways.
    QTest::newRow("date") << ArbitrageColumn::Date << list("bears Hawks Eagles Lions")
                          << list("Lions Hawks Eagles bears");
    // 10 after 2, as numbers.
    QTest::newRow("round") << ArbitrageColumn::Round << list("bears Eagles Lions Hawks")
                           << list("Hawks Lions bears Eagles");
    QTest::newRow("home team, letter case ignored")
        << ArbitrageColumn::Home << list("bears Eagles Hawks Lions") << list("Lions Hawks Eagles bears");
    QTest::newRow("away team") << ArbitrageColumn::Away << list("Hawks Lions bears Eagles")
                               << list("bears Eagles Lions Hawks");
    // No price lowest; 4/5 is 1.80, so before 2.20, and 10.00 highest.
    QTest::newRow("home price") << ArbitrageColumn::HomeOdds << list("Eagles Hawks bears Lions")
                                << list("Lions bears Hawks Eagles");
    QTest::newRow("draw price, equal ones by date")
        << ArbitrageColumn::DrawOdds << list("bears Hawks Eagles Lions") << list("Lions Hawks Eagles bears");
    // 1.5x does not read: with the missing prices.  +200 is 3.00.
    QTest::newRow("away price") << ArbitrageColumn::AwayOdds << list("Hawks Lions Eagles bears")
                                << list("bears Eagles Lions Hawks");
    QTest::newRow("return") << ArbitrageColumn::Return << list("Hawks Eagles Lions bears")
                            << list("bears Lions Eagles Hawks");
}

void TestArbitrageList::sorts()
{
    QFETCH(ArbitrageColumn, column);
    QFETCH(QStringList, ascending);
    QFETCH(QStringList, descending);
    const QList<ArbitrageRow> byDate = readArbitrageRows(db(), {});

    QList<ArbitrageRow> rows = byDate;
    sortArbitrageRows(rows, column, Qt::AscendingOrder);
    QCOMPARE(homes(rows), ascending);
    rows = byDate;
    sortArbitrageRows(rows, column, Qt::DescendingOrder);
    QCOMPARE(homes(rows), descending);
}

void TestArbitrageList::rowsCarryWhatTheFinderShows()
{
    const QList<ArbitrageRow> rows = readArbitrageRows(db(), {});
    QCOMPARE(rows.size(), 4);
    const ArbitrageRow &bears = rows[0];
    QCOMPARE(bears.rowid, qint64(2));
    QCOMPARE(bears.ID.toInt(), 1);
    QCOMPARE(bears.DateP.toString(), QStringLiteral("2024-08-01"));
    QCOMPARE(bears.Rnd.toDouble(), 1.0);
    QCOMPARE(bears.result, QStringLiteral("1:0"));
    QCOMPARE(bears.Retrn.toDouble(), 4.0);
    QCOMPARE(bears.input.awayTeam, QStringLiteral("Lions"));
    QVERIFY((bears.input.odds ==
             std::array<QString, 3>{QStringLiteral("2.20"), QStringLiteral("-"), QStringLiteral("+200")}));
    QVERIFY(rows[1].Retrn.isNull()); // stays missing, not 0
}

QTEST_GUILESS_MAIN(TestArbitrageList)
#include "tst_arbitragelist.moc"
