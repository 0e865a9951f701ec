#pragma once
// Joining two teams of a league that are one club under two spellings.

#include "data/Errors.h"

#include <QDate>
#include <QList>
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

// A match of the two teams against each other, played or to come: merged, it would be one team against
// itself.
struct TeamMeeting {
    qint64 row = -1; // its rowid, the bookmark of its row in the shared Results table
    QDate date;
    QString home, away, result;
};

// The matches between the two teams (names matched ignoring letter case), by date, matches of one day in
// their stored order.
QList<TeamMeeting> teamMeetings(Database &league, const QString &keep, const QString &merge);

// Deletes the matches between the two teams from the open league as "Delete Match" deletes a match: a
// played one is taken out of the standings first, its closing prices go with it.  One transaction (a
// savepoint inside the caller's).
void DeleteMeetings(TDataMod &dm, const QString &keep, const QString &merge);

// In one transaction: every match and player of merge takes keep's stored name, merge's row goes (keep
// keeps its picture), merge is remembered as an alias of keep, and the standings and every match's
// points and rating snapshots are rebuilt from 1500 by replaying the matches in date order (matches of
// one day in their stored order).  Names are matched ignoring letter case.  Match IDs do not change, so
// closing prices stay with their matches.  Open datasets see the change when they are read again
// (Dataset::reload, or opening the league again).  Two teams that have met are refused (TeamMergeError,
// naming their matches): each of those would become a match of the kept team against itself.
void MergeTeams(Database &league, const QString &keep, const QString &merge);

// The window's merge: refuses as MergeTeams does, asks (No the default) since a merge cannot be undone,
// merges and reads the open league's tables again.  For two teams that have met, the question names their
// matches and offers to delete them first (DeleteMeetings), in the merge's transaction; No changes
// nothing.  Refusals and failures are told through messenger; returns whether the teams were merged.
bool MergeTeamsAsked(TDataMod &dm, const QString &keep, const QString &merge, Messenger &messenger);
