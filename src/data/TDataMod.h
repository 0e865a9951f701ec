#pragma once
// The data module: the league connection and the table and query objects that every window shares.

#include "data/Database.h"
#include "data/Query.h"
#include "data/Table.h"
#include "data/TeamTables.h"

#include <QObject>
#include <QStringList>

class Messenger;

// What a command reads of a league.  The desktop program opens every table whole; the command line
// opens only what it works on, so that its memory grows with its work, not with the league.
struct LeagueTables {
    bool teams = true;
    bool results = true;
    bool players = true;
    // Restricts the rows of Results that are loaded (see Table::restrictRows); empty: all of them.
    QString resultsCondition;
    QVariantList resultsParams;

    static LeagueTables leagueRowOnly() { return {false, false, false, {}, {}}; }
};

class TDataMod : public QObject
{
    Q_OBJECT
public:
    explicit TDataMod(QObject *parent = nullptr);
    ~TDataMod() override;

    Database ADOConnection;
    Table ADOTableLeague;
    Table ADOTableTeams;
    Table ADOTableResults;
    Table ADOTablePlayers;
    Query ADOQuery;

    // Connects to a league file and opens the four shared tables; refuses (DatabaseError) a file
    // that is not a league file, leaving no league open and the file untouched.
    void openLeague(const QString &path, const LeagueTables &tables = LeagueTables());
    void closeLeague();
    bool isLeagueOpen() const { return ADOConnection.isOpen(); }
    // Opens Teams, Results, Players and League, in this order (those the league was opened with), and
    // goes to the first League row.
    void OpenLeagueTables();

    // Whether another program (the command-line companion, a second window) changed the league file since
    // the last look; if so the open tables read their rows again, each keeping its current row and a
    // pending edit.  Our own writes do not count: SQLite's data version moves only for other connections.
    bool ReloadIfChangedElsewhere();

    // The League row's sport (first row).
    QString sport();

    // The standings engine on the shared tables.
    void ApplyResult(bool overtime, int awayScore, int homeScore, const QString &awayTeam,
                     const QString &homeTeam);
    void RemoveResult();
    // Pos of every team: its place in the league order (points, difference and wins, descending, level
    // teams in stored order) of the team table shown last, whatever order the rows are sorted in for the
    // eye.  The sort of Teams stays as it is; the current row goes to the first row.
    void RenumberPositions();
    // The team table whose league order Pos follows: the home table until another one is shown.
    void setPositionsTable(TeamTable table) { m_positionsTable = table; }
    TeamTable positionsTable() const { return m_positionsTable; }

    // Line-ups (see PlayerLineups.cpp): move the selected player of a team (or every player) from the
    // source list to the target list and store status in his IN_OUT at once.
    bool SetPlayerInOut(QStringList &source, QStringList &target, int selected, const QString &team,
                        const QString &sourceName, const QString &status, Messenger &messenger);
    void SetAllPlayersInOut(QStringList &source, QStringList &target, const QString &team,
                            const QString &status);

private:
    qint64 dataVersion();
    LeagueTables m_tables;
    qint64 m_dataVersion = -1;
    TeamTable m_positionsTable = TeamTable::Home;
};

// Creates a new league file at path (which must not exist): the four tables and the first League row
// (its league name the file name with extension, its season the current one).  Leaves the connection on the
// new file and the League table open on that row.  The tables and the row are written in one transaction.
void CreateLeagueFile(Database &connection, Table &league, const QString &path);

// Values a new team gets, in the column order of Teams.
QVariantList newTeamValues(const QString &name, int pos, const QByteArray &picture = QByteArray());
