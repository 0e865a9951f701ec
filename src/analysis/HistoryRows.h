#pragma once
// What the prediction history reads from a league: the played matches that carry a prediction, oldest
// first, and the team names in the order of the team table's title column.

#include "analysis/PredictionHistory.h"

#include <QList>
#include <QStringList>

class Database;

// Every row whose Result and PResult both hold more than ":", by date (rows without a date first,
// same-date rows in stored order).
QList<HistoryRow> readHistoryRows(Database &league);

// Every Teams name sorted by name as the database orders it (letter case ignored; names equal but for
// case in stored order): the team table's title column.
QStringList readHistoryTeamNames(Database &league);
