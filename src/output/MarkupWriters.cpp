#include "output/MarkupWriters.h"

#include "output/WriterSupport.h"

#include <QRegularExpression>

using WriterSupport::forEachRow;
using WriterSupport::put;

namespace
{
// The colours of the exported tables: pale cyan body with white odd rows, a brown header with white text.
constexpr const char *kTableBackground = "#CFFFFF";
constexpr const char *kHeaderBackground = "#996633";

QString htmlAlign(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return QStringLiteral(" align=\"right\"");
    if (a & Qt::AlignHCenter)
        return QStringLiteral(" align=\"center\"");
    return QString();
}

// Web and mail addresses become links.
QString htmlCellText(const QString &text)
{
    static const QRegularExpression link(QStringLiteral("^(https?://|www\\.|mailto:)\\S+$"));
    const QString escaped = text.toHtmlEscaped();
    if (!link.match(text).hasMatch())
        return escaped;
    const QString target = text.startsWith(QLatin1String("www.")) ? QStringLiteral("http://") + text : text;
    return QStringLiteral("<a href=\"") + target.toHtmlEscaped() + QStringLiteral("\">") + escaped +
           QStringLiteral("</a>");
}

// Spreadsheets that read the page take a text cell as text (a score "2:1" stays "2:1"), a number as the
// number, shown with its decimals when it has them (a price's 2.10).
QString htmlCellType(const ExportCell &cell)
{
    switch (cell.kind) {
    case ExportCell::Kind::Text:
        return QStringLiteral(" sdnum=\"1033;0;@\" style=\"mso-number-format:'\\@'\"");
    case ExportCell::Kind::Number: {
        const QString value = QStringLiteral(" sdval=\"") +
                              QString::fromLatin1(WriterSupport::plainNumber(cell.number)) + QLatin1Char('"');
        if (cell.decimals < 0)
            return value;
        const QString zeros(cell.decimals, QLatin1Char('0'));
        const QString format = zeros.isEmpty() ? QStringLiteral("0") : QStringLiteral("0.") + zeros;
        QString escaped = format;
        escaped.replace(QLatin1Char('.'), QStringLiteral("\\."));
        return value + QStringLiteral(" sdnum=\"1033;0;") + format +
               QStringLiteral("\" style=\"mso-number-format:'") + escaped + QStringLiteral("'\"");
    }
    case ExportCell::Kind::Date:
    case ExportCell::Kind::Empty:
        break;
    }
    return QString();
}

QString htmlHeaderRow(const ExportSource &source)
{
    QString row = QStringLiteral("<tr bgcolor=\"") + QLatin1String(kHeaderBackground) + QStringLiteral("\">");
    for (int c = 0; c < source.columnCount(); ++c)
        row += QStringLiteral("<th") + htmlAlign(source.alignment(c)) +
               QStringLiteral("><font color=\"#FFFFFF\"><b>") + source.columnTitle(c).toHtmlEscaped() +
               QStringLiteral("</b></font></th>");
    return row + QStringLiteral("</tr>\n");
}

QString htmlRow(const ExportSource &source, int r)
{
    // Row numbers count from 1: odd rows white.
    QString row = r % 2 == 0 ? QStringLiteral("<tr bgcolor=\"#FFFFFF\">") : QStringLiteral("<tr>");
    for (int c = 0; c < source.columnCount(); ++c) {
        const ExportCell cell = source.cell(r, c);
        row += QStringLiteral("<td") + htmlAlign(source.alignment(c)) + htmlCellType(cell) +
               QLatin1Char('>') + htmlCellText(cell.text) + QStringLiteral("</td>");
    }
    return row + QStringLiteral("</tr>\n");
}

QString htmlTableStart()
{
    return QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" bgcolor=\"") +
           QLatin1String(kTableBackground) + QStringLiteral("\">\n");
}

// RTF text: the specials escaped, everything beyond ASCII as \uN? (N a signed 16-bit code unit).
QByteArray rtfText(const QString &text)
{
    QByteArray out;
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\n') {
            out += "\\line ";
        } else if (u == '\r' || u == '\t') {
            out += ' ';
        } else if (u < 0x80) {
            out += char(u);
        } else {
            out += "\\u" + QByteArray::number(static_cast<qint16>(u)) + '?';
        }
    }
    return out;
}

QByteArray rtfAlign(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return "\\qr";
    if (a & Qt::AlignHCenter)
        return "\\qc";
    return "\\ql";
}

// A table row: colour table index 2 is the table background, 3 the header's, 1 white.
constexpr int kCellWidth = 1400; // twips

QByteArray rtfRow(const ExportSource &source, const QStringList &texts, int colour, bool bold)
{
    QByteArray row = "\\trowd\\trgaph60";
    for (int c = 0; c < source.columnCount(); ++c)
        row += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs"
               "\\brdrw10\\clcbpat" +
               QByteArray::number(colour) + "\\cellx" + QByteArray::number((c + 1) * kCellWidth);
    row += "\n";
    for (int c = 0; c < source.columnCount(); ++c) {
        row += "\\pard\\intbl" + rtfAlign(source.alignment(c)) + (bold ? "\\b\\cf1 " : "\\b0\\cf0 ") +
               rtfText(texts.value(c)) + "\\cell\n";
    }
    return row + "\\row\n";
}
} // namespace

namespace MarkupWriters
{
void writeHtml(const ExportSource &source, QIODevice &out, const ExportOptions &options)
{
    const QString title = options.title.toHtmlEscaped();
    put(out, (QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>") + title +
              QStringLiteral("</title>\n</head>\n<body bgcolor=\"#FFFFFF\" text=\"#000000\">\n"
                             "<font face=\"Arial,Helvetica\">\n<h3>") +
              title + QStringLiteral("</h3>\n") + htmlTableStart() + htmlHeaderRow(source))
                 .toUtf8());
    forEachRow(source, options.progress, [&](int r) { put(out, htmlRow(source, r).toUtf8()); });
    put(out,
        (QStringLiteral("</table>\n<p>") + WriterSupport::footerText(options.exportDate).toHtmlEscaped() +
         QStringLiteral("</p>\n</font>\n</body>\n</html>\n"))
            .toUtf8());
}

QString htmlTable(const ExportSource &source, const ExportOptions &options)
{
    QString html = htmlTableStart() + htmlHeaderRow(source);
    forEachRow(source, options.progress, [&](int r) { html += htmlRow(source, r); });
    return html + QStringLiteral("</table>\n");
}

void writeRtf(const ExportSource &source, QIODevice &out, const ExportOptions &options)
{
    // Margins in twips; 8-point fonts (\fs16), the headings bold.
    put(out,
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\n{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}\n"
        "{\\colortbl;\\red255\\green255\\blue255;\\red207\\green255\\blue255;\\red153\\green102\\blue51;}\n"
        "\\margt101\\margb101\\margl461\\margr562\n\\f0\\fs16\n");
    if (!options.title.isEmpty())
        put(out, "\\pard\\b " + rtfText(options.title) + "\\b0\\par\n");
    QStringList titles;
    for (int c = 0; c < source.columnCount(); ++c)
        titles << source.columnTitle(c);
    put(out, rtfRow(source, titles, 3, true));
    forEachRow(source, options.progress, [&](int r) {
        QStringList texts;
        for (int c = 0; c < source.columnCount(); ++c)
            texts << source.cell(r, c).text;
        put(out, rtfRow(source, texts, r % 2 == 0 ? 1 : 2, false));
    });
    put(out, "\\pard\\par " + rtfText(WriterSupport::footerText(options.exportDate)) + "\\par\n}\n");
}
} // namespace MarkupWriters
