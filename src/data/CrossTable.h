#pragma once
// The cross table: every home team against every away team with the scores of their played matches,
// and the hint of each cell listing the matches of the pair.  Also the text grid and the match list that
// the cross and streak tables share, and the readers that fill them from the league file.

#include "data/Colours.h"
#include "data/TeamNames.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class TDataMod;

// A grid of texts with one fixed row and one fixed column, addressed (column, row) with the headers in
// column 0 and row 0, as the two tables show it.  Every cell has a text and a hint; both start empty.
class TextGrid
{
public:
    TextGrid(int columns, int rows);
    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }
    QString text(int column, int row) const;
    void setText(int column, int row, const QString &text);
    QString hint(int column, int row) const;
    void setHint(int column, int row, const QString &hint);
    // Every text, row by row, the headings in row 0: as printing and export take a table.
    QList<QStringList> cells() const;

private:
    int index(int column, int row) const;
    int m_columns, m_rows;
    std::vector<QString> m_texts, m_hints;
};

// A match as the two tables read it: the teams and scores, the result text as stored, the date and round
// as text (the date in the locale's short format).
struct GridMatch {
    QString home, away, result;
    double F = 0, A = 0;
    QString date, round;
};

enum class GridMatches {
    PlayedStored, // played matches (isPlayed) in the table's stored order
    PlayedByDate, // played matches oldest first; one day's matches in stored order
    AllStored     // every match, played or not, in stored order
};
// The matches of Results through the data module's shared query.
std::vector<GridMatch> readGridMatches(TDataMod &dm, GridMatches which);

// n teams give n + 1 columns and rows, at least 2 x 2; the names in row 0 and column 0.  Cell (j, i) holds
// the scores of the played matches with team i at home and team j away, each followed by two blanks, the
// match read last first; a match enters the last row and column whose names equal its teams exactly.
// Its hint lists every match of that pair from `allMatches`, the last read first:
// "Score: 2:1" CR "Date: 9/17/2005" CR "Round: 6" CR CR, then the hint so far.  Headers have no hint.
TextGrid BuildCrossTable(const QStringList &teams, const std::vector<GridMatch> &playedMatches,
                         const std::vector<GridMatch> &allMatches);

// A cross-table hint cut to the matches that fit in `maxLines` lines (each takes four: score, date, round
// and a blank), at least one, ending with "… and N more" when matches were left out.
QString hintWithin(const QString &hint, int maxLines);

// How a cell of the two grids is painted.  No background means the system's button face, which the
// header cells and the empty cells of the cross table show.
struct GridCellLook {
    std::optional<Rgb> background;
    Rgb text = Colours::Black;
    bool operator==(const GridCellLook &) const = default;
};

// A header cell: navy with white text when it names the row or the column of the selected cell.
GridCellLook headerCellLook(int column, int row, int selectedColumn, int selectedRow);

// Headers as above; the diagonal black; a cell with text white, an empty one button face.
GridCellLook crossTableCellLook(const TextGrid &grid, int column, int row, int selectedColumn = -1,
                                int selectedRow = -1);
