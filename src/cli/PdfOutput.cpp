#include "cli/PdfOutput.h"

#include "data/Errors.h"

namespace
{
PdfWriter g_writer = nullptr;
}

void setPdfWriter(PdfWriter writer)
{
    g_writer = writer;
}

void writePdf(const QList<PrintJob> &jobs, const QString &path)
{
    if (!g_writer)
        throw QuorvaneError(QStringLiteral("This program cannot print: use quorvane-cli-print."));
    g_writer(jobs, path);
}
