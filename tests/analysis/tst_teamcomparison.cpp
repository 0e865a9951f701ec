// The team comparison chart's point lists over a small league whose every value is worked by hand:
// each type, each venue, the overtime points, the ratings stored with the matches, the view, and team
// names typed in another letter case or holding an apostrophe.

#include "analysis/TeamComparison.h"
#include "support/LeagueFixture.h"
#include "support/MatchRows.h"

#include <QTest>

using Points = QList<QPoint>;

Q_DECLARE_METATYPE(ComparisonVenue)
Q_DECLARE_METATYPE(ComparisonType)

namespace
{
Points ys(const QList<int> &values)
{
    Points p;
    for (int v : values)
        p << QPoint(int(p.size()) + 1, v);
    return p;
}
} // namespace

class TestTeamComparison : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<LeagueFixture> m_league;
    Database &db() { return m_league->dm().ADOConnection; }

private Q_SLOTS:
    void init();
    void cleanup() { m_league.reset(); }
    void eachTypeAndVenue_data();
    void eachTypeAndVenue();
    void viewLeavesASeriesEmptyWithItsTitle();
    void typedCaseAndApostrophesFindTheTeam();
    void choosersAcceptTheirItemsInAnyCase();
};

// Team A's season, stored out of date order so that the order is the query's:
//   m1 08-01 A-B 2:1     A at home, wins          ratings stored 1011 1012 1013 1014
//   m2 08-08 C-A 0:0     A away, draw             1021 1022 1023 1024
//   m3 08-15 A-C 1:3     A at home, loses         1031 1032 1033 1034
//   m4 08-22 B-A 2:3 OT  A away, wins in overtime 1041 1042 1043 1044
//   08-29 A-B unplayed;  09-05 O'Neil-B 1:0
// Points: win 3, draw 1, loss 0; in overtime win 2, draw 1, loss 1.
void TestTeamComparison::init()
{
    m_league = std::make_unique<LeagueFixture>(
        QStringLiteral("Football (Soccer)"),
        QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("O'Neil")});
    const QList<std::pair<int, int>> points = {{3, 1}, {1, 1}, {0, 1}};
    const char *columns[3][2] = {{"PW", "PWO"}, {"PD", "PDO"}, {"PL", "PLO"}};
    for (int i = 0; i < 3; ++i) {
        m_league->setLeague(QString::fromLatin1(columns[i][0]), points[i].first);
        m_league->setLeague(QString::fromLatin1(columns[i][1]), i == 0 ? 2 : points[i].second);
    }
    struct Played {
        int n;
        const char *text;
        QDate date;
    };
    const Played played[] = {{3, "A-C 1:3", QDate(2005, 8, 15)},
                             {1, "A-B 2:1", QDate(2005, 8, 1)},
                             {4, "B-A 2:3 OT", QDate(2005, 8, 22)},
                             {2, "C-A 0:0", QDate(2005, 8, 8)}};
    for (const Played &p : played) {
        MatchRow m = playedRow(QString::fromLatin1(p.text), p.date);
        m.TRH = 1001 + p.n * 10;
        m.TRHT = 1002 + p.n * 10;
        m.TRA = 1003 + p.n * 10;
        m.TRAT = 1004 + p.n * 10;
        insertMatch(db(), m);
    }
    MatchRow fixture;
    fixture.home = QStringLiteral("A");
    fixture.away = QStringLiteral("B");
    fixture.date = QDate(2005, 8, 29);
    insertMatch(db(), fixture);
    insertMatch(db(), playedRow(QStringLiteral("O'Neil-B 1:0"), QDate(2005, 9, 5)));
}

void TestTeamComparison::eachTypeAndVenue_data()
{
    QTest::addColumn<ComparisonVenue>("venue");
    QTest::addColumn<ComparisonType>("type");
    QTest::addColumn<Points>("expected");
    const auto total = ComparisonVenue::Total;
    QTest::newRow("wins") << total << ComparisonType::Wins << ys({1, 1, 1, 2});
    QTest::newRow("draws") << total << ComparisonType::Draws << ys({0, 1, 1, 1});
    QTest::newRow("losses") << total << ComparisonType::Losses << ys({0, 0, 1, 1});
    // Per match, not running sums.
    QTest::newRow("for") << total << ComparisonType::For << ys({2, 0, 1, 3});
    QTest::newRow("against") << total << ComparisonType::Against << ys({1, 0, 3, 2});
    QTest::newRow("difference") << total << ComparisonType::Difference << ys({1, 0, -2, 1});
    // The overtime win adds the overtime points, 2.
    QTest::newRow("points") << total << ComparisonType::Points << ys({3, 4, 4, 6});
    QTest::newRow("performance") << total << ComparisonType::Performance << ys({1, 1, 0, 1});
    // The rating stored with each match: at home the home column, away the away one.
    QTest::newRow("rating total") << total << ComparisonType::TeamRating << ys({1012, 1024, 1032, 1044});
    QTest::newRow("rating home") << ComparisonVenue::Home << ComparisonType::TeamRating << ys({1011, 1031});
    QTest::newRow("rating away") << ComparisonVenue::Away << ComparisonType::TeamRating << ys({1023, 1043});
    // Each venue counts from x = 1 and from 0 over its own matches.
    QTest::newRow("points home") << ComparisonVenue::Home << ComparisonType::Points << ys({3, 3});
    QTest::newRow("points away") << ComparisonVenue::Away << ComparisonType::Points << ys({1, 3});
    QTest::newRow("for away") << ComparisonVenue::Away << ComparisonType::For << ys({0, 3});
}

