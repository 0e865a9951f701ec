#pragma once
// What the prediction history reads from a league: the played matches that carry a prediction, oldest
// first, and the team names in the order of the team table's title column.

#include "analysis/PredictionHistory.h"
#include "data/TeamNames.h" // the team names, readTeamNamesByName

#include <QList>
#include <QStringList>

class Database;

// Every row whose Result and PResult both hold more than ":", by date (rows without a date first,
// same-date rows in stored order).  Refuses (QuorvaneError) a league whose played rows do not add up
// (requireConsistentPlayedRows).
QList<HistoryRow> readHistoryRows(Database &league);
