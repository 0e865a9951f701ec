#pragma once
// What the program tells about itself: its version, the versions of the libraries it runs on, its licence,
// and where its manual and shipped data are.

#include <QString>

QString programVersion();
// "Quorvane 3.04"
QString programNameAndVersion();
// The Qt and SQLite versions the program runs on (not the ones it was built with).
QString qtRuntimeVersion();
QString sqliteRuntimeVersion();
QString programLicence();

// The folder of the shipped data (the manual among it) for an executable in exeDir: share/quorvane beside
// the executable's parent folder.  An installed program has bin/ and share/quorvane/ under one prefix, and
// the build tree mirrors that for the programs at its top levels.  Empty when the folder does not exist.
QString dataFolderFor(const QString &exeDir);
// dataFolderFor() of the running executable.
QString programDataFolder();
// The first page of the manual; empty when the manual is not there.
QString manualIndexPath();
// The largest picture of the program's icon in the icon theme folder beside the data folder (installed
// or in the build tree); empty when it is not there.
QString programIconPath();
