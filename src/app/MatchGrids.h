#pragma once
// The two match grids of the main window, fixtures and scores, both over the shared Results table: their
// columns, what each display mode shows, the colours of their cells as functions of the row, the
// title-click sort, and the match commands that need no dialog (delete, switch teams).

#include "data/Colours.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Dataset;
class Messenger;
class TDataMod;
class Table;

enum class MatchPage { Fixtures, Scores };

// A column of a match grid: numbers are right-aligned, dates, teams, texts and odds centred.
struct MatchGridColumn {
    QString title;
    QString field;
    int width = 35;
    bool number = false;
};

// The columns of a page's grid, left to right ("Date", "Rnd", ... "Return (%)"; the scores grid also has
// "Match" and "Score").
const QList<MatchGridColumn> &matchGridColumns(MatchPage page);

// The display modes of a page in their chooser's order: "All", "Fixtures" (or "Scores"), "Odds", "Predictions".
const QStringList &matchModeItems(MatchPage page);

// Which grid columns a mode shows, one flag per column; nothing when the text is not one of the modes
// (letter case ignored, as the chooser accepts typing).
std::optional<QList<bool>> matchColumnsShown(MatchPage page, const QString &modeText);

// The values of a Results row that decide the colours of its cells.
struct MatchColourRow {
    QString result;  // "2:1", "3:2 OT", ":"
    int F = 0;       // home score
    int A = 0;       // away score
    QString verdict; // "1", "X", "2" or "?"
    QString uop;     // an "Over 2.5" / "Under 2.5" call, or only the line
    double uov = 0;  // the line
    double retrn = 0;
};
// The row at a place of the dataset's current order.
MatchColourRow matchColourRowAt(const Dataset &results, int viewRow);

// The background of a grid cell, by the cell's field, painted over the striped rows; nothing keeps the
// stripe.  Fixtures: the predicted outcome's percentage and a positive return green.  Scores: the predicted
// outcome's percentage and the verdict green when it came true and red when not, the under/over call the
// same way, and the odds of the outcome that happened cyan (a match decided in overtime is a draw).
std::optional<Rgb> fixtureCellColour(const QString &field, const MatchColourRow &row);
std::optional<Rgb> scoreCellColour(const QString &field, const MatchColourRow &row);
std::optional<Rgb> matchCellColour(MatchPage page, const QString &field, const MatchColourRow &row);

// The sort text after a click on a column title: the field descending, unless the current sort is
// descending, then the field alone.  The direction flips on every click, whichever column was sorted.
QString toggledSortText(const QString &currentSort, const QString &field);
// The title-click sort of the match and player grids: when the table has rows, stores any pending edit and
// sorts by toggledSortText.  Busy cursor meanwhile.
void ToggleColumnSort(const QString &field, Table &table);

// When the table has rows, asks "Do you really want to delete this record?" (caption "Delete", Yes and No);
// on Yes deletes the current row, with the table's own delete events.  Returns whether a row was deleted.
// A failure is told through the messenger with the engine's message and leaves everything as it was.
bool ConfirmDeleteRow(Table &table, Messenger &messenger);

// Exchanges the sides of the current Results row: the teams, the scores (the result text written anew,
// keeping " OT"), the odds and their bookmakers; the predictions stay.  A played match is first taken out
// of the standings under its old sides, its rating snapshot taken again from the new sides, and it is
// applied under the new sides, so the standings are those of entering the switched match afresh.  One
// transaction; a failure is told through the messenger and changes nothing.  Returns whether a row was
// switched (false too when Results has no rows).
bool SwitchTeams(TDataMod &dm, Messenger &messenger);
