#pragma once
// The three league tables over Teams (home, away, overall) and the order each shows first.

#include <QString>

class TDataMod;

enum class TeamTable { Home, Away, Overall };

// The letter that starts the table's columns: "H" (HPts, HW...), "A" or "T".
QString teamColumnPrefix(TeamTable table);

// Points, difference and wins, descending: "HPts DESC, HDif DESC, HW DESC" for the home table.
QString defaultTeamSort(TeamTable table);

// Renumbers Pos of Teams in the home table's first order, leaving the table's own sort as it was.
void RenumberInHomeOrder(TDataMod &dm);
