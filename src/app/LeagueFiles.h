#pragma once
// The league file commands of the main window: New League, Open, Save and Save As.  The file dialogs
// only choose the path; these routines ask the questions, have the document file's life (DocumentFile.h)
// do the work, report failures through the messenger and say which league is open afterwards, so they
// run and are tested without a window.  A file to be replaced is replaced only by a complete new one.

#include "data/FileSteps.h"
#include "data/Messenger.h"

#include <QString>
#include <functional>

class Database;
class TDataMod;

struct FileCommandOutcome {
    FileCommandResult result = FileCommandResult::Cancelled;
    // The league connection was closed and opened again (on another file, or on the same one after a
    // failure): the window shows leaguePath with its date, or its no-league state when that is empty.
    bool leagueChanged = false;
    // The file of the league open once the command ends (ConnectedFileName); empty for none.
    QString leaguePath;
};

// Shows an opened league in the window (its path, date and views).  A throw counts as a failed open.
using ShowLeague = std::function<void(const QString &path)>;

// Creates a new league file at path and opens it in place of the open league.  The window then shows
// the league settings dialog and, if the league is still open, ShowLeagueFile(leaguePath).
FileCommandOutcome NewLeague(TDataMod &dm, const QString &path, Messenger &messenger);

// Opens the league file at path in place of the open league and calls show for it.  When the file is
// not a league file, or show throws, the league that was open before is opened and shown again and
// "Error opening league file." is shown; with no league open before, none is open afterwards.  A league
// whose played rows do not add up opens, and a warning says which rows to mend (PlayedRowsCheck.h).
FileCommandOutcome OpenLeague(TDataMod &dm, const QString &path, Messenger &messenger,
                              const ShowLeague &show = {});

// Stores any pending edit of the current Teams and Players rows; everything else is already stored.
FileCommandResult SaveLeague(TDataMod &dm, Messenger &messenger);

// Copies the open league file to path and opens the copy in its place: afterwards the copy is the open
// league, and later changes go to it.  On a failure the original is open again.
FileCommandOutcome SaveLeagueAs(TDataMod &dm, const QString &path, Messenger &messenger);
