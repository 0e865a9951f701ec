#include "data/Errors.h"
#include "data/GridCommands.h"
#include "data/PlayersQueries.h"
#include "support/LeagueFixture.h"

#include <QTest>

namespace
{
const QString Arsenal = QStringLiteral("Arsenal");
const QString Oneil = QStringLiteral("O'Neil Rovers");

// Players in stored order: name, team.
const QList<std::pair<QString, QString>> kPlayers = {{QStringLiteral("Zoran Novak"), Oneil},
                                                     {QStringLiteral("Martin Keller"), Arsenal},
                                                     {QStringLiteral("Mads Olsen"), Oneil},
                                                     {QStringLiteral("Marta Ruiz"), Oneil},
                                                     {QStringLiteral("Andrea Pirlo"), Arsenal}};

void addPlayers(LeagueFixture &f)
{
    Table &players = f.dm().ADOTablePlayers;
    int n = 1;
    for (const auto &[name, team] : kPlayers) {
        // N, Player, Team, Pos, PR, Atk, Def, IN_OUT, PPic, DOB, Wt, Ht
        players.appendRecord({n++, name, team, QStringLiteral("Midfielder"), 100, 50, 50,
                              QStringLiteral("IN"), QVariant(), QDate(1980, 1, n), QStringLiteral("75"),
                              QStringLiteral("180")});
    }
    players.first();
}

QStringList shownPlayers(Table &players)
{
    QStringList out;
    for (players.first(); !players.eof(); players.next())
        out << players.field(QStringLiteral("Player")).asString();
    return out;
}
} // namespace

class TestPlayers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void teamListStartsWithAllThenNamesIgnoringCase();
    void teamFilterText_data();
    void teamFilterText();
    void teamChoiceFiltersAndAllClears();
    void findPlayer_data();
    void findPlayer();
    void modes_data();
    void modes();
    void cardColumns_data();
    void cardColumns();
};

void TestPlayers::teamListStartsWithAllThenNamesIgnoringCase()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"),
                    {QStringLiteral("charlie"), QStringLiteral("alpha"), QStringLiteral("Bravo")});
    Table &teams = f.dm().ADOTableTeams;
    teams.last();
    QCOMPARE(playersTeamList(f.dm()), (QStringList{QStringLiteral("<---All--->"), QStringLiteral("alpha"),
                                                   QStringLiteral("Bravo"), QStringLiteral("charlie")}));
    QCOMPARE(teams.recNo(), 1);
}

void TestPlayers::teamFilterText_data()
{
    QTest::addColumn<QString>("team");
    QTest::addColumn<QString>("filter");
    QTest::newRow("plain") << Arsenal << QStringLiteral("Team = 'Arsenal'");
    QTest::newRow("quotes doubled") << QStringLiteral("O'Neil's") << QStringLiteral("Team = 'O''Neil''s'");
}

void TestPlayers::teamFilterText()
{
    QFETCH(QString, team);
    QFETCH(QString, filter);
    QCOMPARE(::teamFilterText(team), filter);
}

void TestPlayers::teamChoiceFiltersAndAllClears()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Arsenal, Oneil});
    addPlayers(f);
    Table &players = f.dm().ADOTablePlayers;

    showPlayersOfTeam(players, Oneil); // the quote in the name must survive the filter text
    QCOMPARE(shownPlayers(players), (QStringList{QStringLiteral("Zoran Novak"), QStringLiteral("Mads Olsen"),
                                                 QStringLiteral("Marta Ruiz")}));
    showPlayersOfTeam(players, QStringLiteral("arsenal")); // the filter ignores letter case
    QCOMPARE(shownPlayers(players),
             (QStringList{QStringLiteral("Martin Keller"), QStringLiteral("Andrea Pirlo")}));

    showAllPlayers(players);
    QVERIFY(!players.filtered());
    QVERIFY(players.filter().isEmpty());
    QCOMPARE(players.recordCount(), kPlayers.size());

    // A text that does not parse is refused and leaves every player shown.
    QVERIFY_THROWS_EXCEPTION(DatabaseError, SetTableFilter(players, QStringLiteral("Team = ")));
    QCOMPARE(players.recordCount(), kPlayers.size());
}

void TestPlayers::findPlayer_data()
{
    QTest::addColumn<QString>("team"); // chosen in the list; empty for all
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found"); // empty: not found, the current row stays

    QTest::newRow("prefix, letter case ignored")
        << QString() << QStringLiteral("ma") << QStringLiteral("Martin Keller");
    QTest::newRow("the first in the shown order")
        << Oneil << QStringLiteral("MA") << QStringLiteral("Mads Olsen");
    QTest::newRow("other teams' players are not found") << Oneil << QStringLiteral("Martin") << QString();
    QTest::newRow("inside the name is no prefix") << QString() << QStringLiteral("Keller") << QString();
    QTest::newRow("empty text: the first shown row")
        << Arsenal << QString() << QStringLiteral("Martin Keller");
}

void TestPlayers::findPlayer()
{
    QFETCH(QString, team);
    QFETCH(QString, typed);
    QFETCH(QString, found);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Arsenal, Oneil});
    addPlayers(f);
    Table &players = f.dm().ADOTablePlayers;
    if (!team.isEmpty())
        showPlayersOfTeam(players, team);
    players.last();
    const QString before = players.field(QStringLiteral("Player")).asString();

    QCOMPARE(FindPlayer(players, typed), !found.isEmpty());
    QCOMPARE(players.field(QStringLiteral("Player")).asString(), found.isEmpty() ? before : found);
}

void TestPlayers::modes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mode"); // -1: none
    QTest::newRow("1") << QStringLiteral("1") << int(PlayersMode::Stats);
    QTest::newRow("2") << QStringLiteral("2") << int(PlayersMode::Detail);
    QTest::newRow("3") << QStringLiteral("3") << -1;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("blank before") << QStringLiteral(" 1") << -1;
}

void TestPlayers::modes()
{
    QFETCH(QString, text);
    QFETCH(int, mode);
    const std::optional<PlayersMode> m = playersModeOf(text);
    QCOMPARE(m ? int(*m) : -1, mode);
}

void TestPlayers::cardColumns_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("columns");
    QTest::newRow("500") << 500 << 3;
    QTest::newRow("exactly two") << 310 << 2;
    QTest::newRow("just under two") << 309 << 1;
    QTest::newRow("narrower than a card") << 100 << 1;
}

void TestPlayers::cardColumns()
{
    QFETCH(int, width);
    QFETCH(int, columns);
    QCOMPARE(playerCardColumns(width), columns);
}

QTEST_GUILESS_MAIN(TestPlayers)
#include "tst_players.moc"
