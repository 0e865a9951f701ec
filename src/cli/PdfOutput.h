#pragma once
// Where the printing commands write their PDF.  Drawing needs the graphical libraries, whose loading
// would slow every other command down; so quorvane-cli leaves them out and hands a printing command over
// whole to quorvane-cli-print beside it, the same commands linked with the drawing, which installs the
// writer here at its start.

#include "output/ReportLayout.h"

#include <QList>
#include <QString>

using PdfWriter = void (*)(const QList<PrintJob> &jobs, const QString &path);
void setPdfWriter(PdfWriter writer);

// Through the writer installed; QuorvaneError when the program has none.
void writePdf(const QList<PrintJob> &jobs, const QString &path);
