#pragma once
// A demo league to try the program with: always the same file, built through the routines a user's
// own entries go through.

#include <QString>

class Messenger;

// Creates a new league file at path (which must not exist): 20 invented teams, two seasons of a
// double round robin with scores drawn from the teams' strengths and three bookmakers' prices, the
// last rounds left as fixtures.  Deterministic: the same file content on every run.  Failures raise
// the usual errors and leave no file (it is built beside path and takes its place when complete).
void BuildDemoLeague(const QString &path, Messenger &messenger);
