#pragma once
// Print jobs to the shared printer, its preview or a PDF file, with the report generator's progress
// window; and the platform's preview of a widget's picture (a chart).

#include "output/report/ReportPainter.h"

#include <QList>

class QWidget;

// Each job is a print job of its own on the shared printer; a Cancel in the progress window stops the
// print ("Printing aborted").  False, printing nothing, when no printer is installed.
bool PrintJobsOnPrinter(const QList<PrintJob> &jobs, QWidget *parent);
// The platform's print preview of the jobs on the shared printer.
void PreviewJobs(const QList<PrintJob> &jobs, QWidget *parent);
// The jobs as one PDF file; a Cancel in the progress window leaves no file (Abort).
void WriteJobsPdfWithProgress(const QList<PrintJob> &jobs, const QString &path, QWidget *parent);
// Without a printer: offers the jobs as a PDF file instead, through the export's file chooser.
void OfferJobsAsPdf(const QList<PrintJob> &jobs, QWidget *parent);
// Prints on the shared printer, or offers a PDF file when there is none.
void PrintJobsOrOfferPdf(const QList<PrintJob> &jobs, QWidget *parent);
// The platform's print preview of a widget's picture, scaled to fit the page.
void PreviewWidget(QWidget *widget, const QString &title, QWidget *parent);
