#include "data/Database.h"
#include "data/TeamSort.h"
#include "support/LeagueFixture.h"

#include <QTest>

Q_DECLARE_METATYPE(TeamTable)

namespace
{
const QString Alpha = QStringLiteral("Alpha");
const QString Beta = QStringLiteral("Beta");
const QString Gamma = QStringLiteral("Gamma");
const QString Delta = QStringLiteral("Delta");

// Home table: Beta 3 pts +2, Gamma 3 pts +1, Alpha and Delta 1 pt 0 (level on every key).
// Away table: Beta and Gamma 1 pt 0 (level), Delta 0 pts -1, Alpha 0 pts -2.
void playLeague(LeagueFixture &f)
{
    QVERIFY(f.addMatch(Beta, Alpha, 2, 0));
    QVERIFY(f.addMatch(Gamma, Delta, 1, 0));
    QVERIFY(f.addMatch(Delta, Beta, 1, 1));
    QVERIFY(f.addMatch(Alpha, Gamma, 0, 0));
}

// The teams in the table's current order; fails unless Pos runs 1..n down that order.
QStringList orderShown(TDataMod &dm)
{
    QStringList names;
    Table &teams = dm.ADOTableTeams;
    int pos = 0;
    for (teams.first(); !teams.eof(); teams.next()) {
        names << teams.field(QStringLiteral("Team")).asString();
        if (teams.field(QStringLiteral("Pos")).asInteger() != ++pos)
            return {QStringLiteral("Pos %1 at row %2")
                        .arg(teams.field(QStringLiteral("Pos")).asInteger())
                        .arg(pos)};
    }
    return names;
}

QStringList namesShown(TDataMod &dm)
{
    QStringList names;
    Table &teams = dm.ADOTableTeams;
    for (teams.first(); !teams.eof(); teams.next())
        names << teams.field(QStringLiteral("Team")).asString();
    return names;
}

// Each team's Pos.
QHash<QString, int> positionsShown(TDataMod &dm)
{
    QHash<QString, int> pos;
    Table &teams = dm.ADOTableTeams;
    for (teams.first(); !teams.eof(); teams.next())
        pos.insert(teams.field(QStringLiteral("Team")).asString(),
                   teams.field(QStringLiteral("Pos")).asInteger());
    return pos;
}
} // namespace

class TestTeamSort : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Database::setDurableWrites(false);
    }
    void defaultsGiveTheStartingOrder();
    void sortText_data();
    void sortText();
    void titleClick_data();
    void titleClick();
    void titleClicksOrderTheLeague();
    void positionsStayLeaguePositions_data();
    void positionsStayLeaguePositions();
    void eachTableSortsTheSharedTable();
    void nothingToSort();
};

void TestTeamSort::defaultsGiveTheStartingOrder()
{
    // The order a league first shows, as the import and the command line use it.
    for (TeamTable t : {TeamTable::Home, TeamTable::Away, TeamTable::Overall})
        QCOMPARE(teamSortText(TeamSortChoices()[t], teamGridFields(t)),
                 std::optional<QString>(defaultTeamSort(t)));
}

void TestTeamSort::sortText_data()
{
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("sort");
    QTest::addColumn<TeamTable>("table");
    QTest::addColumn<QString>("expected"); // empty: no sort

    const TeamTable H = TeamTable::Home, A = TeamTable::Away, T = TeamTable::Overall;
    QTest::newRow("team ascending") << "Ascending"
                                    << "Team" << H << "Team, HDif, HW";
    QTest::newRow("rating descending away") << "Descending"
                                            << "Rtg" << A << "TRA DESC, ADif DESC, AW DESC";
    QTest::newRow("goals for ascending overall") << "Ascending"
                                                 << "F" << T << "TF, TDif, TW";
    QTest::newRow("difference repeats as second key") << "Descending"
                                                      << "Dif" << H << "HDif DESC, HDif DESC, HW DESC";
    QTest::newRow("wins repeat as third key") << "Ascending"
                                              << "W" << T << "TW, TDif, TW";
    QTest::newRow("played") << "Descending"
                            << "P" << A << "AP DESC, ADif DESC, AW DESC";
    QTest::newRow("nothing selected sorts downwards") << ""
                                                      << "Pts" << A << "APts DESC, ADif DESC, AW DESC";
    QTest::newRow("unknown order sorts downwards") << "Sideways"
                                                   << "L" << H << "HL DESC, HDif DESC, HW DESC";
    QTest::newRow("letter case ignored") << "ascending"
                                         << "pts" << H << "HPts, HDif, HW";
    QTest::newRow("hash sorts by the league position") << "Ascending"
                                                       << "#" << A << "Pos";
    QTest::newRow("hash downwards") << "Descending"
                                    << "#" << H << "Pos DESC";
    QTest::newRow("no sort selected") << "Descending"
                                      << "" << T << "";
    QTest::newRow("typed text not an entry") << "Descending"
                                             << "Points" << T << "";
}

