#pragma once
// The League row as the league settings dialog edits it: every number held in the range of its spin
// field, the sport presets, and what OK stores.  The dialog only collects the values; these routines do
// the work, so they run and are tested without a window.

#include <QDate>
#include <QString>
#include <array>

class Messenger;
class TDataMod;
class Table;

// The whole-number columns of the League row that the dialog shows, in the order of the row.
// (PB is neither shown nor changed.)
enum class LeagueNumber { SS, SE, PW, PD, PL, PWO, PDO, PLO, HP, DP, AP, CF, LM };
constexpr int LeagueNumberCount = 13;

struct LeagueNumberField {
    QString column; // also names the spin field: "SpinEdit" + column
    int minimum;
    int maximum;
    int preset; // the value the dialog starts with
};
const LeagueNumberField &leagueNumberField(LeagueNumber n);
// A value held in its field's range.
int clampLeagueNumber(LeagueNumber n, int value);

struct LeagueSettings {
    QString sport = QStringLiteral("Football (Soccer)");
    QString league;
    std::array<int, LeagueNumberCount> numbers; // indexed by LeagueNumber; the presets to start with
    bool HW = true;                             // bet on home wins
    bool DR = false;                            // bet on draws
    bool AW = true;                             // bet on away wins
    bool HA = true;                             // home/away statistics (false: overall statistics)

    LeagueSettings();
    int &operator[](LeagueNumber n) { return numbers[static_cast<size_t>(n)]; }
    int operator[](LeagueNumber n) const { return numbers[static_cast<size_t>(n)]; }
};

// The season a new league starts in, as its two years: from July on the first year is this year, before
// July last year, since a season that runs over the turn of the year (as most leagues' do) has begun by
// July and is still being played until then.  The second year is the first + 1.
struct Season {
    int first;
    int second;
    bool operator==(const Season &) const = default;
};
Season currentSeason(const QDate &today = QDate::currentDate());

// The second year of the season after the user changed the first from oldFirst to newFirst: it moves with
// the first and keeps the distance it had (one year as a new league starts, none for a league played
// within one calendar year), held in the field's range.
int secondYearAfterFirstChanged(int oldFirst, int second, int newFirst);

// The first League row, each number read as a whole number and clamped to its field's range.
LeagueSettings ReadLeagueSettings(Table &league);

// Choosing in the sport chooser: text is the chooser's text, listPosition the entry picked from the list
// (-1 when the text was typed).  A text that is no sport warns "No sport selected or invalid sport" and
// changes nothing; a picked sport sets the points and the three percentages to its defaults; a typed sport
// changes nothing.  Returns whether the settings changed.
bool ApplySportChoice(LeagueSettings &settings, const QString &text, int listPosition, Messenger &messenger);

// OK: refuses a sport that is none of the list (letter case ignored) with "No sport selected or invalid
// sport" and writes nothing.  Otherwise stores the row (the sport as typed, numbers clamped) and renumbers
// the teams' positions in the current order of Teams, in one transaction.  Returns whether it stored.
bool SaveLeagueSettings(TDataMod &dm, const LeagueSettings &settings, Messenger &messenger);

// What the main window's season panel shows for the first League row: SS + " - " + SE.
QString seasonText(Table &league);
