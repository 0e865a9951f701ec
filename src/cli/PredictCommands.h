#pragma once
// The prediction commands of the command-line companion: predict, recalc and backtest.

#include "cli/Commands.h"

QList<Command> predictionCommands();