void TestTeamSort::sortText()
{
    QFETCH(QString, order);
    QFETCH(QString, sort);
    QFETCH(TeamTable, table);
    QFETCH(QString, expected);
    const std::optional<QString> text = teamSortText(TeamSortChoice{order, sort}, teamGridFields(table));
    QCOMPARE(text, expected.isEmpty() ? std::nullopt : std::optional<QString>(expected));
}

void TestTeamSort::titleClick_data()
{
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("sort");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("orderAfter");
    QTest::addColumn<QString>("sortAfter");

    QTest::newRow("the sorted column reverses") << "Descending"
                                                << "Pts"
                                                << "Pts"
                                                << "Ascending"
                                                << "Pts";
    QTest::newRow("and back") << "Ascending"
                              << "Pts"
                              << "Pts"
                              << "Descending"
                              << "Pts";
    QTest::newRow("a number starts with the largest") << "Ascending"
                                                      << "Team"
                                                      << "W"
                                                      << "Descending"
                                                      << "W";
    QTest::newRow("also after a descending sort") << "Descending"
                                                  << "Pts"
                                                  << "Rtg"
                                                  << "Descending"
                                                  << "Rtg";
    QTest::newRow("names start at A") << "Descending"
                                      << "Pts"
                                      << "Team"
                                      << "Ascending"
                                      << "Team";
    QTest::newRow("nothing selected") << ""
                                      << ""
                                      << "L"
                                      << "Descending"
                                      << "L";
    QTest::newRow("a sorted column with no order chosen") << ""
                                                          << "F"
                                                          << "F"
                                                          << "Ascending"
                                                          << "F";
    QTest::newRow("hash starts with the leader") << "Descending"
                                                 << "Dif"
                                                 << "#"
                                                 << "Ascending"
                                                 << "#";
    QTest::newRow("hash again reverses") << "Ascending"
                                         << "#"
                                         << "#"
                                         << "Descending"
                                         << "#";
    QTest::newRow("letter case of the choice ignored") << "Ascending"
                                                       << "pts"
                                                       << "Pts"
                                                       << "Descending"
                                                       << "Pts";
}

void TestTeamSort::titleClick()
{
    QFETCH(QString, order);
    QFETCH(QString, sort);
    QFETCH(QString, title);
    QFETCH(QString, orderAfter);
    QFETCH(QString, sortAfter);
    QCOMPARE(afterTitleClick(TeamSortChoice{order, sort}, title), (TeamSortChoice{orderAfter, sortAfter}));
}

void TestTeamSort::titleClicksOrderTheLeague()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta, Gamma, Delta});
    playLeague(f);
    const QStringList home = teamGridFields(TeamTable::Home);
    TeamSortChoice choice;

    ApplyTeamSort(f.dm(), choice, home);
    // Alpha and Delta are level on points, difference and wins: they keep the table's own order.
    QCOMPARE(orderShown(f.dm()), (QStringList{Beta, Gamma, Alpha, Delta}));

    choice = afterTitleClick(choice, QStringLiteral("Pts"));
    ApplyTeamSort(f.dm(), choice, home);
    QCOMPARE(namesShown(f.dm()), (QStringList{Alpha, Delta, Gamma, Beta}));

    choice = afterTitleClick(choice, QStringLiteral("Pts"));
    ApplyTeamSort(f.dm(), choice, home);
    QCOMPARE(orderShown(f.dm()), (QStringList{Beta, Gamma, Alpha, Delta}));

    choice = afterTitleClick(choice, QStringLiteral("Team"));
    ApplyTeamSort(f.dm(), choice, home);
    QCOMPARE(namesShown(f.dm()), (QStringList{Alpha, Beta, Delta, Gamma}));

    // "#" goes back to the league order.
    choice = afterTitleClick(choice, QStringLiteral("#"));
    ApplyTeamSort(f.dm(), choice, home);
    QCOMPARE(orderShown(f.dm()), (QStringList{Beta, Gamma, Alpha, Delta}));
}

