#include "output/ui/PrinterSetup.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

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
    QPrintDialog dialog(&sharedPrinter(), parent);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.exec();
}
