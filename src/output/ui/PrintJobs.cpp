#include "output/ui/PrintJobs.h"

#include "output/ui/ExportDialogs.h"
#include "output/ui/PrinterSetup.h"

#include "data/ui/GuiMessenger.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QWidget>

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

bool PrintJobsOnPrinter(const QList<PrintJob> &jobs, QWidget *parent)
{
    if (!printerInstalled())
        return false;
    QPrinter &printer = sharedPrinter();
    for (const PrintJob &job : jobs) {
        printer.setDocName(jobTitle(job));
        PrintProgress progress(parent, jobTitle(job));
        if (!printJob(printer, job, {QDate::currentDate(), progress.callback()})) {
            printer.abort();
            messenger().information(QStringLiteral("Printing aborted"));
            break;
        }
    }
    return true;
}

void PreviewJobs(const QList<PrintJob> &jobs, QWidget *parent)
{
    if (jobs.isEmpty())
        return;
    QPrintPreviewDialog preview(&sharedPrinter(), parent);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&jobs](QPrinter *printer) { paintJobs(*printer, jobs, {}); });
    preview.exec();
}

void WriteJobsPdfWithProgress(const QList<PrintJob> &jobs, const QString &path, QWidget *parent)
{
    PrintProgress progress(parent, QFileInfo(path).fileName());
    writeJobsPdf(jobs, path, {QDate::currentDate(), progress.callback()});
}

void OfferJobsAsPdf(const QList<PrintJob> &jobs, QWidget *parent)
{
    if (jobs.isEmpty())
        return;
    if (messenger().question(QStringLiteral("No printer is installed. Save the printout as a PDF file?"),
                             QStringLiteral("Print"), Messenger::Buttons::YesNo) != Messenger::Answer::Yes)
        return;
    const ChosenFile chosen =
        chooseSaveFile(parent, QStringLiteral("Save Printout As"), QStringLiteral("PDF files (*.pdf)"), {});
    if (chosen.path.isEmpty())
        return;
    QString path = chosen.path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    WriteJobsPdfWithProgress(jobs, path, parent);
}

void PrintJobsOrOfferPdf(const QList<PrintJob> &jobs, QWidget *parent)
{
    if (!PrintJobsOnPrinter(jobs, parent))
        OfferJobsAsPdf(jobs, parent);
}

void PreviewWidget(QWidget *widget, const QString &title, QWidget *parent)
{
    QPrinter &printer = sharedPrinter();
    printer.setDocName(title);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [widget](QPrinter *p) {
        QPainter painter;
        if (!painter.begin(p))
            return; // the preview shows an empty page
        const QRect page = painter.viewport();
        QSize size = widget->size();
        size.scale(page.size(), Qt::KeepAspectRatio);
        painter.setViewport(page.x(), page.y(), size.width(), size.height());
        painter.setWindow(widget->rect());
        widget->render(&painter);
    });
    preview.exec();
}
