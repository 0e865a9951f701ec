#pragma once
// The number rules shared by the whole program: rounding, the general number format and
// locale-aware parsing.  Nothing else re-implements them.

#include <QLocale>
#include <QString>
#include <QVariant>

namespace Numbers
{

// Nearest whole number, ties to the even one (0.5 -> 0, 1.5 -> 2, 2.5 -> 2).
qint64 roundHalfEven(double x);
qint64 roundHalfEven(long double x);

// Two decimals, half away from zero, decided on the value's general-format digits (1.005 -> 1.01,
// -7.4405 -> -7.44, -20 -> -20).  Money must round the same way on both sides of zero, or a loss would
// show a cent less than the equal win; and deciding on the shortest digits means binary noise (1.005 is
// stored as 1.00499...) never tips a tie the way the user does not see.
double round2(double x);

// Shortest text with up to 15 significant digits and the locale's decimal separator
// (2.5, 180.5, 3, -1; 2,5 in a "," locale).
QString formatGeneral(double x, const QLocale &locale = QLocale());

// A real in the locale's notation; ConversionError "'%s' is not a valid floating point value".
double parseReal(const QString &text, const QLocale &locale = QLocale());
bool tryParseReal(const QString &text, double *value, const QLocale &locale = QLocale());

// A stored number read as a whole number, as every NUMBER column is: a real rounds half to even, a text
// is parsed (blank reads 0), NULL reads 0, and values beyond the int range are clamped to it.
// ConversionError for a text that is not a whole number.
int wholeNumber(const QVariant &value);
// The same reading without the error: false for a text that is not a whole number.
bool tryWholeNumber(const QVariant &value, int *result);

// A decimal price, with "." or "," as its decimal mark whatever the locale: league and ticket files
// move between machines, and a price never has group separators.  ConversionError as parseReal.
double parsePrice(const QString &text, const QLocale &locale = QLocale());
bool tryParsePrice(const QString &text, double *value, const QLocale &locale = QLocale());

// A decimal price as every grid shows it: two decimals (rounded as round2) and the locale's decimal
// separator, without group separators ("2.10", "15.60"; "2,10" in a "," locale).
QString formatPrice(double price, const QLocale &locale = QLocale());

// A whole number with an optional sign; ConversionError "'%s' is not a valid integer value".
int parseInt(const QString &text);
bool tryParseInt(const QString &text, int *value);

// The locale's decimal separator as one character.
QChar decimalSeparator(const QLocale &locale = QLocale());

} // namespace Numbers
