#include "output/ui/ReportOutput.h"

#include "output/ui/ExportDialogs.h"
#include "output/ui/PrinterSetup.h"

#include "data/CommandBoundary.h"
#include "data/ui/GuiMessenger.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

namespace
{
// The report generator's progress window, with a Cancel that stops the print.
class PrintProgress
{
public:
    PrintProgress(QWidget *parent, const QString &title)
        : m_dialog(title, QStringLiteral("Cancel"), 0, 100, parent)
    {
        m_dialog.setWindowTitle(QStringLiteral("Printing progress"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(300);
    }
    ReportProgress callback()
    {
        return [this](int done, int total) {
            m_dialog.setValue(total > 0 ? done * 100 / total : 100);
            return !m_dialog.wasCanceled();
        };
    }

private:
    QProgressDialog m_dialog;
};
} // namespace

namespace
{
// Each job a print job of its own on the shared printer; false, printing nothing, without any printer.
bool printOnSharedPrinter(const QList<PrintJob> &jobs, QWidget *parent)
{
    if (!printerInstalled())
        return false;
    QPrinter &printer = sharedPrinter();
    for (const PrintJob &job : jobs) {
        printer.setDocName(jobTitle(job));
        PrintProgress progress(parent, jobTitle(job));
        if (!printJob(printer, job, {QDate::currentDate(), progress.callback(), reportPaper()})) {
            printer.abort();
            messenger().information(QStringLiteral("Printing aborted"));
            break;
        }
    }
    return true;
}

void writePdfWithProgress(const QList<PrintJob> &jobs, QString path, QWidget *parent)
{
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    PrintProgress progress(parent, QFileInfo(path).fileName());
    writeJobsPdf(jobs, path, {QDate::currentDate(), progress.callback(), reportPaper()});
}
} // namespace

void printReportJobs(const QList<PrintJob> &jobs, QWidget *parent)
{
    runCommand(messenger(), [&] {
        if (!printOnSharedPrinter(jobs, parent))
            messenger().information(
                QStringLiteral("No printer is installed. Use \"Save as PDF...\" to keep the "
                               "reports as a PDF file, or \"Print Preview\" to look at them."),
                QStringLiteral("Print"));
    });
}

void printReportJobsOrOfferPdf(const QList<PrintJob> &jobs, QWidget *parent)
{
    if (jobs.isEmpty())
        return;
    runCommand(messenger(), [&] {
        if (printOnSharedPrinter(jobs, parent))
            return;
        if (messenger().question(QStringLiteral("No printer is installed. Save the printout as a PDF file?"),
                                 QStringLiteral("Print"),
                                 Messenger::Buttons::YesNo) != Messenger::Answer::Yes)
            return;
        const ChosenFile chosen = chooseSaveFile(parent, QStringLiteral("Save Printout As"),
                                                 QStringLiteral("PDF document (*.pdf)"), {});
        if (!chosen.path.isEmpty())
            writePdfWithProgress(jobs, chosen.path, parent);
    });
}

void previewReportJobs(const QList<PrintJob> &jobs, QWidget *parent)
{
    if (jobs.isEmpty())
        return;
    runCommand(messenger(), [&] {
        QPrintPreviewDialog preview(&sharedPrinter(), parent);
        preview.setObjectName(QStringLiteral("PrintPreview"));
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&jobs](QPrinter *printer) {
                             paintJobs(*printer, jobs, {QDate::currentDate(), {}, reportPaper()});
                         });
        preview.exec();
    });
}

PdfPathChooser pdfSaveDialog(QWidget *parent)
{
    return [parent](const QString &proposed) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Save as PDF"), proposed,
                                            QStringLiteral("PDF document (*.pdf)"));
    };
}

void saveReportJobsAsPdf(const QList<PrintJob> &jobs, const QString &name, const PdfPathChooser &choose,
                         QWidget *parent)
{
    if (jobs.isEmpty())
        return;
    runCommand(messenger(), [&] {
        const QString proposed = QDir::home().filePath((name.isEmpty() ? QStringLiteral("Report") : name) +
                                                       QStringLiteral(".pdf"));
        QString path = choose(proposed);
        if (path.isEmpty())
            return;
        writePdfWithProgress(jobs, path, parent);
    });
}
