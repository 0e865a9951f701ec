#pragma once
// The spreadsheet writers: a BIFF8 workbook (.xls) in a compound document, and an Office Open XML
// workbook (.xlsx).  Numbers are number cells, dates date cells shown M/d/yyyy, texts text cells.

#include "output/DocumentWriters.h"

namespace SpreadsheetWriters
{
// A BIFF8 sheet holds at most this many rows, the titles included.
constexpr int kXlsMaxRows = 65536;
void writeXls(const ExportSource &source, QIODevice &out, const ExportOptions &options);
void writeXlsx(const ExportSource &source, QIODevice &out, const ExportOptions &options);
} // namespace SpreadsheetWriters
