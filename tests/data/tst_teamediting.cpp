#include "data/Errors.h"
#include "data/TeamEditing.h"
#include "data/TextCompare.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

using namespace Qt::Literals::StringLiterals;

namespace
{
const QString A = QStringLiteral("Arsenal");
const QString B = QStringLiteral("Chelsea");
const QString C = QStringLiteral("Everton");

// The whole stored state of the league, to show that a refused command changed nothing.
QString snapshot(Database &db)
{
    return storedRows(db, {QStringLiteral("Teams"), QStringLiteral("Results"), QStringLiteral("Players")});
}

QStringList column(Database &db, const QString &sql)
{
    QStringList out;
    Statement st = db.prepare(sql);
    while (st.step())
        out << st.value(0).toString();
    return out;
}

void addPlayer(LeagueFixture &f, const QString &name, const QString &team, int atk = 5)
{
    f.dm().ADOTablePlayers.appendRecord(
        {7, name, team, QStringLiteral("Forward"), 1800, atk, 5, QStringLiteral("IN")});
}

PlayerValues player(const QString &name, const QString &team)
{
    PlayerValues p;
    p.name = name;
    p.team = team;
    p.position = QStringLiteral("Keeper");
    p.number = 12;
    p.year = 1984;
    p.month = 2;
    p.day = 29;
    p.weight = QStringLiteral("80kg");
    p.height = QStringLiteral("191cm");
    p.inOut = QStringLiteral("IN");
    p.rating = 2300;
    p.picture = QByteArray("not looked at here");
    return p;
}

// A BMP file image written field by field: the file header, an info header of infoSize bytes (12: the
// oldest one with 16-bit sizes), a palette for up to 8 bits or the colour masks of bit fields, and rows
// padded to four bytes (or rleBytes of run-length data).
QByteArray bmp(int width, int height, int bits, int infoSize = 40, quint32 compression = 0,
               quint32 rleBytes = 0)
{
    const int paletteEntries = bits <= 8 ? 1 << bits : 0;
    const int masks = compression == 3 && infoSize == 40 ? 12 : 0;
    const int paletteSize = paletteEntries * (infoSize == 12 ? 3 : 4) + masks;
    const int offset = 14 + infoSize + paletteSize;
    const qint64 rowBytes = (qint64(width) * bits + 31) / 32 * 4;
    const bool runLength = compression == 1 || compression == 2;
    const qint64 pixels = runLength ? rleBytes : rowBytes * qAbs(height);
    QByteArray d(offset + pixels, '\0');
    char *p = d.data();
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(quint32(d.size()), p + 2);
    qToLittleEndian<quint32>(quint32(offset), p + 10);
    qToLittleEndian<quint32>(quint32(infoSize), p + 14);
    if (infoSize == 12) {
        qToLittleEndian<qint16>(qint16(width), p + 18);
        qToLittleEndian<qint16>(qint16(height), p + 20);
        qToLittleEndian<quint16>(1, p + 22);
        qToLittleEndian<quint16>(quint16(bits), p + 24);
    } else {
        qToLittleEndian<qint32>(width, p + 18);
        qToLittleEndian<qint32>(height, p + 22);
        qToLittleEndian<quint16>(1, p + 26);
        qToLittleEndian<quint16>(quint16(bits), p + 28);
        qToLittleEndian<quint32>(compression, p + 30);
        qToLittleEndian<quint32>(quint32(pixels), p + 34);
    }
    return d;
}

QByteArray withU16(QByteArray d, int offset, quint16 v)
{
    qToLittleEndian<quint16>(v, d.data() + offset);
    return d;
}

QByteArray withU32(QByteArray d, int offset, quint32 v)
{
    qToLittleEndian<quint32>(v, d.data() + offset);
    return d;
}
} // namespace

