#pragma once
// The analysis commands of the command-line companion: history, arbitrage and the team comparison chart.

#include "cli/Commands.h"

QList<Command> analysisCommands();
