#pragma once
// Client-side filter texts of the datasets: "Result = ':' AND DateP >= 1/1/2004",
// "(Home = 'O''Neill Town' AND Result <> ':') OR (Away = 'O''Neill Town' AND Result <> ':')".
//
// Grammar: comparisons `Field op Value` with op one of = <> < > <= >=, joined by AND / OR (AND binds
// tighter), with parentheses.  Values are numbers ("." or the locale's decimal separator), texts in
// single quotes (a doubled quote inside is one quote), dates written m/d/yyyy or in the locale's short
// date format (unquoted, up to the next AND / OR or ")", or quoted), and 0 / 1 for yes/no columns.
// A comparison with a NULL field is false, whatever the operator.

#include "data/ColumnInfo.h"

#include <QLocale>
#include <QString>
#include <QVariant>
#include <memory>

// A row's cell read as the value of its column's kind.  Each returns false for NULL and for a value
// that does not read as that kind; filters and sorts treat both alike.
namespace CellValue
{
bool isNull(const QVariant &v);
bool toReal(const QVariant &v, double *value);
bool toDateKey(const QVariant &v, int *key); // yyyymmdd as one number: ordered like the dates
bool toBit(const QVariant &v, bool *value);
// A view of the text without copying it when the cell holds a QString; other values are converted
// into *storage, which must outlive the view.
QStringView toText(const QVariant &v, QString *storage);
} // namespace CellValue

class FilterExpression
{
public:
    FilterExpression(); // empty: matches every row

    // Columns are resolved to indices and values to the columns' kinds here, once.  DatabaseError
    // naming the whole text when it does not parse, names an unknown column, or compares a value
    // that does not fit its column.  An empty or blank text gives the empty filter.
    static FilterExpression parse(const QString &text, const ColumnList &columns,
                                  const QLocale &locale = QLocale());

    bool isEmpty() const;
    bool matches(const QVariant *row) const; // row[i] is the value of columns[i]
    // Whether the filter looks at the column: a write to any other column cannot change a row's match.
    bool usesColumn(int column) const;

    struct Program;

private:
    std::shared_ptr<const Program> m_program; // shared: a parsed filter never changes
};
