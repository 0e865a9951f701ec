#pragma once
// Dates as the program enters, stores and compares them.

#include <QDate>
#include <QLocale>
#include <QString>

namespace Dates
{

// Every date field, import, filter and command line accepts these years: league history goes back to
// 1888.
constexpr int FirstYear = 1850;
constexpr int LastYear = 2100;

// A two-digit year yy is 19yy from this year on and 20yy before it (49 is 2049, 50 is 1950).
constexpr int TwoDigitYearsFrom = 1950;
// The four-digit year of a two-digit one (0 to 99).
constexpr int fullYear(int twoDigits)
{
    return twoDigits + (1900 + twoDigits < TwoDigitYearsFrom ? 2000 : 1900);
}

// The date of three whole numbers; DateError when they form no date.
QDate encode(int year, int month, int day);

// Stored form: ISO YYYY-MM-DD.
QString toStored(const QDate &date);
QDate fromStored(const QString &text); // invalid QDate for anything else

// m/d/yyyy, as filter texts write dates.
QString toFilterText(const QDate &date);
// The locale's short date, as some filter texts write dates.
QString toShortDate(const QDate &date, const QLocale &locale = QLocale());
// Reads a date written m/d/yyyy or in the locale's short format; invalid QDate when neither fits.
QDate parseFilterDate(const QString &text, const QLocale &locale = QLocale());

} // namespace Dates
