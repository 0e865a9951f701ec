#pragma once
// A team's line-up as two lists of player names, "In" and "Out".  Moving players between them is
// TDataMod::SetPlayerInOut and TDataMod::SetAllPlayersInOut, which store each move at once.

#include <QString>
#include <QStringList>

class Database;

struct LineupLists {
    QStringList in, out; // alphabetical, letter case ignored
};

// The players of the team (Team equal to the name, letter case ignored): those whose IN_OUT is exactly
// "IN" in the first list, every other one in the second.
LineupLists readLineupLists(Database &league, const QString &team);
