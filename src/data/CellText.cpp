#include "data/CellText.h"

#include "data/Dates.h"
#include "data/Numbers.h"

QString displayText(const QVariant &value, ColumnKind kind)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (kind) {
    case ColumnKind::Real:
        return Numbers::formatGeneral(value.toDouble());
    case ColumnKind::Date: {
        const QDate d = Dates::fromStored(value.toString());
        return d.isValid() ? Dates::toShortDate(d) : value.toString();
    }
    case ColumnKind::Bit:
        return value.toDouble() != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case ColumnKind::Blob:
        return QStringLiteral("(BLOB)");
    case ColumnKind::Text:
        break;
    }
    return value.toString();
}
