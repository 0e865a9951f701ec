#pragma once
// The columns of the ticket manager's two grids and the colour of their settlement cells.

#include "data/Colours.h"
#include "data/GridColumns.h"

// "N", "Date", "Stake", "Payout", "Status" over Tickets.
const QList<GridColumn> &ticketGridColumns();
// "Date", "Event", "Competitor 1", "Competitor 2", "Bet", "Price", "Result" over Bets.
const QList<GridColumn> &betGridColumns();

// The field whose cell is painted by its settlement: "Status" of a ticket, "Result" of a bet.
bool isSettlementField(const QString &field);
// Light green for "Won", light red for "Lost", white for anything else (letter case counting).
Rgb settlementColour(const QString &settlement);