class TestTeamEditing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void captionsChooseTheMode_data();
    void captionsChooseTheMode();
    void addTeamValuesAndSameNameTwice();
    void emptyNamesWriteNothing();
    void renameCarriesIntoMatchesAndPlayers_data();
    void renameCarriesIntoMatchesAndPlayers();
    void refusedNameChangesNothing_data();
    void refusedNameChangesNothing();
    void editTeamPicture();
    void deleteTeamKeepsMatchesAndPlayers();
    void teamAndPlayerLists();
    void addPlayerStoresEveryField();
    void playerOfSameNameIsOverwrittenAcrossTeams();
    void editPlayerDeletesThenLooksUp();
    void playerWarnings_data();
    void playerWarnings();
    void invalidBirthDateLeavesPlayerAsItWas_data();
    void invalidBirthDateLeavesPlayerAsItWas();
    void showPlayer();
    void deletePlayerActsOnFirstOfName();
    void pasteTeams_data();
    void pasteTeams();
    void pastePlayers();
    void pastePlayersNeedsATeam_data();
    void pastePlayersNeedsATeam();
    void bmpImages_data();
    void bmpImages();
    void readBmpFile();
};

void TestTeamEditing::captionsChooseTheMode_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("teamEdit");
    QTest::addColumn<bool>("playerEdit");
    QTest::newRow("Edit Team") << "Edit Team" << true << false;
    QTest::newRow("Edit Player") << "Edit Player" << false << true;
    QTest::newRow("Add Team") << "Add Team" << false << false;
    QTest::newRow("other case is adding") << "edit team" << false << false;
    QTest::newRow("empty is adding") << "" << false << false;
}

void TestTeamEditing::captionsChooseTheMode()
{
    QFETCH(QString, caption);
    QFETCH(bool, teamEdit);
    QFETCH(bool, playerEdit);
    QCOMPARE(teamModeOf(caption) == EditMode::Edit, teamEdit);
    QCOMPARE(playerModeOf(caption) == EditMode::Edit, playerEdit);
}

void TestTeamEditing::addTeamValuesAndSameNameTwice()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {B, C});
    Table &teams = f.dm().ADOTableTeams;
    teams.setSort(QStringLiteral("Team DESC"));
    const QByteArray logo = bmp(2, 2, 24);
    QVERIFY(AddTeam(f.dm(), A, logo, f.messenger));
    QVERIFY(AddTeam(f.dm(), A.toUpper(), QByteArray(), f.messenger));
    QVERIFY(f.messenger.messages().isEmpty());

    Database &db = f.dm().ADOConnection;
    // A second team of the same name is a second row; positions are the league's, all level here and so
    // in stored order, whatever order the rows are sorted in for the eye.
    QCOMPARE(
        column(db, QStringLiteral("SELECT Team || ':' || CAST(Pos AS INTEGER) FROM Teams ORDER BY rowid")),
        (QStringList{QStringLiteral("Chelsea:1"), QStringLiteral("Everton:2"), QStringLiteral("Arsenal:3"),
                     QStringLiteral("ARSENAL:4")}));
    QVERIFY(locateTeam(teams, A));
    for (const ColumnInfo &c : teams.columns()) {
        if (c.name == QLatin1String("Pos") || c.name == QLatin1String("Team") || c.kind != ColumnKind::Real)
            continue;
        const bool rating = c.name == QLatin1String("TRH") || c.name == QLatin1String("TRA") ||
                            c.name == QLatin1String("TRT");
        QCOMPARE(teams.field(c.name).asInteger(), rating ? 1500 : 0);
    }
    QCOMPARE(teams.field(QStringLiteral("TPic")).asBlob(), logo);
    QVERIFY(db.scalar(QStringLiteral("SELECT TPic FROM Teams WHERE Team = 'ARSENAL'")).isNull());
}

void TestTeamEditing::emptyNamesWriteNothing()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    addPlayer(f, QStringLiteral("Martin"), A);
    const QString before = snapshot(f.dm().ADOConnection);
    QVERIFY(!AddTeam(f.dm(), QString(), QByteArray(), f.messenger));
    QVERIFY(!EditTeam(f.dm(), QString(), QByteArray(), f.messenger));
    QVERIFY(!SavePlayer(f.dm(), EditMode::Add, {A, B}, player(QString(), A), f.messenger));
    QCOMPARE(f.messenger.texts(),
             (QStringList{QStringLiteral("No team entered"), QStringLiteral("No team entered"),
                          QStringLiteral("No player entered")}));
    QCOMPARE(snapshot(f.dm().ADOConnection), before);
}

