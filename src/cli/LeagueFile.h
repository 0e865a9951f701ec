#pragma once
// The league file a command names: every command that reads or writes a league opens it here.

#include "data/TDataMod.h"

#include <QString>

// QuorvaneError when path is an Access/Jet database, which no league command reads: the message says
// how to convert it.  Anything else passes, to be judged by opening it.
void refuseAccessFile(const QString &path);

// What a command does with the played matches, for the check that opening makes of them
// (PlayedRowsCheck.h).
enum class PlayedRowsUse {
    Shown,   // lists, exports, adds: rows that do not add up are told on stderr and the command goes on
    Counted, // computes figures from them: such a league is refused until the rows are mended
};

// Opens the league file for a command, an Access/Jet file refused as above, and checks its played rows.
void openLeagueFile(TDataMod &dm, const QString &path, const LeagueTables &tables = LeagueTables(),
                    PlayedRowsUse use = PlayedRowsUse::Shown);
