#include "output/CompoundFile.h"
#include "output/SpreadsheetWriters.h"
#include "output/WriterSupport.h"

#include "data/Errors.h"

#include <QtEndian>
#include <cstring>

namespace
{
// Record numbers of the BIFF8 records written.
enum : quint16 {
    RecBof = 0x0809,
    RecEof = 0x000A,
    RecCodepage = 0x0042,
    RecWindow1 = 0x003D,
    RecFont = 0x0031,
    RecFormat = 0x041E,
    RecXf = 0x00E0,
    RecStyle = 0x0293,
    RecBoundSheet = 0x0085,
    RecDimensions = 0x0200,
    RecColInfo = 0x007D,
    RecFooter = 0x0015,
    RecLeftMargin = 0x0026,
    RecRightMargin = 0x0027,
    RecTopMargin = 0x0028,
    RecBottomMargin = 0x0029,
    RecLabel = 0x0204,
    RecNumber = 0x0203,
    RecWindow2 = 0x023E,
};

// The cell formats after the 15 style formats and the default cell format (15).
enum : quint16 { XfHeader = 16, XfText = 17, XfNumber = 18, XfDate = 19, XfTwoDecimals = 20 };
constexpr quint16 FontBold = 5; // font index 4 does not exist in BIFF
constexpr quint16 FormatDate = 164;
constexpr quint16 FormatTwoDecimals = 2; // the built-in "0.00"
constexpr double kMargin = 0.3;          // inches
constexpr int kColumnWidth = 20;         // characters
constexpr int kMaxLabel = 255;           // characters in a LABEL cell

class Record
{
public:
    explicit Record(quint16 type) : m_type(type) {}
    Record &u8(quint8 v)
    {
        m_data += char(v);
        return *this;
    }
    Record &u16(quint16 v)
    {
        char d[2];
        qToLittleEndian(v, d);
        m_data.append(d, 2);
        return *this;
    }
    Record &u32(quint32 v)
    {
        char d[4];
        qToLittleEndian(v, d);
        m_data.append(d, 4);
        return *this;
    }
    Record &f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        char d[8];
        qToLittleEndian(bits, d);
        m_data.append(d, 8);
        return *this;
    }
    // UTF-16 characters without a length.
    Record &chars(const QString &s)
    {
        for (QChar c : s)
            u16(c.unicode());
        return *this;
    }
    // A string with a 16-bit length and the UTF-16 flag.
    Record &string16(const QString &s)
    {
        u16(static_cast<quint16>(s.size()));
        u8(1);
        return chars(s);
    }
    // A string with an 8-bit length and the UTF-16 flag.
    Record &string8(const QString &s)
    {
        u8(static_cast<quint8>(s.size()));
        u8(1);
        return chars(s);
    }
    QByteArray bytes() const
    {
        QByteArray out;
        char d[2];
        qToLittleEndian(m_type, d);
        out.append(d, 2);
        qToLittleEndian(static_cast<quint16>(m_data.size()), d);
        out.append(d, 2);
        return out + m_data;
    }

private:
    quint16 m_type;
    QByteArray m_data;
};

QByteArray bof(quint16 kind)
{
    return Record(RecBof).u16(0x0600).u16(kind).u16(0x0DBB).u16(0x07CC).u32(0).u32(0x06).bytes();
}

QByteArray font(bool bold)
{
    const QString name = QStringLiteral("MS Sans Serif");
    return Record(RecFont)
        .u16(160)
        .u16(0)
        .u16(0x7FFF)
        .u16(bold ? 700 : 400)
        .u16(0)
        .u8(0)
        .u8(0)
        .u8(0)
        .u8(0)
        .string8(name)
        .bytes();
}

// A cell format with thin borders; a style format (the first 15 and the default) has none.
QByteArray xf(quint16 fontIndex, quint16 format, bool style, bool borders)
{
    Record r(RecXf);
    r.u16(fontIndex).u16(format).u16(style ? 0xFFF5 : 0x0001).u8(0x20).u8(0).u8(0);
    r.u8(style ? 0x00 : 0xF8);
    const quint32 thin = borders ? 0x1111 | (0x40u << 16) | (0x40u << 23) : 0;
    const quint32 colours = borders ? 0x40u | (0x40u << 7) : 0;
    r.u32(thin).u32(colours).u16(0x20C0);
    return r.bytes();
}

