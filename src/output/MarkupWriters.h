#pragma once
// The writers of formatted documents: the web page and Rich Text (also the Word document).

#include "output/DocumentWriters.h"

namespace MarkupWriters
{
void writeHtml(const ExportSource &source, QIODevice &out, const ExportOptions &options);
// The rows as an HTML table alone, for the clipboard.
QString htmlTable(const ExportSource &source, const ExportOptions &options);
void writeRtf(const ExportSource &source, QIODevice &out, const ExportOptions &options);
} // namespace MarkupWriters
