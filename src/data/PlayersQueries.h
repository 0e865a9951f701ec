#pragma once
// What the players view decides: its team list, the team choice as a filter on Players, the player
// search, the mode and the number of cards side by side.

#include <QString>
#include <QStringList>
#include <optional>

class Table;
class TDataMod;

// "<---All--->", the first entry of the team list.
QString allTeamsEntry();

// The team list: "<---All--->", then every Team of Teams in alphabetical order (letter case ignored).
// Walks Teams from its first row to its end without moving its grids, and leaves it on its first row.
QStringList playersTeamList(TDataMod &dm);

// "Team = 'name'", a quote inside the name doubled.
QString teamFilterText(const QString &team);

// Only the players of the team.
void showPlayersOfTeam(Table &players, const QString &team);
// Every player: filtering off and the text cleared.
void showAllPlayers(Table &players);

// Makes the first row the filter lets through whose Player begins with the text (letter case ignored)
// the current row; false when there is none, the current row then stays.
bool FindPlayer(Table &players, const QString &prefix);

// The two modes of the view by their chooser text: "1" the table, "2" the cards; none for other texts.
enum class PlayersMode { Stats, Detail };
std::optional<PlayersMode> playersModeOf(const QString &chooserText);

// Cards are 155 wide and as many as fit side by side in the card area, rounded down; at least one.
constexpr int PlayerCardWidth = 155;
constexpr int PlayerCardHeight = 353;
int playerCardColumns(int areaWidth);
