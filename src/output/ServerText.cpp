#include "output/ServerText.h"

#include <QChar>
#include <QList>

namespace ServerText
{

namespace
{
// Printable as the character it is: not a control, format (bidirectional and byte-order marks are),
// private-use, unassigned or surrogate code point, and no line or paragraph separator, which would end
// the line.
bool printable(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return QChar::isPrint(c) && category != QChar::Separator_Line && category != QChar::Separator_Paragraph;
}

QString codePoint(char32_t c)
{
    return QStringLiteral("U+") + QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}
} // namespace

bool acceptableName(const QString &name, QString *why)
{
    auto refuse = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (name.isEmpty())
        return refuse(QStringLiteral("it is empty"));
    const QList<uint> points = name.toUcs4();
    if (points.size() > MaxNameLength)
        return refuse(QStringLiteral("it is longer than %1 characters").arg(MaxNameLength));
    if (name.startsWith(QLatin1Char('.')))
        return refuse(QStringLiteral("it starts with a dot"));
    for (const uint c : points) {
        if (c == '/' || c == '\\')
            return refuse(QStringLiteral("it holds a path separator"));
        // What a malformed UTF-8 sequence reads as: the server's name is not this one.
        if (c == QChar::ReplacementCharacter)
            return refuse(QStringLiteral("it is not UTF-8 text"));
        if (!printable(c))
            return refuse(QStringLiteral("it holds the unprintable character %1").arg(codePoint(c)));
    }
    return true;
}

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const uint c : text.toUcs4()) {
        switch (c) {
        case '\\':
            out += QStringLiteral("\\\\");
            continue;
        case '\a':
            out += QStringLiteral("\\a");
            continue;
        case '\b':
            out += QStringLiteral("\\b");
            continue;
        case '\t':
            out += QStringLiteral("\\t");
            continue;
        case '\n':
            out += QStringLiteral("\\n");
            continue;
        case '\v':
            out += QStringLiteral("\\v");
            continue;
        case '\f':
            out += QStringLiteral("\\f");
            continue;
        case '\r':
            out += QStringLiteral("\\r");
            continue;
        default:
            break;
        }
        if (printable(c))
            out += QStringView(QChar::fromUcs4(c));
        else if (c < 0x100)
            out += QStringLiteral("\\x%1").arg(c, 2, 16, QLatin1Char('0'));
        else if (c < 0x10000)
            out += QStringLiteral("\\u%1").arg(c, 4, 16, QLatin1Char('0'));
        else
            out += QStringLiteral("\\U%1").arg(c, 8, 16, QLatin1Char('0'));
    }
    return out;
}

} // namespace ServerText
