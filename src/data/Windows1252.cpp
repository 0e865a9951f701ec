#include "data/Windows1252.h"

#include <algorithm>
#include <array>

namespace
{
// 0x80-0x9F; the undefined bytes keep their C1 code points.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool sameAsLatin1(char16_t u)
{
    return u < 0x80 || (u >= 0xA0 && u <= 0xFF);
}
} // namespace

namespace Windows1252
{
QChar toChar(unsigned char byte)
{
    return (byte >= 0x80 && byte <= 0x9F) ? QChar(kHigh[byte - 0x80]) : QChar(char16_t(byte));
}

std::optional<unsigned char> toByte(QChar ch)
{
    const char16_t u = ch.unicode();
    if (sameAsLatin1(u))
        return static_cast<unsigned char>(u);
    const auto hit = std::find(kHigh.cbegin(), kHigh.cend(), u);
    if (hit == kHigh.cend())
        return std::nullopt;
    return static_cast<unsigned char>(0x80 + (hit - kHigh.cbegin()));
}

QString decode(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = toChar(static_cast<unsigned char>(bytes.at(i)));
    return text;
}

QByteArray encode(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text)
        out += static_cast<char>(toByte(ch).value_or('?'));
    return out;
}
} // namespace Windows1252
