#pragma once
// The league file commands of the main window: New League, Open, Save and Save As.  The file dialogs
// only choose the path; these routines ask the questions, do the work, report failures through the
// messenger and say which league is open afterwards, so they run and are tested without a window.

#include "data/Messenger.h"

#include <QString>
#include <QTemporaryDir>
#include <exception>
#include <functional>

class Database;
class TDataMod;

enum class FileCommandResult {
    Done,      // the command did its work
    Cancelled, // no path was chosen, or an overwrite question was not answered Yes: nothing changed
    Refused,   // a warning or an error was shown
};

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

// The full path of the file a connection is open on; empty when it is closed.
QString ConnectedFileName(const Database &connection);

// Creates a new league file at path and opens it in place of the open league.  The window then shows
// the league settings dialog and, if the league is still open, ShowLeagueFile(leaguePath).
FileCommandOutcome NewLeague(TDataMod &dm, const QString &path, Messenger &messenger);

// Opens the league file at path in place of the open league and calls show for it.  When the file is
// not a league file, or show throws, the league that was open before is opened and shown again and
// "Error opening league file." is shown; with no league open before, none is open afterwards.
FileCommandOutcome OpenLeague(TDataMod &dm, const QString &path, Messenger &messenger,
                              const ShowLeague &show = {});

// Stores any pending edit of the current Teams and Players rows; everything else is already stored.
FileCommandResult SaveLeague(TDataMod &dm, Messenger &messenger);

// Copies the open league file to path and opens the copy in its place: afterwards the copy is the open
// league, and later changes go to it.  On a failure the original is open again.
FileCommandOutcome SaveLeagueAs(TDataMod &dm, const QString &path, Messenger &messenger);

// Steps the commands that write a file share (the conversion uses them too).
namespace LeagueFileSteps
{

// Whether two paths name the same file (after resolving links and relative parts).
bool sameFile(const QString &a, const QString &b);

// "File already exists. Overwrite?" captioned "Overwrite"; true only for Yes.
bool confirmOverwrite(Messenger &messenger, Messenger::Buttons buttons);

// "Can not create file. File is still in use."
void warnInUse(Messenger &messenger);

// The text a failure shows: our errors' own message, or the library's.
QString messageOf(const std::exception &e);

// A file built under a temporary name beside its target and moved into place only when it is complete,
// so that a failure never leaves a half-made file where a whole one is expected.  It is built in a hidden
// folder of the target's folder, under the target's own file name (a new league takes its name from
// it); whatever is left there goes with the object.
class StagedFile
{
public:
    explicit StagedFile(const QString &target); // DatabaseError when the target's folder takes no file
    QString path() const { return m_path; }
    // Moves the built file to the target, which must not exist; DatabaseError when it cannot.
    void commit();

private:
    QString m_target;
    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace LeagueFileSteps
