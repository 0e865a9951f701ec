#pragma once
// The three tables of a ticket file, column by column in their stored order, and the file itself.

#include "data/ColumnInfo.h"

#include <QStringList>

class Database;

namespace TicketSchema
{

// Tickets (TN, DateP, Stake, Fee, TPrice, PayOut, Profit, Status), Bets (TN, DateP, League, Home, Away,
// Bet, Price, Result) and Teams (League, Team).  Payout is created as "PayOut" and reached under any
// letter case, as every column name is.
const ColumnList &ticketsColumns();
const ColumnList &betsColumns();
const ColumnList &teamsColumns();

// The three tables, in the order they are created.
QStringList tableNames();

// Creates a ticket file at path, which must not exist: the three tables, in the order Tickets, Bets,
// Teams, written in one transaction.
void createFile(const QString &path);

// Refuses (DatabaseError saying so) a file that lacks one of the three tables or one of their columns.
// Only reads.
void check(Database &db);

} // namespace TicketSchema
