#pragma once
// What the document writers are fed: a table of column titles, alignments and cells, each cell with the
// text a grid shows and its typed value (number, text or date), so that spreadsheets get numbers as
// numbers.  Sources read their rows on demand, so the streaming writers hold one row at a time.

#include "data/GridColumns.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class Dataset;

struct ExportCell {
    enum class Kind { Empty, Text, Number, Date };
    Kind kind = Kind::Empty;
    QString text; // as written into text formats; dates as the locale's short date with four-digit years
    double number = 0;
    int decimals = -1; // the decimals a number is shown with (prices: 2); -1 for the general format
    QDate date;

    static ExportCell ofText(const QString &text);
    static ExportCell ofNumber(double value, const QString &text, int decimals = -1);
    static ExportCell ofDate(const QDate &date);
};

class ExportSource
{
public:
    virtual ~ExportSource() = default;
    virtual int columnCount() const = 0;
    virtual QString columnTitle(int column) const = 0;
    virtual Qt::Alignment alignment(int column) const = 0;
    virtual int rowCount() const = 0;
    virtual ExportCell cell(int row, int column) const = 0;
};

// Dates in exported documents: as the locale writes them, with four-digit years.
QString exportDateText(const QDate &date);

// The rows a dataset lets through its current filter, in its current order, with the columns of a grid.
// Reals become numbers, dates dates, prices in decimal notation numbers with two decimals, everything else
// the text the grid shows.  Reading leaves the dataset's current row alone.
class DatasetExportSource final : public ExportSource
{
public:
    DatasetExportSource(const Dataset &dataset, QList<GridColumn> columns);
    int columnCount() const override { return static_cast<int>(m_columns.size()); }
    QString columnTitle(int column) const override { return m_columns[column].title; }
    Qt::Alignment alignment(int column) const override { return m_columns[column].alignment; }
    int rowCount() const override;
    ExportCell cell(int row, int column) const override;

private:
    const Dataset &m_ds;
    QList<GridColumn> m_columns;
    QList<int> m_fields; // dataset column of each grid column; -1 when absent
};

// A grid of texts, its first row the titles (the cross and streak tables, tests).  A cell whose whole
// text is a plain number becomes a number.
class TextExportSource final : public ExportSource
{
public:
    explicit TextExportSource(QList<QStringList> rowsWithTitles, QList<Qt::Alignment> alignments = {});
    int columnCount() const override { return m_columnCount; }
    QString columnTitle(int column) const override;
    Qt::Alignment alignment(int column) const override;
    int rowCount() const override { return static_cast<int>(m_rows.size()) - 1; }
    ExportCell cell(int row, int column) const override;

private:
    QList<QStringList> m_rows;
    QList<Qt::Alignment> m_alignments;
    int m_columnCount = 0;
};
