#pragma once
// Client-side sort texts of the datasets: "HPts DESC, HDif DESC, HW DESC", "DateP ASC", "Team",
// or empty for the stored order.  The caller sorts row indices stably with compare(), so rows equal
// on every key keep their stored order.

#include "data/ColumnInfo.h"

#include <QList>
#include <QString>
#include <QVariant>

struct SortKey {
    int column;
    bool descending;
};

class SortSpec
{
public:
    // Keys separated by commas, each a column name (or [name]) with an optional ASC or DESC.
    // DatabaseError naming the whole text for an unknown column or bad syntax.
    static SortSpec parse(const QString &text, const ColumnList &columns);

    bool isEmpty() const;
    const QList<SortKey> &keys() const;

    // <0, 0 or >0 comparing two rows on the keys only.  Ascending, NULL comes before every value;
    // texts compare ignoring letter case, reals as numbers, dates as dates, pictures not at all.
    int compare(const QVariant *a, const QVariant *b) const;

private:
    QList<SortKey> m_keys;
    QList<ColumnKind> m_kinds; // of each key's column
};
