#pragma once
// The report engine: paints a banded report (title line, heading lines, detail lines, page breaks, column
// rules) or a drawn grid printout onto any paged device: a printer, a PDF writer.  It needs no window.

#include "output/ReportLayout.h"

#include <QDate>
#include <QList>
#include <functional>
#include <variant>

class QPagedPaintDevice;

// Called every few lines with the lines done and the line count; false stops the report.
using ReportProgress = std::function<bool(int done, int total)>;

struct ReportPaintOptions {
    QDate printDate = QDate::currentDate();
    ReportProgress progress;
};

// Sets the page a banded report asks for (Letter, its orientation); call before painting begins.
void setBandedReportPage(QPagedPaintDevice &device, const BandedReport &report);
// Sets the landscape page of a grid printout, keeping the device's paper.
void setGridPrintoutPage(QPagedPaintDevice &device);

// Paints the report on the device, starting new pages as they fill.  Returns false when the progress
// stopped it.
bool paintBandedReport(QPagedPaintDevice &device, const BandedReport &report,
                       const ReportPaintOptions &options);

// Paints the grid on one page.  Positions are given in 600-dpi units and scaled to the device's
// resolution, so the printout looks the same on every printer and in a PDF.
void paintGridPrintout(QPagedPaintDevice &device, const GridPrintout &grid);

// Sets the Letter page of a printout laid out box by box, small margins, in its orientation.
void setDrawnPrintoutPage(QPagedPaintDevice &device, const DrawnPrintout &printout);

QString jobTitle(const PrintJob &job);

// One job as a document of its own (a print job): its page set-up, then its pages.
bool printJob(QPagedPaintDevice &device, const PrintJob &job, const ReportPaintOptions &options);

// Paints several jobs into one document (a preview, a PDF), each from a new page with its own page
// set-up.  Returns false when the progress stopped it.
bool paintJobs(QPagedPaintDevice &device, const QList<PrintJob> &jobs, const ReportPaintOptions &options);

// A report as a PDF file (text selectable), written through a save file: a failure or a stop leaves no
// partial file.  QuorvaneError naming the file when it cannot be written; Abort when stopped.
void writeBandedReportPdf(const BandedReport &report, const QString &path,
                          const ReportPaintOptions &options = {});
void writeGridPrintoutPdf(const GridPrintout &grid, const QString &path);
void writeJobsPdf(const QList<PrintJob> &jobs, const QString &path, const ReportPaintOptions &options = {});
