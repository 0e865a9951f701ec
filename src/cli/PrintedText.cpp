#include "cli/PrintedText.h"

#include "data/Numbers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <cmath>
#include <cstdio>

void writeStdout(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

QString alignedRows(const QList<QStringList> &rows)
{
    QList<qsizetype> widths;
    for (const QStringList &row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    QString out;
    for (const QStringList &row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                line += QStringLiteral("  ");
            line += c == 0 ? row[c].leftJustified(widths[c]) : row[c].rightJustified(widths[c]);
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        out += line + QLatin1Char('\n');
    }
    return out;
}

namespace Json
{

QString text(const QString &s)
{
    // Qt's own writer does the escaping: a one-item array, brackets taken off.
    const QByteArray wrapped = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(wrapped.mid(1, wrapped.size() - 2));
}

QString number(double d)
{
    return std::isfinite(d) ? Numbers::formatGeneral(d, QLocale::c()) : null();
}

QString boolean(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

QString null()
{
    return QStringLiteral("null");
}

QString stored(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return null();
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return number(v.toDouble());
    case QMetaType::Bool:
        return boolean(v.toBool());
    default:
        return text(v.toString());
    }
}

QString array(const QStringList &items)
{
    return QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']');
}

QString textRows(const QList<QStringList> &rows, const QString &indent)
{
    if (rows.isEmpty())
        return QStringLiteral("[]");
    QStringList lines;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (const QString &cell : row)
            cells << text(cell);
        lines << indent + QStringLiteral("  ") + array(cells);
    }
    return QStringLiteral("[\n") + lines.join(QStringLiteral(",\n")) + QLatin1Char('\n') + indent +
           QLatin1Char(']');
}

QString object(const Members &members)
{
    QStringList parts;
    for (const auto &[key, value] : members)
        parts << text(key) + QStringLiteral(": ") + value;
    return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

} // namespace Json
