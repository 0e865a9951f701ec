#pragma once
// The sort and filter choices of the main window's data views (the three team tables, the fixtures, the
// scores and the players), the sort and filter texts they give, the routines that set those on the shared
// tables, and the recomputation of the team tables from a chosen set of matches.  The choices live as long
// as the program runs and are never stored.

#include "data/GridCommands.h" // quotedFilterText
#include "data/TeamSort.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

class Dataset;
class Messenger;
class TDataMod;
class Table;

// A date range as its six spin fields hold it, month/day/year.
struct DateRangeChoice {
    int startMonth = 1, startDay = 1, startYear = 2005;
    int endMonth = 1, endDay = 1, endYear = 2005;
    bool changed = false; // changed by the user: it no longer follows the league's season
};

// Which matches the team tables are computed from.
enum class TeamFilterKind { Date, Round, LastMatches, Matches };
struct TeamFilterChoices {
    TeamFilterKind kind = TeamFilterKind::Matches;
    DateRangeChoice dates;
    int fromRound = 1, toRound = 1;
    int lastMatches = 5;
    QString matchType = QStringLiteral("All"); // the chooser's text, possibly typed
};

enum class FixtureFilterKind { None, Upcoming, NextSevenDays, Date, Round, Team };
struct FixtureChoices {
    QString sort = QStringLiteral("Date");
    QString order = QStringLiteral("Ascending");
    FixtureFilterKind filter = FixtureFilterKind::Upcoming;
    DateRangeChoice dates;
    int round = 1;
    QString team;
};

enum class ScoreFilterKind { None, Date, Round, Team };
struct ScoreChoices {
    QString sort = QStringLiteral("Date");
    QString order = QStringLiteral("Descending");
    ScoreFilterKind filter = ScoreFilterKind::None;
    DateRangeChoice dates;
    int round = 1;
    QString team;
};

enum class PlayerFilterKind { None, Number, Position, Rating };
struct PlayerChoices {
    QString sort = QStringLiteral("Player");
    QString order = QStringLiteral("Descending");
    PlayerFilterKind filter = PlayerFilterKind::None;
    int number = 0;
    QString position;
    int minRating = 1, maxRating = 1;
};

struct FilterChoices {
    TeamSortChoices teamSorts; // the six sort and order choices of the three team tables
    TeamFilterChoices teams;
    FixtureChoices fixtures;
    ScoreChoices scores;
    PlayerChoices players;
    QString seasonLeague; // the league file whose season the date ranges were set to
};

// The program's one set of choices, with the defaults until the user changes them.  The filter dialog
// edits it; the views read it when their tab is shown.
FilterChoices &filterChoices();

// The date ranges start at the open league's season (Dates::season of SS and SE of its League row):
// each range the user has not changed is set to it again, and once another league file is open every
// range is.  Nothing changes while no league is open or its League row holds no season.
void followLeagueSeason(FilterChoices &choices, TDataMod &dm);

// The entries of the choosers, in their order.  The order choosers take teamOrderItems() (TeamSort.h).
const QStringList &matchTypeItems();   // "All", "Pre-Season", ... "Finals"
const QStringList &fixtureSortItems(); // "Date", "Rnd", "Home Team", ... "Return (%)"
const QStringList &scoreSortItems();   // "Date", "Rnd", "Match", "Home Team", ... "Return (%)"
const QStringList &playerSortItems();  // "N", "Player", "Team", "Position", ... "IN/OUT"
const QStringList &playerGridFields(); // N, Player, Team, Pos, DOB, Ht, Wt, PR, IN_OUT

// "DateP >= m/d/yyyy AND DateP <= m/d/yyyy".
QString dateRangeFilterText(const DateRangeChoice &dates);
// The direction suffix of a sort: empty for "Ascending", " DESC" for anything else.
QString sortDirection(const QString &order);

// The filter texts.  Nothing means filtering switched off with the text cleared (every row).
std::optional<QString> fixtureFilterText(const FixtureChoices &choices, const QDate &today);
QString scoreFilterText(const ScoreChoices &choices);
// listTeam: the selected entry of the players view's team list; empty or "<---All--->" adds no team part.
std::optional<QString> playerFilterText(const PlayerChoices &choices, const QString &listTeam);

