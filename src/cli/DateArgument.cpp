#include "cli/DateArgument.h"

#include "data/Dates.h"
#include "data/Errors.h"
#include "data/Excerpt.h"

#include <QRegularExpression>

QDate dateOf(const QString &text)
{
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const auto m = iso.match(text);
    if (!m.hasMatch())
        throw QuorvaneError(QStringLiteral("'%1' is not a date written YYYY-MM-DD.").arg(excerpt(text)));
    const int year = m.captured(1).toInt();
    if (year < Dates::FirstYear || year > Dates::LastYear)
        throw QuorvaneError(QStringLiteral("The year must lie between %1 and %2.")
                                .arg(Dates::FirstYear)
                                .arg(Dates::LastYear));
    try {
        return Dates::encode(year, m.captured(2).toInt(), m.captured(3).toInt());
    } catch (const DateError &) {
        throw QuorvaneError(QStringLiteral("%1 is not a date.").arg(excerpt(text)));
    }
}
