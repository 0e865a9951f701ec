#pragma once
// The league file a command names: every command that reads or writes a league opens it here.

#include "data/TDataMod.h"

#include <QString>

// QuorvaneError when path is an Access/Jet database, which no league command reads: the message says
// how to convert it.  Anything else passes, to be judged by opening it.
void refuseAccessFile(const QString &path);

// Opens the league file for a command, an Access/Jet file refused as above.
void openLeagueFile(TDataMod &dm, const QString &path, const LeagueTables &tables = LeagueTables());
