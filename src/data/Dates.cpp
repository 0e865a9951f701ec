#include "data/Dates.h"

#include "data/Errors.h"

#include <QRegularExpression>

namespace Dates
{

QDate encode(int year, int month, int day)
{
    const QDate d(year, month, day);
    if (!d.isValid() || year < 1)
        throw DateError();
    return d;
}

QString toStored(const QDate &date)
{
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return date.toString(Qt::ISODate);
    // Written by hand: this runs for every stored match, and the general formatter is slow.
    char buf[11];
    int y = date.year(), m = date.month(), d = date.day();
    buf[0] = char('0' + y / 1000);
    buf[1] = char('0' + y / 100 % 10);
    buf[2] = char('0' + y / 10 % 10);
    buf[3] = char('0' + y % 10);
    buf[4] = '-';
    buf[5] = char('0' + m / 10);
    buf[6] = char('0' + m % 10);
    buf[7] = '-';
    buf[8] = char('0' + d / 10);
    buf[9] = char('0' + d % 10);
    buf[10] = 0;
    return QString::fromLatin1(buf, 10);
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

QString toShortDateLongYear(const QDate &date, const QLocale &locale)
{
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    QString format = locale.dateFormat(QLocale::ShortFormat);
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return locale.toString(date, format);
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
