#pragma once
// The fixture importer on the command line: import-fixtures FILE --layout L --year N TEXTFILE.

#include "cli/Commands.h"

QList<Command> fixtureCommands();
