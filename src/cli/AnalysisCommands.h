#pragma once
// The analysis commands of the command-line companion: history and arbitrage.

#include "cli/Commands.h"

QList<Command> analysisCommands();
