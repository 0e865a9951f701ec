#pragma once
// Access (Jet) databases are read in a process of their own: quorvane-jet-reader, found beside the running
// program.  The Access library believes what a file says about itself, so a damaged file can make it
// crash, loop for ever or allocate without end; in a process of its own, under a time limit and a memory
// limit, that ends the reader alone, and the program reports the file as unreadable and goes on.
//
// The reader hands the tables over as a work file: a database file of our own holding the tables asked
// for, as SourceLeague::copyTables writes them, with the layout's version as its user_version, set last.
// The program accepts it only when the reader ended normally with exit code 0 and the file is whole, no
// larger than the limit and of this version; anything else counts as an unreadable Access file.  The
// reader's standard output and error go nowhere, so the library's own complaints never reach a terminal.

#include "entry/TableSource.h"

#include <QString>
#include <QStringList>

namespace JetReader
{

// The version of the work file's layout: the reader writes no other, the program accepts no other.
inline constexpr int kWorkFileFormat = 1;

// The reader program, beside the running executable (as installed, and in the build tree).
QString programPath();

struct Limits {
    int seconds;      // wall-clock time of one reading
    qint64 memory;    // address space of the reader (not applied under AddressSanitizer)
    qint64 fileBytes; // the largest work file
};
// The limits of one reading.  QUORVANE_JET_READER_SECONDS (a whole number) lowers the time limit, so
// that tests of damaged files run quickly; it never raises it.
Limits limits();

// Reads those of the named tables that the Access database at accessPath holds (names matched ignoring
// letter case) into a new work file at workPath, in the reader process.  DatabaseError "The file <name>
// does not exist." or "The file <name> cannot be read as an Access database." (with the time limit named
// when that ended it); QuorvaneError when the reader cannot be started.  Waits for the reader to end in
// every case; whatever it left at workPath stays for the caller's folder to remove.
void readTables(const QString &accessPath, const QStringList &tables, const QString &workPath);

// The reader's side: writes those of the named tables that source holds into a new work file at workPath,
// under the names given, and marks it complete.  DatabaseError when it cannot.
void writeWorkFile(const TableSource &source, const QStringList &tables, const QString &workPath);

} // namespace JetReader
