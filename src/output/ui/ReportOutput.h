#pragma once
// Where the windows send their reports: straight to the shared printer, to the platform's preview, or
// to a PDF file; each with the report generator's progress window and its Cancel.  Failures reach the
// user through the messenger.

#include "output/report/ReportPainter.h"

#include <functional>

class QWidget;

// Each job a print job of its own on the shared printer.  Without any printer installed the user is
// told to use the preview or a PDF instead.
void printReportJobs(const QList<PrintJob> &jobs, QWidget *parent);
// The ticket manager's printouts: on the shared printer, or, without any printer, as a PDF file once the
// user agrees, its path from the export's file chooser.
void printReportJobsOrOfferPdf(const QList<PrintJob> &jobs, QWidget *parent);
// The jobs in the platform's print preview.
void previewReportJobs(const QList<PrintJob> &jobs, QWidget *parent);

// Asks for the PDF's path, given a proposed one; empty when cancelled.
using PdfPathChooser = std::function<QString(const QString &proposed)>;
// The save dialog for a PDF.
PdfPathChooser pdfSaveDialog(QWidget *parent);
// The jobs into one PDF file at the chosen path, ".pdf" added when it has no suffix.  `name` proposes
// the file's name in the home folder ("Report" when empty).
void saveReportJobsAsPdf(const QList<PrintJob> &jobs, const QString &name, const PdfPathChooser &choose,
                         QWidget *parent);
