#include "output/report/ReportPainter.h"

#include "data/Dates.h"
#include "data/Errors.h"

#include <QDir>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace
{
const QString kFont = QStringLiteral("Arial");

QFont reportFont(QPaintDevice &device, int pointSize, bool bold)
{
    QFont f(kFont, pointSize, bold ? QFont::Bold : QFont::Normal);
    f.setStyleHint(QFont::SansSerif);
    return QFont(f, &device);
}

// The painting of one banded report, page by page.
class BandedPainter
{
public:
    BandedPainter(QPagedPaintDevice &device, QPainter &painter, const BandedReport &report)
        : m_device(device), m_p(painter), m_report(report), m_title(reportFont(device, 10, true)),
          m_data(reportFont(device, 8, false))
    {
        const double dpi = device.logicalDpiY();
        m_pad = dpi / 30;
        m_headingHeight = QFontMetricsF(m_title).height() + 2 * m_pad;
        m_lineHeight = QFontMetricsF(m_data).height() + m_pad;
        m_width = device.width();
        m_bottom = device.height();
        double total = 0;
        for (const ReportColumn &c : report.columns)
            total += c.width;
        double x = 0;
        for (const ReportColumn &c : report.columns) {
            m_left << x;
            x += m_width * c.width / (total > 0 ? total : 1);
        }
        m_left << m_width;
    }

    bool paint(const ReportPaintOptions &options)
    {
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
        m_p.setFont(m_title);
        const QRectF r(0, 0, m_width, m_headingHeight);
        m_p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, m_report.title);
        m_p.drawText(r, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Date: ") + Dates::toShortDate(date));
        m_y = m_headingHeight + m_pad;
    }

    void headings()
    {
        m_frameTop = m_y;
        m_p.setFont(m_title);
        if (!m_report.groups.isEmpty()) {
            for (const ReportGroup &g : m_report.groups) {
                const QRectF r(m_left[g.first], m_y, m_left[g.last + 1] - m_left[g.first], m_headingHeight);
                m_p.drawText(r, Qt::AlignCenter, g.title);
                m_p.drawLine(QPointF(r.left(), m_y), QPointF(r.left(), m_y + m_headingHeight));
            }
            m_y += m_headingHeight;
            m_p.drawLine(QPointF(0, m_y), QPointF(m_width, m_y));
        }
        for (int c = 0; c < m_report.columns.size(); ++c)
            m_p.drawText(cellRect(c, m_headingHeight), Qt::AlignVCenter | m_report.columns[c].alignment,
                         m_report.columns[c].title);
        m_y += m_headingHeight;
        m_p.drawLine(QPointF(0, m_y), QPointF(m_width, m_y));
        m_rulesTop = m_y - m_headingHeight;
    }

    void line(const QStringList &cells)
    {
        m_p.setFont(m_data);
        for (int c = 0; c < m_report.columns.size(); ++c)
            m_p.drawText(cellRect(c, m_lineHeight), Qt::AlignVCenter | m_report.columns[c].alignment,
                         cells.value(c));
        m_y += m_lineHeight;
    }

    QRectF cellRect(int column, double height) const
    {
        return QRectF(m_left[column] + m_pad, m_y, m_left[column + 1] - m_left[column] - 2 * m_pad, height);
    }

    // The frame around headings and lines of this page, and the rules between the columns.
    void closeFrame()
    {
        QPen pen(Qt::black);
        pen.setWidthF(m_device.logicalDpiY() / 150.0);
        m_p.setPen(pen);
        m_p.drawRect(QRectF(0, m_frameTop, m_width, m_y - m_frameTop));
        for (int c = 1; c < m_report.columns.size(); ++c)
            m_p.drawLine(QPointF(m_left[c], m_rulesTop), QPointF(m_left[c], m_y));
    }

    void pageBreak()
    {
        closeFrame();
        m_device.newPage();
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
    QFont m_title, m_data;
    double m_pad = 0, m_headingHeight = 0, m_lineHeight = 0, m_width = 0, m_bottom = 0;
    double m_y = 0, m_frameTop = 0, m_rulesTop = 0;
    QList<double> m_left; // left edge of each column, then the right edge
};

// 600-dpi units of the grid printouts.
constexpr double kGridDpi = 600;
constexpr int kGridWidth = 6300;
constexpr int kHeadingTop = 250, kHeadingBottom = 400;
constexpr int kBoxHeight = 125, kTextInset = 20;

QFont gridFont(double pointSize, bool bold)
{
    QFont f(kFont);
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(qRound(pointSize * kGridDpi / 72));
    f.setBold(bold);
    return f;
}

void openPdf(QSaveFile &file, const QString &path)
{
    if (!file.open(QIODevice::WriteOnly))
        throw QuorvaneError(QStringLiteral("Cannot create file \"%1\". %2")
                                .arg(QDir::toNativeSeparators(path), file.errorString()));
}

void commitPdf(QSaveFile &file, const QString &path)
{
    if (!file.commit())
        throw QuorvaneError(QStringLiteral("Cannot write file \"%1\". %2")
                                .arg(QDir::toNativeSeparators(path), file.errorString()));
}

void setPdfDetails(QPdfWriter &pdf, const QString &title)
{
    pdf.setResolution(static_cast<int>(kGridDpi));
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Quorvane"));
}
} // namespace

void setBandedReportPage(QPagedPaintDevice &device, const BandedReport &report)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter),
                                     report.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
}

