#pragma once
// The default views of the matches: what showing the fixtures or the scores tab applies to Results
// before the user picks other filters and sorts.

#include <QString>

class Table;

// The filters of the two default views: the tab's own rows, which no user choice restricts further.
QString fixturesFilterText();
QString scoresFilterText();

// Only matches not yet played, oldest first.
void applyDefaultFixtureView(Table &results);
// Only played matches, newest first.
void applyDefaultScoreView(Table &results);
