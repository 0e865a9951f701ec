#include "analysis/ui/JudgedCells.h"

#include "analysis/AnalysisGrids.h"
#include "analysis/PredictionColours.h"
#include "data/ui/DataGrid.h"

void paintJudgedCells(DataGrid *grid)
{
    const QStringList fields = gridFields(grid->datasetModel()->gridColumns());
    grid->datasetModel()->setCellColours([fields](const Dataset &ds, int row, int column) {
        CellColours c;
        c.text = Colours::Black;
        const QString &field = fields.value(column);
        c.background =
            isJudgedField(field) ? judgedCellBackground(field, matchColourRowAt(ds, row)) : Colours::White;
        return c;
    });
}