void TestTeamEditing::renameCarriesIntoMatchesAndPlayers_data()
{
    QTest::addColumn<QString>("newName");
    QTest::newRow("new name") << "Gunners";
    QTest::newRow("letter case only") << "ARSENAL";
}

void TestTeamEditing::renameCarriesIntoMatchesAndPlayers()
{
    QFETCH(QString, newName);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C});
    QVERIFY(f.addMatch(A, B, 2, 0));
    QVERIFY(f.addMatch(B, A, 1, 1));
    QVERIFY(f.addMatch(B, C, 0, 3));
    QVERIFY(f.addMatch(C, A, 0, 1));
    addPlayer(f, QStringLiteral("Martin"), A);
    addPlayer(f, QStringLiteral("Oscar"), B);
    addPlayer(f, QStringLiteral("Lowe"), QStringLiteral("arsenal")); // stored in other case
    const int points = f.team(A, QStringLiteral("TPts"));

    // Other views' filters and sorts must neither hide rows from the rename nor be lost by it.
    Table &results = f.dm().ADOTableResults;
    Table &players = f.dm().ADOTablePlayers;
    results.setSort(QStringLiteral("Home, Away"));
    results.setFilter(QStringLiteral("Home = 'Everton'"));
    results.setFiltered(true);
    players.setFilter(QStringLiteral("Team = 'Chelsea'"));
    players.setFiltered(true);

    QVERIFY(locateTeam(f.dm().ADOTableTeams, A));
    QVERIFY(EditTeam(f.dm(), newName, QByteArray(), f.messenger));
    QVERIFY(f.messenger.messages().isEmpty());

    QVERIFY(results.filtered() && players.filtered());
    QCOMPARE(results.recordCount(), 1);
    QCOMPARE(players.recordCount(), 1);

    f.reopen();
    Database &db = f.dm().ADOConnection;
    QCOMPARE(column(db, QStringLiteral("SELECT Home || '-' || Away FROM Results ORDER BY rowid")),
             (QStringList{newName + QStringLiteral("-Chelsea"), QStringLiteral("Chelsea-") + newName,
                          QStringLiteral("Chelsea-Everton"), QStringLiteral("Everton-") + newName}));
    QCOMPARE(column(db, QStringLiteral("SELECT Team FROM Players ORDER BY rowid")),
             (QStringList{newName, B, newName}));
    QCOMPARE(column(db, QStringLiteral("SELECT Team FROM Teams ORDER BY rowid")),
             (QStringList{newName, B, C}));
    QCOMPARE(f.team(newName, QStringLiteral("TPts")), points); // the standings go with the name
}

// A name longer than the file holds is refused half-way (after some rows took it) by the add, the rename
// (in the matches first) and the paste alike: the file, the rows in memory, the views' filters and the
// tables' states are as they were.
void TestTeamEditing::refusedNameChangesNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("add") << QStringLiteral("add");
    QTest::newRow("rename") << QStringLiteral("rename");
    QTest::newRow("paste") << QStringLiteral("paste");
}

void TestTeamEditing::refusedNameChangesNothing()
{
    QFETCH(QString, command);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C});
    QVERIFY(f.addMatch(A, B, 2, 0));
    QVERIFY(f.addMatch(C, A, 0, 1));
    addPlayer(f, QStringLiteral("Martin"), A);
    Table &results = f.dm().ADOTableResults;
    results.setFilter(QStringLiteral("Home = 'Everton'"));
    results.setFiltered(true);
    const QString before = snapshot(f.dm().ADOConnection);
    const QStringList names = f.teamNames();
    const QString tooLong(31, QLatin1Char('x'));

    QVERIFY(locateTeam(f.dm().ADOTableTeams, A));
    if (command == QLatin1String("add"))
        QVERIFY_THROWS_EXCEPTION(DatabaseError, AddTeam(f.dm(), tooLong, QByteArray(), f.messenger));
    else if (command == QLatin1String("rename"))
        QVERIFY_THROWS_EXCEPTION(DatabaseError, EditTeam(f.dm(), tooLong, QByteArray(), f.messenger));
    else
        QVERIFY_THROWS_EXCEPTION(DatabaseError, PasteTeams(f.dm(), {QStringLiteral("Leeds"), tooLong}));

    QCOMPARE(snapshot(f.dm().ADOConnection), before);
    QCOMPARE(f.teamNames(), names);
    for (Table *t : {&f.dm().ADOTableTeams, &results, &f.dm().ADOTablePlayers})
        QCOMPARE(t->state(), Dataset::State::Browse);
    QVERIFY(results.filtered());
    QCOMPARE(results.recordCount(), 1);
    QCOMPARE(results.field(QStringLiteral("Home")).asString(), C);
}

