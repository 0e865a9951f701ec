#pragma once
// The program's folder: where Data/, Tickets/, Picks/, systems/ and data/leagues.txt live.  The folder
// of the executable when it can be written to and the program is not an installed one, otherwise the
// user's data folder.

#include <QString>

QString programFolder();
// The rule for an executable in exeDir.  An installed program (share/quorvane/installed beside its bin
// folder) never writes beside itself, even when run by root: its folders belong to the package.
QString programFolderFor(const QString &exeDir);
// ~/.local/share/Quorvane, one folder for the desktop program and the command-line companion alike.
QString userDataFolder();
// The betting systems file: systems/bettingsystems.qvs under the program's folder.
QString defaultSystemsFilePath();
