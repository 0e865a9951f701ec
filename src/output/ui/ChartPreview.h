#pragma once
// The print preview of a chart window: the chart on a landscape page of the shared printer, printed
// from the preview.

class QWidget;

void PreviewChart(QWidget *chart, QWidget *parent);
