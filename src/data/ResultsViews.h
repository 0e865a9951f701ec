#pragma once
// The default views of the matches: what showing the fixtures or the scores tab applies to Results
// before the user picks other filters and sorts.

class Table;

// Only matches not yet played, oldest first.
void applyDefaultFixtureView(Table &results);
// Only played matches, newest first.
void applyDefaultScoreView(Table &results);
