#pragma once
// Pieces the document writers share: the walk over the rows with the progress check, and the writing of
// bytes that fails loudly.

#include "output/DocumentWriters.h"
#include "output/ExportSource.h"

#include <QByteArray>
#include <QIODevice>

namespace WriterSupport
{
// Calls fn(row) for every row; asks the progress every few rows and throws Abort when it says stop.
void forEachRow(const ExportSource &source, const ExportProgress &progress,
                const std::function<void(int)> &fn);
// Writes all bytes or throws QuorvaneError.
void put(QIODevice &out, const QByteArray &bytes);
// The export date footer line: "Exported on 3/7/2026".
QString footerText(const QDate &date);
// A number as written into data files: shortest form, "." as decimal mark.
QByteArray plainNumber(double value);
// A number cell's value as written into data files: with its decimals when it has them (a price's 2.10),
// otherwise plainNumber.
QByteArray cellNumber(const ExportCell &cell);
} // namespace WriterSupport
