#pragma once
// Joining two teams of a league that are one club under two spellings.

#include "data/Errors.h"

#include <QString>

class Database;
class Messenger;
class TDataMod;

// A merge that is refused (the same team twice, an unknown name); the league is left as it was.
class TeamMergeError : public QuorvaneError
{
public:
    using QuorvaneError::QuorvaneError;
};

// In one transaction: every match and player of merge takes keep's stored name, merge's row goes (keep
// keeps its picture), merge is remembered as an alias of keep, and the standings and every match's
// points and rating snapshots are rebuilt from 1500 by replaying the matches in date order (matches of
// one day in their stored order).  Names are matched ignoring letter case.  Match IDs do not change, so
// closing prices stay with their matches.  Open datasets see the change when they are read again
// (Dataset::reload, or opening the league again).
void MergeTeams(Database &league, const QString &keep, const QString &merge);

// The window's merge: refuses as MergeTeams does, asks (No the default) since a merge cannot be undone,
// merges and reads the open league's tables again.  Refusals and failures are told through messenger;
// returns whether the teams were merged.
bool MergeTeamsAsked(TDataMod &dm, const QString &keep, const QString &merge, Messenger &messenger);
