#include "data/ui/DataGrid.h"

#include "data/ui/DatasetViewLink.h"

#include <QHeaderView>

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
    connect(m_model, &QAbstractItemModel::modelReset, this, &DataGrid::applyWidths);
    auto *link = new DatasetViewLink(this, m_model);
    connect(link, &DatasetViewLink::insertPressed, this, &DataGrid::insertPressed);
    connect(link, &DatasetViewLink::editRequested, this, &DataGrid::editRequested);
    connect(link, &DatasetViewLink::deleteRequested, this, &DataGrid::deleteRequested);
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
