#include "data/Dates.h"

#include "data/Errors.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

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
        // The locale reads a two-digit year as 19yy; it means 20yy below the two-digit pivot.
        if (d.year() < TwoDigitYearsFrom &&
            !locale.dateFormat(QLocale::ShortFormat).contains(QStringLiteral("yyyy")))
            d = d.addYears(100);
        return d;
    }
    return QDate::fromString(t, Qt::ISODate);
}

std::array<Field, 3> fieldOrder(const QLocale &locale)
{
    const std::array<Field, 3> monthFirst = {Field::Month, Field::Day, Field::Year};
    if (locale.language() == QLocale::C)
        return monthFirst; // its short format writes the month as a word; the fields keep the program's order
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype month = format.indexOf(QLatin1Char('M'));
    const qsizetype day = format.indexOf(QLatin1Char('d'));
    const qsizetype year = format.indexOf(QLatin1Char('y'));
    if (month < 0 || day < 0 || year < 0)
        return monthFirst;
    std::array<std::pair<qsizetype, Field>, 3> at = {
        {{month, Field::Month}, {day, Field::Day}, {year, Field::Year}}};
    std::sort(at.begin(), at.end());
    return {at[0].second, at[1].second, at[2].second};
}

namespace
{
// What stands between the first two fields of the locale's short format: "/", ".", "-"; "/" when that is
// no plain mark (a space, a word).
QString fieldSeparator(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return QStringLiteral("/");
    static const QRegularExpression between(QStringLiteral("^[dMy]+([^dMy]+)[dMy]"));
    const auto m = between.match(locale.dateFormat(QLocale::ShortFormat));
    const QString mark = m.hasMatch() ? m.captured(1).trimmed() : QString();
    const bool plain = mark.size() == 1 && mark.at(0).isPunct() && mark != QLatin1String("'");
    return plain ? mark : QStringLiteral("/");
}

QString joined(const QLocale &locale, const QString &separator, const char *month, const char *day,
               const char *year)
{
    QStringList parts;
    for (const Field f : fieldOrder(locale))
        parts << QString::fromLatin1(f == Field::Month ? month : f == Field::Day ? day : year);
    return parts.join(separator);
}
} // namespace

QString fieldsLabel(const QLocale &locale)
{
    return QStringLiteral("Date (") + joined(locale, fieldSeparator(locale), "MM", "DD", "YYYY") +
           QStringLiteral("):");
}

QString rangeCaption(const QLocale &locale)
{
    return QStringLiteral("Date (") + joined(locale, QStringLiteral("/"), "month", "day", "year") +
           QLatin1Char(')');
}

Span season(int firstYear, int lastYear)
{
    if (firstYear > lastYear)
        std::swap(firstYear, lastYear);
    if (firstYear == lastYear)
        return {QDate(firstYear, 1, 1), QDate(lastYear, 12, 31)};
    return {QDate(firstYear, 7, 1), QDate(lastYear, 6, 30)};
}

Span seasonAround(const QDate &day)
{
    const int first = day.month() >= 7 ? day.year() : day.year() - 1;
    return season(first, first + 1);
}

} // namespace Dates
