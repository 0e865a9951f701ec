#include "data/Errors.h"
#include "data/Standings.h"
#include "support/LeagueFixture.h"

#include <QTest>
#include <limits>

namespace
{
const QString A = QStringLiteral("Alpha");
const QString B = QStringLiteral("Beta");
const QString C = QStringLiteral("Gamma");

// Every stored number column of a team row, for before/after comparisons.
QList<int> teamRow(LeagueFixture &f, const QString &name)
{
    QList<int> out;
    Table &teams = f.dm().ADOTableTeams;
    teams.locate(QStringLiteral("Team"), {name}, Dataset::CaseInsensitive);
    for (const ColumnInfo &c : teams.columns())
        if (c.kind == ColumnKind::Real)
            out << teams.field(c.name).asInteger();
    return out;
}

void setTeam(LeagueFixture &f, const QString &name, const QString &column, int value)
{
    Table &teams = f.dm().ADOTableTeams;
    QVERIFY(teams.locate(QStringLiteral("Team"), {name}, Dataset::CaseInsensitive));
    teams.edit();
    teams.field(column).setInteger(value);
    teams.post();
}

bool gotoMatch(LeagueFixture &f, const QString &home, const QString &away)
{
    return f.dm().ADOTableResults.locate(QStringLiteral("Home;Away"), {home, away});
}
} // namespace

class TestStandings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void ratingFormula_data();
    void ratingFormula();
    void soccerHomeWin();
    void soccerDrawBetweenEquals();
    void teamAgainstItself();
    void iceHockeyDraw();
    void ratingFloor();
    void overtimePointsAndExactRemoval();
    void deletingMatches();
    void editingOldScoreRestartsFromSnapshot();
    void emptySnapshotKeepsRating();
    void missingTeamChangesNoRating();
    void positionsFollowOrder();
    void sumsPastTheRangeAreRefused_data();
    void sumsPastTheRangeAreRefused();
};

void TestStandings::ratingFormula_data()
{
    QTest::addColumn<int>("own");
    QTest::addColumn<int>("opp");
    QTest::addColumn<double>("R");
    QTest::addColumn<double>("Q");
    QTest::addColumn<int>("K");
    QTest::addColumn<double>("expected");
    // R + K*d*(1-E) for a win, R + K*d*E for a loss, R + K*(0.5-E) for a draw, E = 1/(1+10^((Q-R)/400)).
    QTest::newRow("win 2:0 equal") << 2 << 0 << 1500.0 << 1500.0 << 150 << 1650.0;
    QTest::newRow("loss 0:2 equal") << 0 << 2 << 1500.0 << 1500.0 << 150 << 1350.0;
    QTest::newRow("draw equal") << 1 << 1 << 1500.0 << 1500.0 << 150 << 1500.0;
    const double E = 1.0 / (1.0 + std::pow(10.0, -0.5));
    QTest::newRow("draw favourite") << 1 << 1 << 1700.0 << 1500.0 << 100 << 1700.0 + 100.0 * (0.5 - E);
    QTest::newRow("draw underdog") << 1 << 1 << 1500.0 << 1700.0 << 100 << 1500.0 + 100.0 * (E - 0.5);
    QTest::newRow("upset win 3:1") << 3 << 1 << 1400.0 << 1600.0 << 25 << 1400.0 + 25.0 * 2 * E;
    QTest::newRow("expected loss 1:4") << 1 << 4 << 1400.0 << 1600.0 << 25 << 1400.0 + 25.0 * -3 * (1 - E);
}

void TestStandings::ratingFormula()
{
    QFETCH(int, own);
    QFETCH(int, opp);
    QFETCH(double, R);
    QFETCH(double, Q);
    QFETCH(int, K);
    QFETCH(double, expected);
    const long double x = Standings::ratingAfter(own, opp, R, Q, K);
    QVERIFY2(std::fabs(double(x) - expected) < 1e-9, qPrintable(QString::number(double(x), 'g', 17)));
}