void TestTeamComparison::eachTypeAndVenue()
{
    QFETCH(ComparisonVenue, venue);
    QFETCH(ComparisonType, type);
    QFETCH(Points, expected);
    QCOMPARE(comparisonPoints(db(), QStringLiteral("A"), venue, type), expected);
}

void TestTeamComparison::viewLeavesASeriesEmptyWithItsTitle()
{
    ComparisonChoices c;
    c.team1 = QStringLiteral("A");
    c.team2 = QStringLiteral("B");
    const ComparisonChart both = compareTeams(db(), c);
    QCOMPARE(both.series1.title, QStringLiteral("A"));
    QCOMPARE(both.series1.points, ys({3, 4, 4, 6}));
    // B: lost 1:2 at A, lost 2:3 in overtime at home (the overtime loss's 1), lost 0:1 at O'Neil.
    QCOMPARE(both.series2.points, ys({0, 1, 1}));

    c.view = ComparisonView::Team2;
    const ComparisonChart second = compareTeams(db(), c);
    QVERIFY(second.series1.points.isEmpty());
    QCOMPARE(second.series1.title, QStringLiteral("A"));
    QCOMPARE(second.series2.points, both.series2.points);

    c.view = ComparisonView::Team1;
    c.team2.clear();
    const ComparisonChart first = compareTeams(db(), c);
    QCOMPARE(first.series1.points, both.series1.points);
    QVERIFY(first.series2.points.isEmpty());
    QCOMPARE(first.series2.title, QStringLiteral("Team 2"));
}

void TestTeamComparison::typedCaseAndApostrophesFindTheTeam()
{
    // A name typed in another case finds the same matches and is still told apart from its opponents:
    // counted as the away side at its home matches, a 2:1 win would turn into a loss.
    for (const ComparisonType type : {ComparisonType::Points, ComparisonType::TeamRating}) {
        QCOMPARE(comparisonPoints(db(), QStringLiteral("a"), ComparisonVenue::Total, type),
                 comparisonPoints(db(), QStringLiteral("A"), ComparisonVenue::Total, type));
    }
    QCOMPARE(comparisonPoints(db(), QStringLiteral("O'Neil"), ComparisonVenue::Total, ComparisonType::Points),
             ys({3}));
    QCOMPARE(comparisonPoints(db(), QStringLiteral("o'neil"), ComparisonVenue::Home, ComparisonType::For),
             ys({1}));
    // A name of no played match: no points.
    QVERIFY(comparisonPoints(db(), QStringLiteral("Nobody"), ComparisonVenue::Total, ComparisonType::Points)
                .isEmpty());
}

void TestTeamComparison::choosersAcceptTheirItemsInAnyCase()
{
    QCOMPARE(comparisonTypeOf(QStringLiteral("team rating")), ComparisonType::TeamRating);
    QCOMPARE(comparisonTypeOf(QStringLiteral("PERFORMANCE")), ComparisonType::Performance);
    QCOMPARE(comparisonTypeOf(QStringLiteral("Point")), std::nullopt);
    QCOMPARE(comparisonStyleOf(QStringLiteral("stair")), ComparisonStyle::Stair);
    QCOMPARE(comparisonVenueOf(QStringLiteral("home")), ComparisonVenue::Home);
    QCOMPARE(comparisonViewOf(QStringLiteral("team 2")), ComparisonView::Team2);
    QCOMPARE(comparisonViewOf(QString()), std::nullopt);
    QCOMPARE(comparisonChartTitle(ComparisonType::Difference), QStringLiteral("Difference Chart"));
}

QTEST_GUILESS_MAIN(TestTeamComparison)
#include "tst_teamcomparison.moc"
