#pragma once
// Building blocks of what the prediction and analysis commands print: grids of cell texts as aligned
// text, and JSON written piece by piece so that keys keep the order they are given in.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>

// Writes UTF-8 to stdout at once.
void writeStdout(const QString &text);

// One line per row; the first column left-aligned, the others right-aligned, two blanks between
// columns, no trailing blanks.
QString alignedRows(const QList<QStringList> &rows);

namespace Json
{

QString text(const QString &s); // quoted, escaped
QString number(double d);       // shortest form with "."; null when not finite
QString boolean(bool b);
QString null();
// A value as a file stores it: numbers as numbers, texts as texts, NULL as null.
QString stored(const QVariant &v);
// The items are JSON already.
QString array(const QStringList &items);
// Rows of cell texts as an array of arrays of texts, one row per line indented two blanks more than
// indent, the closing bracket on a line of its own at indent.
QString textRows(const QList<QStringList> &rows, const QString &indent);
// Members in the given order; the values are JSON already.
using Members = QList<std::pair<QString, QString>>;
QString object(const Members &members);

} // namespace Json
