#pragma once
// The program's folder: where Data/, Tickets/, Picks/, systems/ and data/leagues.txt live.  The folder
// of the executable when it can be written to, otherwise the user's data folder.

#include <QString>

QString programFolder();
// The betting systems file: systems/bettingsystems.qvs under the program's folder.
QString defaultSystemsFilePath();
// The HTML manual beside the program: qvhelp.html under the program's folder.
QString helpFilePath();
