#pragma once
// The Table page's grid: the first row and column of a text grid as headings (first column 90 pixels
// wide, the others 70, rows 20 high), every other cell right-aligned in black on white.

#include "betting/TicketStatistics.h"

#include <QTableWidget>

class StatsGrid final : public QTableWidget
{
    Q_OBJECT
public:
    explicit StatsGrid(QWidget *parent = nullptr);
    void showGrid(const StatsTable &grid);
    // The grid as shown, headings included: for tests and printing.
    StatsTable shownGrid() const;
};
