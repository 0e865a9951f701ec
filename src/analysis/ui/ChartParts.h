#pragma once
// What the analysis windows' charts share.

class QChart;

// Takes every series and axis off a chart, deleting them, before it is drawn anew.
void clearChart(QChart &chart);
