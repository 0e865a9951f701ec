#include "betting/TicketAmounts.h"

#include "data/Errors.h"
#include "data/Numbers.h"

#include <cmath>

namespace TicketAmounts
{

QString caption(const QString &column)
{
    if (column == QLatin1String("TPrice"))
        return QStringLiteral("Total Price");
    return column;
}

std::optional<QString> refusal(const QString &column, double value)
{
    const QString field = caption(column);
    const QString shown = Numbers::formatGeneral(value);
    if (!std::isfinite(value))
        return QStringLiteral("%1 must be a finite number (%2).").arg(field, shown);
    const bool price = column == QLatin1String("TPrice") || column == QLatin1String("Price");
    const bool profit = column == QLatin1String("Profit");
    const double most = price                                         ? kMaxPrice
                        : profit || column == QLatin1String("Payout") ? kMaxPayout
                                                                      : kMaxMoney;
    if (profit && value < -most)
        return QStringLiteral("%1 cannot be less than %2 (%3).")
            .arg(field, Numbers::formatGeneral(-most), shown);
    if (!profit && value < 0)
        return QStringLiteral("%1 cannot be negative (%2).").arg(field, shown);
    if (value > most)
        return QStringLiteral("%1 cannot be more than %2 (%3).")
            .arg(field, Numbers::formatGeneral(most), shown);
    return std::nullopt;
}

double checked(const QString &column, double value)
{
    if (const std::optional<QString> why = refusal(column, value))
        throw QuorvaneError(*why);
    return value;
}

} // namespace TicketAmounts
