#pragma once
// The two prediction commands over the open league: they collect the engine's inputs and store its
// outputs in the rows of Results.

#include "predict/PredictionEngine.h"

#include <functional>

class TDataMod;
class Messenger;
class Table;
class HistorySource;

// Called after every match: done of total.
using ProgressFn = std::function<void(int done, int total)>;

// The betting system as the prediction dialog loads it from the League row, each value clamped to its
// field's range.
PredictionOptions loadPredictionOptions(TDataMod &dm);
// A value brought into the range of its field (HP, DP, AP, CF: 10..90; LM: 2..10).
PredictionOptions clampPredictionOptions(PredictionOptions options);

// Every fixture of the current view of Results (Result exactly ":"), in the view's order taken before the
// first write, with the teams' current ratings and all their played matches.  A team without a Teams row
// stops the command with its warning; what was predicted before stays.  Returns the fixtures written.
// The histories come from `histories` when given, otherwise from one pass over the played matches.
int PredictUpcomingMatches(TDataMod &dm, const PredictionOptions &options, Messenger &messenger,
                           const ProgressFn &progress = {}, HistorySource *histories = nullptr);

// Every played match again, oldest first, with its rating snapshot and the matches dated strictly
// before it; each prediction goes into the match's own row when that row is in the current view.  When
// Results is not open, every played match is written straight into the file.
// Ends with "Recalculate predictions complete.".  Returns the rows written.
int RecalculatePredictions(TDataMod &dm, const PredictionOptions &options, Messenger &messenger,
                           const ProgressFn &progress = {}, HistorySource *histories = nullptr);

// Writes a prediction into the current row of results (HP, DP, AP, CF, Verdict, PResult, Ttl, UOP).  A
// failure names the match (teams and date).
void storePrediction(Table &results, const MatchPrediction &p);

// The under/over call in at most width characters: "Under 210.25" becomes "Under210.25", or "Under"
// alone when even that is too long (the line stays in UOV); the side word is kept, as the views read it.
QString fittedUnderOver(const QString &call, int width);
