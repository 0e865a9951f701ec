#pragma once
// A small invented ticket file for the demonstration and the screenshots: a season of tickets with their
// bets, settled and calculated as the ticket dialog does.

#include <QString>

// Creates the file at path, which must not exist.
void CreateDemoTicketFile(const QString &path);
