#pragma once
// The arbitrage finder's match list as a table: "Date", "Rnd", "Home Team", "Away Team", "1", "X", "2"
// and "Return (%)", striped rows, the return on green when positive and on red otherwise.  A click on a
// column title sorts the rows by that column (sortArbitrageRows); the current match stays current.

#include "betting/ArbitrageList.h"

#include <QAbstractTableModel>

class ArbitrageListModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    using Column = ArbitrageColumn;
    // The stored value of a cell (a price as its text), for whoever sorts or exports.
    static constexpr int RawValueRole = Qt::UserRole;

    explicit ArbitrageListModel(QObject *parent = nullptr);

    // New rows, shown in the order chosen last (by date until a title is clicked).
    void setRows(QList<ArbitrageRow> rows);
    const QList<ArbitrageRow> &rows() const { return m_rows; }
    // The place of a stored row in the list, or -1.
    int rowOf(qint64 rowid) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // A column below 0 goes back to the order by date.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void applySort();
    QList<ArbitrageRow> m_rows;
    QList<ArbitrageRow> m_byDate; // as read, for going back to it
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
