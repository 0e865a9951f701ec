// The line-up moves of the match prediction options: a player goes from one list to the other and his
// status is stored in the league file at once, so it stays even when the dialog is cancelled.

#include "data/PlayerLineups.h"

#include "data/Database.h"
#include "data/Messenger.h"
#include "data/TDataMod.h"
#include "data/TextCompare.h"

namespace
{

// The player's row of Players (Team and Player equal, letter case ignored) gets the status; a name
// without a row is only moved between the lists.
void storeStatus(Table &players, const QString &team, const QString &player, const QString &status)
{
    if (!players.isActive())
        return;
    const FilterOff unfiltered(players);
    const ControlsDisabled quiet(players);
    if (!players.locate(QStringLiteral("Team;Player"), {team, player}, Dataset::CaseInsensitive))
        return;
    players.edit();
    players.field(QStringLiteral("IN_OUT")).setString(status);
    players.post();
}

void move(QStringList &source, QStringList &target, int index)
{
    target.append(source.takeAt(index));
    TextCompare::sortNoCase(target); // the lists are alphabetical
}

} // namespace

bool TDataMod::SetPlayerInOut(QStringList &source, QStringList &target, int selected, const QString &team,
                              const QString &sourceName, const QString &status, Messenger &messenger)
{
    if (selected < 0 || selected >= source.size()) {
        messenger.warning(QStringLiteral("No player selected in the ") + sourceName +
                          QStringLiteral(" list"));
        return false;
    }
    storeStatus(ADOTablePlayers, team, source.at(selected), status);
    move(source, target, selected);
    return true;
}

void TDataMod::SetAllPlayersInOut(QStringList &source, QStringList &target, const QString &team,
                                  const QString &status)
{
    while (!source.isEmpty()) {
        storeStatus(ADOTablePlayers, team, source.first(), status);
        move(source, target, 0);
    }
}

LineupLists readLineupLists(Database &league, const QString &team)
{
    LineupLists lists;
    Statement st =
        league.prepare(QStringLiteral("SELECT Player, IN_OUT FROM Players WHERE Team = ?1 COLLATE UNOCASE"));
    st.bind(1, team);
    while (st.step())
        (st.value(1).toString() == QLatin1String("IN") ? lists.in : lists.out) << st.value(0).toString();
    TextCompare::sortNoCase(lists.in);
    TextCompare::sortNoCase(lists.out);
    return lists;
}
