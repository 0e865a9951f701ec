// Saves a picture of the main window on each of its eight tabs, with a league open, of the dialogs the
// manual shows, and of the print dialog with every box ticked:
//   quorvane-screenshots LEAGUE OUTDIR [WIDTH HEIGHT]
// Runs on any Qt platform; scripts/screenshots uses the offscreen one.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/ProgramInfo.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/ProgramIcon.h"
#include "output/ui/TFormPrint.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QTabWidget>
#include <QTimer>

namespace
{
void settle(int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        QApplication::processEvents();
        QEventLoop wait;
        QTimer::singleShot(50, &wait, &QEventLoop::quit);
        wait.exec();
    }
}

// Runs a menu command that shows a modal dialog, saves the dialog's picture and cancels it.
bool saveDialog(TMainForm &form, const char *command, const QString &file)
{
    bool saved = false;
    QTimer::singleShot(300, &form, [&saved, &file] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            saved = dialog->grab().save(file);
            dialog->reject();
        }
    });
    form.command(QString::fromLatin1(command))->trigger();
    settle(8); // a dialog that is not modal has returned at once: let the timer find nothing
    return saved;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(programNameAndVersion());
    QApplication::setWindowIcon(programIcon());
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
        settle(5); // let the tab build and lay out its content before the picture is taken
        const QString name =
            QStringLiteral("%1/tab%2-%3.png").arg(args[2]).arg(i + 1).arg(pages->widget(i)->objectName());
        if (!form.grab().save(name))
            return 1;
        std::printf("%s\n", qPrintable(name));
    }
    const std::pair<const char *, const char *> dialogs[] = {{"MenuFAddMatch", "dialog-add-match"},
                                                             {"MenuPredict", "dialog-predict"},
                                                             {"MenuBettingSystem", "dialog-betting-system"},
                                                             {"MenuAbout", "dialog-about"}};
    pages->setCurrentIndex(int(TMainForm::Tab::Fixtures));
    for (const auto &[command, file] : dialogs) {
        const QString name = QStringLiteral("%1/%2.png").arg(args[2], QString::fromLatin1(file));
        if (!saveDialog(form, command, name)) {
            std::fprintf(stderr, "quorvane-screenshots: no dialog to take for %s\n", command);
            return 1;
        }
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
