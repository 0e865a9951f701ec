#pragma once
// Enters a season read from a results CSV file into the open league, through the match entry
// routine, so that the standings are kept exactly as if every match had been typed in.

#include "data/TeamTables.h"
#include "entry/ResultsCsv.h"

#include <QString>
#include <functional>

class TDataMod;
class Messenger;

struct ImportSummary {
    int added = 0;      // new matches
    int updated = 0;    // fixtures now played and played matches whose score changed
    int unchanged = 0;  // matches already stored as the file has them
    int teamsAdded = 0; // teams the league did not have
};

// One transaction: when a row is refused (its reason as a CsvImportError with the row's line, after
// any message of the match entry routine), nothing of the import stays, neither in the file nor in the
// open tables.  A name merged into another team (TeamAliases) enters the kept team, unless the league has
// a team of that name again (a team's name wins over an alias).  Missing teams are appended in order of first
// appearance, home before away; a match already stored (same date, home and away, letter case ignored) is
// edited only when it gains or changes its score, keeping its ID and round.  Ends by renumbering Pos in the
// home table's order. progress is told after every row. Results need only hold the stored matches of the
// season's days (see openResultsOfSeason).
ImportSummary ImportResults(TDataMod &dm, const CsvSeason &season, Messenger &messenger,
                            const std::function<void(int done, int total)> &progress = {});

// Opens the league's Results with only the stored matches of the season's days (from its first to its
// last date), all that an import compares with, however big the league.
void openResultsOfSeason(TDataMod &dm, const CsvSeason &season);
