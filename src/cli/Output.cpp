#include "cli/Output.h"

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

QString renderText(const Grid &grid)
{
    const QLocale locale;
    const qsizetype n = grid.columns.size();
    QList<QStringList> cells;
    QList<qsizetype> widths(n);
    for (qsizetype c = 0; c < n; ++c)
        widths[c] = grid.columns[c].name.size();
    for (const QVariantList &row : grid.rows) {
        QStringList line;
        for (qsizetype c = 0; c < n; ++c) {
            line << cellText(row[c], grid.columns[c].kind, locale);
            widths[c] = std::max(widths[c], line.constLast().size());
        }
        cells << line;
    }
    auto lineOf = [&](const QStringList &values) -> QString {
        QStringList padded;
        for (qsizetype c = 0; c < n; ++c)
            padded << (isNumeric(grid.columns[c].kind) ? values[c].rightJustified(widths[c])
                                                       : values[c].leftJustified(widths[c]));
        QString text = padded.join(QStringLiteral("  "));
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        return text + QLatin1Char('\n');
    };
    QStringList header;
    for (const ColumnInfo &c : grid.columns)
        header << c.name;
    QString out = lineOf(header);
    for (const QStringList &line : std::as_const(cells))
        out += lineOf(line);
    return out;
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

QString renderCsv(const Grid &grid)
{
    const QLocale c = QLocale::c();
    QStringList header;
    for (const ColumnInfo &col : grid.columns)
        header << csvField(col.name);
    QString out = header.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (const QVariantList &row : grid.rows) {
        QStringList fields;
        for (qsizetype i = 0; i < grid.columns.size(); ++i)
            fields << csvField(cellText(row[i], grid.columns[i].kind, c));
        out += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return out;
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

QString renderJson(const Grid &grid)
{
    QString out = QStringLiteral("[");
    for (qsizetype r = 0; r < grid.rows.size(); ++r) {
        out += r == 0 ? QStringLiteral("\n  {") : QStringLiteral(",\n  {");
        for (qsizetype c = 0; c < grid.columns.size(); ++c) {
            if (c > 0)
                out += QStringLiteral(", ");
            out += jsonString(grid.columns[c].name) + QStringLiteral(": ") +
                   jsonValue(grid.rows[r][c], grid.columns[c].kind);
        }
        out += QLatin1Char('}');
    }
    out += grid.rows.isEmpty() ? QStringLiteral("]\n") : QStringLiteral("\n]\n");
    return out;
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

QByteArray render(const Grid &grid, OutputFormat format)
{
    switch (format) {
    case OutputFormat::Text:
        return renderText(grid).toUtf8();
    case OutputFormat::Csv:
        return renderCsv(grid).toUtf8();
    case OutputFormat::Json:
        return renderJson(grid).toUtf8();
    }
    return QByteArray();
}
