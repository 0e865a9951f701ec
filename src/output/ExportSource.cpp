#include "output/ExportSource.h"

#include "data/CellText.h"
#include "data/Dataset.h"
#include "data/Dates.h"
#include "data/Numbers.h"

#include <QLocale>
#include <QRegularExpression>

ExportCell ExportCell::ofText(const QString &text)
{
    ExportCell c;
    c.kind = text.isEmpty() ? Kind::Empty : Kind::Text;
    c.text = text;
    return c;
}

ExportCell ExportCell::ofNumber(double value, const QString &text, int decimals)
{
    ExportCell c;
    c.kind = Kind::Number;
    c.number = value;
    c.text = text;
    c.decimals = decimals;
    return c;
}

ExportCell ExportCell::ofDate(const QDate &date)
{
    ExportCell c;
    c.kind = Kind::Date;
    c.date = date;
    c.text = exportDateText(date);
    return c;
}

QString exportDateText(const QDate &date)
{
    return Dates::toShortDateLongYear(date);
}

DatasetExportSource::DatasetExportSource(const Dataset &dataset, QList<GridColumn> columns)
    : m_ds(dataset), m_columns(std::move(columns))
{
    for (const GridColumn &c : m_columns)
        m_fields << (m_ds.isActive() ? columnIndex(m_ds.columns(), c.field) : -1);
}

int DatasetExportSource::rowCount() const
{
    return m_ds.isActive() ? m_ds.recordCount() : 0;
}

ExportCell DatasetExportSource::cell(int row, int column) const
{
    const int f = m_fields[column];
    if (f < 0)
        return ExportCell();
    const QVariant &v = m_ds.valueAt(row, f);
    if (!v.isValid() || v.isNull())
        return ExportCell();
    const ColumnKind kind = m_ds.columns()[f].kind;
    if (kind == ColumnKind::Text && isPriceColumn(m_ds.columns()[f].name))
        if (const std::optional<double> price = decimalPrice(v))
            return ExportCell::ofNumber(Numbers::round2(*price), cellText(v, m_ds.columns()[f]), 2);
    if (kind == ColumnKind::Real)
        return ExportCell::ofNumber(v.toDouble(), displayText(v, kind));
    if (kind == ColumnKind::Date) {
        const QDate d = Dates::fromStored(v.toString());
        if (d.isValid())
            return ExportCell::ofDate(d);
    }
    return ExportCell::ofText(displayText(v, kind));
}

TextExportSource::TextExportSource(QList<QStringList> rowsWithTitles, QList<Qt::Alignment> alignments)
    : m_rows(std::move(rowsWithTitles)), m_alignments(std::move(alignments))
{
    for (const QStringList &r : m_rows)
        m_columnCount = std::max(m_columnCount, static_cast<int>(r.size()));
    if (m_rows.isEmpty())
        m_rows << QStringList();
}

QString TextExportSource::columnTitle(int column) const
{
    return m_rows[0].value(column);
}

Qt::Alignment TextExportSource::alignment(int column) const
{
    return column < m_alignments.size() ? m_alignments[column] : AlignText;
}

ExportCell TextExportSource::cell(int row, int column) const
{
    // Only plain decimals: "1e5", "inf" or "nan" in a name stay texts.
    static const QRegularExpression plainNumber(QStringLiteral("^-?[0-9]{1,15}(\\.[0-9]{1,15})?$"));
    const QString text = m_rows[row + 1].value(column);
    if (plainNumber.match(text).hasMatch())
        return ExportCell::ofNumber(QLocale::c().toDouble(text), text);
    return ExportCell::ofText(text);
}
