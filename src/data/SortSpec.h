#pragma once
// Client-side sort texts of the datasets: "HPts DESC, HDif DESC, HW DESC", "DateP ASC", "Team",
// or empty for the stored order.  The caller sorts row indices stably with compare(), so rows equal
// on every key keep their stored order.

#include "data/ColumnInfo.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

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
    // texts compare ignoring letter case, reals as numbers, dates as dates, pictures not at all.  Prices
    // kept as texts (isPriceColumn) compare as the numbers they are, after the texts that are no decimal
    // price ("-", "5/2"), so that 10.00 sorts above 9.50.
    int compare(const QVariant *a, const QVariant *b) const;

    // Each row's keys read once, for sorting many rows: the same order as compare(), without reading
    // the cells again for every comparison.  rows[i] is the row with index i; only the listed indices
    // are read.
    class Prepared
    {
    public:
        int compare(int a, int b) const;

    private:
        friend class SortSpec;
        struct Key {
            ColumnKind kind;
            bool descending;
            std::vector<char> present;
            bool price = false;         // a price column: number when present is 2, text when 1
            std::vector<double> number; // reals, dates as day keys, yes/no as 0/1, prices
            std::vector<QString> text;
        };
        std::vector<Key> m_keys;
    };
    Prepared prepare(const std::vector<const QVariant *> &rows, const std::vector<int> &indices) const;
    // The same over rows that are not arrays of values: cell(row, column) gives a cell of a row with
    // an index below rowCount.
    Prepared prepare(const std::function<QVariant(int row, int column)> &cell, size_t rowCount,
                     const std::vector<int> &indices) const;

private:
    QList<SortKey> m_keys;
    QList<ColumnKind> m_kinds; // of each key's column
    QList<bool> m_prices;      // whether each key's column holds prices as texts
};
