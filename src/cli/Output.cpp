#include "cli/Output.h"

#include "data/Database.h"
#include "data/Dataset.h"
#include "data/Dates.h"
#include "data/Numbers.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace
{

bool isNull(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

bool isNumeric(ColumnKind kind)
{
    return kind == ColumnKind::Real || kind == ColumnKind::Bit;
}

// YYYY-MM-DD, also when another tool stored a time of day after the date.
QString dateText(const QVariant &v)
{
    const QDate d = Dates::fromStored(v.toString());
    return d.isValid() ? Dates::toStored(d) : v.toString();
}

// A cell as text: numbers in general number format, yes/no columns as True/False, everything else
// as stored.
QString cellText(const QVariant &v, ColumnKind kind, const QLocale &locale)
{
    if (isNull(v))
        return QString();
    switch (kind) {
    case ColumnKind::Date:
        return dateText(v);
    case ColumnKind::Real:
        return v.typeId() == QMetaType::QString ? v.toString() : Numbers::formatGeneral(v.toDouble(), locale);
    case ColumnKind::Bit:
        return v.toDouble() != 0.0 ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return v.toString();
    }
}

using Write = std::function<void(const QByteArray &)>;

// Writes collected text in pieces of a reasonable size, not a call per cell.
class Chunks
{
public:
    explicit Chunks(const Write &write) : m_write(write) {}
    ~Chunks() { flush(); }
    Chunks(const Chunks &) = delete;
    Chunks &operator=(const Chunks &) = delete;
    void add(const QString &text)
    {
        m_text += text;
        if (m_text.size() > 64 * 1024)
            flush();
    }
    void flush()
    {
        if (!m_text.isEmpty())
            m_write(m_text.toUtf8());
        m_text.clear();
    }

private:
    const Write &m_write;
    QString m_text;
};

void renderText(RowSource &rows, const Write &write)
{
    const QLocale locale;
    const ColumnList &columns = rows.columns();
    const qsizetype n = columns.size();
    QList<qsizetype> widths(n);
    for (qsizetype c = 0; c < n; ++c)
        widths[c] = columns[c].name.size();
    rows.forEach([&](const QVariantList &row) {
        for (qsizetype c = 0; c < n; ++c)
            widths[c] = std::max(widths[c], cellText(row[c], columns[c].kind, locale).size());
    });
    auto lineOf = [&](const QStringList &values) -> QString {
        QStringList padded;
        for (qsizetype c = 0; c < n; ++c)
            padded << (isNumeric(columns[c].kind) ? values[c].rightJustified(widths[c])
                                                  : values[c].leftJustified(widths[c]));
        QString text = padded.join(QStringLiteral("  "));
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        return text + QLatin1Char('\n');
    };
    QStringList header;
    for (const ColumnInfo &c : columns)
        header << c.name;
    Chunks out(write);
    out.add(lineOf(header));
    rows.forEach([&](const QVariantList &row) {
        QStringList line;
        for (qsizetype c = 0; c < n; ++c)
            line << cellText(row[c], columns[c].kind, locale);
        out.add(lineOf(line));
    });
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void renderCsv(RowSource &rows, const Write &write)
{
    const QLocale c = QLocale::c();
    const ColumnList &columns = rows.columns();
    QStringList header;
    for (const ColumnInfo &col : columns)
        header << csvField(col.name);
    Chunks out(write);
    out.add(header.join(QLatin1Char(',')) + QLatin1Char('\n'));
    rows.forEach([&](const QVariantList &row) {
        QStringList fields;
        for (qsizetype i = 0; i < columns.size(); ++i)
            fields << csvField(cellText(row[i], columns[i].kind, c));
        out.add(fields.join(QLatin1Char(',')) + QLatin1Char('\n'));
    });
}

QString jsonString(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case u'"':
            out += QStringLiteral("\\\"");
            break;
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (ch.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(int(ch.unicode()), 4, 16, QLatin1Char('0'));
            else
                out += ch;
        }
    }
    return out + QLatin1Char('"');
}

QString jsonValue(const QVariant &v, ColumnKind kind)
{
    if (isNull(v))
        return QStringLiteral("null");
    switch (kind) {
    case ColumnKind::Real: {
        // A text another tool left in a number column stays a text.
        if (v.typeId() == QMetaType::QString)
            return jsonString(v.toString());
        const double d = v.toDouble();
        return std::isfinite(d) ? Numbers::formatGeneral(d, QLocale::c()) : QStringLiteral("null");
    }
    case ColumnKind::Bit:
        return v.toDouble() != 0.0 ? QStringLiteral("true") : QStringLiteral("false");
    case ColumnKind::Date:
        return jsonString(dateText(v));
    default:
        return jsonString(v.toString());
    }
}

void renderJson(RowSource &rows, const Write &write)
{
    const ColumnList &columns = rows.columns();
    Chunks out(write);
    out.add(QStringLiteral("["));
    bool any = false;
    rows.forEach([&](const QVariantList &row) {
        QString line = any ? QStringLiteral(",\n  {") : QStringLiteral("\n  {");
        any = true;
        for (qsizetype c = 0; c < columns.size(); ++c) {
            if (c > 0)
                line += QStringLiteral(", ");
            line += jsonString(columns[c].name) + QStringLiteral(": ") + jsonValue(row[c], columns[c].kind);
        }
        out.add(line + QLatin1Char('}'));
    });
    out.add(any ? QStringLiteral("\n]\n") : QStringLiteral("]\n"));
}

} // namespace

std::optional<OutputFormat> outputFormatOf(const QString &name)
{
    if (name == QLatin1String("text"))
        return OutputFormat::Text;
    if (name == QLatin1String("csv"))
        return OutputFormat::Csv;
    if (name == QLatin1String("json"))
        return OutputFormat::Json;
    return std::nullopt;
}

Grid gridOf(const Dataset &dataset)
{
    Grid grid;
    QList<int> shown;
    for (int c = 0; c < dataset.columnCount(); ++c) {
        if (dataset.columns()[c].kind == ColumnKind::Blob)
            continue;
        shown << c;
        grid.columns << dataset.columns()[c];
    }
    for (int r = 0; r < dataset.recordCount(); ++r) {
        QVariantList row;
        for (int c : std::as_const(shown))
            row << dataset.valueAt(r, c);
        grid.rows << row;
    }
    return grid;
}

void GridRows::forEach(const std::function<void(const QVariantList &)> &take)
{
    for (const QVariantList &row : m_grid.rows)
        take(row);
}

QueryRows::QueryRows(Database &db, const ColumnList &columns, const QString &sql, const QVariantList &params)
    : m_db(db), m_columns(columns), m_sql(sql), m_params(params)
{
}

void QueryRows::forEach(const std::function<void(const QVariantList &)> &take)
{
    Statement st = m_db.prepare(m_sql);
    st.bindAll(m_params);
    QVariantList row;
    while (st.step()) {
        row.clear();
        for (int c = 0; c < st.columnCount(); ++c)
            row << st.value(c);
        take(row);
    }
}

void renderTo(RowSource &rows, OutputFormat format, const std::function<void(const QByteArray &)> &write)
{
    switch (format) {
    case OutputFormat::Text:
        renderText(rows, write);
        break;
    case OutputFormat::Csv:
        renderCsv(rows, write);
        break;
    case OutputFormat::Json:
        renderJson(rows, write);
        break;
    }
}

QByteArray render(const Grid &grid, OutputFormat format)
{
    QByteArray out;
    GridRows rows(grid);
    renderTo(rows, format, [&out](const QByteArray &piece) { out += piece; });
    return out;
}
