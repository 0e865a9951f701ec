#pragma once
// A league kept in another database (an Access/Jet file read through a TableSource) written into a
// database file of our own, so that the conversion reads it like any league file.

#include "data/Errors.h"
#include "entry/TableSource.h"

class Database;

namespace SourceLeague
{

// Writes the named tables of the source (names matched ignoring letter case; other tables are left out)
// into db, each with the source's columns in their order: numbers as NUMBER, dates as DATE (the date
// alone), yes/no as BIT, binary values as LONGBINARY holding the BMP picture inside them (nothing when
// they hold none), texts as TEXT.  One transaction.  DatabaseError "This is not a <what>: it has no table
// <name>." when one is missing.
void copyTables(const TableSource &source, const QStringList &tables, Database &db, const QString &what);

// "This is not a <what>: it has no table <name>.", for a database that lacks a table its kind needs.
DatabaseError missingTable(const QString &what, const QString &table);

// The League, Teams, Results and Players tables, as copyTables does for a league file.
void copyLeagueTables(const TableSource &source, Database &db);

// The BMP picture a stored binary value holds: the value itself when it is one, the picture inside an
// embedded-object wrapper, or an empty array when there is none.
QByteArray pictureIn(const QByteArray &value);

} // namespace SourceLeague
