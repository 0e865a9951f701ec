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
// order is "Ascending").  Nothing when the sort choice is not one of its entries.
std::optional<QString> teamSortText(const TeamSortChoice &choice, const QStringList &gridFields);

// Sorts Teams by the choice (when it gives a sort and Teams has rows, after storing any pending edit) and
// renumbers the positions in the resulting order, in one transaction.  Does nothing when no league is
// open.  DatabaseError when the file cannot be written.
void ApplyTeamSort(TDataMod &dm, const TeamSortChoice &choice, const QStringList &gridFields);

// A click on a column title: the order flips ("Descending" or nothing selected becomes "Ascending"), and the
// sort becomes the clicked title; "#" is no entry, so the sort is left with nothing selected.
TeamSortChoice afterTitleClick(const TeamSortChoice &choice, const QString &title);
