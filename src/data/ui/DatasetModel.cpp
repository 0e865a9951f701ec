#include "data/ui/DatasetModel.h"

#include "data/CellText.h"
#include "data/ui/ThemeColours.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QPalette>

DatasetModel::DatasetModel(Dataset &dataset, QList<GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), m_ds(&dataset), m_columns(std::move(columns))
{
    // The model is reset around every change of the rows, so a view never reads a row that moved.
    connect(&dataset, &Dataset::layoutAboutToChange, this, &DatasetModel::beginReset);
    connect(&dataset, &Dataset::layoutChanged, this, &DatasetModel::endReset);
    connect(&dataset, &QObject::destroyed, this, [this] {
        beginReset();
        endReset();
    });
    connect(&dataset, &Dataset::rowChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount())
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    resolveFields();
}

void DatasetModel::setColumns(QList<GridColumn> columns)
{
    beginReset();
    m_columns = std::move(columns);
    endReset();
}

void DatasetModel::beginReset()
{
    if (m_resetting)
        return;
    m_resetting = true;
    beginResetModel();
}

void DatasetModel::endReset()
{
    beginReset(); // a change the model was not told of in advance still resets it whole
    resolveFields();
    m_resetting = false;
    endResetModel();
}

void DatasetModel::resolveFields()
{
    m_fieldIndex.clear();
    if (m_ds && m_ds->isActive())
        for (const GridColumn &c : m_columns)
            m_fieldIndex << columnIndex(m_ds->columns(), c.field);
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_ds || !m_ds->isActive() || m_fieldIndex.isEmpty())
        return 0;
    return m_ds->recordCount();
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

int DatasetModel::fieldIndex(int column) const
{
    return column >= 0 && column < m_fieldIndex.size() ? m_fieldIndex[column] : -1;
}

QString DatasetModel::cellText(int row, int column) const
{
    const int f = fieldIndex(column);
    // While a change of the rows is under way the view may still ask for what it showed before.
    if (f < 0 || f >= m_ds->columnCount() || row < 0 || row >= rowCount())
        return QString();
    return ::cellText(m_ds->valueAt(row, f), m_ds->columns()[f]);
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[index.column()].alignment);
    case Qt::BackgroundRole: {
        const QPalette palette = QApplication::palette();
        if (m_colours) {
            const CellColours c = m_colours(*m_ds, index.row(), index.column());
            if (c.background)
                return QBrush(groundColour(*c.background, palette));
        }
        return QBrush(stripedRowGround(index.row(), palette));
    }
    case Qt::ForegroundRole: {
        const QPalette palette = QApplication::palette();
        if (m_colours) {
            const CellColours c = m_colours(*m_ds, index.row(), index.column());
            if (c.background)
                return QBrush(textColour(*c.background, c.text.value_or(Colours::Black), palette));
            if (c.text)
                return QBrush(plainColour(*c.text));
        }
        return palette.text();
    }
    default:
        return QVariant();
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns.size()
                   ? (m_columns[section].title.isEmpty() ? m_columns[section].field
                                                         : m_columns[section].title)
                   : QVariant();
    return QVariant();
}
