#pragma once
// The team comparison chart's two point lists: for one or two teams of a league, a quantity match by
// match over the season (a rating, running counts, goals, running points or a win-minus-loss balance),
// each team over its home, its away or all its played matches.  The window and the command line only
// collect the choices and draw or print what comes back.

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <optional>

class Database;

enum class ComparisonVenue { Away, Home, Total };
enum class ComparisonView { Both, Team1, Team2 };
enum class ComparisonType { TeamRating, Wins, Draws, Losses, For, Against, Difference, Points, Performance };
enum class ComparisonStyle { Bar, Line, Point, Stair };

// The choosers' items in list order; each enum follows its list.
const QStringList &comparisonVenueItems(); // "Away", "Home", "Total"
const QStringList &comparisonViewItems();  // "Both", "Team 1", "Team 2"
const QStringList &comparisonTypeItems();  // "Team Rating", "Wins", ... "Performance"
const QStringList &comparisonStyleItems(); // "Bar", "Line", "Point", "Stair"

// A chooser's text as its item, letter case ignored as the choosers accept typing; nothing when the
// text is not one of the items.
std::optional<ComparisonVenue> comparisonVenueOf(const QString &text);
std::optional<ComparisonView> comparisonViewOf(const QString &text);
std::optional<ComparisonType> comparisonTypeOf(const QString &text);
std::optional<ComparisonStyle> comparisonStyleOf(const QString &text);

// "Points Chart" and "Points": the chart's title and its left axis title for a type.
QString comparisonChartTitle(ComparisonType type);
QString comparisonAxisTitle(ComparisonType type);

struct ComparisonChoices {
    QString team1, team2; // as typed; empty when not chosen
    ComparisonVenue venue1 = ComparisonVenue::Total;
    ComparisonVenue venue2 = ComparisonVenue::Total;
    ComparisonView view = ComparisonView::Both;
    ComparisonType type = ComparisonType::Points;
};

// x = 1, 2, 3 ... for the team's matches in date order, y the quantity after or at that match.
struct ComparisonSeries {
    QString title;
    QList<QPoint> points;
};

struct ComparisonChart {
    ComparisonSeries series1, series2;
};

// One team's points over its played matches at the venue, by date (one day's matches in stored order).
// The team is matched ignoring letter case, in the query and when telling its own score from the
// opponent's, so a name typed in another case gives the same series as the listed one.  A name that
// matches no played match gives no points.  A match decided in overtime counts by its score, at the
// league's overtime points.
QList<QPoint> comparisonPoints(Database &league, const QString &team, ComparisonVenue venue,
                               ComparisonType type);

// Both series for the choices: titled with the team texts ("Team 1" and "Team 2" when empty), filled as
// the view asks; a series the view leaves out stays empty.
ComparisonChart compareTeams(Database &league, const ComparisonChoices &choices);
