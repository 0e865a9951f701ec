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
// All text of the PDF as pdftotext reads it (layout mode, pages split by form feeds), ligatures kept.
QString pdfRawText(const QString &pdfPath);
// The text with the typographic ligature characters (U+FB00..U+FB06) spelt out as their letters.
QString withoutLigatures(QString text);
// The text of every page, in layout mode, one entry per page.  A font that forms ligatures leaves them in
// a PDF; they read here as their letters, so that a test about something else passes with any font.
QStringList pdfPages(const QString &pdfPath);
// The size of every page in points.
QList<QSizeF> pdfPageSizes(const QString &pdfPath);
// Page `page` (1-based) rendered at `dpi`.
QImage renderPdfPage(const QString &pdfPath, int page, int dpi);
