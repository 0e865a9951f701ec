#pragma once
// A table model over a dataset: one row per row of its current order, the columns a grid names.  The
// model follows the dataset's change notifications; it holds no copy of the data.

#include "data/Colours.h"
#include "data/Dataset.h"
#include "data/GridColumns.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <functional>
#include <optional>

// A cell's colours decided from the row: background and, when set, text colour.
struct CellColours {
    std::optional<Rgb> background;
    std::optional<Rgb> text;
};
using CellColourFn = std::function<CellColours(const Dataset &dataset, int row, int column)>;

class DatasetModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    DatasetModel(Dataset &dataset, QList<GridColumn> columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    Dataset &dataset() const { return *m_ds; }
    bool hasDataset() const { return !m_ds.isNull(); }
    const QList<GridColumn> &gridColumns() const { return m_columns; }
    void setColumns(QList<GridColumn> columns);
    // Colours beyond the striped rows (odd rows white, even rows button face, black text).
    void setCellColours(CellColourFn fn) { m_colours = std::move(fn); }
    // The text a cell shows: reals in general number format, dates as short dates, prices with two decimals.
    QString cellText(int row, int column) const;
    // The value of a grid column by field name at a row; for colour functions.
    int fieldIndex(int column) const;

private:
    void beginReset();
    void endReset();
    void resolveFields();
    bool m_resetting = false;
    QPointer<Dataset> m_ds; // the data module may go first when the program ends
    QList<GridColumn> m_columns;
    QList<int> m_fieldIndex; // resolved when the dataset is active
    CellColourFn m_colours;
};
