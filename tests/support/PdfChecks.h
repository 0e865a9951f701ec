#pragma once
// Reading printed PDFs back for the output tests: text per page and pixels of a rendered page, through the
// poppler tools.

#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

// True when pdftotext and pdftoppm are installed.
bool popplerAvailable();
// The text of every page, in layout mode, one entry per page.
QStringList pdfPages(const QString &pdfPath);
// The size of every page in points.
QList<QSizeF> pdfPageSizes(const QString &pdfPath);
// Page `page` (1-based) rendered at `dpi`.
QImage renderPdfPage(const QString &pdfPath, int page, int dpi);
