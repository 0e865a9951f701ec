#pragma once
// The document writers behind the export commands: a table (titles, alignments, typed cells) written as
// CSV, DIF, Excel (BIFF8 and XLSX), a web page, Rich Text, SYLK, tab-separated or aligned text, or a Word
// document (Rich Text that word processors open as a table).

#include "output/ExportTypes.h"

#include <QDate>
#include <QString>
#include <functional>

class ExportSource;
class QIODevice;

// Called every few rows with the rows done and the row count; false cancels the export (Abort).
using ExportProgress = std::function<bool(int done, int total)>;

struct ExportOptions {
    QString title;                           // the web page's title, the documents' heading
    QDate exportDate = QDate::currentDate(); // the footer of the documents
    ExportProgress progress;
};

// Writes the table in one of the file types (every type but the clipboard).  Abort when cancelled,
// QuorvaneError when the device refuses the bytes.
void writeTable(const ExportSource &source, ExportType type, QIODevice &out, const ExportOptions &options);

// The clipboard's two forms of the same rows: tab-separated text and an HTML table.
struct ClipboardTable {
    QString text;
    QString html;
};
ClipboardTable clipboardTable(const ExportSource &source, const ExportOptions &options);

// Writes the table to an output file (see OutputFile): a failure or a cancel leaves no partial file and
// an existing file as it was.  QuorvaneError naming the file when it cannot be written; Abort when
// cancelled.
void exportTableToFile(const ExportSource &source, ExportType type, const QString &path,
                       const ExportOptions &options);
