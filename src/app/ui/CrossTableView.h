#pragma once
// The "Cross Table" tab's grid, and the text grid view it shares with the streak table: a read-only grid
// rebuilt from the league file each time it is shown, its fixed row and column as the grid's headers,
// each cell's hint as its tooltip, and the headers of the selected cell highlighted.

#include "data/CrossTable.h"

#include <QTableWidget>

class TDataMod;

class TextGridView : public QTableWidget
{
    Q_OBJECT
public:
    // What is shown, headers included (column 0 and row 0), for export and printing.
    const TextGrid &grid() const { return m_grid; }

public Q_SLOTS:
    // Rebuilds the grid from the league file; nothing when no league is open.  A failing query is told
    // with the engine's message and leaves the grid as it was.
    void refresh();

protected:
    TextGridView(TDataMod &dm, int headerColumnWidth, int columnWidth, QWidget *parent);
    virtual TextGrid build(TDataMod &dm) const = 0;
    virtual GridCellLook look(int column, int row, int selectedColumn, int selectedRow) const = 0;
    // After the grid was filled anew: where it opens.
    virtual void filled() {}
    void showEvent(QShowEvent *event) override;

private:
    void fill();
    void highlightHeaders(int selectedColumn, int selectedRow);
    void fitHeadings();
    TDataMod &m_dm;
    const int m_headerColumnWidth;
    const int m_columnWidth;
    TextGrid m_grid{2, 2};
};

class CrossTableView final : public TextGridView
{
    Q_OBJECT
public:
    // The grid is named StringGrid.
    explicit CrossTableView(TDataMod &dm, QWidget *parent = nullptr);

protected:
    TextGrid build(TDataMod &dm) const override;
    GridCellLook look(int column, int row, int selectedColumn, int selectedRow) const override;
};