void TestTeamEditing::editTeamPicture()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    Database &db = f.dm().ADOConnection;
    const QByteArray logo = bmp(3, 1, 8);
    QVERIFY(locateTeam(f.dm().ADOTableTeams, B));
    QVERIFY(EditTeam(f.dm(), B, logo, f.messenger));
    QCOMPARE(db.scalar(QStringLiteral("SELECT TPic FROM Teams WHERE Team = 'Chelsea'")).toByteArray(), logo);
    QVERIFY(locateTeam(f.dm().ADOTableTeams, B)); // storing renumbered, which leaves Teams on its first row
    QCOMPARE(ShowTeam(f.dm(), EditMode::Edit).picture, logo);
    QCOMPARE(ShowTeam(f.dm(), EditMode::Edit).name, B);
    QVERIFY(ShowTeam(f.dm(), EditMode::Add).name.isEmpty());

    QVERIFY(EditTeam(f.dm(), B, QByteArray(), f.messenger)); // "&Clear"
    QVERIFY(db.scalar(QStringLiteral("SELECT TPic FROM Teams WHERE Team = 'Chelsea'")).isNull());
}

void TestTeamEditing::deleteTeamKeepsMatchesAndPlayers()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C});
    QVERIFY(f.addMatch(A, B, 2, 0));
    addPlayer(f, QStringLiteral("Martin"), A);
    QVERIFY(!DeleteTeamNamed(f.dm(), QStringLiteral("Arsenal FC")));
    QVERIFY(DeleteTeamNamed(f.dm(), QStringLiteral("ARSENAL")));
    Database &db = f.dm().ADOConnection;
    QCOMPARE(
        column(db, QStringLiteral("SELECT Team || ':' || CAST(Pos AS INTEGER) FROM Teams ORDER BY rowid")),
        (QStringList{QStringLiteral("Chelsea:1"), QStringLiteral("Everton:2")}));
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Results WHERE Home = 'Arsenal'")).toInt(), 1);
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Players WHERE Team = 'Arsenal'")).toInt(), 1);
}

void TestTeamEditing::teamAndPlayerLists()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {C, QStringLiteral("aston villa"), B});
    addPlayer(f, QStringLiteral("Zola"), B);
    addPlayer(f, QStringLiteral("amoroso"), B);
    addPlayer(f, QStringLiteral("Drogba"), B);
    addPlayer(f, QStringLiteral("Lowe"), QStringLiteral("chelsea")); // letter case counts here
    addPlayer(f, QStringLiteral("Baines"), C);
    Table &players = f.dm().ADOTablePlayers;
    players.setFilter(QStringLiteral("Team = 'Everton'"));
    players.setFiltered(true);

    QCOMPARE(teamNames(f.dm().ADOTableTeams), (QStringList{QStringLiteral("aston villa"), B, C}));
    QCOMPARE(playersOfTeam(players, B),
             (QStringList{QStringLiteral("amoroso"), QStringLiteral("Drogba"), QStringLiteral("Zola")}));
    QVERIFY(players.filtered());
    QCOMPARE(players.recordCount(), 1);
    QVERIFY(TextCompare::containsNoCase({B, C}, QStringLiteral("EVERTON")));
    QVERIFY(!TextCompare::containsNoCase({B, C}, QStringLiteral("Everton ")));
}

