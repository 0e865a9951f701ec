#pragma once
// A data-bound grid: shows a dataset through a DatasetModel, linked to the dataset's current row (see
// DatasetViewLink), selects whole rows, never edits in place, and reports the keys, clicks and title
// clicks that the commands of the windows listen to.

#include "data/ui/DatasetModel.h"

#include <QFont>
#include <QHash>
#include <QTableView>

class DataGrid : public QTableView
{
    Q_OBJECT
public:
    DataGrid(Dataset &dataset, QList<GridColumn> columns, QWidget *parent = nullptr);

    DatasetModel *datasetModel() const { return m_model; }
    Dataset &dataset() const { return m_model->dataset(); }
    void setGridColumns(QList<GridColumn> columns);
    // The field shown by a grid column.
    QString fieldOf(int column) const;
    // From now on the widths the user gives the columns are kept under this name when the grid goes, and
    // a grid of the same name starts with them.
    void rememberColumnWidths(const QString &grid);
    ~DataGrid() override;

Q_SIGNALS:
    void titleClicked(int column);
    void insertPressed();
    void editRequested();   // Enter or a double click
    void deleteRequested(); // Ctrl+Delete

private:
    void applyWidths();
    int textWidth(const QFontMetrics &metrics, const QString &text);
    void showSortIndicator();
    DatasetModel *m_model;
    QString m_widthsKey;
    QHash<QString, int> m_chosenWidths; // by field: remembered, or set by the user since
    bool m_applyingWidths = false;
    QHash<QString, int> m_textWidths; // in m_measuredFont
    QFont m_measuredFont;
    qreal m_measuredDpi = 0;
};
