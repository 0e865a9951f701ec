#pragma once
// The ticket and bet grids: data-bound, whole rows selected, no editing, the settlement cell painted
// by its value.

#include "data/ui/DataGrid.h"

// A grid of the columns over the dataset, named name, whose "Status" or "Result" cell shows its colour.
DataGrid *settlementGrid(Dataset &dataset, const QList<GridColumn> &columns, const QString &name,
                         QWidget *parent);
