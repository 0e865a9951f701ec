#pragma once
// The streak table: one row per team with its played matches in date order as W, D and L, coloured, and
// the hint of each cell describing the match behind it.

#include "data/CrossTable.h"

// The largest TP (matches played) of any team: TP of the last row of "Select TP From Teams ORDER BY TP",
// through the data module's shared query; 0 without teams.
int readMostMatchesPlayed(TDataMod &dm);

// The letters of a played match seen from home and away: "W" and "L" when F > A, "L" and "W" when F < A,
// "D" and "D" otherwise; a result containing "O" (the overtime mark) is "D" for both.
struct StreakLetters {
    QString home, away;
};
StreakLetters streakLetters(const GridMatch &match);

// mostPlayed + 1 columns (at least 2, and more when a team has more letters than mostPlayed) and one row
// per team + 1.  Row 0: 1, 2, 3, ... from column 1 on; column 0: the names.  Each played match, in the
// given (date) order, writes its letter into the first empty cell of every row whose name equals its
// home or away team, so each team's newest result is the last letter of its row; a match with a team not
// in the list is left out.  The hint of
// cell (j, i) describes the j-th match of the row's team: "Home - Away" CR "Score: " CR "Date: " CR
// "Round: ".
TextGrid BuildStreakTable(const QStringList &teams, int mostPlayed,
                          const std::vector<GridMatch> &playedByDate);

// Headers as in the cross table; "W" light green, "D" light yellow, "L" light red, an empty cell white.
GridCellLook streakTableCellLook(const TextGrid &grid, int column, int row, int selectedColumn = -1,
                                 int selectedRow = -1);
