#pragma once
// The four page layouts the fixture importer reads, each a function over the pasted lines that writes
// through the league's tables.  A line that stops the layout throws FixtureLineError; a line that cannot
// be used safely is skipped and listed in the league's summary.

#include <QStringList>

class FixtureLeague;

// Round lines "Rnd 7", day lines "Saturday 25 Mar", fixtures "Home vs Away", results
// "Home (95) def. Away (80)"; year dates them.
void readFixturePage(const QStringList &lines, FixtureLeague &league, int year);

// Day lines "Sunday, Apr 10" (each a new round after the league's last), games "Away at Home @ 7:05 PM"
// and, once played, "Away 3 at Home 5"; year dates them.
void readBaseballSchedule(const QStringList &lines, FixtureLeague &league, int year);

// Date lines "12-08-2023", fixtures "Home - Away".
void readSoccerA(const QStringList &lines, FixtureLeague &league);

// Round lines "Round 5", date lines "12.08.2023 20:45 Home-Away" or "12.08.2023", fixtures "Home-Away".
void readSoccerB(const QStringList &lines, FixtureLeague &league);
