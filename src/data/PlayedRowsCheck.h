#pragma once
// Whether the played matches of a league add up.  A played row (Result other than ":") must hold a score,
// home score ":" away score with " OT" after it for overtime, whose two numbers are its F and A; its two
// teams must differ (letter case ignored, as every team lookup does); and every column that predictions,
// back-tests and the prediction history read as a whole number must read as one.  A row that breaks any
// of this would make those figures disagree with each other (the back-test reads F and A, the exact
// score reads Result), so they refuse the league until it is mended; the desktop program opens it and
// says which rows to mend.

#include <QList>
#include <QString>

class Database;

// One row at fault: the first thing wrong with it.
struct PlayedRowProblem {
    QString id;     // the row's ID as the grid shows it
    QString column; // the column at fault
    QString value;  // its value as stored
    QString reason; // what is wrong, after the value
    // "Results row ID 12, column Result: '2:0' does not agree with F 0 and A 5"
    QString text() const;
};

struct PlayedRowsReport {
    static constexpr int kShown = 5;
    QList<PlayedRowProblem> shown; // the first kShown rows at fault, in stored order
    int faulty = 0;                // every row at fault
    int rows = 0;                  // every row checked: when none is at fault, the played matches
    bool consistent() const { return faulty == 0; }
};

// One pass over the played rows of Results; none when the connection checked them before and the file
// has not changed since.
PlayedRowsReport checkPlayedRows(Database &league);

// The rows at fault, a few of them then "and N more", and what is refused until they are mended.
QString playedRowsMessage(const PlayedRowsReport &report);

// QuorvaneError with playedRowsMessage when the played rows do not add up.  Called by every reading of
// the played matches that a figure is computed from.
void requireConsistentPlayedRows(Database &league);
