#include "output/DocumentWriters.h"

#include "output/MarkupWriters.h"
#include "output/OutputFile.h"
#include "output/SpreadsheetWriters.h"
#include "output/TextWriters.h"

#include "data/Errors.h"

void writeTable(const ExportSource &source, ExportType type, QIODevice &out, const ExportOptions &options)
{
    switch (type) {
    case ExportType::Csv:
        return TextWriters::writeCsv(source, out, options);
    case ExportType::Dif:
        return TextWriters::writeDif(source, out, options);
    case ExportType::Xls:
        return SpreadsheetWriters::writeXls(source, out, options);
    case ExportType::Html:
        return MarkupWriters::writeHtml(source, out, options);
    case ExportType::Rtf:
    case ExportType::Doc:
        // Word processors open Rich Text under the Word name as a table.
        return MarkupWriters::writeRtf(source, out, options);
    case ExportType::Sylk:
        return TextWriters::writeSylk(source, out, options);
    case ExportType::Tab:
        return TextWriters::writeTab(source, out, options);
    case ExportType::Txt:
        return TextWriters::writeTxt(source, out, options);
    case ExportType::Xlsx:
        return SpreadsheetWriters::writeXlsx(source, out, options);
    case ExportType::Clipboard:
        break;
    }
    throw QuorvaneError(QStringLiteral("The clipboard is no file type."));
}

ClipboardTable clipboardTable(const ExportSource &source, const ExportOptions &options)
{
    ExportOptions quiet = options;
    ClipboardTable t;
    t.text = TextWriters::tabSeparated(source, quiet);
    quiet.progress = nullptr; // the rows were counted once already
    t.html = MarkupWriters::htmlTable(source, quiet);
    return t;
}

void exportTableToFile(const ExportSource &source, ExportType type, const QString &path,
                       const ExportOptions &options)
{
    OutputFile file(path);
    writeTable(source, type, file, options); // a throw leaves the target as it was
    file.commit();
}
