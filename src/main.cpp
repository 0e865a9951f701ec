// The desktop program: the splash window while the windows are built in their fixed order, then the
// main window.  An argument names a league file to open at start; --version and --help print and exit
// without a display.

#include "app/ui/AppWindows.h"
#include "app/ui/TFormSplash.h"
#include "app/ui/TMainForm.h"
#include "data/BusyCursor.h"
#include "data/ProgramInfo.h"
#include "data/ProgramSettings.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/ProgramIcon.h"
#include "data/ui/ReadableStyle.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstring>

namespace
{
const char kUsage[] = "Usage: quorvane [LEAGUE]\n"
                      "\n"
                      "Opens the desktop program, with the league file LEAGUE (.qvl) when one is given.\n"
                      "\n"
                      "  --version  prints the version and exits\n"
                      "  --help     prints this text and exits\n"
                      "\n"
                      "The same work from a terminal: quorvane-cli --help\n";

// The options that print and exit are handled before any window system is needed, so they work without
// a display.  Returns the exit code, or -1 to go on starting the program.
int printingOption(int argc, char *argv[])
{
    if (argc < 2)
        return -1;
    if (std::strcmp(argv[1], "--version") == 0) {
        const QString text = programNameAndVersion() + QStringLiteral(" (Qt ") + qtRuntimeVersion() +
                             QStringLiteral(", SQLite ") + sqliteRuntimeVersion() + QStringLiteral(")\n");
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    return -1;
}
} // namespace

int main(int argc, char *argv[])
{
    if (const int code = printingOption(argc, argv); code >= 0)
        return code;
    QApplication app(argc, argv);
    useReadableStyle(); // check boxes that show under a dark palette too
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationDisplayName(programNameAndVersion());
    // The icon and the desktop entry installed with the program; the build tree's icon before that.
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvane"));
    BusyCursor::install([] { QGuiApplication::setOverrideCursor(Qt::WaitCursor); },
                        [] { QGuiApplication::restoreOverrideCursor(); });

    GuiMessenger boxes;
    setMessenger(&boxes);

    TMainForm mainForm;
    boxes.setParent(&mainForm);
    std::unique_ptr<AppWindows> windows;
    {
        TFormSplash splash;
        splash.show();
        splash.repaint();
        try {
            windows = createAppWindows(mainForm, [&splash] { splash.step(); });
        } catch (const std::exception &e) {
            splash.close();
            QMessageBox::critical(nullptr, QApplication::applicationDisplayName(),
                                  QString::fromLocal8Bit(e.what()));
            return 1;
        }
    } // the splash goes once everything is built

    // The main window comes back where the user left it; maximised the first time.
    const QString geometryKey = QStringLiteral("main/geometry"), stateKey = QStringLiteral("main/state");
    if (mainForm.restoreGeometry(ProgramSettings::windowState(geometryKey))) {
        mainForm.restoreState(ProgramSettings::windowState(stateKey));
        mainForm.show();
    } else {
        mainForm.showMaximized();
    }
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        openLeagueAtStart(*windows, args.at(1));
    const int code = app.exec();
    ProgramSettings::storeWindowState(geometryKey, mainForm.saveGeometry());
    ProgramSettings::storeWindowState(stateKey, mainForm.saveState());
    return code;
}