void setGridPrintoutPage(QPagedPaintDevice &device)
{
    QPageLayout layout = device.pageLayout();
    layout.setOrientation(QPageLayout::Landscape);
    // The drawing is 10.5 inches wide: small margins keep it on the page.
    layout.setUnits(QPageLayout::Millimeter);
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(QMarginsF(5, 5, 5, 5));
    device.setPageLayout(layout);
}

void setDrawnPrintoutPage(QPagedPaintDevice &device, const DrawnPrintout &printout)
{
    QPageLayout layout(QPageSize(QPageSize::Letter),
                       printout.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    layout.setMinimumMargins(QMarginsF());
    device.setPageLayout(layout);
}

namespace
{
void begin(QPainter &painter, QPagedPaintDevice &device)
{
    if (!painter.begin(&device))
        throw QuorvaneError(QStringLiteral("The printer could not be started."));
}

void paintGrid(QPainter &p, QPagedPaintDevice &device, const GridPrintout &grid)
{
    p.save();
    const double scale = device.logicalDpiX() / kGridDpi;
    p.scale(scale, device.logicalDpiY() / kGridDpi);
    QPen pen(Qt::black);
    pen.setWidth(2);
    p.setPen(pen);
    p.drawRect(0, kHeadingTop, kGridWidth, kHeadingBottom - kHeadingTop);
    p.setFont(gridFont(12, true));
    p.drawText(
        QRect(kTextInset, kHeadingTop + 10, kGridWidth - kTextInset, kHeadingBottom - kHeadingTop - 10),
        Qt::AlignLeft | Qt::AlignTop, grid.title);
    const int rows = static_cast<int>(grid.cells.size());
    int columns = 0;
    for (const QStringList &r : grid.cells)
        columns = std::max(columns, static_cast<int>(r.size()));
    if (columns == 0) {
        p.restore();
        return;
    }
    const int w = kGridWidth / columns;
    const int step = 5 * grid.gridRowHeight + 25;
    const QFont bold = gridFont(7, true), regular = gridFont(7, false);
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const QRect box(c * w, kHeadingBottom + r * step, w, kBoxHeight);
            if (grid.blackDiagonal && c == r && c > 0) {
                p.fillRect(box, Qt::black);
                continue;
            }
            p.drawRect(box);
            p.setFont(r == 0 || c == 0 ? bold : regular);
            p.drawText(box.adjusted(kTextInset, kTextInset, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                       grid.cells[r].value(c));
        }
    }
    p.restore();
}

// The pages of a printout laid out box by box, each after the first on a new sheet.
void paintDrawnPages(QPainter &p, QPagedPaintDevice &device, const DrawnPrintout &printout)
{
    const double sx = device.logicalDpiX() / kGridDpi, sy = device.logicalDpiY() / kGridDpi;
    const QSize area(qRound(device.width() / sx), qRound(device.height() / sy));
    const QList<DrawnPage> pages = printout.layout ? printout.layout(area) : QList<DrawnPage>{};
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        p.save();
        p.scale(sx, sy);
        QPen pen(Qt::black);
        pen.setWidth(2);
        p.setPen(pen);
        for (const QRect &frame : pages[i].frames)
            p.drawRect(frame);
        for (const DrawnText &t : pages[i].texts) {
            p.setFont(gridFont(t.points, t.bold));
            p.drawText(t.box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, t.text);
        }
        p.restore();
    }
}

