#pragma once
// Keeps the Teams rows consistent with the played matches, one match at a time, with Elo-type ratings.

#include <QString>

class Table;

namespace Standings
{

// Adds one played match to both teams' rows and updates their ratings.
void ApplyResult(Table &teams, Table &league, bool overtime, int awayScore, int homeScore,
                 const QString &awayTeam, const QString &homeTeam);

// Takes the match of the current row of results out of the teams' rows, restoring the ratings of its
// snapshot.  A snapshot column that is empty keeps the team's current rating (an empty rating would
// read as 0 and corrupt every later prediction).
void RemoveResult(Table &results, Table &teams, Table &league);

// The new rating of one team, before the floor of 100 and the rounding: exposed for the tests.
long double ratingAfter(int ownScore, int opponentScore, long double ownRating, long double opponentRating,
                        int ratingFactor);

// Computes and stores one team's new rating in the given column.
void UpdateRating(Table &teams, Table &league, int ownScore, int opponentScore, int ownRating,
                  int opponentRating, const QString &column, const QString &team);

// The overall columns of the current team row from its home and away columns.
void SumTotals(Table &teams);

// Pos = row number in the table's current order.
void RenumberPositions(Table &teams);

} // namespace Standings
