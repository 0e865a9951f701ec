#pragma once
// The output commands of the command-line companion: export (a grid to a document) and print (a report
// to a PDF).

#include "cli/Commands.h"

QList<Command> outputCommands();

// Whether the command line draws (print, tickets ... print): it needs the graphical application object,
// offscreen.
bool commandNeedsGui(const QStringList &arguments);
