#pragma once
// Steps that the commands writing a database file share (league files, their conversion, ticket files):
// the questions they ask, the test for the open file, and building a file under a temporary name.

#include "data/Messenger.h"

#include <QString>
#include <QTemporaryDir>
#include <exception>

class Database;

enum class FileCommandResult {
    Done,      // the command did its work
    Cancelled, // no path was chosen, or an overwrite question was not answered Yes: nothing changed
    Refused,   // a warning or an error was shown
};

// The full path of the file a connection is open on; empty when it is closed.
QString ConnectedFileName(const Database &connection);

namespace FileSteps
{

// Whether two paths name the same file: the same file on the same device when both exist (also through
// symbolic and hard links), otherwise the same absolute path.
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

} // namespace FileSteps
