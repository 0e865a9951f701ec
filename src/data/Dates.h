#pragma once
// Dates as the program enters, stores and compares them.

#include <QDate>
#include <QLocale>
#include <QString>

namespace Dates
{

constexpr int FirstYear = 1950; // date fields accept these years
constexpr int LastYear = 2100;

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
