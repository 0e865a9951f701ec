#include "data/Dates.h"

#include "data/Errors.h"

#include <QRegularExpression>

namespace Dates {

QDate encode(int year, int month, int day)
{
    const QDate d(year, month, day);
    if (!d.isValid() || year < 1)
        throw DateError();
    return d;
}

QString toStored(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QDate fromStored(const QString &text)
{
    // Older tools may store a time of day after the date; the date part is what counts.
    return QDate::fromString(text.left(10), Qt::ISODate);
}

QString toFilterText(const QDate &date)
{
    return QStringLiteral("%1/%2/%3").arg(date.month()).arg(date.day()).arg(date.year());
}

QString toShortDate(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QDate parseFilterDate(const QString &text, const QLocale &locale)
{
    static const QRegularExpression mdy(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    const QString t = text.trimmed();
    const auto m = mdy.match(t);
    if (m.hasMatch()) {
        const QDate d(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
        if (d.isValid())
            return d;
    }
    QDate d = locale.toDate(t, QLocale::ShortFormat);
    if (d.isValid()) {
        // Two-digit short-date years read as 19yy; dates of this program lie from 1950 on.
        if (d.year() < FirstYear && !locale.dateFormat(QLocale::ShortFormat).contains(QStringLiteral("yyyy")))
            d = d.addYears(100);
        return d;
    }
    return QDate::fromString(t, Qt::ISODate);
}

} // namespace Dates
