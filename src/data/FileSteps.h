#pragma once
// Steps that the commands writing a database file share (league files, their conversion, ticket files):
// the questions they ask and the test for the open file.  Building the file is DocumentFile's.

#include "data/Messenger.h"

#include <QString>
#include <exception>
#include <functional>

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

// Runs one step of a file command with the busy cursor: Done, or Refused after the failure's message.
FileCommandResult runStep(Messenger &messenger, const std::function<void()> &step);

} // namespace FileSteps
