// A chart printed on a page: landscape, as large as the page allows, centred, its proportions kept and
// its text still text.  Written to a real PDF and read back.

#include "output/report/PictureFiles.h"
#include "support/PdfChecks.h"

#include <QPainter>
#include <QPdfWriter>
#include <QtTest>

class TestChartPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pictureFillsTheLandscapePage();
};

void TestChartPage::pictureFillsTheLandscapePage()
{
    if (!popplerAvailable())
        QSKIP("poppler-utils are not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    // A picture less wide than the page (8:7), framed in black, with its title: the page's height limits it.
    const QSize size(800, 700);
    {
        QPdfWriter pdf(path);
        pdf.setResolution(300);
        pdf.setPageSize(QPageSize(QPageSize::Letter));
        paintPictureOnPage(
            pdf,
            [size](QPainter &p) {
                p.fillRect(QRect(QPoint(0, 0), size), Qt::black);
                p.fillRect(QRect(QPoint(10, 10), size - QSize(20, 20)), Qt::white);
                p.setFont(QFont(QStringLiteral("DejaVu Sans"), 20));
                p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, QStringLiteral("Points Chart"));
            },
            size);
    }
    const QList<QSizeF> pages = pdfPageSizes(path);
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages[0].width() > pages[0].height());
    QVERIFY(pdfPages(path).value(0).contains(QStringLiteral("Points Chart")));

    // The black frame's box: centred, as high as the page allows, its proportions kept.
    const QImage page = renderPdfPage(path, 1, 50);
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 64)
                box |= QRect(x, y, 1, 1);
    QVERIFY(!box.isEmpty());
    QVERIFY2(qAbs(double(box.width()) / box.height() - 8.0 / 7.0) < 0.03,
             qPrintable(QStringLiteral("%1x%2").arg(box.width()).arg(box.height())));
    QVERIFY(box.height() > page.height() * 0.8);
    QVERIFY(qAbs(box.center().x() - page.width() / 2) <= 2);
    QVERIFY(qAbs(box.center().y() - page.height() / 2) <= 2);
}

QTEST_MAIN(TestChartPage)
#include "tst_chartpage.moc"
