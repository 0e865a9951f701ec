#pragma once
// The betting systems file: the history of tested systems (Methods) and the detail of the last test
// (Results), shared by all leagues.

#include "data/ColumnInfo.h"

class Database;

namespace SystemsFile
{

const ColumnList &methodsColumns();
const ColumnList &resultsColumns();

// Opens the file, creating it (and its folder, which a fresh installation does not have) with its two
// tables when it does not exist; a file without the table of back-test metrics gets it.  DatabaseError for a
// file that is not a betting systems file.
void open(Database &db, const QString &path);

} // namespace SystemsFile
