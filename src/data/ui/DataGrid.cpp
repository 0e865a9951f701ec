#include "data/ui/DataGrid.h"

#include "data/ui/DatasetViewLink.h"

#include "data/ProgramSettings.h"
#include "data/SortSpec.h"

#include <QHeaderView>
#include <QScopedValueRollback>
#include <QStyle>
#include <algorithm>

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
    horizontalHeader()->setSortIndicatorShown(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::titleClicked);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (!m_applyingWidths && !m_widthsKey.isEmpty() && width > 0)
            m_chosenWidths.insert(fieldOf(column), width);
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyWidths();
        showSortIndicator();
    });
    auto *link = new DatasetViewLink(this, m_model);
    connect(link, &DatasetViewLink::insertPressed, this, &DataGrid::insertPressed);
    connect(link, &DatasetViewLink::editRequested, this, &DataGrid::editRequested);
    connect(link, &DatasetViewLink::deleteRequested, this, &DataGrid::deleteRequested);
    applyWidths();
}

DataGrid::~DataGrid()
{
    if (!m_widthsKey.isEmpty() && !m_chosenWidths.isEmpty())
        ProgramSettings::storeColumnWidths(m_widthsKey, m_chosenWidths);
}

void DataGrid::rememberColumnWidths(const QString &grid)
{
    m_widthsKey = grid;
    m_chosenWidths = ProgramSettings::columnWidths(grid);
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

namespace
{
// The rows whose texts decide a column's width: all of a short table, a spread sample of a long one.
QList<int> sampleRows(int count)
{
    constexpr int Sample = 200;
    QList<int> rows;
    if (count <= Sample) {
        for (int r = 0; r < count; ++r)
            rows << r;
        return rows;
    }
    for (int i = 0; i < Sample; ++i)
        rows << static_cast<int>(static_cast<qint64>(i) * (count - 1) / (Sample - 1));
    return rows;
}
} // namespace

// Measured once per text and font: the same names, prices and verdicts come back in every sample.
int DataGrid::textWidth(const QFontMetrics &metrics, const QString &text)
{
    if (metrics.fontDpi() != m_measuredDpi || font() != m_measuredFont) {
        m_textWidths.clear();
        m_measuredFont = font();
        m_measuredDpi = metrics.fontDpi();
    }
    if (m_textWidths.size() > 20000)
        m_textWidths.clear();
    auto it = m_textWidths.constFind(text);
    if (it == m_textWidths.cend())
        it = m_textWidths.insert(text, metrics.horizontalAdvance(text));
    return *it;
}

// Each column is as wide as the user made it, otherwise as wide as it is described, and wider where its
// title or its texts need it, measured with the grid's own fonts.
void DataGrid::applyWidths()
{
    const QScopedValueRollback applying(m_applyingWidths, true);
    const auto &cols = m_model->gridColumns();
    const QFontMetrics cellFont = fontMetrics();
    const QFontMetrics titleFont = horizontalHeader()->fontMetrics();
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    // Room for the sort arrow beside the title.
    const int arrow = style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, this) + 8;
    const QList<int> rows = sampleRows(m_model->rowCount());
    for (int c = 0; c < cols.size(); ++c) {
        if (const auto chosen = m_chosenWidths.constFind(cols[c].field); chosen != m_chosenWidths.cend()) {
            setColumnWidth(c, *chosen);
            continue;
        }
        int width = std::max(cols[c].width, titleFont.horizontalAdvance(cols[c].title) + padding + arrow);
        for (int r : rows)
            width = std::max(width, textWidth(cellFont, m_model->cellText(r, c)) + padding);
        setColumnWidth(c, width);
    }
}

// The arrow on the title of the first column of the dataset's sort, pointing its way.
void DataGrid::showSortIndicator()
{
    QHeaderView *header = horizontalHeader();
    if (!m_model->hasDataset() || !dataset().isActive() || dataset().sort().isEmpty()) {
        header->setSortIndicator(-1, Qt::AscendingOrder);
        return;
    }
    const Dataset &ds = dataset();
    const SortSpec spec = SortSpec::parse(ds.sort(), ds.columns());
    if (spec.keys().isEmpty())
        return;
    const SortKey &first = spec.keys().first();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        if (m_model->fieldIndex(c) == first.column) {
            header->setSortIndicator(c, first.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
            return;
        }
    }
    header->setSortIndicator(-1, Qt::AscendingOrder);
}
