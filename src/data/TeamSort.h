#pragma once
// The order of the three team tables (home, away, overall): their grid columns, the sort and order
// choices of each table, the sort text those give, and what a click on a column title does to them.
// The three tables share the one Teams table, so its order is that of the table shown last.

#include "data/GridColumns.h"
#include "data/TeamTables.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class TDataMod;

// The columns of a team grid, left to right: "#", "Team", "Rtg", "P", "W", "D", "L", "F", "A", "Dif", "Pts".
const QList<GridColumn> &teamGridColumns(TeamTable table);
QStringList teamGridFields(TeamTable table);

// The entries of the sort choice ("Team" ... "Pts") and of the order choice ("Ascending", "Descending").
const QStringList &teamSortItems();
const QStringList &teamOrderItems();

// One table's two choices as their choosers' texts; an empty text is a chooser with nothing selected.
struct TeamSortChoice {
    QString order = QStringLiteral("Descending");
    QString sort = QStringLiteral("Pts");
    bool operator==(const TeamSortChoice &) const = default;
};

// The six choices of the three tables.  They live as long as the program runs and are never stored.
struct TeamSortChoices {
    TeamSortChoice home, away, overall;
    TeamSortChoice &operator[](TeamTable table);
    const TeamSortChoice &operator[](TeamTable table) const;
};

// The sort text a choice gives over a grid's field names (in column order): the chosen column, then the
// difference and the wins as further keys, all three in the order's direction (descending unless the
// order is "Ascending").  "#" sorts by the league position alone.  Nothing when the sort choice is neither
// "#" nor one of its entries.
std::optional<QString> teamSortText(const TeamSortChoice &choice, const QStringList &gridFields);

// Numbers Pos by the league order of the table whose grid has these fields (points, difference and wins,
// all descending; see TDataMod::RenumberPositions), then sorts Teams by the choice (when it gives a sort
// and Teams has rows, after storing any pending edit), in one transaction.  "#" thus always shows the
// league position, whichever column the rows are sorted by.  Does nothing when no league is open.
// DatabaseError when the file cannot be written.
void ApplyTeamSort(TDataMod &dm, const TeamSortChoice &choice, const QStringList &gridFields);

// A click on a column title.  On the column the rows are sorted by, the order reverses; on another column
// numbers start with the largest value (descending), the team names from A and "#" from the leader
// (ascending).  The sort becomes the clicked title.
TeamSortChoice afterTitleClick(const TeamSortChoice &choice, const QString &title);
