#pragma once
// The plain-text writers: CSV (RFC 4180, UTF-8), tab-separated, aligned text, DIF and SYLK.

#include "output/DocumentWriters.h"

namespace TextWriters
{
void writeCsv(const ExportSource &source, QIODevice &out, const ExportOptions &options);
void writeTab(const ExportSource &source, QIODevice &out, const ExportOptions &options);
void writeTxt(const ExportSource &source, QIODevice &out, const ExportOptions &options);
void writeDif(const ExportSource &source, QIODevice &out, const ExportOptions &options);
void writeSylk(const ExportSource &source, QIODevice &out, const ExportOptions &options);
// One tab-separated line per row, the titles first; tabs and line breaks in cells become blanks.
QString tabSeparated(const ExportSource &source, const ExportOptions &options);
// The widest a column of the aligned text gets; longer texts are cut with "...".
constexpr int kTxtColumnWidth = 30;
} // namespace TextWriters
