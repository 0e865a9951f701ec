#pragma once
// Adding and editing a match: what the match dialog shows, and what its OK stores.  The dialog only
// collects the values; these routines do the work, so they run and are tested without a window.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class TDataMod;
class Messenger;

enum class MatchEntryMode { Add, Edit };

// The captions that choose the mode.
QString addMatchCaption();  // "Add Match"
QString editMatchCaption(); // "Edit Match"
MatchEntryMode matchEntryModeOf(const QString &caption);

// The items of the match chooser, in order.
const QStringList &matchKinds();

// What the dialog shows when it opens.
struct MatchEntryForm {
    QStringList teams;      // team chooser entries, alphabetical
    QStringList bookmakers; // every bookmaker name ever entered, once (letter case ignored), alphabetical
    QString matchKind = QStringLiteral("Regular Season");
    int homeScore = -1;
    int awayScore = -1;
    bool overtime = false;
    QString underOver; // the sport's default line in general number format, or the edited row's line

    // Only when editing (otherwise the date and round keep the dialog's last values).
    std::optional<QDate> date;
    std::optional<int> round;
    QString home, away; // the team choosers' texts (edit only)

    // The edited match's odds and bookmakers; a new match starts without any ("-", no bookmaker, the
    // decimal notation), so that no price of another match is stored unseen.
    QString odds[3] = {QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-")}; // home, draw, away
    QString bookmaker[3];                                                              // home, draw, away
    int oddsType[3] = {0, 0, 0};
};

MatchEntryForm ShowMatchEntry(TDataMod &dm, MatchEntryMode mode);

enum class SnapshotSide { Home, Away };
// The caption of the home or the away odds row: the team chosen for that side as it is typed, or
// "Home" / "Away" while none is.
QString oddsRowCaption(SnapshotSide side, const QString &team);

// What the dialog collects when OK is pressed.
struct MatchEntryInput {
    MatchEntryMode mode = MatchEntryMode::Add;
    QStringList teamEntries; // the team choosers' entries
    QString home, away;
    QString matchKind = QStringLiteral("Regular Season");
    int year = 2005, month = 1, day = 1;
    int round = 1;
    int homeScore = -1, awayScore = -1;
    bool overtime = false;
    QString underOver;
    QString odds[3] = {QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-")};
    int oddsType[3] = {0, 0, 0};
    QString bookmaker[3];
};

// Stores the match as the dialog's OK does, in one transaction: a warning or any failure leaves the file
// and the standings exactly as they were.  Returns whether the match was stored.  Warnings and errors
// that are messages go through the messenger; a date that does not exist raises DateError, a failed
// odds text Abort (after its warning), a database failure DatabaseError.
bool SaveMatch(TDataMod &dm, const MatchEntryInput &input, Messenger &messenger);

class Table;
// Copies one side of the rating snapshot (PtsH, PtsHT, TRH, TRHT or PtsA, PtsAT, TRA, TRAT) from the
// current Teams row into the Results row being edited.
void copyRatingSnapshot(Table &teams, Table &results, SnapshotSide side);

// The Result text of a score: "2:1", "3:2 OT", or ":" when either score is negative.
QString resultText(int homeScore, int awayScore, bool overtime);
