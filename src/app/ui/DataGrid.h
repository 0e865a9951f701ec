#pragma once
// A data-bound grid: shows a dataset through a DatasetModel, keeps the dataset's current row and the
// grid's selection together, selects whole rows, never edits in place, and reports the keys and
// clicks that the commands of the windows listen to.

#include "app/ui/DatasetModel.h"

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

Q_SIGNALS:
    void titleClicked(int column);
    void insertPressed();
    void editRequested(); // Enter or a double click
    void deleteRequested(); // Ctrl+Delete

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void followDataset();
    void applyWidths();
    DatasetModel *m_model;
    bool m_syncing = false;
};
