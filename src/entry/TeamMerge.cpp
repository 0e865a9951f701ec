#include "entry/TeamMerge.h"

#include "data/CommandBoundary.h"
#include "data/Database.h"
#include "data/Dates.h"
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

// How many meetings a message lists before it says how many more there are.
constexpr qsizetype kMeetingsShown = 5;

// The teams' meetings, one a line, a few of them and then how many more.
QString meetingsText(const QString &keep, const QString &merge, const QList<TeamMeeting> &meetings)
{
    QStringList lines = {QStringLiteral("\"%1\" and \"%2\" meet in these matches, which the merge would make "
                                        "a team's matches against itself:")
                             .arg(merge, keep)};
    for (qsizetype i = 0; i < meetings.size() && i < kMeetingsShown; ++i) {
        const TeamMeeting &m = meetings[i];
        const QString date =
            m.date.isValid() ? Dates::toShortDateLongYear(m.date) : QStringLiteral("no date");
        const QString score = isPlayed(m.result) ? m.result : QStringLiteral("not played");
        lines << QStringLiteral("%1: %2 v %3, %4").arg(date, m.home, m.away, score);
    }
    if (meetings.size() > kMeetingsShown)
        lines << QStringLiteral("and %1 more").arg(meetings.size() - kMeetingsShown);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QList<TeamMeeting> teamMeetings(Database &league, const QString &keep, const QString &merge)
{
    Statement st = league.prepare(
        QStringLiteral("SELECT rowid, DateP, Home, Away, Result FROM Results "
                       "WHERE (Home = ?1 COLLATE UNOCASE AND Away = ?2 COLLATE UNOCASE) "
                       "OR (Home = ?2 COLLATE UNOCASE AND Away = ?1 COLLATE UNOCASE) ORDER BY DateP, rowid"));
    st.bindAll({keep, merge});
    QList<TeamMeeting> meetings;
    while (st.step())
        meetings.append({st.value(0).toLongLong(), Dates::fromStored(st.value(1).toString()),
                         st.value(2).toString(), st.value(3).toString(), st.value(4).toString()});
    return meetings;
}

void DeleteMeetings(TDataMod &dm, const QString &keep, const QString &merge)
{
    Transaction tx(dm.ADOConnection);
    const QList<TeamMeeting> meetings = teamMeetings(dm.ADOConnection, keep, merge);
    Table &results = dm.ADOTableResults;
    ControlsDisabled quiet(results);
    FilterOff all(results); // a meeting may be hidden by the view's filter
    for (const TeamMeeting &m : meetings) {
        results.gotoBookmark(m.row);
        results.deleteRecord(); // its before-delete event takes a played match out of the standings
    }
    tx.commit();
}

void MergeTeams(Database &db, const QString &keepName, const QString &mergeName)
{
    Table teams(&db, QStringLiteral("Teams"));
    Table results(&db, QStringLiteral("Results"));
    Table players(&db, QStringLiteral("Players"));
    Table league(&db, QStringLiteral("League"));
    Transaction tx(db);
    teams.open();
    const auto [keep, merge] = checkedPair(teams, keepName, mergeName);
    if (const QList<TeamMeeting> meetings = teamMeetings(db, keep, merge); !meetings.isEmpty())
        throw TeamMergeError(meetingsText(keep, merge, meetings) +
                             QStringLiteral("\nDelete these matches first, then merge."));

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
        const QList<TeamMeeting> meetings = teamMeetings(dm.ADOConnection, keep, merge);
        const QString text =
            meetings.isEmpty()
                ? QStringLiteral("Merge \"%1\" into \"%2\"? Every match and player of \"%1\" will "
                                 "belong to \"%2\", and \"%1\" will be deleted. This cannot be undone.")
                      .arg(merge, keep)
                : meetingsText(keep, merge, meetings) +
                      QStringLiteral("\nDelete these matches, then merge \"%1\" into \"%2\"? This cannot "
                                     "be undone.")
                          .arg(merge, keep);
        if (messenger.question(text, QStringLiteral("Merge Teams"), Messenger::Buttons::YesNoDefaultNo) !=
            Messenger::Answer::Yes)
            throw Abort();
        Transaction tx(dm.ADOConnection);
        DeleteMeetings(dm, keep, merge);
        MergeTeams(dm.ADOConnection, keep, merge);
        tx.commit();
        for (Table *t : {&dm.ADOTableTeams, &dm.ADOTableResults, &dm.ADOTablePlayers})
            if (t->isActive())
                t->reload();
    });
}