// The sort texts: the chosen item's field and the direction; nothing when the sort text is not an item.
std::optional<QString> fixtureSortText(const FixtureChoices &choices);
std::optional<QString> scoreSortText(const ScoreChoices &choices);
std::optional<QString> playerSortText(const PlayerChoices &choices);

// The order choosers and what a text that is not one of their two items gives: the warning ("Invalid
// value" for the overall team table, "Invalid option" for the others) and, except for the players, the
// text the chooser is set back to ("Ascending").  Nothing is sorted then.
enum class OrderChooser { HomeTeams, AwayTeams, OverallTeams, Fixtures, Scores, Players };
struct OrderCheck {
    QString warning; // empty when the order is valid
    std::optional<QString> resetTo;
    bool valid() const { return warning.isEmpty(); }
};
OrderCheck checkOrder(OrderChooser chooser, const QString &orderText);

// Set the filters on the shared tables (display updates suspended meanwhile).  DatabaseError when the
// text does not parse (a date that does not exist); filtering is then off.
void ApplyFixtureFilter(Table &results, const FixtureChoices &choices,
                        const QDate &today = QDate::currentDate());
void ApplyScoreFilter(Table &results, const ScoreChoices &choices);
void ApplyPlayerFilter(Table &players, const PlayerChoices &choices, const QString &listTeam);

// Set the sorts when the sort text is an item and the table has rows, after storing a pending edit of the
// current row; return whether a sort was set.  A player sort that is not an item warns "Invalid option".
bool ApplyFixtureSort(Table &results, const FixtureChoices &choices);
bool ApplyScoreSort(Table &results, const ScoreChoices &choices);
bool ApplyPlayerSort(Table &players, const PlayerChoices &choices, Messenger &messenger);

// The filter of each choice in words, as the status bar names it: "round 5", "team Chelsea", "from
// 8/1/2023 to 5/31/2024" (dates as the locale writes them, with four-digit years), "the next 7 days",
// "number 7, team Chelsea", "rating 50 to 80".  Empty for the choices that keep every row of the page
// ("None" and "All upcoming matches").  listTeam as for playerFilterText.
QString fixtureFilterWords(const FixtureChoices &choices);
QString scoreFilterWords(const ScoreChoices &choices);
QString playerFilterWords(const PlayerChoices &choices, const QString &listTeam);

// The pages whose rows the filter choices restrict.
enum class FilteredPage { Fixtures, Scores, Players };
// What the status bar says of the filter on the table behind a page: "Filter: " and, in words, the
// choice that set it (the page's filter choice, or for the players the team picked in the players view's
// team list, listTeam).  Empty when the table shows every row of its page (all upcoming matches, all
// played matches, all players).  A filter that no choice accounts for is named "Filter: on".
QString filterNotice(FilteredPage page, const Dataset &table, const FilterChoices &choices,
                     const QString &listTeam, const QDate &today = QDate::currentDate());

// Showing the fixtures or the scores tab: the page's filter, then its sort, from filterChoices().
void applyFixtureView(Table &results);
void applyScoreView(Table &results);

// The matches a team filter replays: the SQL with its parameters, then the filter set on its rows.
// "Last" reads every match newest first (each team then counts its most recent ones).  Nothing for a match
// type that is not one of its items; one equal to an item but for letter case is taken as that item.
struct TeamMatchSelection {
    QString sql;
    QVariantList params;
    QString filter; // empty: every row of the SQL
};
std::optional<TeamMatchSelection> teamMatchSelection(const TeamFilterChoices &choices);

// Recomputes the standings of every team from the chosen matches, in one transaction: the counts, goals,
// differences and points are zeroed, the chosen played matches applied again, the positions renumbered.
// Team and the ratings TRH, TRA and TRT stay exactly as they were: applying a match moves the ratings, so
// they are taken before and written back after the replay, and filtering again never drifts them.  An
// invalid match type warns "Invalid option" before anything is zeroed.  Failures are told through the
// messenger and change nothing.  Returns whether the tables were recomputed.
bool ApplyTeamFilter(TDataMod &dm, const TeamFilterChoices &choices, Messenger &messenger);

// The positions for the position chooser: Pos of every player in stored order, each non-empty value once
// (letter case ignored, as the filter compares them).
QStringList playerPositions(TDataMod &dm);