void TestTeamEditing::addPlayerStoresEveryField()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    PlayerValues p = player(QStringLiteral("Martin"), QStringLiteral("arsenal"));
    p.position = QString(); // never stays empty
    QVERIFY(SavePlayer(f.dm(), EditMode::Add, {A, B}, p, f.messenger));
    QVERIFY(f.messenger.messages().isEmpty());
    f.reopen();
    Table &pl = f.dm().ADOTablePlayers;
    QCOMPARE(pl.recordCount(), 1);
    pl.first();
    QCOMPARE(pl.field(QStringLiteral("N")).asInteger(), 12);
    QCOMPARE(pl.field(QStringLiteral("Player")).asString(), QStringLiteral("Martin"));
    QCOMPARE(pl.field(QStringLiteral("Team")).asString(), QStringLiteral("arsenal")); // as typed
    QCOMPARE(pl.field(QStringLiteral("Pos")).asString(), QStringLiteral("-"));
    QCOMPARE(pl.field(QStringLiteral("DOB")).asDate(), QDate(1984, 2, 29));
    QCOMPARE(pl.field(QStringLiteral("Wt")).asString(), QStringLiteral("80kg"));
    QCOMPARE(pl.field(QStringLiteral("Ht")).asString(), QStringLiteral("191cm"));
    QCOMPARE(pl.field(QStringLiteral("IN_OUT")).asString(), QStringLiteral("IN"));
    QCOMPARE(pl.field(QStringLiteral("PR")).asInteger(), 2300);
    QCOMPARE(pl.field(QStringLiteral("Atk")).asInteger(), 5);
    QCOMPARE(pl.field(QStringLiteral("Def")).asInteger(), 5);
    QCOMPARE(pl.field(QStringLiteral("PPic")).asBlob(), p.picture);
}

void TestTeamEditing::playerOfSameNameIsOverwrittenAcrossTeams()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    addPlayer(f, QStringLiteral("Martin"), A, 9);
    addPlayer(f, QStringLiteral("Oscar"), B);
    Table &players = f.dm().ADOTablePlayers;
    players.setFilter(QStringLiteral("Team = 'Chelsea'")); // the player view shows another team
    players.setFiltered(true);

    QVERIFY(SavePlayer(f.dm(), EditMode::Add, {A, B}, player(QStringLiteral("MARTIN"), B), f.messenger));
    QVERIFY(players.filtered());
    QCOMPARE(players.recordCount(), 2); // Oscar and the moved player
    Database &db = f.dm().ADOConnection;
    QCOMPARE(
        column(
            db,
            QStringLiteral(
                "SELECT Player || ':' || Team || ':' || CAST(Atk AS INTEGER) FROM Players ORDER BY rowid")),
        (QStringList{QStringLiteral("MARTIN:Chelsea:5"), QStringLiteral("Oscar:Chelsea:5")}));
}

void TestTeamEditing::editPlayerDeletesThenLooksUp()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    addPlayer(f, QStringLiteral("Martin"), A, 9);
    addPlayer(f, QStringLiteral("Oscar"), B, 8);
    Table &players = f.dm().ADOTablePlayers;
    Database &db = f.dm().ADOConnection;

    // Unchanged: an equal row, except that Atk and Def become 5.
    QVERIFY(locatePlayer(players, QStringLiteral("Martin")));
    PlayerForm shown = ShowPlayer(f.dm(), EditMode::Edit);
    QVERIFY(shown.player);
    QVERIFY(SavePlayer(f.dm(), EditMode::Edit, shown.teams, *shown.player, f.messenger));
    QCOMPARE(column(db, QStringLiteral("SELECT Player || ':' || Team || ':' || N || ':' || PR || ':' || Atk "
                                       "|| ':' || Pos || ':' || IN_OUT FROM Players ORDER BY Player")),
             (QStringList{QStringLiteral("Martin:Arsenal:7.0:1800.0:5.0:Forward:IN"),
                          QStringLiteral("Oscar:Chelsea:7.0:1800.0:8.0:Forward:IN")}));

    // Renamed to another player's name: the edited row goes, the other one is overwritten.
    QVERIFY(locatePlayer(players, QStringLiteral("Martin")));
    QVERIFY(SavePlayer(f.dm(), EditMode::Edit, {A, B}, player(QStringLiteral("oscar"), A), f.messenger));
    QCOMPARE(column(db, QStringLiteral("SELECT Player || ':' || Team FROM Players")),
             QStringList{QStringLiteral("oscar:Arsenal")});
}

