#include "data/Excerpt.h"

QString excerpt(const QString &text, int limit)
{
    if (text.size() <= limit)
        return text;
    qsizetype cut = limit;
    // Never split a surrogate pair: half a character would print as garbage.
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}
