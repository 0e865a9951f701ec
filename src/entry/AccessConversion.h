#pragma once
// Converting an Access (Jet) database into a database file of our own (a league file, a ticket file).
// Every conversion goes the same way: the tables wanted are read from the Access file into a work file,
// the new file is built from them under a temporary name beside its target, checked as a file of its
// kind, and only then moved into place, so that a failure leaves the target as it was.

#include "data/DocumentFile.h"
#include "entry/TableSource.h"

#include <QString>
#include <QStringList>
#include <functional>

class Database;

namespace AccessConversion
{

struct Kind {
    QString name; // "league file", "ticket file": names what the Access file is not, when it lacks a table
    QStringList tables; // the tables read from the Access file
    // Writes the new file at newFile (which does not exist yet) from workPath, a database of our own
    // holding those tables with the Access file's columns and rows.
    std::function<void(const QString &workPath, const QString &newFile)> build;
    // Refuses (DatabaseError saying why) a new file that is not a file of this kind.
    std::function<void(Database &)> check;
};

// Whether a file is an Access database, by its first bytes.
bool isAccessFile(const QString &path);

// Converts the Access database at accessPath (read in the reader program, see JetReader.h), or the tables
// of source, into target, staged (see StagedFile): an existing target is replaced or refused as existing
// says.  DatabaseError with the reason when the source cannot be read, lacks a table, the build or the
// check fails, or the target cannot be written; the target is then as it was.  accessPath may be target.
void convert(const QString &accessPath, const QString &target, const Kind &kind,
             ExistingFile existing = ExistingFile::Refuse);
void convert(const TableSource &source, const QString &target, const Kind &kind,
             ExistingFile existing = ExistingFile::Refuse);

// Carries every row of the named tables of from into the tables of the same names in to, each column
// taking the value of from's column of the same name (letter case ignored), as the new file's column
// kind stores it; a column from lacks stays empty.  oneRowTable names a table whose single row exists
// in to already: it takes from's first row instead.
void carryOver(Database &from, Database &to, const QStringList &tables,
               const QString &oneRowTable = QString());

} // namespace AccessConversion
