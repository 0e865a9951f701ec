#pragma once
// Bookmakers' prices as typed: the three notations, the key filter of odds fields, recognising the
// notation of a stored text, converting a text to a decimal price and the return percentage of a match.
// A decimal price is the amount returned for a stake of 1, stake included (2.00 doubles the stake).

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

class Messenger;

namespace Odds
{

// Positions of the notation chooser.
enum Notation : int { Decimal = 0, Fractional = 1, American = 2 };

// The two key filters: match entry (also the under/over field, as Decimal) and the stricter bet dialog.
enum class Filter { MatchEntry, BetDialog };

// The chooser's items by position: "EU (e.g. 2.00)", "UK (e.g. 1/2)", "US (e.g. +200)".
const QStringList &notationItems();

// The position of a chooser text among the items, letter case ignored; -1 when it is none of them
// (the chooser then goes back to Decimal and shows invalidOddsTypeMessage()).
int notationOfItem(const QString &chooserText);

// "Invalid odds type"
QString invalidOddsTypeMessage();

// Notation of a stored text: "." or "," means decimal, else "/" fractional, else American
// (also "-", the empty text and a whole number such as "2").
int DetectOddsType(const QString &text);

// Filters one typed key before it is inserted at caret (counted from 0). Backspace is QChar(u'\b')
// and always passes. Returns the key when accepted, std::nullopt when refused.
std::optional<QChar> FilterOddsKey(int notation, const QString &text, int caret, QChar key,
                                   Filter variant = Filter::MatchEntry);

// text + " is an invalid value" + "\r" + the notation's example line; the bet dialog writes
// " is an invalid value." and the decimal example "Example: 1.50 or 3.00".
QString invalidValueMessage(const QString &text, int notation, Filter variant = Filter::MatchEntry);

// Strict conversion without any message; false when the text does not convert. A price of 0 and a
// zero denominator do not convert. A position outside the three notations gives 0 unread.
bool tryParseOdds(const QString &text, int notation, double *price, const QLocale &locale = QLocale());

// Strict: on failure shows the match entry warning through the messenger and throws Abort.
double ParseOdds(const QString &text, int notation, Messenger &messenger, const QLocale &locale = QLocale());

struct AutoTyped {
    double price;
    int notation;
};

// ParseOdds with the notation DetectOddsType gives for the text; same messages.
AutoTyped ParseOddsAutoType(const QString &text, Messenger &messenger, const QLocale &locale = QLocale());

// Lenient, for stored texts: at most one character gives 0; no message of its own. Throws
// ConversionError (the platform's texts) when the text does not read.
// Whether a stored odds text holds a price: a text of at most one character ("", "-") means no odds.
bool hasOdds(const QString &text);

double OddsToDecimal(const QString &text, const QLocale &locale = QLocale());

// Retrn of a match, rounded to two decimals; std::nullopt when the home or away text has fewer than
// 2 characters. A draw text of fewer than 2 characters gives the two-way sum. A failed ParseOdds shows
// its warning and throws Abort.
std::optional<double> OddsReturnPercent(const QString &home, int homeNotation, const QString &draw,
                                        int drawNotation, const QString &away, int awayNotation,
                                        Messenger &messenger, const QLocale &locale = QLocale());

} // namespace Odds