void TestTeamEditing::playerWarnings_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("team");
    QTest::addColumn<QString>("warning");
    QTest::newRow("no name") << ""
                             << "Arsenal"
                             << "No player entered";
    QTest::newRow("unknown team") << "Martin"
                                  << "Arsenal FC"
                                  << "No team selected or invalid team";
    QTest::newRow("no team") << "Martin"
                             << ""
                             << "No team selected or invalid team";
}

void TestTeamEditing::playerWarnings()
{
    QFETCH(QString, name);
    QFETCH(QString, team);
    QFETCH(QString, warning);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    addPlayer(f, QStringLiteral("Martin"), B);
    QVERIFY(locatePlayer(f.dm().ADOTablePlayers, QStringLiteral("Martin")));
    const QString before = snapshot(f.dm().ADOConnection);
    QVERIFY(!SavePlayer(f.dm(), EditMode::Edit, {A, B}, player(name, team), f.messenger));
    QCOMPARE(f.messenger.texts(), QStringList{warning});
    QCOMPARE(snapshot(f.dm().ADOConnection), before);
}

void TestTeamEditing::invalidBirthDateLeavesPlayerAsItWas_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::newRow("31 February") << 1990 << 2 << 31;
    QTest::newRow("29 February of a common year") << 1990 << 2 << 29;
    QTest::newRow("31 April") << 2001 << 4 << 31;
}

void TestTeamEditing::invalidBirthDateLeavesPlayerAsItWas()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    addPlayer(f, QStringLiteral("Martin"), A);
    addPlayer(f, QStringLiteral("Oscar"), B);
    QVERIFY(locatePlayer(f.dm().ADOTablePlayers, QStringLiteral("Martin")));
    const QString before = snapshot(f.dm().ADOConnection);
    PlayerValues p = player(QStringLiteral("Oscar"), A);
    p.year = year;
    p.month = month;
    p.day = day;
    QVERIFY_THROWS_EXCEPTION(DateError, SavePlayer(f.dm(), EditMode::Edit, {A, B}, p, f.messenger));
    QCOMPARE(snapshot(f.dm().ADOConnection), before);
    QCOMPARE(f.dm().ADOTablePlayers.recordCount(), 2);
}

void TestTeamEditing::showPlayer()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {C, A, B});
    // A pasted player: no date of birth, weight or height.
    f.dm().ADOTablePlayers.appendRecord(
        {QVariant(), QStringLiteral("Baines"), C, QString(), 1500, 5, 5, QStringLiteral("OUT")});
    const PlayerForm add = ShowPlayer(f.dm(), EditMode::Add);
    QCOMPARE(add.teams, (QStringList{A, B, C}));
    QVERIFY(!add.player);
    const PlayerValues fresh;
    QCOMPARE(QDate(fresh.year, fresh.month, fresh.day), QDate(1950, 1, 1));

    const PlayerForm edit = ShowPlayer(f.dm(), EditMode::Edit);
    QVERIFY(edit.player);
    QCOMPARE(edit.player->name, QStringLiteral("Baines"));
    QCOMPARE(edit.player->team, C);
    QCOMPARE(edit.player->number, 0);
    QCOMPARE(edit.player->position, QStringLiteral("-"));
    QCOMPARE(edit.player->weight, QStringLiteral("-"));
    QCOMPARE(edit.player->height, QStringLiteral("-"));
    QCOMPARE(edit.player->inOut, QStringLiteral("OUT"));
    QCOMPARE(QDate(edit.player->year, edit.player->month, edit.player->day), QDate(1950, 1, 1));
    QCOMPARE(edit.player->rating, 1500);
    QVERIFY(edit.player->picture.isEmpty());
}

