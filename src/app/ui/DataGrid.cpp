#include "app/ui/DataGrid.h"

#include <QHeaderView>
#include <QKeyEvent>

DataGrid::DataGrid(Dataset &dataset, QList<GridColumn> columns, QWidget *parent)
    : QTableView(parent), m_model(new DatasetModel(dataset, std::move(columns), this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setAlternatingRowColors(false); // the model paints the stripes
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(14); // the row indicator
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::titleClicked);
    connect(this, &QAbstractItemView::doubleClicked, this, [this] { Q_EMIT editRequested(); });
    connect(&dataset, &Dataset::currentChanged, this, &DataGrid::followDataset);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyWidths();
        followDataset();
    });
    applyWidths();
}

void DataGrid::setGridColumns(QList<GridColumn> columns)
{
    m_model->setColumns(std::move(columns));
}

QString DataGrid::fieldOf(int column) const
{
    const auto &cols = m_model->gridColumns();
    return column >= 0 && column < cols.size() ? cols[column].field : QString();
}

void DataGrid::applyWidths()
{
    const auto &cols = m_model->gridColumns();
    for (int i = 0; i < cols.size(); ++i)
        setColumnWidth(i, cols[i].width);
}

void DataGrid::followDataset()
{
    if (!m_model->hasDataset())
        return;
    Dataset &ds = dataset();
    if (m_syncing || !ds.isActive() || ds.isEmpty() || ds.controlsDisabled())
        return;
    m_syncing = true;
    const QModelIndex idx = m_model->index(ds.recNo() - 1, qMax(0, currentIndex().column()));
    setCurrentIndex(idx);
    m_syncing = false;
}

void DataGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (!m_model->hasDataset())
        return;
    Dataset &ds = dataset();
    if (m_syncing || !current.isValid() || !ds.isActive() || current.row() + 1 == ds.recNo())
        return;
    m_syncing = true;
    ds.setRecNo(current.row() + 1); // the grid's row is the dataset's current row
    m_syncing = false;
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        Q_EMIT insertPressed();
        return; // consumed
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        Q_EMIT editRequested();
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        Q_EMIT deleteRequested();
        return;
    }
    QTableView::keyPressEvent(event);
}
