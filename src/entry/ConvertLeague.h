#pragma once
// Converting a league file of the older layout (its League, Teams, Results and Players tables with the
// older columns) into a new league file: the league row, the teams and the players are carried over,
// and the standings and ratings are rebuilt from 1500 by replaying the old matches in date order.
// A league kept in an Access/Jet file is converted too: of the older layout as above, of the current
// layout by carrying every column over as it stands.

#include "data/DocumentFile.h"
#include "entry/TableSource.h"

// Converts the file at oldPath into a new league file at newPath; the open league (openLeaguePath, the
// file the window has open, if any) is neither touched nor ever replaced.  Asks before replacing an
// existing file.  The new file is moved into place only when it is complete: any failure (the engine's
// error, or a prediction text that is not two whole numbers around ":") shows its message and leaves no
// new file at newPath, and an existing one there as it was.  Shows "File convertion complete" when done.  The
// converted file is not opened. An Access/Jet file at oldPath (recognised by its content) is read through
// libmdb.
FileCommandResult ConvertLeagueFile(const QString &oldPath, const QString &newPath, Messenger &messenger,
                                    const QString &openLeaguePath = QString());

// Converts the league of the Access database at accessPath (of either layout) into a league file at
// target, built beside it, checked and moved into place only when whole; an existing target is replaced
// in one step or refused as existing says.  No questions, no messages: DatabaseError with the reason when
// it fails, the target then as it was.
void ConvertAccessLeague(const QString &accessPath, const QString &target,
                         ExistingFile existing = ExistingFile::Refuse);

// The same conversion of a league read through a TableSource, with the same questions and messages.
FileCommandResult ConvertLeagueSource(const TableSource &source, const QString &newPath, Messenger &messenger,
                                      const QString &openLeaguePath = QString());
