// Saves a picture of the main window on each of its eight tabs, with a league open, and one of the print
// dialog with every box ticked:
//   quorvane-screenshots LEAGUE OUTDIR [WIDTH HEIGHT]
// Runs on any Qt platform; scripts/screenshots uses the offscreen one.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/ui/GuiMessenger.h"
#include "output/ui/TFormPrint.h"

#include <QCheckBox>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTabWidget>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvane 3.04"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: quorvane-screenshots LEAGUE OUTDIR [WIDTH HEIGHT]\n");
        return 2;
    }
    CollectingMessenger quiet(true);
    setMessenger(&quiet);
    TMainForm form;
    const auto windows = createAppWindows(form, [] {});
    const int width = args.size() > 4 ? args[3].toInt() : 1280;
    const int height = args.size() > 4 ? args[4].toInt() : 800;
    form.resize(width, height);
    form.show();
    openLeagueAtStart(*windows, args[1]);
    QDir().mkpath(args[2]);
    QTabWidget *pages = form.pages();
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        // Let the tab build and lay out its content before the picture is taken.
        for (int round = 0; round < 5; ++round) {
            QApplication::processEvents();
            QEventLoop wait;
            QTimer::singleShot(50, &wait, &QEventLoop::quit);
            wait.exec();
        }
        const QString name =
            QStringLiteral("%1/tab%2-%3.png").arg(args[2]).arg(i + 1).arg(pages->widget(i)->objectName());
        if (!form.grab().save(name))
            return 1;
        std::printf("%s\n", qPrintable(name));
    }
    TFormPrint print(*windows->dm, PrintSources{}, &form);
    print.findChild<QCheckBox *>(QStringLiteral("CheckBoxAll"))->setChecked(true);
    print.show();
    QApplication::processEvents();
    const QString name = args[2] + QStringLiteral("/print-dialog.png");
    if (!print.grab().save(name))
        return 1;
    std::printf("%s\n", qPrintable(name));
    return 0;
}
