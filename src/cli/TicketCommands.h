#pragma once
// The ticket file commands of the command-line companion: tickets FILE new | add-ticket | add-bet |
// calc | delete | list | stats.

#include "cli/Commands.h"

QList<Command> ticketCommands();
