#include "output/report/ReportPainter.h"

#include "output/GridPrintouts.h"
#include "output/OutputFile.h"
#include "output/report/ReportFont.h"
#include "output/report/ReportPaper.h"

#include "data/Dates.h"
#include "data/Errors.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace
{
// Below this size a text would no longer be read; one that does not fit even so is cut at its box.
constexpr int kSmallestPixels = static_cast<int>(3 * kReportUnitsPerInch / 72);

// The font at the largest size, at most its own, at which the text is no wider than `width`.
QFont shrunkToWidth(const QFont &font, const QString &text, double width)
{
    QFont f = font;
    double advance = QFontMetricsF(f).horizontalAdvance(text);
    if (advance <= width)
        return f;
    // Widths grow with the size; start from the proportional estimate and step down from there.
    int pixels = std::max(kSmallestPixels, static_cast<int>(f.pixelSize() * width / advance));
    for (f = resizedReportFont(font, pixels); pixels > kSmallestPixels; f = resizedReportFont(font, --pixels))
        if (QFontMetricsF(f).horizontalAdvance(text) <= width)
            break;
    return f;
}

// One line of text in the rectangle, drawn smaller when it is wider than the rectangle: a column keeps
// its text whatever font the machine has in place of the report font.
void drawFitted(QPainter &p, const QRectF &r, Qt::Alignment alignment, const QString &text, const QFont &font)
{
    p.setFont(shrunkToWidth(font, text, r.width()));
    p.drawText(r, static_cast<int>(alignment) | Qt::TextSingleLine, text);
}

// Scales the painter so that one report unit is 1/600 inch on the device; returns the printable area in
// report units.
QSizeF useReportUnits(QPainter &p, QPagedPaintDevice &device)
{
    const double sx = device.logicalDpiX() / kReportUnitsPerInch,
                 sy = device.logicalDpiY() / kReportUnitsPerInch;
    p.setTransform(QTransform::fromScale(sx, sy));
    return QSizeF(device.width() / sx, device.height() / sy);
}

QPen linePen(double width)
{
    QPen pen(Qt::black);
    pen.setWidthF(width);
    return pen;
}

// The painting of one banded report, page by page, in report units.
class BandedPainter
{
public:
    BandedPainter(QPagedPaintDevice &device, QPainter &painter, const BandedReport &report)
        : m_device(device), m_p(painter), m_report(report)
    {
        const QSizeF area = useReportUnits(painter, device);
        m_width = area.width();
        m_bottom = area.height();
        m_g = bandedGeometry(report, m_width);
        m_headingHeight = QFontMetricsF(m_g.heading).height() + 2 * m_g.pad;
        m_lineHeight = QFontMetricsF(m_g.data).height() + m_g.pad;
    }

    bool paint(const ReportPaintOptions &options)
    {
        m_p.setPen(linePen(2));
        titleLine(options.printDate);
        headings();
        const int total = static_cast<int>(m_report.rows.size());
        for (int r = 0; r < total; ++r) {
            if (options.progress && r % 50 == 0 && !options.progress(r, total))
                return false;
            if (m_y + m_lineHeight > m_bottom)
                pageBreak();
            line(m_report.rows[r]);
        }
        closeFrame();
        return !options.progress || options.progress(total, total);
    }

private:
    void titleLine(const QDate &date)
    {
        const QString dateText = printDateText(date);
        const double dateWidth = QFontMetricsF(m_g.heading).horizontalAdvance(dateText);
        drawFitted(m_p, QRectF(0, 0, std::max(0.0, m_width - dateWidth - 4 * m_g.pad), m_headingHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, m_report.title, m_g.heading);
        drawFitted(m_p, QRectF(0, 0, m_width, m_headingHeight), Qt::AlignRight | Qt::AlignVCenter, dateText,
                   m_g.heading);
        m_y = m_headingHeight + m_g.pad;
    }

    void headings()
    {
        m_frameTop = m_y;
        if (!m_report.groups.isEmpty()) {
            for (const ReportGroup &g : m_report.groups) {
                drawFitted(m_p, textRect(g.first, g.last, m_headingHeight), Qt::AlignCenter, g.title,
                           m_g.heading);
                const double left = m_g.edges[g.first];
                m_p.drawLine(QPointF(left, m_y), QPointF(left, m_y + m_headingHeight));
            }
            m_y += m_headingHeight;
            m_p.drawLine(QPointF(0, m_y), QPointF(m_width, m_y));
        }
        for (int c = 0; c < m_report.columns.size(); ++c)
            drawFitted(m_p, textRect(c, c, m_headingHeight), Qt::AlignVCenter | m_report.columns[c].alignment,
                       m_report.columns[c].title, m_g.heading);
        m_y += m_headingHeight;
        m_p.drawLine(QPointF(0, m_y), QPointF(m_width, m_y));
        m_rulesTop = m_y - m_headingHeight;
    }

    void line(const QStringList &cells)
    {
        for (int c = 0; c < m_report.columns.size(); ++c)
            drawFitted(m_p, textRect(c, c, m_lineHeight), Qt::AlignVCenter | m_report.columns[c].alignment,
                       cells.value(c), m_g.data);
        m_y += m_lineHeight;
    }

    QRectF textRect(int first, int last, double height) const
    {
        return QRectF(m_g.edges[first] + m_g.pad, m_y, m_g.room(first, last), height);
    }

    // The frame around headings and lines of this page, and the rules between the columns.
    void closeFrame()
    {
        m_p.setPen(linePen(4));
        m_p.drawRect(QRectF(0, m_frameTop, m_width, m_y - m_frameTop));
        for (int c = 1; c < m_report.columns.size(); ++c)
            m_p.drawLine(QPointF(m_g.edges[c], m_rulesTop), QPointF(m_g.edges[c], m_y));
        m_p.setPen(linePen(2));
    }

    void pageBreak()
    {
        closeFrame();
        m_device.newPage();
        useReportUnits(m_p, m_device);
        m_y = 0;
        if (m_report.headingsOnEveryPage) {
            headings();
        } else {
            m_frameTop = m_y;
            m_rulesTop = m_y;
        }
    }

    QPagedPaintDevice &m_device;
    QPainter &m_p;
    const BandedReport &m_report;
    BandedGeometry m_g;
    double m_headingHeight = 0, m_lineHeight = 0, m_width = 0, m_bottom = 0;
    double m_y = 0, m_frameTop = 0, m_rulesTop = 0;
};

// The words of a text, each with the blanks that follow it, so that lines keep the text's own spacing.
QStringList wordsOf(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("\\S+\\s*"));
    QStringList words;
    for (auto it = word.globalMatch(text); it.hasNext();)
        words << it.next().captured();
    return words;
}

// The words filled into lines no wider than `width`.  A word wider than that alone fails the wrap
// (none), or, when it may break anywhere, goes on over as many lines as it needs.
QStringList wrapped(const QStringList &words, const QFontMetricsF &fm, double width, bool anywhere)
{
    QStringList lines;
    QString line;
    auto add = [&](const QString &piece) {
        if (!line.isEmpty() && fm.horizontalAdvance(QString(line + piece).trimmed()) > width) {
            lines << line.trimmed();
            line.clear();
        }
        line += piece;
    };
    for (const QString &w : words) {
        if (fm.horizontalAdvance(w.trimmed()) <= width) {
            add(w);
            continue;
        }
        if (!anywhere)
            return {};
        for (const QChar c : w)
            add(QString(c));
    }
    if (!line.isEmpty())
        lines << line.trimmed();
    return lines;
}

// A page laid out box by box.  A page drawn larger than the printable area (a tall grid on shorter
// paper) is scaled down whole, so that all of it stays on the sheet.
void paintDrawnPage(QPainter &p, QPagedPaintDevice &device, const DrawnPage &page)
{
    const QSizeF area = useReportUnits(p, device);
    QRect bounds;
    for (const QList<QRect> *boxes : {&page.frames, &page.fills})
        for (const QRect &r : *boxes)
            bounds = bounds.united(r);
    for (const DrawnText &t : page.texts)
        bounds = bounds.united(t.box);
    const double right = bounds.x() + bounds.width(), bottom = bounds.y() + bounds.height();
    const double scale =
        std::min({1.0, right > 0 ? area.width() / right : 1.0, bottom > 0 ? area.height() / bottom : 1.0});
    p.scale(scale, scale);
    p.setPen(linePen(2));
    for (const QRect &frame : page.frames)
        p.drawRect(frame);
    for (const QRect &fill : page.fills)
        p.fillRect(fill, Qt::black);
    for (const DrawnText &t : page.texts) {
        const FittedText fitted = fitDrawnText(t);
        p.setFont(fitted.font);
        const double spacing = QFontMetricsF(fitted.font).lineSpacing();
        for (qsizetype i = 0; i < fitted.lines.size(); ++i)
            p.drawText(QRectF(t.box.left(), t.box.top() + i * spacing, t.box.width(), spacing),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, fitted.lines[i]);
    }
}

// The pages of a printout laid out box by box, each after the first on a new sheet.
void paintDrawnPages(QPainter &p, QPagedPaintDevice &device, const DrawnPrintout &printout)
{
    const QSizeF area = useReportUnits(p, device);
    const QSize units(static_cast<int>(area.width()), static_cast<int>(area.height()));
    const QList<DrawnPage> pages = printout.layout ? printout.layout(units) : QList<DrawnPage>{};
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        paintDrawnPage(p, device, pages[i]);
    }
}

