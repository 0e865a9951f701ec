#include "betting/ui/StatsGrid.h"

#include <QHeaderView>

StatsGrid::StatsGrid(QWidget *parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("StringGridStats"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    verticalHeader()->setMinimumWidth(90);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultSectionSize(70);
    horizontalHeader()->setFixedHeight(20);
}

void StatsGrid::showGrid(const StatsTable &grid)
{
    clear();
    const int rows = static_cast<int>(grid.size()) - 1;
    const int columns = grid.isEmpty() ? 0 : static_cast<int>(grid[0].size()) - 1;
    setRowCount(std::max(rows, 0));
    setColumnCount(std::max(columns, 0));
    if (grid.isEmpty())
        return;
    setHorizontalHeaderLabels(grid[0].mid(1));
    QStringList headings;
    for (int r = 1; r <= rows; ++r) {
        headings << grid[r].value(0);
        for (int c = 1; c <= columns; ++c) {
            auto *item = new QTableWidgetItem(grid[r].value(c));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignTop);
            setItem(r - 1, c - 1, item);
        }
    }
    setVerticalHeaderLabels(headings);
}

StatsTable StatsGrid::shownGrid() const
{
    StatsTable grid;
    QStringList top{QString()};
    for (int c = 0; c < columnCount(); ++c)
        top << model()->headerData(c, Qt::Horizontal).toString();
    grid << top;
    for (int r = 0; r < rowCount(); ++r) {
        QStringList row{model()->headerData(r, Qt::Vertical).toString()};
        for (int c = 0; c < columnCount(); ++c)
            row << (item(r, c) ? item(r, c)->text() : QString());
        grid << row;
    }
    return grid;
}
