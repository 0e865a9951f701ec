#pragma once
// A banded report filled from a dataset as a grid shows it: the rows its filter lets through, in its
// current order, each column a field of the row, a fixed text or the line number.

#include "output/ReportLayout.h"

#include <QList>

class Dataset;

// A column of a report: its heading, the field it prints, its width and alignment.
struct ReportField {
    const char *title;
    const char *field; // "" prints `fixed`; nullptr prints the line number
    double width;
    Qt::Alignment alignment;
    const char *fixed = nullptr;
};

QList<ReportColumn> reportColumnsOf(const QList<ReportField> &fields);
// One line of texts per row of the dataset's current order; none when it is closed.
ReportRows reportRowsOf(const Dataset &ds, const QList<ReportField> &fields);
BandedReport reportOf(const Dataset &ds, const QString &title, const QList<ReportField> &fields);
