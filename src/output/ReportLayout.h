#pragma once
// What a printed report holds, apart from how it is painted: the banded reports (a title line, heading
// lines, one line per row), the drawn grid printouts and the printouts laid out box by box.

#include "output/ReportRows.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <variant>

struct ReportColumn {
    QString title;
    double width = 1; // relative to the other columns
    Qt::Alignment alignment = Qt::AlignLeft;
};

// A title over several columns in an extra heading line above the column titles.
struct ReportGroup {
    QString title;
    int first = 0, last = 0;
};

struct BandedReport {
    QString title;
    QList<ReportGroup> groups; // none: no group heading line
    QList<ReportColumn> columns;
    ReportRows rows;
    bool headingsOnEveryPage = false; // otherwise they follow the title line on the first page only
    bool landscape = false;
};

// A grid drawn cell by cell: cells[row][column], the headers in row 0 and column 0.
struct GridPrintout {
    QString title;
    QList<QStringList> cells;
    bool blackDiagonal = false; // the cross table: a team against itself
    int gridRowHeight = 20;     // the screen grid's row height, which spaces the printed rows
    int headerColumnShares = 1; // the width of column 0 in widths of the other columns
};

// A printout laid out box by box in 600-dpi units from the top-left corner of the printable area; the
// layout is made for the size of that area, so it breaks pages where the paper ends.
struct DrawnText {
    QRect box; // the text starts at its top-left corner and stays inside it
    QString text;
    int points = 7; // a text too wide for its box is drawn smaller
    bool bold = false;
    bool wrap = false; // it may also break into lines at its blanks, if that lets it stand larger
};

struct DrawnPage {
    QList<QRect> frames; // thin black frames
    QList<QRect> fills;  // black boxes
    QList<DrawnText> texts;
};

struct DrawnPrintout {
    QString title;
    bool landscape = false;
    std::function<QList<DrawnPage>(QSize printableArea)> layout;
};

// One print job: a banded report, a drawn grid or a printout laid out box by box.
using PrintJob = std::variant<BandedReport, GridPrintout, DrawnPrintout>;
