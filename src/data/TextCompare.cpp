#include "data/TextCompare.h"

namespace TextCompare
{

// QStringView's case-insensitive operations fold both sides with QChar's simple case folding,
// surrogate pairs included.
int compareNoCase(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive);
}

bool equalNoCase(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool startsWithNoCase(QStringView text, QStringView prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

// The same simple case folding as the comparisons above, one code point at a time.
QString foldedKey(QStringView text)
{
    return text.toString().toCaseFolded();
}

} // namespace TextCompare
