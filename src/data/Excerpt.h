#pragma once
// What a message quotes of a value the user gave: enough to recognise it, never a whole line of a file.

#include <QString>

// The text itself when it has at most limit characters, otherwise its first limit characters and "…".
QString excerpt(const QString &text, int limit = 60);
