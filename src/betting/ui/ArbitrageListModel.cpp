#include "betting/ui/ArbitrageListModel.h"

#include "data/CellText.h"
#include "data/ui/ThemeColours.h"

#include <QApplication>
#include <QBrush>
#include <QPalette>

namespace
{
const char *const kTitles[] = {"Date", "Rnd", "Home Team", "Away Team", "1", "X", "2", "Return (%)"};
static_assert(std::size(kTitles) == size_t(ArbitrageColumn::Count));

ArbitrageColumn columnAt(int column)
{
    return static_cast<ArbitrageColumn>(column);
}

QVariant storedValue(const ArbitrageRow &r, ArbitrageColumn column)
{
    switch (column) {
    case ArbitrageColumn::Date:
        return r.DateP;
    case ArbitrageColumn::Round:
        return r.Rnd;
    case ArbitrageColumn::Home:
        return r.input.homeTeam;
    case ArbitrageColumn::Away:
        return r.input.awayTeam;
    case ArbitrageColumn::HomeOdds:
        return r.input.odds[0];
    case ArbitrageColumn::DrawOdds:
        return r.input.odds[1];
    case ArbitrageColumn::AwayOdds:
        return r.input.odds[2];
    case ArbitrageColumn::Return:
    case ArbitrageColumn::Count:
        break;
    }
    return r.Retrn;
}

QString cellText(const ArbitrageRow &r, ArbitrageColumn column)
{
    switch (column) {
    case ArbitrageColumn::Date:
        return displayText(r.DateP, ColumnKind::Date);
    case ArbitrageColumn::Round:
    case ArbitrageColumn::Return:
        return displayText(storedValue(r, column), ColumnKind::Real);
    default:
        return storedValue(r, column).toString();
    }
}

// Numbers to the right, dates, teams and prices centred.
Qt::Alignment alignmentOf(ArbitrageColumn column)
{
    return column == ArbitrageColumn::Round || column == ArbitrageColumn::Return
               ? Qt::AlignRight | Qt::AlignVCenter
               : Qt::AlignCenter;
}
} // namespace

ArbitrageListModel::ArbitrageListModel(QObject *parent) : QAbstractTableModel(parent) {}

void ArbitrageListModel::setRows(QList<ArbitrageRow> rows)
{
    beginResetModel();
    m_byDate = std::move(rows);
    applySort();
    endResetModel();
}

int ArbitrageListModel::rowOf(qint64 rowid) const
{
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].rowid == rowid)
            return int(i);
    return -1;
}

int ArbitrageListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ArbitrageListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(ArbitrageColumn::Count);
}

QVariant ArbitrageListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const ArbitrageRow &r = m_rows[index.row()];
    const ArbitrageColumn column = columnAt(index.column());
    const bool isReturn = column == ArbitrageColumn::Return;
    switch (role) {
    case Qt::DisplayRole:
        return cellText(r, column);
    case RawValueRole:
        return storedValue(r, column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignmentOf(column));
    case Qt::BackgroundRole: {
        const QPalette palette = QApplication::palette();
        return QBrush(isReturn ? groundColour(returnColour(r.Retrn.toDouble()), palette)
                               : stripedRowGround(index.row(), palette));
    }
    case Qt::ForegroundRole: {
        const QPalette palette = QApplication::palette();
        return QBrush(isReturn ? textColour(returnColour(r.Retrn.toDouble()), Colours::Black, palette)
                               : palette.color(QPalette::Text));
    }
    default:
        return QVariant();
    }
}

QVariant ArbitrageListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= int(ArbitrageColumn::Count))
        return QVariant();
    return QString::fromLatin1(kTitles[section]);
}

void ArbitrageListModel::sort(int column, Qt::SortOrder order)
{
    m_sortColumn = column >= 0 && column < int(ArbitrageColumn::Count) ? column : -1;
    m_sortOrder = order;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The current match and the selection stay on their matches.
    const QModelIndexList before = persistentIndexList();
    QList<qint64> rowids;
    for (const QModelIndex &i : before)
        rowids << m_rows.value(i.row()).rowid;
    applySort();
    QModelIndexList after;
    for (qsizetype k = 0; k < before.size(); ++k)
        after << index(rowOf(rowids[k]), before[k].column());
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// Always from the order by date, so that equal values stay in date order whatever was sorted before.
void ArbitrageListModel::applySort()
{
    m_rows = m_byDate;
    if (m_sortColumn >= 0)
        sortArbitrageRows(m_rows, columnAt(m_sortColumn), m_sortOrder);
}
