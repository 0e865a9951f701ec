#pragma once
// Windows-1252, the 8-bit code page of old spreadsheets and of DIF files: Latin-1 except for 0x80-0x9F.
// The five bytes Windows leaves undefined there (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for their C1
// control characters in both directions, as Windows itself converts them, so that every byte read comes
// back out as the same byte.

#include <QByteArray>
#include <QChar>
#include <QString>

#include <optional>

namespace Windows1252
{
QChar toChar(unsigned char byte);
// The byte of a character, or none when the code page has no such character.
std::optional<unsigned char> toByte(QChar ch);

QString decode(const QByteArray &bytes);
// Each character the code page lacks (each half of a surrogate pair too) becomes "?".
QByteArray encode(const QString &text);
} // namespace Windows1252
