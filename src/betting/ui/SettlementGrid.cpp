#include "betting/ui/SettlementGrid.h"

#include "betting/TicketGrids.h"

DataGrid *settlementGrid(Dataset &dataset, const QList<GridColumn> &columns, const QString &name,
                         QWidget *parent)
{
    auto *grid = new DataGrid(dataset, columns, parent);
    grid->setObjectName(name);
    grid->datasetModel()->setCellColours([columns](const Dataset &ds, int row, int column) {
        CellColours c;
        if (column < 0 || column >= columns.size() || !isSettlementField(columns[column].field))
            return c;
        c.background = settlementColour(ds.valueAt(row, ds.fieldIndex(columns[column].field)).toString());
        c.text = Colours::Black;
        return c;
    });
    return grid;
}