void TestTeamEditing::deletePlayerActsOnFirstOfName()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    addPlayer(f, QStringLiteral("Silva"), B);
    addPlayer(f, QStringLiteral("Silva"), A);
    Table &players = f.dm().ADOTablePlayers;
    players.setFilter(QStringLiteral("Team = 'Arsenal'"));
    players.setFiltered(true);
    QVERIFY(!DeletePlayerNamed(f.dm(), QStringLiteral("Martin")));
    QVERIFY(DeletePlayerNamed(f.dm(), QStringLiteral("SILVA")));
    QVERIFY(players.filtered());
    QCOMPARE(column(f.dm().ADOConnection, QStringLiteral("SELECT Team FROM Players")), QStringList{A});
}

void TestTeamEditing::pasteTeams_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("added"); // Team:Pos in stored order, after Arsenal and Chelsea

    QTest::newRow("empty and one-letter lines skipped") << "\nX\nLeeds\n\nFulham\n"
                                                        << QStringList{u"Leeds:3"_s, u"Fulham:4"_s};
    QTest::newRow("existing teams in any case skipped, repeats added once")
        << "ARSENAL\nLeeds\nleeds\nChelsea" << QStringList{u"Leeds:3"_s};
    QTest::newRow("lines as typed, blanks kept, CRLF breaks") << " Leeds\r\nFulham \r\n"
                                                              << QStringList{u" Leeds:3"_s, u"Fulham :4"_s};
    QTest::newRow("two letters are enough") << "QP" << QStringList{u"QP:3"_s};
}

void TestTeamEditing::pasteTeams()
{
    QFETCH(QString, text);
    QFETCH(QStringList, added);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    const QStringList lines = pastedLines(text);
    QCOMPARE(PasteTeams(f.dm(), lines), added.size());
    Database &db = f.dm().ADOConnection;
    QCOMPARE(
        column(db, QStringLiteral("SELECT Team || ':' || CAST(Pos AS INTEGER) FROM Teams ORDER BY rowid")),
        QStringList({QStringLiteral("Arsenal:1"), QStringLiteral("Chelsea:2")}) + added);
    // New teams start as the team dialog starts them.
    QCOMPARE(
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM Teams WHERE TRH = 1500 AND TRA = 1500 AND TRT = 1500 "
                                 "AND HP = 0 AND APts = 0 AND TPts = 0 AND TPic IS NULL"))
            .toInt(),
        2 + added.size());
}

void TestTeamEditing::pastePlayers()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    addPlayer(f, QStringLiteral("Martin"), A);
    Table &players = f.dm().ADOTablePlayers;
    players.setFilter(QStringLiteral("Team = 'Arsenal'"));
    players.setFiltered(true);

    const QStringList lines = pastedLines(QStringLiteral("Zola\nmartin\n\nD\nDrogba\nZOLA\n"));
    QCOMPARE(PastePlayers(f.dm(), {A, B}, QStringLiteral("chelsea"), lines, f.messenger), 2);
    QVERIFY(f.messenger.messages().isEmpty());
    QVERIFY(players.filtered());
    QCOMPARE(players.recordCount(), 1);

    Database &db = f.dm().ADOConnection;
    QCOMPARE(column(db, QStringLiteral("SELECT Player || ':' || Team FROM Players ORDER BY rowid")),
             (QStringList{QStringLiteral("Martin:Arsenal"), QStringLiteral("Zola:chelsea"),
                          QStringLiteral("Drogba:chelsea")}));
    QCOMPARE(
        column(db, QStringLiteral("SELECT quote(N) || Pos || PR || Atk || Def || IN_OUT || quote(PPic) || "
                                  "quote(DOB) || quote(Wt) || quote(Ht) FROM Players WHERE Player = 'Zola'")),
        QStringList{QStringLiteral("NULL-1500.05.05.0OUTNULLNULLNULLNULL")});
}

void TestTeamEditing::pastePlayersNeedsATeam_data()
{
    QTest::addColumn<QString>("team");
    QTest::newRow("empty chooser") << "";
    QTest::newRow("not a team") << "Leeds";
}

void TestTeamEditing::pastePlayersNeedsATeam()
{
    QFETCH(QString, team);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    QCOMPARE(PastePlayers(f.dm(), {A, B}, team, {QStringLiteral("Zola")}, f.messenger), 0);
    QCOMPARE(f.messenger.texts(), QStringList{QStringLiteral("No team selected or invalid team")});
    QCOMPARE(f.dm().ADOTablePlayers.recordCount(), 0);
}

