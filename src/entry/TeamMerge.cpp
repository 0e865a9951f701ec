#include "entry/TeamMerge.h"

#include "data/CommandBoundary.h"
#include "data/Database.h"
#include "data/LeagueSchema.h"
#include "data/MatchOutcome.h"
#include "data/Standings.h"
#include "data/TDataMod.h"
#include "data/Table.h"
#include "data/TeamAliases.h"
#include "data/TeamTables.h"
#include "data/TextCompare.h"
#include "entry/MatchEntry.h"

namespace
{

// The stored spelling of a team; refuses a name the league does not have.
QString storedName(Table &teams, const QString &name)
{
    if (name.trimmed().isEmpty() ||
        !teams.locate(QStringLiteral("Team"), {name.trimmed()}, Dataset::CaseInsensitive))
        throw TeamMergeError(QStringLiteral("The league has no team \"%1\".").arg(name.trimmed()));
    return teams.field(QStringLiteral("Team")).asString();
}

// Counts 0 and ratings 1500 on every row, as a new team has them; position, name and picture stay.
void resetStandings(Table &teams)
{
    const QVariantList fresh = newTeamValues(QString(), 0);
    const ColumnList &columns = LeagueSchema::teamsColumns(); // the order newTeamValues follows
    const QStringList kept = {QStringLiteral("Pos"), QStringLiteral("Team"), QStringLiteral("TPic")};
    for (teams.first(); !teams.eof(); teams.next()) {
        teams.edit();
        for (int i = 0; i < fresh.size() && i < columns.size(); ++i) {
            if (!kept.contains(columns.at(i).name))
                teams.field(columns.at(i).name).setValue(fresh.at(i));
        }
        teams.post();
    }
}

void rename(Field field, const QString &from, const QString &to)
{
    if (TextCompare::equalNoCase(field.asString(), from))
        field.setString(to);
}

// The conversion's replay on a league's own matches: names of the merged team replaced, each match's
// snapshots taken from the teams' rows as they stand before it, played matches added to the standings.
void replayMatches(Table &results, Table &teams, Table &league, const QString &keep, const QString &merge)
{
    results.setSort(QStringLiteral("DateP ASC")); // stable: matches of one day keep their stored order
    for (results.first(); !results.eof(); results.next()) {
        results.edit();
        rename(results.field(QStringLiteral("Home")), merge, keep);
        rename(results.field(QStringLiteral("Away")), merge, keep);
        const QString home = results.field(QStringLiteral("Home")).asString();
        const QString away = results.field(QStringLiteral("Away")).asString();
        // A team without a row leaves its snapshot columns as they were.
        if (teams.locate(QStringLiteral("Team"), {home}, Dataset::CaseInsensitive))
            copyRatingSnapshot(teams, results, SnapshotSide::Home);
        if (teams.locate(QStringLiteral("Team"), {away}, Dataset::CaseInsensitive))
            copyRatingSnapshot(teams, results, SnapshotSide::Away);
        results.post();

        const QString result = results.field(QStringLiteral("Result")).asString();
        if (isPlayed(result))
            Standings::ApplyResult(teams, league, isOvertime(result),
                                   results.field(QStringLiteral("A")).asInteger(),
                                   results.field(QStringLiteral("F")).asInteger(), away, home);
    }
}

void movePlayers(Table &players, const QString &keep, const QString &merge)
{
    for (players.first(); !players.eof(); players.next()) {
        if (!TextCompare::equalNoCase(players.field(QStringLiteral("Team")).asString(), merge))
            continue;
        players.edit();
        players.field(QStringLiteral("Team")).setString(keep);
        players.post();
    }
}

// The stored spellings of both teams; refuses unknown names and the same team twice.
std::pair<QString, QString> checkedPair(Table &teams, const QString &keepName, const QString &mergeName)
{
    const QString keep = storedName(teams, keepName);
    const QString merge = storedName(teams, mergeName);
    if (TextCompare::equalNoCase(keep, merge))
        throw TeamMergeError(
            QStringLiteral("A team cannot be merged into itself: choose two different teams."));
    return {keep, merge};
}

} // namespace

void MergeTeams(Database &db, const QString &keepName, const QString &mergeName)
{
    Table teams(&db, QStringLiteral("Teams"));
    Table results(&db, QStringLiteral("Results"));
    Table players(&db, QStringLiteral("Players"));
    Table league(&db, QStringLiteral("League"));
    Transaction tx(db);
    teams.open();
    const auto [keep, merge] = checkedPair(teams, keepName, mergeName);

    teams.locate(QStringLiteral("Team"), {merge}, Dataset::CaseInsensitive);
    teams.deleteRecord();
    players.open();
    movePlayers(players, keep, merge);
    resetStandings(teams);
    league.open();
    league.first();
    results.open();
    replayMatches(results, teams, league, keep, merge);
    teams.setSort(defaultTeamSort(TeamTable::Home));
    Standings::RenumberPositions(teams);
    TeamAliases::store(db, merge, keep);
    tx.commit();
}

bool MergeTeamsAsked(TDataMod &dm, const QString &keepName, const QString &mergeName, Messenger &messenger)
{
    return runCommand(messenger, [&] {
        QString keep, merge;
        {
            Table teams(&dm.ADOConnection, QStringLiteral("Teams"));
            teams.open();
            std::tie(keep, merge) = checkedPair(teams, keepName, mergeName);
        }
        const QString text =
            QStringLiteral("Merge \"%1\" into \"%2\"? Every match and player of \"%1\" will "
                           "belong to \"%2\", and \"%1\" will be deleted. This cannot be undone.")
                .arg(merge, keep);
        if (messenger.question(text, QStringLiteral("Merge Teams"), Messenger::Buttons::YesNoDefaultNo) !=
            Messenger::Answer::Yes)
            throw Abort();
        MergeTeams(dm.ADOConnection, keep, merge);
        for (Table *t : {&dm.ADOTableTeams, &dm.ADOTableResults, &dm.ADOTablePlayers})
            if (t->isActive())
                t->reload();
    });
}
