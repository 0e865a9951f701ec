#include "data/TDataMod.h"
#include "data/MatchOutcome.h"

#include "data/BusyCursor.h"
#include "data/ClosingPrices.h"
#include "data/Errors.h"
#include "data/LeagueSchema.h"
#include "data/LeagueSettings.h"
#include "data/Standings.h"

#include <QFileInfo>
#include <QScopeGuard>

TDataMod::TDataMod(QObject *parent)
    : QObject(parent), ADOTableLeague(&ADOConnection, QStringLiteral("League")),
      ADOTableTeams(&ADOConnection, QStringLiteral("Teams")),
      ADOTableResults(&ADOConnection, QStringLiteral("Results")),
      ADOTablePlayers(&ADOConnection, QStringLiteral("Players")), ADOQuery(&ADOConnection)
{
    // Deleting a played match takes it out of the standings first; a failure cancels the delete.
    ADOTableResults.setBeforeDelete([this](Dataset &results) {
        if (isPlayed(results.field(QStringLiteral("Result")).asString())) {
            BusyCursor busy;
            RemoveResult();
        }
        // The match's closing prices go with it, in the delete's transaction.
        ClosingPrices::remove(ADOConnection, qRound64(results.field(QStringLiteral("ID")).asFloat()));
    });
    ADOTableTeams.setAfterDelete([this](Dataset &) { RenumberPositions(); });
}

TDataMod::~TDataMod()
{
    closeLeague();
}

void TDataMod::openLeague(const QString &path, const LeagueTables &tables)
{
    closeLeague();
    m_tables = tables;
    ADOTableResults.restrictRows(tables.resultsCondition, tables.resultsParams);
    ADOConnection.open(path);
    auto refused = qScopeGuard([this] { closeLeague(); }); // no league stays half open
    LeagueSchema::check(ADOConnection);
    OpenLeagueTables();
    m_dataVersion = dataVersion();
    refused.dismiss();
}

qint64 TDataMod::dataVersion()
{
    return ADOConnection.scalar(QStringLiteral("PRAGMA data_version")).toLongLong();
}

bool TDataMod::ReloadIfChangedElsewhere()
{
    if (!isLeagueOpen() || ADOConnection.transactionDepth() > 0)
        return false;
    const qint64 version = dataVersion();
    if (version == m_dataVersion)
        return false;
    m_dataVersion = version;
    for (Table *t : {&ADOTableLeague, &ADOTableTeams, &ADOTableResults, &ADOTablePlayers})
        if (t->isActive())
            t->reload();
    return true;
}

void TDataMod::closeLeague()
{
    ADOConnection.close();
}

void TDataMod::OpenLeagueTables()
{
    if (m_tables.teams)
        ADOTableTeams.open();
    if (m_tables.results)
        ADOTableResults.open();
    if (m_tables.players)
        ADOTablePlayers.open();
    ADOTableLeague.open();
    ADOTableLeague.first();
}

QString TDataMod::sport()
{
    ADOTableLeague.first();
    return ADOTableLeague.field(QStringLiteral("Sport")).asString();
}

void TDataMod::ApplyResult(bool overtime, int awayScore, int homeScore, const QString &awayTeam,
                           const QString &homeTeam)
{
    Standings::ApplyResult(ADOTableTeams, ADOTableLeague, overtime, awayScore, homeScore, awayTeam, homeTeam);
}

void TDataMod::RemoveResult()
{
    Standings::RemoveResult(ADOTableResults, ADOTableTeams, ADOTableLeague);
}

void TDataMod::RenumberPositions()
{
    Table &teams = ADOTableTeams;
    if (!teams.isActive() || teams.isEmpty())
        return;
    {
        ControlsDisabled quiet(teams);
        SortKept kept(teams);
        teams.setSort(defaultTeamSort(m_positionsTable));
        Standings::RenumberPositions(teams);
    }
    teams.first();
}

void CreateLeagueFile(Database &connection, Table &league, const QString &path)
{
    connection.close();
    Database::create(path);
    connection.open(path);
    Transaction tx(connection);
    connection.execute(LeagueSchema::createTableSql(QStringLiteral("League"), LeagueSchema::leagueColumns()));
    connection.execute(LeagueSchema::createTableSql(QStringLiteral("Teams"), LeagueSchema::teamsColumns()));
    connection.execute(
        LeagueSchema::createTableSql(QStringLiteral("Results"), LeagueSchema::resultsColumns()));
    connection.execute(
        LeagueSchema::createTableSql(QStringLiteral("Players"), LeagueSchema::playersColumns()));
    league.setTableName(QStringLiteral("League"));
    league.open();
    const Season season = currentSeason();
    league.appendRecord({QStringLiteral("Football (Soccer)"),
                         QFileInfo(path).fileName(),
                         season.first,
                         season.second,
                         3,
                         1,
                         0,
                         3,
                         1,
                         0,
                         0,
                         true,
                         false,
                         true,
                         50,
                         35,
                         50,
                         50,
                         true,
                         5});
    tx.commit();
}

QVariantList newTeamValues(const QString &name, int pos, const QByteArray &picture)
{
    QVariantList v;
    v << pos << name << 1500;
    for (int i = 0; i < 8; ++i)
        v << 0;
    v << 1500;
    for (int i = 0; i < 8; ++i)
        v << 0;
    v << 1500;
    for (int i = 0; i < 8; ++i)
        v << 0;
    v << (picture.isEmpty() ? QVariant() : QVariant(picture));
    return v;
}
