#pragma once
// The download commands of the command-line companion: download (league files from a data server),
// publish (the list a data server needs) and fetch-season (a season from the results archive).

#include "cli/Commands.h"

QList<Command> downloadCommands();
