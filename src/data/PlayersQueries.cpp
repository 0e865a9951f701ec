#include "data/PlayersQueries.h"

#include "data/GridCommands.h"
#include "data/TDataMod.h"
#include "data/TeamEditing.h"
#include "data/TextCompare.h"

#include <algorithm>

QString allTeamsEntry()
{
    return QStringLiteral("<---All--->");
}

QStringList playersTeamList(TDataMod &dm)
{
    QStringList names = teamNames(dm.ADOTableTeams);
    names.prepend(allTeamsEntry());
    return names;
}

QString teamFilterText(const QString &team)
{
    return QStringLiteral("Team = ") + quotedFilterText(team);
}

void showPlayersOfTeam(Table &players, const QString &team)
{
    SetTableFilter(players, teamFilterText(team));
}

void showAllPlayers(Table &players)
{
    ControlsDisabled quiet(players);
    players.setFiltered(false);
    players.setFilter(QString());
}

bool FindPlayer(Table &players, const QString &prefix)
{
    if (!players.isActive())
        return false;
    return players.locate(QStringLiteral("Player"), {prefix}, Dataset::CaseInsensitive | Dataset::PartialKey);
}

std::optional<PlayersMode> playersModeOf(const QString &chooserText)
{
    if (chooserText == QLatin1String("1"))
        return PlayersMode::Stats;
    if (chooserText == QLatin1String("2"))
        return PlayersMode::Detail;
    return std::nullopt;
}

int playerCardColumns(int areaWidth)
{
    return std::max(areaWidth / PlayerCardWidth, 1);
}
