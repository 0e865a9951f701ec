#pragma once
// The analyzer's two printed reports, filled from the betting systems file's tables as its grids show
// them: the history of tested systems (Methods) and the matches of the last test (Results).  Both are
// banded reports in landscape on Letter paper.

#include "output/ReportLayout.h"

class Dataset;

// "Betting System History": League, Correct, Incorrect, Total, Hits (%), ... TS, LM.
BandedReport systemsHistoryReport(const Dataset &methods);
// The league name followed by " - Match Predictions & Scores": Date, Rnd, Home Team, "-", Away Team, ...
// 1, X, 2, Balance.
BandedReport backTestMatchesReport(const Dataset &results, const QString &league);
