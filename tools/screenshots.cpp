// Saves a picture of the main window on each of its eight tabs, with a league open, and of the ticket
// manager's three pages with a demonstration ticket file:
//   quorvane-screenshots LEAGUE OUTDIR [WIDTH HEIGHT]
// Runs on any Qt platform; scripts/screenshots uses the offscreen one.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "betting/DemoTickets.h"
#include "betting/ui/TFormTicketMgr.h"
#include "data/ui/GuiMessenger.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace
{
// Lets a page build and lay out its content before the picture is taken.
void settle()
{
    for (int round = 0; round < 5; ++round) {
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
        settle();
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
} // namespace

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
    if (!grabPages(&form, form.pages(), args[2], QStringLiteral("tab")))
        return 1;

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