QByteArray globals(quint32 sheetOffset, const QString &sheetName)
{
    QByteArray g = bof(0x0005);
    g += Record(RecCodepage).u16(1200).bytes();
    g += Record(RecWindow1)
             .u16(0)
             .u16(0)
             .u16(0x3A5C)
             .u16(0x23BE)
             .u16(0x38)
             .u16(0)
             .u16(0)
             .u16(1)
             .u16(0x258)
             .bytes();
    for (int i = 0; i < 4; ++i)
        g += font(false);
    g += font(true);
    g += Record(RecFormat).u16(FormatDate).string16(QStringLiteral("m/d/yyyy")).bytes();
    for (int i = 0; i < 15; ++i)
        g += xf(0, 0, true, false);
    g += xf(0, 0, false, false);
    g += xf(FontBold, 0, false, true);
    g += xf(0, 0, false, true);
    g += xf(0, 0, false, true);
    g += xf(0, FormatDate, false, true);
    g += xf(0, FormatTwoDecimals, false, true);
    g += Record(RecStyle).u16(0x8000).u8(0).u8(0xFF).bytes();
    g += Record(RecBoundSheet).u32(sheetOffset).u16(0).string8(sheetName).bytes();
    g += Record(RecEof).bytes();
    return g;
}

QByteArray label(int row, int column, quint16 format, const QString &text)
{
    return Record(RecLabel)
        .u16(static_cast<quint16>(row))
        .u16(static_cast<quint16>(column))
        .u16(format)
        .string16(text.left(kMaxLabel))
        .bytes();
}

QByteArray number(int row, int column, quint16 format, double value)
{
    return Record(RecNumber)
        .u16(static_cast<quint16>(row))
        .u16(static_cast<quint16>(column))
        .u16(format)
        .f64(value)
        .bytes();
}

// Days since 12/30/1899, as spreadsheets count dates.
double serialOf(const QDate &date)
{
    return static_cast<double>(QDate(1899, 12, 30).daysTo(date));
}

QByteArray cellRecord(int row, int column, const ExportCell &cell)
{
    switch (cell.kind) {
    case ExportCell::Kind::Number:
        return number(row, column, cell.decimals == 2 ? XfTwoDecimals : XfNumber, cell.number);
    case ExportCell::Kind::Date:
        return number(row, column, XfDate, serialOf(cell.date));
    case ExportCell::Kind::Text:
        return label(row, column, XfText, cell.text);
    case ExportCell::Kind::Empty:
        break;
    }
    return QByteArray();
}

QByteArray sheetStart(const ExportSource &source)
{
    const int columns = source.columnCount();
    QByteArray s = bof(0x0010);
    if (columns > 0)
        s += Record(RecColInfo)
                 .u16(0)
                 .u16(static_cast<quint16>(columns - 1))
                 .u16(kColumnWidth * 256)
                 .u16(15)
                 .u16(0)
                 .u16(0)
                 .bytes();
    s += Record(RecFooter).string16(QStringLiteral("&P")).bytes();
    for (quint16 margin : {RecLeftMargin, RecRightMargin, RecTopMargin, RecBottomMargin})
        s += Record(margin).f64(kMargin).bytes();
    s += Record(RecDimensions)
             .u32(0)
             .u32(static_cast<quint32>(source.rowCount() + 1))
             .u16(0)
             .u16(static_cast<quint16>(columns))
             .u16(0)
             .bytes();
    for (int c = 0; c < columns; ++c)
        s += label(0, c, XfHeader, source.columnTitle(c));
    return s;
}
} // namespace

namespace SpreadsheetWriters
{
void writeXls(const ExportSource &source, QIODevice &out, const ExportOptions &options)
{
    if (source.rowCount() + 1 > kXlsMaxRows)
        throw QuorvaneError(QStringLiteral("The table has %1 rows; an Excel 97-2003 sheet holds at most %2. "
                                           "Export it as an Excel workbook (*.xlsx) instead.")
                                .arg(source.rowCount())
                                .arg(kXlsMaxRows - 1));
    const QString sheetName = QStringLiteral("Sheet1");
    QByteArray sheet = sheetStart(source);
    WriterSupport::forEachRow(source, options.progress, [&](int r) {
        for (int c = 0; c < source.columnCount(); ++c)
            sheet += cellRecord(r + 1, c, source.cell(r, c));
    });
    sheet += Record(RecWindow2).u16(0x06B6).u16(0).u16(0).u16(0x40).u16(0).u16(0).u16(0).u32(0).bytes();
    sheet += Record(RecEof).bytes();
    // The sheet follows the globals, whose size does not depend on where the sheet starts.
    const quint32 offset = static_cast<quint32>(globals(0, sheetName).size());
    const QByteArray stream = globals(offset, sheetName) + sheet;
    WriterSupport::put(out, compoundFileWithStream(QStringLiteral("Workbook"), stream));
}
} // namespace SpreadsheetWriters
