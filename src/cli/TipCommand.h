#pragma once
// tip: the prediction of one match of the user's choice, as the match prediction window shows it.

#include "cli/Commands.h"

Command tipCommand();
