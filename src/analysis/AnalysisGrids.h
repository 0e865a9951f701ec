#pragma once
// The columns of the analyzer's two grids and of the prediction history's grid of source rows, read by
// the windows, their printouts and their exports alike.

#include "data/GridColumns.h"

// The history of tested systems over Methods: "League", "Correct", ... "TS", "LM" (a column without a
// title shows its field name).
const QList<GridColumn> &systemsHistoryColumns();

// The detail of the last test over the betting systems file's Results: "Date", "Rnd", "Home Team", ...
// "2", "Balance".
const QList<GridColumn> &backTestMatchColumns();

// The prediction history's played matches: the analyzer's match columns without "Balance".
const QList<GridColumn> &predictedMatchColumns();

// The analyzer's and the history's fields whose cells the judging colours paint.
bool isJudgedField(const QString &field);
