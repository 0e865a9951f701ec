#pragma once
// Texts a server sends (league names, error texts, the content of its files) on their way to a file
// name, a window or a terminal, where a control character, an escape sequence or a bidirectional mark
// would act instead of showing.

#include <QString>

namespace ServerText
{

// Names may be this long at most: with ".mdb" they still fit a file name of every file system.
constexpr int MaxNameLength = 100;

// Whether name may become the file name NAME.mdb in the download folder: not empty, at most
// MaxNameLength characters, printable characters only (no control character, no bidirectional or
// byte-order mark, no line or paragraph separator, nothing that was not UTF-8), no path separator and
// no leading dot (no hidden file, no "." or "..").  The reason in *why when not: "it starts with a dot".
bool acceptableName(const QString &name, QString *why = nullptr);

// text as it may be printed: each character that is not printable written as a C escape (\t, \r, \n,
// \x1b, \u202e, \U000e0001) and a backslash doubled, so that the text shows exactly what came and does
// nothing.  Printable text is unchanged.
QString escaped(const QString &text);

} // namespace ServerText
