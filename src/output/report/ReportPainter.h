#pragma once
// The report engine: paints a banded report (title line, heading lines, detail lines, page breaks, column
// rules) or a printout laid out box by box (the drawn grids, the tickets) onto any paged device: a
// printer, a PDF writer.  Everything is laid out in report units (600 dpi) and scaled to the device, so
// a printout looks the same on every printer and in a PDF.  It needs no window.

#include "output/ReportLayout.h"

#include <QDate>
#include <QFont>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <functional>
#include <variant>

class QPagedPaintDevice;

// Called every few lines with the lines done and the line count; false stops the report.
using ReportProgress = std::function<bool(int done, int total)>;

struct ReportPaintOptions {
    QDate printDate = QDate::currentDate();
    ReportProgress progress;
    QPageSize paper; // the paper chosen in the print set-up; none chosen: the locale's
};

// The page a job is printed on: the paper in the job's orientation (banded reports as they ask, drawn
// grids across), with the job's margins.
QPageLayout jobPageLayout(const PrintJob &job, const QPageSize &paper);

// Where the texts of a banded report stand across a printable width (report units): the fonts of its
// heading and detail lines, the room kept clear at both sides of a column's text, and the columns'
// edges.  A text fits its column when it is no wider than room(column, column) in its line's font.
struct BandedGeometry {
    QFont heading, data;
    double pad = 0;
    QList<double> edges; // the left edge of each column, then the right edge of the last
    double room(int first, int last) const { return edges[last + 1] - edges[first] - 2 * pad; }
};
BandedGeometry bandedGeometry(const BandedReport &report, double width);
// The text of the title line's right end: "Date: " and the date of printing.
QString printDateText(const QDate &date);

// A text of a box-by-box printout as it is drawn: its font and its lines.  A text that fits its box
// stays on one line at its size; one that does not is drawn smaller, and one that may wrap breaks at
// its blanks when that lets it stand larger.  Nothing of the text is left out.
struct FittedText {
    QFont font;
    QStringList lines;
};
FittedText fitDrawnText(const DrawnText &text);

QString jobTitle(const PrintJob &job);

// One job as a document of its own (a print job): its page set-up, then its pages.
bool printJob(QPagedPaintDevice &device, const PrintJob &job, const ReportPaintOptions &options);

// Paints several jobs into one document (a preview, a PDF), each from a new page with its own page
// set-up.  Returns false when the progress stopped it.
bool paintJobs(QPagedPaintDevice &device, const QList<PrintJob> &jobs, const ReportPaintOptions &options);

// A report as a PDF file (text selectable), written through an output file: a failure or a stop leaves
// no partial file.  QuorvaneError naming the file when it cannot be written; Abort when stopped.
void writeBandedReportPdf(const BandedReport &report, const QString &path,
                          const ReportPaintOptions &options = {});
void writeGridPrintoutPdf(const GridPrintout &grid, const QString &path,
                          const ReportPaintOptions &options = {});
void writeJobsPdf(const QList<PrintJob> &jobs, const QString &path, const ReportPaintOptions &options = {});
