#include "data/TextCompare.h"

#include <algorithm>

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

int indexOfNoCase(const QStringList &entries, QStringView text)
{
    for (int i = 0; i < entries.size(); ++i)
        if (equalNoCase(entries[i], text))
            return i;
    return -1;
}

bool containsNoCase(const QStringList &entries, QStringView text)
{
    return indexOfNoCase(entries, text) >= 0;
}

void sortNoCase(QStringList &list)
{
    std::stable_sort(list.begin(), list.end(),
                     [](const QString &a, const QString &b) { return compareNoCase(a, b) < 0; });
}

// The same simple case folding as the comparisons above, one code point at a time.
QString foldedKey(QStringView text)
{
    return text.toString().toCaseFolded();
}

const QString &FoldedKeys::of(const QString &text)
{
    auto it = m_keys.constFind(text);
    if (it == m_keys.constEnd()) {
        if (m_keys.size() >= kLimit)
            m_keys.clear();
        it = m_keys.insert(text, foldedKey(text));
    }
    return *it;
}

} // namespace TextCompare
