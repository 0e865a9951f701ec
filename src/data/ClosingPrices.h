#pragma once
// The bookmakers' closing prices of a league's matches, in a table of their own (ClosingPrices) keyed by
// the match's ID.  A league file without the table has no closing prices and opens as before; the
// table is made when the first prices are stored.  Prices are decimal (stake included); 0 means none.

#include <QHash>
#include <array>

class Database;

using ClosingPriceSet = std::array<double, 3>; // home win, draw, away win

namespace ClosingPrices
{

bool exists(Database &league);

// Stores (or replaces) the prices of a match; a set without any price removes the match's row.
void store(Database &league, qint64 matchId, const ClosingPriceSet &prices);

// Removes the prices of a match; nothing happens when it has none or the file has no table.
void remove(Database &league, qint64 matchId);

// Every stored set by match ID; empty when the file has no table.
QHash<qint64, ClosingPriceSet> readAll(Database &league);

} // namespace ClosingPrices
