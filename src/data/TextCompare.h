#pragma once
// The one place where texts are compared ignoring letter case, for all of Unicode (Ö = ö, É = é,
// Σ = σ = ς, letters outside the Basic Multilingual Plane too).  Filters, sorts, Locate and the
// SQL collation all go through here so that they agree on which texts are equal and on their order.
//
// Letters are matched by Unicode simple case folding, one character to one character; the order is
// that of the folded code points, the same in every locale, so it is a valid collation for SQL.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace TextCompare
{

// <0, 0 or >0.
int compareNoCase(QStringView a, QStringView b);
bool equalNoCase(QStringView a, QStringView b);
bool startsWithNoCase(QStringView text, QStringView prefix);
// A key for hashing: two texts are equalNoCase exactly when their keys are equal.
QString foldedKey(QStringView text);

// The folded key of each spelling seen, folded once: for loops that look the same few hundred names
// up again and again, where folding every time would make a new text each time.  Forgets everything
// past kLimit spellings, so that it never grows with the data.
class FoldedKeys
{
public:
    // Valid until the next call.
    const QString &of(const QString &text);

private:
    static constexpr qsizetype kLimit = 10000;
    QHash<QString, QString> m_keys;
};

// Lists of names as the choosers hold them: where a text stands among the entries (-1 if absent),
// whether it is one of them, and a stable alphabetical order, letter case ignored throughout.
int indexOfNoCase(const QStringList &entries, QStringView text);
bool containsNoCase(const QStringList &entries, QStringView text);
void sortNoCase(QStringList &list);

} // namespace TextCompare