void TestStandings::soccerHomeWin()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    QVERIFY(f.addMatch(A, B, 2, 0));
    QCOMPARE(f.team(A, QStringLiteral("TRT")), 1650);
    QCOMPARE(f.team(B, QStringLiteral("TRT")), 1350);
    QCOMPARE(f.team(A, QStringLiteral("TRH")), 1650);
    QCOMPARE(f.team(B, QStringLiteral("TRA")), 1350);
    QCOMPARE(f.team(A, QStringLiteral("TRA")), 1500); // only home matches move the home rating
    QCOMPARE(f.team(B, QStringLiteral("TRH")), 1500);
    // Counts, goals, points and their overall sums.
    QCOMPARE(teamRow(f, A).mid(1), (QList<int>{1650, 1, 1, 0, 0,    2, 0, 2, 3, 1500, 0, 0, 0, 0,
                                               0,    0, 0, 0, 1650, 1, 1, 0, 0, 2,    0, 2, 3}));
    QCOMPARE(teamRow(f, B).mid(1), (QList<int>{1500, 0, 0,  0, 0,    0, 0, 0, 0, 1350, 1, 0,  0, 1,
                                               0,    2, -2, 0, 1350, 1, 0, 0, 1, 0,    2, -2, 0}));
}

void TestStandings::soccerDrawBetweenEquals()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    QVERIFY(f.addMatch(A, B, 1, 1));
    for (const QString &c : {QStringLiteral("TRT"), QStringLiteral("TRH"), QStringLiteral("TRA")}) {
        QCOMPARE(f.team(A, c), 1500);
        QCOMPARE(f.team(B, c), 1500);
    }
    QCOMPARE(f.team(A, QStringLiteral("HD")), 1);
    QCOMPARE(f.team(B, QStringLiteral("APts")), 1);
}

// Files from elsewhere may hold a match of a team against itself: both sides count on its one row, and
// of the two total ratings the away side's, worked out last, stays.
void TestStandings::teamAgainstItself()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    Standings::ApplyResult(f.dm().ADOTableTeams, f.dm().ADOTableLeague, false, 0, 2, A, A);
    QCOMPARE(f.team(A, QStringLiteral("TRH")), 1650);
    QCOMPARE(f.team(A, QStringLiteral("TRA")), 1350);
    QCOMPARE(f.team(A, QStringLiteral("TRT")), 1350);
    for (const auto &[column, value] : std::initializer_list<std::pair<const char *, int>>{{"HW", 1},
                                                                                           {"HPts", 3},
                                                                                           {"AL", 1},
                                                                                           {"APts", 0},
                                                                                           {"TP", 2},
                                                                                           {"TW", 1},
                                                                                           {"TL", 1},
                                                                                           {"TF", 2},
                                                                                           {"TA", 2},
                                                                                           {"TDif", 0},
                                                                                           {"TPts", 3}})
        QCOMPARE(f.team(A, QString::fromLatin1(column)), value);
    QCOMPARE(f.team(B, QStringLiteral("TRT")), 1500); // untouched
    QCOMPARE(f.team(B, QStringLiteral("TP")), 0);
}

void TestStandings::iceHockeyDraw()
{
    LeagueFixture f(QStringLiteral("Ice Hockey"), {A, B});
    setTeam(f, A, QStringLiteral("TRT"), 1700);
    setTeam(f, A, QStringLiteral("TRH"), 1700);
    QVERIFY(f.addMatch(A, B, 1, 1));
    QCOMPARE(f.team(A, QStringLiteral("TRT")), 1674);
    QCOMPARE(f.team(B, QStringLiteral("TRT")), 1526);
    QCOMPARE(f.team(A, QStringLiteral("TRH")), 1674);
    QCOMPARE(f.team(B, QStringLiteral("TRA")), 1526);
}

void TestStandings::ratingFloor()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    // Equal teams at 160: a 0:2 defeat costs 150, which would leave 10.
    for (const QString &t : {A, B})
        for (const QString &c : {QStringLiteral("TRT"), QStringLiteral("TRH"), QStringLiteral("TRA")})
            setTeam(f, t, c, 160);
    QVERIFY(f.addMatch(A, B, 2, 0));
    QCOMPARE(f.team(A, QStringLiteral("TRT")), 310);
    QCOMPARE(f.team(B, QStringLiteral("TRT")), 100);
    QCOMPARE(f.team(B, QStringLiteral("TRA")), 100);
}

