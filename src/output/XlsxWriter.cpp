#include "output/SpreadsheetWriters.h"
#include "output/WriterSupport.h"

#include "data/Errors.h"

#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace
{
// The workbook library writes to a named file; the bytes are copied onto the device afterwards.
struct WorkbookCloser {
    lxw_workbook *book;
    ~WorkbookCloser()
    {
        if (book)
            workbook_close(book);
    }
};

void check(lxw_error e)
{
    if (e != LXW_NO_ERROR)
        throw QuorvaneError(
            QStringLiteral("Cannot write the workbook: %1").arg(QString::fromUtf8(lxw_strerror(e))));
}

lxw_format *cellFormat(lxw_workbook *book, bool bold, const char *numberFormat)
{
    lxw_format *f = workbook_add_format(book);
    format_set_font_name(f, "MS Sans Serif");
    format_set_font_size(f, 8);
    format_set_border(f, LXW_BORDER_THIN);
    if (bold)
        format_set_bold(f);
    if (numberFormat)
        format_set_num_format(f, numberFormat);
    return f;
}
} // namespace

namespace SpreadsheetWriters
{
void writeXlsx(const ExportSource &source, QIODevice &out, const ExportOptions &options)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        throw QuorvaneError(QStringLiteral("Cannot create a temporary folder for the workbook."));
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("export.xlsx")));
    {
        // Constant memory: rows go to the file as they are written.
        lxw_workbook_options wo{};
        wo.constant_memory = LXW_TRUE;
        wo.tmpdir = nullptr;
        WorkbookCloser closer{workbook_new_opt(path.constData(), &wo)};
        lxw_workbook *book = closer.book;
        if (!book)
            throw QuorvaneError(QStringLiteral("Cannot create the workbook."));
        lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
        lxw_format *header = cellFormat(book, true, nullptr);
        lxw_format *plain = cellFormat(book, false, nullptr);
        lxw_format *date = cellFormat(book, false, "m/d/yyyy");
        lxw_format *twoDecimals = cellFormat(book, false, "0.00");
        const int columns = source.columnCount();
        if (columns > 0)
            worksheet_set_column(sheet, 0, static_cast<lxw_col_t>(columns - 1), 20, nullptr);
        worksheet_set_footer(sheet, "&P");
        worksheet_set_margins(sheet, 0.3, 0.3, 0.3, 0.3);
        for (int c = 0; c < columns; ++c)
            check(worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c),
                                         source.columnTitle(c).toUtf8().constData(), header));
        WriterSupport::forEachRow(source, options.progress, [&](int r) {
            const auto row = static_cast<lxw_row_t>(r + 1);
            for (int c = 0; c < columns; ++c) {
                const ExportCell cell = source.cell(r, c);
                const auto col = static_cast<lxw_col_t>(c);
                switch (cell.kind) {
                case ExportCell::Kind::Number:
                    check(worksheet_write_number(sheet, row, col, cell.number,
                                                 cell.decimals == 2 ? twoDecimals : plain));
                    break;
                case ExportCell::Kind::Date: {
                    lxw_datetime dt{cell.date.year(), cell.date.month(), cell.date.day(), 0, 0, 0};
                    check(worksheet_write_datetime(sheet, row, col, &dt, date));
                    break;
                }
                case ExportCell::Kind::Text:
                    check(worksheet_write_string(sheet, row, col, cell.text.toUtf8().constData(), plain));
                    break;
                case ExportCell::Kind::Empty:
                    break;
                }
            }
        });
        lxw_workbook *done = closer.book;
        closer.book = nullptr;
        check(workbook_close(done));
    }
    QFile written(QFile::decodeName(path));
    if (!written.open(QIODevice::ReadOnly))
        throw QuorvaneError(QStringLiteral("Cannot read back the workbook: %1").arg(written.errorString()));
    while (!written.atEnd())
        WriterSupport::put(out, written.read(1 << 20));
}
} // namespace SpreadsheetWriters
