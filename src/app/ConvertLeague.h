#pragma once
// Converting a league file of the older layout (its League, Teams, Results and Players tables with the
// older columns) into a new league file: the league row, the teams and the players are carried over,
// and the standings and ratings are rebuilt from 1500 by replaying the old matches in date order.

#include "app/LeagueFiles.h"

// Converts the file at oldPath into a new league file at newPath; the open league (openLeaguePath, the
// file the window has open, if any) is neither touched nor ever replaced.  Asks before replacing an
// existing file.  The new file is moved into place only when it is complete: any failure (the engine's
// error, or a prediction text that is not two whole numbers around ":") shows its message and leaves no
// file at newPath.  Shows "File convertion complete" when done.  The converted file is not opened.
FileCommandResult ConvertLeagueFile(const QString &oldPath, const QString &newPath, Messenger &messenger,
                                    const QString &openLeaguePath = QString());