void TestStandings::overtimePointsAndExactRemoval()
{
    LeagueFixture f(QStringLiteral("Ice Hockey"), {A, B});
    f.setLeague(QStringLiteral("PWO"), 2);
    f.setLeague(QStringLiteral("PLO"), 1);
    const QList<int> beforeA = teamRow(f, A);
    const QList<int> beforeB = teamRow(f, B);
    QVERIFY(f.addMatch(A, B, 3, 2, true));
    QCOMPARE(f.dm().ADOTableResults.field(QStringLiteral("Result")).asString(), QStringLiteral("3:2 OT"));
    QCOMPARE(f.team(A, QStringLiteral("HD")), 1);
    QCOMPARE(f.team(A, QStringLiteral("HW")), 0);
    QCOMPARE(f.team(B, QStringLiteral("AD")), 1);
    QCOMPARE(f.team(B, QStringLiteral("AL")), 0);
    QCOMPARE(f.team(A, QStringLiteral("HPts")), 2);
    QCOMPARE(f.team(B, QStringLiteral("APts")), 1);
    QCOMPARE(f.team(A, QStringLiteral("TD")), 1);
    QVERIFY(f.team(A, QStringLiteral("TRT")) > 1500); // the rating still sees the score

    QVERIFY(gotoMatch(f, A, B));
    f.dm().ADOTableResults.deleteRecord();
    QCOMPARE(teamRow(f, A), beforeA);
    QCOMPARE(teamRow(f, B), beforeB);
}

void TestStandings::deletingMatches()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C});
    QVERIFY(f.addMatch(A, B, 1, 0));
    const QList<int> afterFirst = teamRow(f, A);
    QVERIFY(f.addMatch(B, C, -1, -1)); // a fixture
    QCOMPARE(teamRow(f, A), afterFirst);
    QVERIFY(gotoMatch(f, B, C));
    const QList<int> b = teamRow(f, B);
    f.dm().ADOTableResults.deleteRecord(); // unplayed: standings untouched
    QCOMPARE(teamRow(f, B), b);
    QCOMPARE(f.dm().ADOTableResults.recordCount(), 1);
    f.reopen();
    QCOMPARE(f.dm().ADOTableResults.recordCount(), 1);
}

void TestStandings::editingOldScoreRestartsFromSnapshot()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C});
    QVERIFY(f.addMatch(A, B, 1, 0, false, QDate(2005, 8, 1), 1));
    const int aAfterFirst = f.team(A, QStringLiteral("TRT"));
    QVERIFY(f.addMatch(A, C, 3, 0, false, QDate(2005, 8, 8), 2));
    QVERIFY(f.team(A, QStringLiteral("TRT")) > aAfterFirst);

    // Change the first match 1:0 -> 1:1: it is taken out with its snapshot (1500 for both), which drops
    // the later match's rating change, then the draw is applied from there.
    Table &results = f.dm().ADOTableResults;
    QVERIFY(gotoMatch(f, A, B));
    MatchEntryInput edit = f.input(A, B, 1, 1, false, QDate(2005, 8, 1), 1);
    edit.mode = MatchEntryMode::Edit;
    QVERIFY(SaveMatch(f.dm(), edit, f.messenger));
    QCOMPARE(f.team(A, QStringLiteral("TRT")), 1500);
    QCOMPARE(f.team(B, QStringLiteral("TRT")), 1500);
    QCOMPARE(f.team(A, QStringLiteral("HW")), 1); // the later 3:0 still counts
    QCOMPARE(f.team(A, QStringLiteral("HD")), 1);
    QCOMPARE(f.team(A, QStringLiteral("HPts")), 4);
    QCOMPARE(f.team(B, QStringLiteral("AL")), 0);
    QCOMPARE(f.team(B, QStringLiteral("APts")), 1);
    QCOMPARE(results.recordCount(), 2);
}