void TestTeamSort::positionsStayLeaguePositions_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("team names") << "Team";
    QTest::newRow("fewest points first") << "Pts"; // the default order reversed
    QTest::newRow("goals against") << "A";
    QTest::newRow("the position reversed") << "#";
}

void TestTeamSort::positionsStayLeaguePositions()
{
    QFETCH(QString, title);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta, Gamma, Delta});
    playLeague(f);
    const QStringList home = teamGridFields(TeamTable::Home);
    TeamSortChoice choice = afterTitleClick(TeamSortChoice{}, title);
    if (title == QLatin1String("#"))
        choice = afterTitleClick(choice, title);
    ApplyTeamSort(f.dm(), choice, home);
    // Whatever the rows are sorted by, "#" shows each team's place in the home table.
    const QHash<QString, int> places = {{Beta, 1}, {Gamma, 2}, {Alpha, 3}, {Delta, 4}};
    QCOMPARE(positionsShown(f.dm()), places);
    // Storing a team, deleting one and the table's after-delete renumbering keep it so.
    f.dm().RenumberPositions();
    QCOMPARE(positionsShown(f.dm()), places);
    Table &teams = f.dm().ADOTableTeams;
    QVERIFY(teams.locate(QStringLiteral("Team"), {Gamma}));
    teams.deleteRecord();
    QCOMPARE(positionsShown(f.dm()), (QHash<QString, int>{{Beta, 1}, {Alpha, 2}, {Delta, 3}}));
    // The positions are in the file, not only on the screen.
    f.reopen();
    QCOMPARE(positionsShown(f.dm()), (QHash<QString, int>{{Beta, 1}, {Alpha, 2}, {Delta, 3}}));
}

void TestTeamSort::eachTableSortsTheSharedTable()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta, Gamma, Delta});
    playLeague(f);
    TeamSortChoices choices;
    ApplyTeamSort(f.dm(), choices[TeamTable::Home], teamGridFields(TeamTable::Home));
    ApplyTeamSort(f.dm(), choices[TeamTable::Away], teamGridFields(TeamTable::Away));
    QCOMPARE(f.dm().ADOTableTeams.sort(), defaultTeamSort(TeamTable::Away));
    QCOMPARE(orderShown(f.dm()), (QStringList{Beta, Gamma, Delta, Alpha}));
    // Sorted by name, the positions stay those of the away table, the one shown.
    ApplyTeamSort(f.dm(), TeamSortChoice{QStringLiteral("Ascending"), QStringLiteral("Team")},
                  teamGridFields(TeamTable::Away));
    QCOMPARE(positionsShown(f.dm()), (QHash<QString, int>{{Beta, 1}, {Gamma, 2}, {Delta, 3}, {Alpha, 4}}));
}

void TestTeamSort::nothingToSort()
{
    LeagueFixture empty;
    ApplyTeamSort(empty.dm(), TeamSortChoice{}, teamGridFields(TeamTable::Home));
    QCOMPARE(empty.dm().ADOTableTeams.sort(), QString());

    LeagueFixture closed(QStringLiteral("Football (Soccer)"), {Alpha});
    closed.dm().closeLeague();
    ApplyTeamSort(closed.dm(), TeamSortChoice{}, teamGridFields(TeamTable::Home));
    QVERIFY(!closed.dm().isLeagueOpen());
}

QTEST_GUILESS_MAIN(TestTeamSort)
#include "tst_teamsort.moc"
