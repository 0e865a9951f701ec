#pragma once
// What the prediction history reads from a league: the played matches that carry a prediction, oldest
// first, and the team names in the order of the team table's title column.

#include "analysis/PredictionHistory.h"
#include "data/MatchStore.h"
#include "data/TeamNames.h" // the team names, readTeamNamesByName

#include <QList>
#include <QStringList>
#include <functional>

class Database;

// Every played row whose PResult holds more than ":", by date (rows without a date first, same-date rows
// in stored order), with what the history judges.  Refuses (QuorvaneError) a league whose played rows do
// not add up (requireConsistentPlayedRows).
QList<Match> readHistoryRows(Database &league);
// The same rows one at a time, streamed.
void forEachHistoryRow(Database &league, const std::function<void(const Match &)> &visit);