void TestStandings::emptySnapshotKeepsRating()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    QVERIFY(f.addMatch(A, B, 2, 0));
    Table &results = f.dm().ADOTableResults;
    QVERIFY(gotoMatch(f, A, B));
    results.edit();
    for (const char *c : {"TRH", "TRHT", "TRA", "TRAT"})
        results.field(QString::fromLatin1(c)).clear();
    results.post();
    results.deleteRecord();
    // Counts are taken out; the ratings stay where they were instead of dropping to 0.
    QCOMPARE(f.team(A, QStringLiteral("TRT")), 1650);
    QCOMPARE(f.team(B, QStringLiteral("TRA")), 1350);
    QCOMPARE(f.team(A, QStringLiteral("HW")), 0);
    QCOMPARE(f.team(A, QStringLiteral("TPts")), 0);
}

void TestStandings::missingTeamChangesNoRating()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    Standings::ApplyResult(f.dm().ADOTableTeams, f.dm().ADOTableLeague, false, 0, 2, QStringLiteral("Nobody"),
                           A);
    QCOMPARE(f.team(A, QStringLiteral("TRT")), 1500);
    QCOMPARE(f.team(A, QStringLiteral("HW")), 1);
    QCOMPARE(f.team(A, QStringLiteral("HPts")), 3);
}

void TestStandings::positionsFollowOrder()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C});
    QVERIFY(f.addMatch(C, A, 2, 0));
    QVERIFY(f.addMatch(B, A, 1, 0));
    Table &teams = f.dm().ADOTableTeams;
    teams.setSort(QStringLiteral("HPts DESC, HDif DESC, HW DESC"));
    f.dm().RenumberPositions();
    QStringList order;
    for (teams.first(); !teams.eof(); teams.next()) {
        QCOMPARE(teams.field(QStringLiteral("Pos")).asInteger(), teams.recNo());
        order << teams.field(QStringLiteral("Team")).asString();
    }
    QCOMPARE(order, (QStringList{C, B, A}));
    // Deleting a team renumbers without a gap.
    QVERIFY(teams.locate(QStringLiteral("Team"), {B}));
    teams.deleteRecord();
    QCOMPARE(f.team(C, QStringLiteral("Pos")), 1);
    QCOMPARE(f.team(A, QStringLiteral("Pos")), 2);
    QCOMPARE(f.dm().ADOTableResults.recordCount(), 2); // its matches stay
}

QTEST_GUILESS_MAIN(TestStandings)
#include "tst_standings.moc"

void TestStandings::sumsPastTheRangeAreRefused_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("homeScore");
    QTest::addColumn<QString>("named"); // the column the message names

    const int most = std::numeric_limits<int>::max();
    QTest::newRow("goals for") << QStringLiteral("HF") << most << 41 << QStringLiteral("HF");
    QTest::newRow("points") << QStringLiteral("HPts") << most - 2 << 2 << QStringLiteral("HPts");
    QTest::newRow("wins") << QStringLiteral("HW") << most << 2 << QStringLiteral("HW");
    QTest::newRow("total of home and away points")
        << QStringLiteral("APts") << most - 2 << 2 << QStringLiteral("TPts");
    QTest::newRow("goals against") << QStringLiteral("HA") << most << 0 << QStringLiteral("HA");
}

// 2147483647 + 41 must not wrap round to a negative count: the match is refused and nothing changes.
void TestStandings::sumsPastTheRangeAreRefused()
{
    QFETCH(QString, column);
    QFETCH(int, value);
    QFETCH(int, homeScore);
    QFETCH(QString, named);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    setTeam(f, A, column, value);
    const QList<int> alpha = teamRow(f, A);
    const QList<int> beta = teamRow(f, B);
    try {
        f.addMatch(A, B, homeScore, 1);
        QFAIL("the match was stored");
    } catch (const QuorvaneError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("Alpha")) && e.message().contains(named),
                 qPrintable(e.message()));
    }
    QCOMPARE(teamRow(f, A), alpha);
    QCOMPARE(teamRow(f, B), beta);
    QVERIFY(f.dm().ADOTableResults.isEmpty());
    f.reopen();
    QCOMPARE(teamRow(f, A), alpha);
    QVERIFY(f.dm().ADOTableResults.isEmpty());
}
