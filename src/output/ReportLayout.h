#pragma once
// What a printed report holds, apart from how it is painted: the banded reports (a title line, heading
// lines, one line per row) and the two drawn grid printouts.

#include <QList>
#include <QString>
#include <QStringList>

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
    QList<QStringList> rows;
    bool headingsOnEveryPage = false; // otherwise they follow the title line on the first page only
    bool landscape = false;
};

// A grid drawn cell by cell: cells[row][column], the headers in row 0 and column 0.
struct GridPrintout {
    QString title;
    QList<QStringList> cells;
    bool blackDiagonal = false; // the cross table: a team against itself
    int gridRowHeight = 20;     // the screen grid's row height, which spaces the printed rows
};
