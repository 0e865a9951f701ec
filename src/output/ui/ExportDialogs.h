#pragma once
// The export commands the windows call: a data-bound grid or a grid of texts to a document or the
// clipboard, a chart to a picture.

#include "data/GridColumns.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class Dataset;
class ExportSource;
class QWidget;

// The save dialog: title, filter list and preselected entry; gives the chosen path and filter entry, or an
// empty path when cancelled.  Tests replace it.
struct ChosenFile {
    QString path;
    QString filter;
};
using ExportFileChooser = std::function<ChosenFile(QWidget *parent, const QString &title,
                                                   const QString &filters, const QString &selected)>;
void setExportFileChooser(ExportFileChooser chooser);
// Asks the chooser above (the save dialog unless a test replaced it).
ChosenFile chooseSaveFile(QWidget *parent, const QString &title, const QString &filters,
                          const QString &selected);

// The rows the dataset's filter lets through, in its order, with the grid's columns.
void ExportGrid(const Dataset &dataset, const QList<GridColumn> &columns, const QString &title,
                QWidget *parent);
// A grid of texts, the titles in its first row (cross and streak tables).
void ExportStringGrid(const QList<QStringList> &cells, const QString &title, QWidget *parent);
// Saves a widget's picture (a chart) as BMP, EMF, WMF, PNG, SVG or PDF.
void ExportChart(QWidget *chart, QWidget *parent);
