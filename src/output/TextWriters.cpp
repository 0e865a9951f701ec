#include "output/TextWriters.h"

#include "output/WriterSupport.h"

#include "data/Windows1252.h"

using WriterSupport::forEachRow;
using WriterSupport::put;

namespace
{
// Texts are always quoted (an inner quote doubled), numbers never: a reader that takes quoted fields as
// text keeps "2.10" as the text it is.
QByteArray csvField(const QString &text)
{
    QByteArray f = text.toUtf8();
    f.replace("\"", "\"\"");
    return '"' + f + '"';
}

QByteArray csvCell(const ExportCell &c)
{
    switch (c.kind) {
    case ExportCell::Kind::Number:
        return WriterSupport::cellNumber(c);
    case ExportCell::Kind::Empty:
        return QByteArray();
    case ExportCell::Kind::Text:
    case ExportCell::Kind::Date:
        break;
    }
    return csvField(c.text);
}

QString flatText(QString text)
{
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString tabLine(const QStringList &cells)
{
    QStringList flat;
    for (const QString &c : cells)
        flat << flatText(c);
    return flat.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
}

QStringList titlesOf(const ExportSource &source)
{
    QStringList t;
    for (int c = 0; c < source.columnCount(); ++c)
        t << source.columnTitle(c);
    return t;
}

QStringList textsOf(const ExportSource &source, int row)
{
    QStringList t;
    for (int c = 0; c < source.columnCount(); ++c)
        t << source.cell(row, c).text;
    return t;
}

QString cut(const QString &text, int width)
{
    return text.size() <= width ? text : text.left(width - 3) + QStringLiteral("...");
}

QString padded(const QString &text, int width, Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight)
        return text.rightJustified(width);
    if (alignment & Qt::AlignHCenter) {
        const int left = (width - static_cast<int>(text.size())) / 2;
        return QString(QString(left, QLatin1Char(' ')) + text).leftJustified(width);
    }
    return text.leftJustified(width);
}

QByteArray difString(const QString &text)
{
    // DIF readers take 8-bit text in the Windows code page.
    QByteArray t = Windows1252::encode(flatText(text));
    t.replace("\"", "\"\"");
    return "1,0\r\n\"" + t + "\"\r\n";
}

QByteArray sylkText(const QString &text)
{
    QByteArray t = flatText(text).toUtf8();
    t.replace(";", ";;");
    return t;
}
} // namespace

namespace TextWriters
{
void writeCsv(const ExportSource &source, QIODevice &out, const ExportOptions &options)
{
    QByteArrayList titles;
    for (int c = 0; c < source.columnCount(); ++c)
        titles << csvField(source.columnTitle(c));
    put(out, titles.join(',') + "\r\n");
    forEachRow(source, options.progress, [&](int r) {
        QByteArrayList line;
        for (int c = 0; c < source.columnCount(); ++c)
            line << csvCell(source.cell(r, c));
        put(out, line.join(',') + "\r\n");
    });
}

QString tabSeparated(const ExportSource &source, const ExportOptions &options)
{
    QString text = tabLine(titlesOf(source));
    forEachRow(source, options.progress, [&](int r) { text += tabLine(textsOf(source, r)); });
    return text;
}

void writeTab(const ExportSource &source, QIODevice &out, const ExportOptions &options)
{
    put(out, tabLine(titlesOf(source)).toUtf8());
    forEachRow(source, options.progress, [&](int r) { put(out, tabLine(textsOf(source, r)).toUtf8()); });
}

void writeTxt(const ExportSource &source, QIODevice &out, const ExportOptions &options)
{
    // Two passes: the widths first, then the lines.
    const int columns = source.columnCount();
    QList<int> widths;
    for (int c = 0; c < columns; ++c)
        widths << std::min<int>(kTxtColumnWidth, static_cast<int>(flatText(source.columnTitle(c)).size()));
    forEachRow(source, options.progress, [&](int r) {
        for (int c = 0; c < columns; ++c)
            widths[c] = std::max<int>(
                widths[c], std::min<int>(kTxtColumnWidth, static_cast<int>(source.cell(r, c).text.size())));
    });
    auto line = [&](const QStringList &cells, bool titles) {
        QStringList parts;
        for (int c = 0; c < columns; ++c)
            parts << padded(cut(flatText(cells.value(c)), widths[c]), widths[c],
                            titles ? Qt::AlignLeft : source.alignment(c));
        QString l = parts.join(QStringLiteral("  "));
        while (l.endsWith(QLatin1Char(' ')))
            l.chop(1);
        return (l + QStringLiteral("\r\n")).toUtf8();
    };
    if (!options.title.isEmpty())
        put(out, (options.title + QStringLiteral("\r\n\r\n")).toUtf8());
    put(out, line(titlesOf(source), true));
    QStringList rules;
    for (int w : widths)
        rules << QString(w, QLatin1Char('-'));
    put(out, (rules.join(QStringLiteral("  ")) + QStringLiteral("\r\n")).toUtf8());
    forEachRow(source, options.progress, [&](int r) { put(out, line(textsOf(source, r), false)); });
    put(out, (QStringLiteral("\r\n") + WriterSupport::footerText(options.exportDate) + QStringLiteral("\r\n"))
                 .toUtf8());
}

void writeDif(const ExportSource &source, QIODevice &out, const ExportOptions &options)
{
    const QByteArray columns = QByteArray::number(source.columnCount());
    const QByteArray rows = QByteArray::number(source.rowCount() + 1);
    put(out, "TABLE\r\n0,1\r\n\"\"\r\nVECTORS\r\n0," + columns + "\r\n\"\"\r\nTUPLES\r\n0," + rows +
                 "\r\n\"\"\r\nDATA\r\n0,0\r\n\"\"\r\n");
    QByteArray titles = "-1,0\r\nBOT\r\n";
    for (int c = 0; c < source.columnCount(); ++c)
        titles += difString(source.columnTitle(c));
    put(out, titles);
    forEachRow(source, options.progress, [&](int r) {
        QByteArray line = "-1,0\r\nBOT\r\n";
        for (int c = 0; c < source.columnCount(); ++c) {
            const ExportCell cell = source.cell(r, c);
            if (cell.kind == ExportCell::Kind::Number)
                line += "0," + WriterSupport::cellNumber(cell) + "\r\nV\r\n";
            else
                line += difString(cell.text);
        }
        put(out, line);
    });
    put(out, "-1,0\r\nEOD\r\n");
}

void writeSylk(const ExportSource &source, QIODevice &out, const ExportOptions &options)
{
    put(out, "ID;PQUORVANE;N;E\r\n");
    auto cellLine = [](int row, int column, const QByteArray &value) -> QByteArray {
        return "C;Y" + QByteArray::number(row + 1) + ";X" + QByteArray::number(column + 1) + ";K" + value +
               "\r\n";
    };
    QByteArray titles;
    for (int c = 0; c < source.columnCount(); ++c)
        titles += cellLine(0, c, '"' + sylkText(source.columnTitle(c)) + '"');
    put(out, titles);
    forEachRow(source, options.progress, [&](int r) {
        QByteArray line;
        for (int c = 0; c < source.columnCount(); ++c) {
            const ExportCell cell = source.cell(r, c);
            if (cell.kind == ExportCell::Kind::Number)
                line += cellLine(r + 1, c, WriterSupport::cellNumber(cell));
            else if (cell.kind != ExportCell::Kind::Empty)
                line += cellLine(r + 1, c, '"' + sylkText(cell.text) + '"');
        }
        put(out, line);
    });
    put(out, "E\r\n");
}
} // namespace TextWriters
