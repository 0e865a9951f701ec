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
// The locale's short date with the year in four digits (8/24/2024, 24.08.2024): for texts read beyond
// the grids, such as exported files and the status bar, where a two-digit year could be taken for another
// century.
QString toShortDateLongYear(const QDate &date, const QLocale &locale = QLocale());
// Reads a date written m/d/yyyy or in the locale's short format; invalid QDate when neither fits.
QDate parseFilterDate(const QString &text, const QLocale &locale = QLocale());

} // namespace Dates
