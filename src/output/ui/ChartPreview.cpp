#include "output/ui/ChartPreview.h"

#include "data/CommandBoundary.h"
#include "data/ui/GuiMessenger.h"
#include "output/report/PictureFiles.h"
#include "output/ui/PrinterSetup.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>

void PreviewChart(QWidget *chart, QWidget *parent)
{
    runCommand(messenger(), [&] {
        QPrintPreviewDialog preview(&sharedPrinter(), parent);
        preview.setObjectName(QStringLiteral("PrintPreview"));
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [chart](QPrinter *printer) {
                             paintPictureOnPage(
                                 *printer, [chart](QPainter &p) { chart->render(&p); }, chart->size());
                         });
        preview.exec();
    });
}
