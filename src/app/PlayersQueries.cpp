#include "app/PlayersQueries.h"

#include "data/TDataMod.h"
#include "data/TextCompare.h"

#include <algorithm>

QString allTeamsEntry()
{
    return QStringLiteral("<---All--->");
}

QStringList playersTeamList(TDataMod &dm)
{
    Table &teams = dm.ADOTableTeams;
    QStringList names;
    {
        ControlsDisabled quiet(teams);
        for (teams.first(); !teams.eof(); teams.next())
            names << teams.field(QStringLiteral("Team")).asString();
        teams.first();
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return TextCompare::compareNoCase(a, b) < 0; });
    names.prepend(allTeamsEntry());
    return names;
}

QString teamFilterText(const QString &team)
{
    QString quoted = team;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("Team = '") + quoted + QLatin1Char('\'');
}

void SetTableFilter(Table &table, const QString &filterText)
{
    ControlsDisabled quiet(table);
    table.setFiltered(false);
    table.setFilter(filterText);
    table.setFiltered(true);
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
