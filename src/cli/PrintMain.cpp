// quorvane-cli-print: the command-line companion with drawing, which the printing commands need.  Any
// other command runs here just as in quorvane-cli.

#include "cli/CommandLine.h"
#include "cli/OutputCommands.h"
#include "cli/PdfOutput.h"
#include "output/report/ReportPainter.h"

#include <QGuiApplication>

int main(int argc, char *argv[])
{
    setPdfWriter([](const QList<PrintJob> &jobs, const QString &path) { writeJobsPdf(jobs, path); });
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bool drawing = commandNeedsGui(arguments);
    // Printing draws text: it needs the graphical application object, offscreen unless a platform is set.
    if (drawing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return runCommandLine(argc, argv,
                          [drawing](int &count, char **values) -> std::unique_ptr<QCoreApplication> {
                              if (drawing)
                                  return std::make_unique<QGuiApplication>(count, values);
                              return std::make_unique<QCoreApplication>(count, values);
                          });
}
