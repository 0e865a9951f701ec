#pragma once
// The colours of a judged prediction in the grids that show played matches beside their predictions
// (the main window's scores, the analyzer's matches, the prediction history's source rows): the
// predicted outcome's percentage and the verdict green when it came true and red when not, the
// under/over call the same way, and the odds of the outcome that happened cyan.  A match decided in
// overtime is a draw.

#include "data/Colours.h"
#include "data/MatchOutcome.h"

#include <QString>
#include <optional>

class Dataset;

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
// The row at a place of the dataset's current order; a column the dataset lacks reads as empty.
MatchColourRow matchColourRowAt(const Dataset &results, int viewRow);

// The outcome a verdict bets on; nothing for "?" and any other text.
std::optional<MatchOutcome> verdictOutcome(const QString &verdict);
// The outcome the percentage fields "HP", "DP", "AP" stand for.
std::optional<MatchOutcome> percentColumnOutcome(const QString &field);

// The background of a cell by its field; nothing where the rules give no colour.
std::optional<Rgb> scoreCellColour(const QString &field, const MatchColourRow &row);
// The same on a white ground: the analyzer's and the prediction history's grids start every cell black
// on white, not on the striped rows.
inline Rgb judgedCellBackground(const QString &field, const MatchColourRow &row)
{
    return scoreCellColour(field, row).value_or(Colours::White);
}
