#include "output/ui/PrinterSetup.h"

#include "output/report/ReportPaper.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace
{
QPageSize &chosenPaper()
{
    static QPageSize paper; // none until the user chooses in the print set-up
    return paper;
}
} // namespace

QPrinter &sharedPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

bool printerInstalled()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void PrinterSetup(QWidget *parent)
{
    QPrinter &printer = sharedPrinter();
    // The dialog opens on the paper the printouts take now.
    printer.setPageSize(reportPaper());
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() == QDialog::Accepted)
        chosenPaper() = printer.pageLayout().pageSize();
}

QPageSize reportPaper()
{
    return chosenPaper().isValid() ? chosenPaper() : localePaper();
}