void setJobPage(QPagedPaintDevice &device, const PrintJob &job)
{
    if (const auto *report = std::get_if<BandedReport>(&job))
        setBandedReportPage(device, *report);
    else if (const auto *drawn = std::get_if<DrawnPrintout>(&job))
        setDrawnPrintoutPage(device, *drawn);
    else
        setGridPrintoutPage(device);
}

bool paintJob(QPainter &painter, QPagedPaintDevice &device, const PrintJob &job,
              const ReportPaintOptions &options)
{
    if (const auto *report = std::get_if<BandedReport>(&job)) {
        BandedPainter bands(device, painter, *report);
        return bands.paint(options);
    }
    if (const auto *drawn = std::get_if<DrawnPrintout>(&job)) {
        paintDrawnPages(painter, device, *drawn);
        return true;
    }
    paintGrid(painter, device, std::get<GridPrintout>(job));
    return true;
}
} // namespace

bool paintBandedReport(QPagedPaintDevice &device, const BandedReport &report,
                       const ReportPaintOptions &options)
{
    QPainter painter;
    begin(painter, device);
    return paintJob(painter, device, report, options);
}

void paintGridPrintout(QPagedPaintDevice &device, const GridPrintout &grid)
{
    QPainter painter;
    begin(painter, device);
    paintGrid(painter, device, grid);
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
    setJobPage(device, jobs.front());
    QPainter painter;
    begin(painter, device);
    for (qsizetype i = 0; i < jobs.size(); ++i) {
        if (i > 0) {
            // The next page takes the next job's set-up.
            setJobPage(device, jobs[i]);
            device.newPage();
        }
        if (!paintJob(painter, device, jobs[i], options))
            return false;
    }
    return true;
}

void writeBandedReportPdf(const BandedReport &report, const QString &path, const ReportPaintOptions &options)
{
    QSaveFile file(path);
    openPdf(file, path);
    {
        QPdfWriter pdf(&file);
        setPdfDetails(pdf, report.title);
        setBandedReportPage(pdf, report);
        if (!paintBandedReport(pdf, report, options))
            throw Abort();
    }
    commitPdf(file, path);
}

void writeJobsPdf(const QList<PrintJob> &jobs, const QString &path, const ReportPaintOptions &options)
{
    QSaveFile file(path);
    openPdf(file, path);
    {
        QPdfWriter pdf(&file);
        setPdfDetails(pdf, jobs.isEmpty() ? QString() : jobTitle(jobs.front()));
        if (!paintJobs(pdf, jobs, options))
            throw Abort();
    }
    commitPdf(file, path);
}

void writeGridPrintoutPdf(const GridPrintout &grid, const QString &path)
{
    QSaveFile file(path);
    openPdf(file, path);
    {
        QPdfWriter pdf(&file);
        setPdfDetails(pdf, grid.title);
        setGridPrintoutPage(pdf);
        paintGridPrintout(pdf, grid);
    }
    commitPdf(file, path);
}
