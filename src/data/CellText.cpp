#include "data/CellText.h"

#include "data/Dates.h"
#include "data/Numbers.h"

#include <QStringList>

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

bool isPriceColumn(const QString &column)
{
    static const QStringList prices = {QStringLiteral("O1"), QStringLiteral("OX"), QStringLiteral("O2"),
                                       QStringLiteral("Price")};
    return prices.contains(column, Qt::CaseInsensitive);
}

std::optional<double> decimalPrice(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    const QString text = value.toString().trimmed();
    // Only a decimal mark makes a price decimal: "2" and "+150" are American, "5/2" fractional.
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char(',')))
        return std::nullopt;
    double price = 0;
    if (!Numbers::tryParsePrice(text, &price) || price <= 0)
        return std::nullopt;
    return price;
}

QString cellText(const QVariant &value, const ColumnInfo &column)
{
    if (column.kind == ColumnKind::Text && isPriceColumn(column.name))
        if (const std::optional<double> price = decimalPrice(value))
            return Numbers::formatPrice(*price);
    return displayText(value, column.kind);
}