void TestTeamEditing::bmpImages_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("accepted");

    const QByteArray rgb = bmp(3, 2, 24); // rows of 9 bytes padded to 12
    QTest::newRow("24-bit") << rgb << true;
    QTest::newRow("1-bit with palette") << bmp(17, 3, 1) << true;
    QTest::newRow("8-bit with palette") << bmp(5, 5, 8) << true;
    QTest::newRow("8-bit naming 2 colours") << withU32(withU32(bmp(5, 5, 8), 46, 2), 10, 54 + 8) << true;
    QTest::newRow("32-bit top-down") << bmp(4, -4, 32) << true;
    QTest::newRow("oldest header") << bmp(6, 2, 24, 12) << true;
    QTest::newRow("version 5 header") << bmp(2, 2, 32, 124, 3) << true;
    QTest::newRow("bit fields after the 40-byte header") << bmp(2, 2, 32, 40, 3) << true;
    QTest::newRow("run-length 8-bit") << bmp(8, 8, 8, 40, 1, 20) << true;
    QTest::newRow("bytes after the image") << rgb + QByteArray(10, 'x') << true;
    QTest::newRow("file size not filled in") << withU32(rgb, 2, 0) << true;

    QTest::newRow("last byte cut off") << rgb.chopped(1) << false;
    QTest::newRow("cut off, file size not filled in") << withU32(rgb, 2, 0).chopped(1) << false;
    QTest::newRow("row padding counted") << withU32(rgb, 2, 0).chopped(3) << false;
    QTest::newRow("cut after the headers") << rgb.left(54) << false;
    QTest::newRow("file size beyond the data") << withU32(rgb, 2, rgb.size() + 1) << false;
    QTest::newRow("pixels start beyond the data") << withU32(rgb, 10, rgb.size()) << false;
    QTest::newRow("pixels start inside the headers") << withU32(rgb, 10, 20) << false;
    QTest::newRow("no BM") << QByteArray("BA") + rgb.mid(2) << false;
    QTest::newRow("unknown info header") << withU32(rgb, 14, 41) << false;
    QTest::newRow("zero width") << bmp(0, 2, 24) << false;
    QTest::newRow("zero height") << bmp(2, 0, 24) << false;
    QTest::newRow("two planes") << withU16(rgb, 26, 2) << false;
    QTest::newRow("7 bits a pixel") << withU16(rgb, 28, 7) << false;
    QTest::newRow("unknown compression") << withU32(rgb, 30, 9) << false;
    QTest::newRow("run-length without its size") << bmp(8, 8, 8, 40, 1, 0) << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("PNG") << QByteArray::fromHex(
                                "89504e470d0a1a0a0000000d49484452000000010000000108060000001f15c4"
                                "890000000d4944415478da63f8cfc0f01f0005000201a3e1c2a70000000049454e"
                                "44ae426082")
                         << false;
    QTest::newRow("text") << QByteArray("BM is not enough to make a picture") << false;
    QTest::newRow("colour table left out") << withU32(bmp(5, 5, 8), 10, 54) << false;
    QTest::newRow("colour masks left out") << withU32(bmp(2, 2, 32, 40, 3), 10, 54) << false;
}

void TestTeamEditing::bmpImages()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, accepted);
    QCOMPARE(isBmpImage(data), accepted);
}

void TestTeamEditing::readBmpFile()
{
    QTemporaryDir dir;
    const QByteArray image = bmp(3, 3, 24);
    const QString good = dir.filePath(QStringLiteral("logo.bmp"));
    const QString bad = dir.filePath(QStringLiteral("logo.png.bmp"));
    for (const auto &[path, bytes] : {std::pair{good, image}, std::pair{bad, image.chopped(4)}}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QCOMPARE(::readBmpFile(good), std::optional<QByteArray>(image)); // stored exactly as the file holds it
    QVERIFY(!::readBmpFile(bad));
    QVERIFY(!::readBmpFile(dir.filePath(QStringLiteral("missing.bmp"))));
}

QTEST_GUILESS_MAIN(TestTeamEditing)
#include "tst_teamediting.moc"
