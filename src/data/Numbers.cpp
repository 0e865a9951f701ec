#include "data/Numbers.h"

#include "data/Errors.h"

#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace Numbers
{

qint64 roundHalfEven(double x)
{
    // rint rounds in the current rounding mode, which is to-nearest-even unless changed.
    return static_cast<qint64>(std::rint(x));
}

qint64 roundHalfEven(long double x)
{
    return static_cast<qint64>(std::rint(x));
}

double round2(double x)
{
    if (!std::isfinite(x) || x == 0.0)
        return x == 0.0 ? 0.0 : x;
    // 15 significant digits, as the general number format shows the value.  to_chars writes the C
    // notation whatever locale the C library was given (printf would write "d,ddd" in some).
    char buf[40];
    *std::to_chars(buf, buf + sizeof buf - 1, std::fabs(x), std::chars_format::scientific, 14).ptr = 0;
    // buf: d.dddddddddddddde[+-]XX
    qint64 digits = buf[0] - '0';
    for (int i = 2; i < 16; ++i)
        digits = digits * 10 + (buf[i] - '0');
    const int exponent = std::atoi(buf + 17);
    // value = digits * 10^(exponent - 14); hundredths = digits * 10^(exponent - 12)
    const int shift = 12 - exponent;
    if (shift <= 0)
        return x; // 1e12 and above: no fraction worth rounding at 15 digits
    if (shift > 15)
        return 0.0;
    qint64 scale = 1;
    for (int i = 0; i < shift; ++i)
        scale *= 10;
    qint64 hundredths = digits / scale;
    if ((digits % scale) * 2 >= scale)
        ++hundredths;
    const double result = static_cast<double>(hundredths) / 100.0;
    return x < 0 && hundredths != 0 ? -result : result;
}

QChar decimalSeparator(const QLocale &locale)
{
    const QString dp = locale.decimalPoint();
    return dp.isEmpty() ? QLatin1Char('.') : dp.at(0);
}

QString formatGeneral(double x, const QLocale &locale)
{
    if (x == 0.0)
        return QStringLiteral("0");
    // As printf's "%.15g" in the C notation, whatever locale the C library was given.
    char buf[40];
    const std::to_chars_result end = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buf, end.ptr - buf);
    // Exponent as 1E20 / 1E-5, without the plus sign or leading zeros.
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        const QString mantissa = text.left(e);
        const int exponent = text.mid(e + 1).toInt();
        text = mantissa + QLatin1Char('E') + QString::number(exponent);
    }
    text.replace(QLatin1Char('.'), decimalSeparator(locale));
    return text;
}

namespace
{
const QRegularExpression &realPattern()
{
    static const QRegularExpression re(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    return re;
}
} // namespace

bool tryParseReal(const QString &text, double *value, const QLocale &locale)
{
    QString t = text.trimmed();
    const QChar sep = decimalSeparator(locale);
    if (sep != QLatin1Char('.')) {
        if (t.contains(QLatin1Char('.')))
            return false;
        t.replace(sep, QLatin1Char('.'));
    }
    if (!realPattern().match(t).hasMatch())
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok); // QString::toDouble reads the C notation whatever the locale
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

double parseReal(const QString &text, const QLocale &locale)
{
    double v = 0;
    if (!tryParseReal(text, &v, locale))
        throw ConversionError::notFloat(text);
    return v;
}

bool tryParsePrice(const QString &text, double *value, const QLocale &locale)
{
    if (tryParseReal(text, value, locale))
        return true;
    QString t = text;
    if (t.contains(QLatin1Char('.')) && t.contains(QLatin1Char(',')))
        return false;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return tryParseReal(t, value, QLocale::c());
}

double parsePrice(const QString &text, const QLocale &locale)
{
    double v = 0;
    if (!tryParsePrice(text, &v, locale))
        throw ConversionError::notFloat(text);
    return v;
}

QString formatPrice(double price, const QLocale &locale)
{
    QString text = QString::number(round2(price), 'f', 2);
    text.replace(QLatin1Char('.'), decimalSeparator(locale));
    return text;
}

bool tryParseInt(const QString &text, int *value)
{
    static const QRegularExpression re(QStringLiteral("^[+-]?\\d+$"));
    const QString t = text.trimmed();
    if (!re.match(t).hasMatch())
        return false;
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok)
        return false;
    *value = v;
    return true;
}

int parseInt(const QString &text)
{
    int v = 0;
    if (!tryParseInt(text, &v))
        throw ConversionError::notInteger(text);
    return v;
}

bool tryWholeNumber(const QVariant &value, int *result)
{
    if (!value.isValid() || value.isNull()) {
        *result = 0;
        return true;
    }
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (text.trimmed().isEmpty()) {
            *result = 0;
            return true;
        }
        return tryParseInt(text, result);
    }
    const qint64 r = roundHalfEven(value.toDouble());
    *result = static_cast<int>(std::clamp<qint64>(r, INT_MIN, INT_MAX));
    return true;
}

int wholeNumber(const QVariant &value)
{
    int v = 0;
    if (!tryWholeNumber(value, &v))
        throw ConversionError::notInteger(value.toString());
    return v;
}

} // namespace Numbers
