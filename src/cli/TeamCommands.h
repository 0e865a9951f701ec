#pragma once
// Team maintenance on the command line: merge-teams FILE --keep A --merge B.

#include "cli/Commands.h"

QList<Command> teamCommands();