void begin(QPainter &painter, QPagedPaintDevice &device)
{
    if (!painter.begin(&device))
        throw QuorvaneError(QStringLiteral("The printer could not be started."));
}

bool paintJob(QPainter &painter, QPagedPaintDevice &device, const PrintJob &job,
              const ReportPaintOptions &options)
{
    if (const auto *report = std::get_if<BandedReport>(&job)) {
        BandedPainter bands(device, painter, *report);
        return bands.paint(options);
    }
    if (const auto *drawn = std::get_if<DrawnPrintout>(&job))
        paintDrawnPages(painter, device, *drawn);
    else
        paintDrawnPage(painter, device, layoutGridPrintout(std::get<GridPrintout>(job)));
    return true;
}

} // namespace

QPageLayout jobPageLayout(const PrintJob &job, const QPageSize &paper)
{
    const QPageSize size = paper.isValid() ? paper : localePaper();
    if (const auto *report = std::get_if<BandedReport>(&job))
        return QPageLayout(size, report->landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    // The drawn printouts use most of the sheet: a grid is 10.5 inches wide.
    const bool landscape =
        std::holds_alternative<GridPrintout>(job) || std::get<DrawnPrintout>(job).landscape;
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
}

BandedGeometry bandedGeometry(const BandedReport &report, double width)
{
    BandedGeometry g;
    g.heading = reportFont(10, true);
    g.data = reportFont(8, false);
    g.pad = kReportUnitsPerInch / 30;
    double total = 0;
    for (const ReportColumn &c : report.columns)
        total += c.width;
    double x = 0;
    for (const ReportColumn &c : report.columns) {
        g.edges << x;
        x += width * c.width / (total > 0 ? total : 1);
    }
    g.edges << width;
    return g;
}

QString printDateText(const QDate &date)
{
    return QStringLiteral("Date: ") + Dates::toShortDate(date);
}

FittedText fitDrawnText(const DrawnText &t)
{
    const QFont base = reportFont(t.points, t.bold);
    const QString text = t.text.trimmed();
    const QStringList words = wordsOf(t.text);
    auto fitsHeight = [&t](const QFontMetricsF &fm, qsizetype lines) {
        return (lines - 1) * fm.lineSpacing() + fm.height() <= t.box.height();
    };
    for (int pixels = base.pixelSize(); pixels >= kSmallestPixels; --pixels) {
        const QFont f = resizedReportFont(base, pixels);
        const QFontMetricsF fm(f);
        if (fm.horizontalAdvance(text) <= t.box.width() && fitsHeight(fm, 1))
            return {f, {text}};
        if (!t.wrap)
            continue;
        const QStringList lines = wrapped(words, fm, t.box.width(), false);
        if (!lines.isEmpty() && fitsHeight(fm, lines.size()))
            return {f, lines};
    }
    // Even the smallest size is too large: a text that may wrap breaks inside its words, one that may
    // not is cut at its box.
    const QFont smallest = resizedReportFont(base, kSmallestPixels);
    if (t.wrap)
        return {smallest, wrapped(words, QFontMetricsF(smallest), t.box.width(), true)};
    return {smallest, {text}};
}

QString jobTitle(const PrintJob &job)
{
    return std::visit([](const auto &j) { return j.title; }, job);
}

bool printJob(QPagedPaintDevice &device, const PrintJob &job, const ReportPaintOptions &options)
{
    return paintJobs(device, {job}, options);
}

bool paintJobs(QPagedPaintDevice &device, const QList<PrintJob> &jobs, const ReportPaintOptions &options)
{
    if (jobs.isEmpty())
        return true;
    device.setPageLayout(jobPageLayout(jobs.front(), options.paper));
    QPainter painter;
    begin(painter, device);
    for (qsizetype i = 0; i < jobs.size(); ++i) {
        if (i > 0) {
            // The next page takes the next job's set-up.
            device.setPageLayout(jobPageLayout(jobs[i], options.paper));
            device.newPage();
        }
        if (!paintJob(painter, device, jobs[i], options))
            return false;
    }
    return true;
}

void writeJobsPdf(const QList<PrintJob> &jobs, const QString &path, const ReportPaintOptions &options)
{
    OutputFile file(path);
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(static_cast<int>(kReportUnitsPerInch));
        pdf.setTitle(jobs.isEmpty() ? QString() : jobTitle(jobs.front()));
        pdf.setCreator(QStringLiteral("Quorvane"));
        if (!paintJobs(pdf, jobs, options))
            throw Abort();
    }
    file.commit(); // the PDF writer ignores failed writes: the file reports them here
}

void writeBandedReportPdf(const BandedReport &report, const QString &path, const ReportPaintOptions &options)
{
    writeJobsPdf({report}, path, options);
}

void writeGridPrintoutPdf(const GridPrintout &grid, const QString &path, const ReportPaintOptions &options)
{
    writeJobsPdf({grid}, path, options);
}
