#pragma once
// Adding, renaming and deleting teams and players, the pasted lists of names, and the checks of the
// team and player dialogs.  The dialogs only collect the values; these routines do the work, so they run
// and are tested without a window.  Every routine that writes is one transaction: a warning or a failure
// leaves the file as it was.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

class Messenger;
class TDataMod;
class Table;

enum class EditMode { Add, Edit };

// The captions that choose the mode of the team and player dialogs; any other caption means adding.
QString addTeamCaption();    // "Add Team"
QString editTeamCaption();   // "Edit Team"
QString addPlayerCaption();  // "Add Player"
QString editPlayerCaption(); // "Edit Player"
EditMode teamModeOf(const QString &caption);
EditMode playerModeOf(const QString &caption);

// ---- pictures

// Whether the bytes are one complete BMP file image: the "BM" file header with sizes that fit the data, a
// known info header, the colour table or colour masks it needs, and all the pixel data it announces.
bool isBmpImage(const QByteArray &data);
// The bytes of a picture file, as they are; nothing when the file cannot be read or is no BMP image.
std::optional<QByteArray> readBmpFile(const QString &path);

// ---- lists
// Every Team of Teams in alphabetical order (letter case ignored); Teams is left on its first row.
QStringList teamNames(Table &teams);
// The players whose Team is exactly team (letter case counting), alphabetical, looked up over all rows
// whatever the filter; Players is left on its first row.
QStringList playersOfTeam(Table &players, const QString &team);

// The first Teams row whose Team is name, letter case ignored, becomes the current row.
bool locateTeam(Table &teams, const QString &name);
// The first Players row in table order whose Player is name, letter case ignored, whatever its team.  The
// caller switches the filter off when the whole table is meant.
bool locatePlayer(Table &players, const QString &name);
// Deletes the first team of that name (letter case ignored); its matches and players stay.  The positions
// are renumbered.  Returns whether a row was found.
bool DeleteTeamNamed(TDataMod &dm, const QString &name);
// Deletes the first player of that name in table order, whatever the filter.  Returns whether found.
bool DeletePlayerNamed(TDataMod &dm, const QString &name);

// ---- team dialog

struct TeamValues {
    QString name;
    QByteArray picture; // a complete BMP image, or empty
};
// What the team dialog shows: the current team when editing, nothing when adding.
TeamValues ShowTeam(TDataMod &dm, EditMode mode);
// Appends a team (Pos the current row number of Teams, then renumbered); a team of the same name may
// exist.  "No team entered" for an empty name.  Returns whether it stored.
bool AddTeam(TDataMod &dm, const QString &name, const QByteArray &picture, Messenger &messenger);
// Stores name and picture in the current team's row.  A new name (letter case counting, so a change of
// case only too) is first carried into Home and Away of every match and into Team of every player that
// had the old name (letter case ignored), whatever the filters.  "No team entered" for an empty name.
bool EditTeam(TDataMod &dm, const QString &name, const QByteArray &picture, Messenger &messenger);

// ---- player dialog

constexpr int PlayerNumberMin = 0, PlayerNumberMax = 999;
constexpr int PlayerRatingMin = 100, PlayerRatingMax = 3000;

// The rating presets, in the order the chooser offers them.
const QList<QPair<QString, int>> &playerRatingPresets();
QString playerRatingPrompt(); // "Change rating", shown in the preset chooser
// Position, weight and height never stay empty: an empty text becomes "-".
QString dashIfEmpty(const QString &text);

struct PlayerValues {
    QString name;
    QString team;
    QString position = QStringLiteral("-");
    int number = 0;
    int year = 1950, month = 1, day = 1; // date of birth
    QString weight = QStringLiteral("-");
    QString height = QStringLiteral("-");
    QString inOut;
    int rating = 1500;
    QByteArray picture;
};

struct PlayerForm {
    QStringList teams;                  // the team chooser's entries, alphabetical
    std::optional<PlayerValues> player; // the current player when editing; when adding the dialog starts
                                        // from PlayerValues' defaults and keeps its last IN/OUT text
};
PlayerForm ShowPlayer(TDataMod &dm, EditMode mode);

// OK of the player dialog.  Warns "No player entered" or "No team selected or invalid team" (the team
// checked against teamEntries, letter case ignored) and returns false; a date of birth that does not exist
// raises DateError before anything changes.  Otherwise, when editing, deletes the current player's row;
// then overwrites the row of the player of that name (letter case ignored, in any team) or appends one.
// Atk and Def become 5.  Returns whether it stored.
bool SavePlayer(TDataMod &dm, EditMode mode, const QStringList &teamEntries, const PlayerValues &player,
                Messenger &messenger);

// ---- pasted lists

// The lines of a pasted text, exactly as typed (a line break may be "\n" or "\r\n").
QStringList pastedLines(const QString &text);
// Appends a team for every line longer than one character that is not yet a team (letter case ignored),
// Pos the line's index, then renumbers.  Returns how many were added.
int PasteTeams(TDataMod &dm, const QStringList &lines);
// Warns "No team selected or invalid team" unless team is one of teamEntries (letter case ignored).
// Otherwise appends a player of that team (team as typed) for every line longer than one character that is
// not yet a player's name anywhere (letter case ignored).  Returns how many were added.
int PastePlayers(TDataMod &dm, const QStringList &teamEntries, const QString &team, const QStringList &lines,
                 Messenger &messenger);
