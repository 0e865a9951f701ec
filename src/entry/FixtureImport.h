#pragma once
// Turns text pasted from a fixtures or results page into matches of the open league.

#include "data/Errors.h"
#include "entry/FixtureLeague.h"

#include <QString>
#include <QStringList>
#include <optional>

class TDataMod;

enum class FixtureLayout {
    FixturePage,      // round and day headings, "Home vs Away", "Home (95) def. Away (80)"
    BaseballSchedule, // day headings, "Away 3 at Home 5", "Away at Home @ 7:05 PM"
    SoccerA,          // "12-08-2023" date lines, "Home - Away"
    SoccerB,          // "Round 5", "12.08.2023 20:45 Home-Away"
};

// The layout's name on the command line: afl, mlb, soccer-a, soccer-b.
QString fixtureLayoutName(FixtureLayout layout);
std::optional<FixtureLayout> fixtureLayoutOf(const QString &name);

// A line that stops the import: its number and text, and the reason.
class FixtureLineError : public QuorvaneError
{
public:
    FixtureLineError(int line, const QString &text, const QString &reason);
};

// Reads the lines from the first to the last and writes what they give into the open league, in one
// transaction: a line that stops the import (FixtureLineError) leaves the file and the standings as they
// were.  year dates the fixture-page and baseball layouts, whose pages give day and month only.  A year
// outside Dates::FirstYear to LastYear, given or read from a date line, stops the import at the line that
// uses it.  Lines that cannot be used safely (a team not recognised, a score missing) are skipped and
// listed in the summary.
FixtureImportSummary ImportFixtures(TDataMod &dm, FixtureLayout layout, const QStringList &lines, int year);

// For each line holding oldText, its first occurrence becomes newText.  Case-sensitive; one occurrence a
// line, so that pressing again reaches the next.
QStringList ReplaceFirstInLines(const QStringList &lines, const QString &oldText, const QString &newText);

// What the summary says, one line, for the window and the command line.
QString describeImport(const FixtureImportSummary &summary);
// Each skipped line with its number, text and reason, one a line; after maxLines (when not negative) how
// many more there are.
QString describeSkipped(const FixtureImportSummary &summary, int maxLines = -1);

// The lines of a pasted text or a text file, with any line ending.
QStringList fixtureLines(const QString &text);
