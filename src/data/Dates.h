#pragma once
// Dates as the program enters, stores and compares them.

#include <QDate>
#include <QLocale>
#include <QString>
#include <array>

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
// The locale's short date with the year in four digits (8/24/2024, 24.08.2024): for texts read beyond
// the grids, such as exported files and the status bar, where a two-digit year could be taken for another
// century.
QString toShortDateLongYear(const QDate &date, const QLocale &locale = QLocale());
// Reads a date written m/d/yyyy or in the locale's short format; invalid QDate when neither fits.
QDate parseFilterDate(const QString &text, const QLocale &locale = QLocale());

// The three whole-number fields a date is typed into.
enum class Field { Month, Day, Year };
// Their order in the locale's short date format (day, month, year under de_DE; year first under ja_JP).
// Month, day, year in the C locale and wherever the format does not name all three.
std::array<Field, 3> fieldOrder(const QLocale &locale = QLocale());
// The label of the date fields, naming them in their order with the locale's separator:
// "Date (MM/DD/YYYY):", "Date (DD.MM.YYYY):".
QString fieldsLabel(const QLocale &locale = QLocale());
// The caption of a choice of dates, naming the fields in their order: "Date (month/day/year)".
QString rangeCaption(const QLocale &locale = QLocale());

// A season's first and last day.
struct Span {
    QDate first, last;
};
// The season of a league whose seasons run from firstYear to lastYear: 1 January to 31 December when
// both are one year, else 1 July of the first to 30 June of the last (the summer break lies between
// two such seasons).  The years are taken in order whichever is given first.
Span season(int firstYear, int lastYear);
// The season from 1 July to 30 June that a day falls in.
Span seasonAround(const QDate &day);

} // namespace Dates
