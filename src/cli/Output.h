#pragma once
// Rows of a table of the league file written as aligned text, CSV or JSON.

#include "data/ColumnInfo.h"

#include <QByteArray>
#include <QList>
#include <QVariant>
#include <functional>
#include <optional>

class Database;
class Dataset;

enum class OutputFormat { Text, Csv, Json };
// "text", "csv" or "json"; nothing for any other name.
std::optional<OutputFormat> outputFormatOf(const QString &name);

// Columns and values as the file holds them (see ColumnInfo.h); pictures are left out.
struct Grid {
    ColumnList columns;
    QList<QVariantList> rows;
};

// The rows of the dataset in its current order, every column but the pictures.
Grid gridOf(const Dataset &dataset);

// Rows that can be walked more than once, one at a time: the aligned text takes its widths in a first
// walk, so nothing needs to hold every row.
class RowSource
{
public:
    virtual ~RowSource() = default;
    virtual const ColumnList &columns() const = 0;
    virtual void forEach(const std::function<void(const QVariantList &row)> &take) = 0;
};

// A grid's rows.
class GridRows final : public RowSource
{
public:
    explicit GridRows(const Grid &grid) : m_grid(grid) {}
    const ColumnList &columns() const override { return m_grid.columns; }
    void forEach(const std::function<void(const QVariantList &)> &take) override;

private:
    const Grid &m_grid;
};

// The rows an SQL query gives, read anew on every walk; the columns are those named (no pictures).
class QueryRows final : public RowSource
{
public:
    QueryRows(Database &db, const ColumnList &columns, const QString &sql, const QVariantList &params = {});
    const ColumnList &columns() const override { return m_columns; }
    void forEach(const std::function<void(const QVariantList &)> &take) override;

private:
    Database &m_db;
    ColumnList m_columns;
    QString m_sql;
    QVariantList m_params;
};

// As render, handing the output to write piece by piece (a row or a few at a time).
void renderTo(RowSource &rows, OutputFormat format, const std::function<void(const QByteArray &)> &write);

// Text: a header line and aligned columns, numbers to the right, in the user's locale.
// CSV: a header row, numbers with ".", fields quoted when they need it.
// JSON: an array of objects, the column names as keys in column order; numbers as numbers, dates
// YYYY-MM-DD, texts as stored, an empty column as null.  Dates are YYYY-MM-DD in all three.
QByteArray render(const Grid &grid, OutputFormat format);
