#pragma once
// The bookmakers behind the price columns of the season files, by the code their columns start with
// (B365H, B365D, B365A are Bet365's), so that choosers can show names and not codes alone.

#include <QString>

namespace SeasonBookmakers
{

// The bookmaker's name for a column code, exact letter case ("B365" gives "Bet365"); empty when the
// code is not a common one.
QString nameOf(const QString &code);

// The code with the name beside it, as a chooser shows it: "B365 (Bet365)"; the code alone when its
// name is not known.
QString caption(const QString &code);

} // namespace SeasonBookmakers
