#include "data/ColumnInfo.h"

#include <QRegularExpression>

ColumnInfo ColumnInfo::fromDeclared(const QString &name, const QString &declaredType)
{
    ColumnInfo c;
    c.name = name;
    const QString t = declaredType.trimmed().toUpper();
    static const QRegularExpression textWidth(
        QStringLiteral("^(?:TEXT|VARCHAR|CHAR)\\s*\\(\\s*(\\d+)\\s*\\)$"));
    if (const auto m = textWidth.match(t); m.hasMatch()) {
        c.kind = ColumnKind::Text;
        c.width = m.captured(1).toInt();
    } else if (t.startsWith(QLatin1String("DATE"))) {
        c.kind = ColumnKind::Date;
    } else if (t == QLatin1String("BIT") || t == QLatin1String("BOOLEAN")) {
        c.kind = ColumnKind::Bit;
    } else if (t.contains(QLatin1String("BLOB")) || t.contains(QLatin1String("BINARY"))) {
        c.kind = ColumnKind::Blob;
    } else if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) ||
               t.contains(QLatin1String("DOUB")) || t.contains(QLatin1String("NUM")) ||
               t.contains(QLatin1String("INT"))) {
        c.kind = ColumnKind::Real;
    } else {
        c.kind = ColumnKind::Text;
    }
    return c;
}

QString ColumnInfo::declaredType() const
{
    switch (kind) {
    case ColumnKind::Real:
        return QStringLiteral("REAL");
    case ColumnKind::Text:
        return width > 0 ? QStringLiteral("TEXT(%1)").arg(width) : QStringLiteral("TEXT");
    case ColumnKind::Date:
        return QStringLiteral("DATE");
    case ColumnKind::Bit:
        return QStringLiteral("BIT");
    case ColumnKind::Blob:
        return QStringLiteral("BLOB");
    }
    return QStringLiteral("TEXT");
}

int columnIndex(const ColumnList &columns, const QString &name)
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
