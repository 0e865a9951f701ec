#include "entry/Odds.h"

#include "data/Errors.h"
#include "data/Excerpt.h"
#include "data/Messenger.h"
#include "data/Numbers.h"

namespace Odds
{

namespace
{

constexpr QChar kBackspace = QChar(u'\b');

bool holdsDecimalMark(const QString &text)
{
    return text.contains(QLatin1Char('.')) || text.contains(QLatin1Char(','));
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isSign(QChar c)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-');
}

bool isKnownNotation(int notation)
{
    return notation == Decimal || notation == Fractional || notation == American;
}

// Computed in double so that the extremes of a 32-bit number cannot overflow.
double americanPrice(int a)
{
    const double v = a;
    return v >= 0 ? (v + 100.0) / 100.0 : (-v + 100.0) / -v;
}

// n / d + 1 with n in floating point; false when a part is not a whole number or d is 0.
bool tryFractionalPrice(const QString &text, double *price)
{
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return false;
    int n = 0;
    int d = 0;
    if (!Numbers::tryParseInt(text.left(slash), &n) || !Numbers::tryParseInt(text.mid(slash + 1), &d) ||
        d == 0)
        return false;
    *price = static_cast<double>(n) / d + 1.0;
    return true;
}

bool tryReadPrice(const QString &text, int notation, double *price, const QLocale &locale)
{
    switch (notation) {
    case Decimal:
        return Numbers::tryParsePrice(text, price, locale);
    case Fractional:
        return tryFractionalPrice(text, price);
    case American: {
        int a = 0;
        if (!Numbers::tryParseInt(text, &a))
            return false;
        *price = americanPrice(a);
        return true;
    }
    default:
        *price = 0.0; // no notation chosen: the text is not read
        return true;
    }
}

QString exampleLine(int notation, Filter variant)
{
    switch (notation) {
    case Decimal:
        return variant == Filter::BetDialog ? QStringLiteral("Example: 1.50 or 3.00")
                                            : QStringLiteral("Example: 1.50 or 3,00");
    case Fractional:
        return QStringLiteral("Example: 4/5 or 2/1");
    case American:
        return QStringLiteral("Example: +200 or -150");
    default:
        return QString();
    }
}

bool acceptDecimalMark(const QString &text, QChar key, Filter variant)
{
    if (variant == Filter::BetDialog)
        return !holdsDecimalMark(text);
    return !text.contains(key);
}

bool acceptSign(const QString &text, int caret, QChar key, Filter variant)
{
    if (caret != 0)
        return false;
    if (variant == Filter::BetDialog)
        return !text.contains(QLatin1Char('+')) && !text.contains(QLatin1Char('-'));
    return !text.contains(key);
}

bool acceptKey(int notation, const QString &text, int caret, QChar key, Filter variant)
{
    if (key == kBackspace)
        return true;
    switch (notation) {
    case Decimal:
        if (key == QLatin1Char('.') || key == QLatin1Char(','))
            return acceptDecimalMark(text, key, variant);
        return isAsciiDigit(key);
    case Fractional:
        if (key == QLatin1Char('/'))
            return !text.contains(key);
        return isAsciiDigit(key);
    case American:
        if (isSign(key))
            return acceptSign(text, caret, key, variant);
        return isAsciiDigit(key);
    default:
        return false;
    }
}

// A price that would leave the return's sum dividing by zero is never handed on: a position outside
// the three notations (which gives 0 unread) is refused as an invalid odds type.
double strictPrice(const QString &text, int notation, Messenger &messenger, const QLocale &locale)
{
    if (!isKnownNotation(notation)) {
        messenger.warning(invalidOddsTypeMessage());
        throw Abort();
    }
    return ParseOdds(text, notation, messenger, locale);
}

} // namespace

const QStringList &notationItems()
{
    static const QStringList items{QStringLiteral("EU (e.g. 2.00)"), QStringLiteral("UK (e.g. 1/2)"),
                                   QStringLiteral("US (e.g. +200)")};
    return items;
}

int notationOfItem(const QString &chooserText)
{
    const QStringList &items = notationItems();
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(chooserText, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString invalidOddsTypeMessage()
{
    return QStringLiteral("Invalid odds type");
}

int DetectOddsType(const QString &text)
{
    if (holdsDecimalMark(text))
        return Decimal;
    if (text.contains(QLatin1Char('/')))
        return Fractional;
    return American;
}

std::optional<QChar> FilterOddsKey(int notation, const QString &text, int caret, QChar key, Filter variant)
{
    if (acceptKey(notation, text, caret, key, variant))
        return key;
    return std::nullopt;
}

QString invalidValueMessage(const QString &text, int notation, Filter variant)
{
    const QString head =
        excerpt(text) % (variant == Filter::BetDialog ? QStringLiteral(" is an invalid value.")
                                                      : QStringLiteral(" is an invalid value"));
    const QString example = exampleLine(notation, variant);
    return example.isEmpty() ? head : head % QLatin1Char('\r') % example;
}

bool tryParseOdds(const QString &text, int notation, double *price, const QLocale &locale)
{
    double value = 0.0;
    if (!tryReadPrice(text, notation, &value, locale))
        return false;
    // A price of 0 ("0.00", or a fraction such as -1/1) would divide the return's sum by zero.
    if (isKnownNotation(notation) && value == 0.0)
        return false;
    *price = value;
    return true;
}

double ParseOdds(const QString &text, int notation, Messenger &messenger, const QLocale &locale)
{
    double price = 0.0;
    if (!tryParseOdds(text, notation, &price, locale)) {
        messenger.warning(invalidValueMessage(text, notation));
        throw Abort();
    }
    return price;
}

AutoTyped ParseOddsAutoType(const QString &text, Messenger &messenger, const QLocale &locale)
{
    const int notation = DetectOddsType(text);
    return {ParseOdds(text, notation, messenger, locale), notation};
}

bool hasOdds(const QString &text)
{
    return text.size() >= 2;
}

double OddsToDecimal(const QString &text, const QLocale &locale)
{
    if (!hasOdds(text))
        return 0.0;
    // "/" is tested before the decimal marks; the key filters never let a text hold both.
    if (text.contains(QLatin1Char('/'))) {
        const qsizetype slash = text.indexOf(QLatin1Char('/'));
        const int n = Numbers::parseInt(text.left(slash));
        const int d = Numbers::parseInt(text.mid(slash + 1));
        // A zero denominator (the bet dialog's check lets "4/0" through) raises the floating point
        // error for the whole text, as a division that cannot give a value.
        if (d == 0)
            throw ConversionError::notFloat(text);
        return static_cast<double>(n) / d + 1.0;
    }
    if (holdsDecimalMark(text))
        return Numbers::parsePrice(text, locale);
    return americanPrice(Numbers::parseInt(text));
}

std::optional<double> OddsReturnPercent(const QString &home, int homeNotation, const QString &draw,
                                        int drawNotation, const QString &away, int awayNotation,
                                        Messenger &messenger, const QLocale &locale)
{
    if (!hasOdds(home) || !hasOdds(away))
        return std::nullopt;
    const double o1 = strictPrice(home, homeNotation, messenger, locale);
    const double o2 = strictPrice(away, awayNotation, messenger, locale);
    double s = 0.0;
    if (hasOdds(draw)) {
        const double ox = strictPrice(draw, drawNotation, messenger, locale);
        s = 1.0 / o1 + 1.0 / ox + 1.0 / o2;
    } else {
        s = 1.0 / o1 + 1.0 / o2;
    }
    return Numbers::round2((s - 1.0) * -100.0);
}

} // namespace Odds
