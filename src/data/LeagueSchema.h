#pragma once
// The four tables of a league file, column by column, in their stored order.

#include "data/ColumnInfo.h"

class Database;

namespace LeagueSchema
{

const ColumnList &leagueColumns();
const ColumnList &teamsColumns();
const ColumnList &resultsColumns();
const ColumnList &playersColumns();

// The statement that creates a table of these columns.
QString createTableSql(const QString &table, const ColumnList &columns);

// Refuses (DatabaseError saying what is missing) a file that lacks one of the four tables or one of
// their columns, or whose League row (the first) is missing or lacks its sport or points.  Only reads.
void check(Database &db);

} // namespace LeagueSchema
