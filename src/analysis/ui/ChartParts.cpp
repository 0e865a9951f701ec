#include "analysis/ui/ChartParts.h"

#include <QAbstractAxis>
#include <QChart>

void clearChart(QChart &chart)
{
    chart.removeAllSeries(); // deletes them
    for (QAbstractAxis *axis : chart.axes()) {
        chart.removeAxis(axis); // the chart gives the axis back: it is ours to delete
        delete axis;
    }
}
