// Saves a picture of the main window on each of its eight tabs, with a league open, of the dialogs the
// manual shows, of the print dialog with every box ticked, and of the ticket manager's three pages with a
// demonstration ticket file:
//   quorvane-screenshots LEAGUE OUTDIR [WIDTH HEIGHT] [--dark]
// --dark takes the pictures under a dark desktop palette, to see that everything stays readable.
// Runs on any Qt platform; scripts/screenshots uses the offscreen one.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "betting/DemoTickets.h"
#include "betting/ui/TFormTicketMgr.h"
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
#include <QPalette>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
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

// Grabs every page of a tab widget inside window; false when a picture cannot be saved.
bool grabPages(QWidget *window, QTabWidget *pages, const QString &outDir, const QString &prefix)
{
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        settle(5); // let the page build and lay out its content before the picture is taken
        const QString name = QStringLiteral("%1/%2%3-%4.png")
                                 .arg(outDir, prefix)
                                 .arg(i + 1)
                                 .arg(pages->widget(i)->objectName());
        if (!window->grab().save(name))
            return false;
        std::printf("%s\n", qPrintable(name));
    }
    return true;
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

// A dark desktop palette, as dark themes give.
QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    p.setColor(QPalette::AlternateBase, QColor(50, 50, 54));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(55, 55, 58));
    p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    p.setColor(QPalette::ToolTipBase, QColor(60, 60, 60));
    p.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Light, QColor(80, 80, 84));
    p.setColor(QPalette::Mid, QColor(40, 40, 42));
    p.setColor(QPalette::Dark, QColor(25, 25, 27));
    return p;
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(programNameAndVersion());
    QApplication::setWindowIcon(programIcon());
    QStringList args = QApplication::arguments();
    if (args.removeAll(QStringLiteral("--dark")) > 0) {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(darkPalette());
    }
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: quorvane-screenshots LEAGUE OUTDIR [WIDTH HEIGHT] [--dark]\n");
        return 2;
    }
    // The pictures never depend on, nor change, the user's own settings (recent files, folders).
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
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
    if (!grabPages(&form, pages, args[2], QStringLiteral("tab")))
        return 1;
    const std::pair<const char *, const char *> dialogs[] = {{"MenuFAddMatch", "dialog-add-match"},
                                                             {"MenuPredict", "dialog-predict"},
                                                             {"MenuBettingSystem", "dialog-betting-system"},
                                                             {"MenuAbout", "dialog-about"},
                                                             {"MenuEditor", "dialog-editor"}};
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
    print.close();

    // The ticket manager, opened from its command on a demonstration ticket file.
    QTemporaryDir dir;
    const QString tickets = dir.filePath(QStringLiteral("demo.qvt"));
    CreateDemoTicketFile(tickets);
    form.command(QStringLiteral("MenuTicketMgr"))->trigger();
    auto *manager = form.findChild<TFormTicketMgr *>();
    if (!manager)
        return 1;
    manager->setPathChooser([&tickets](const QString &, bool, const QString &) { return tickets; });
    manager->showNormal();
    manager->resize(width, height);
    manager->MenuOpenClick();
    if (!grabPages(manager, manager->findChild<QTabWidget *>(QStringLiteral("PageControl")), args[2],
                   QStringLiteral("tickets")))
        return 1;
    return 0;
}
