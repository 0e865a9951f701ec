// The desktop program: the splash window while the windows are built in their fixed order, then the
// main window.  An argument names a league file to open at start.

#include "app/ui/AppWindows.h"
#include "app/ui/TFormSplash.h"
#include "app/ui/TMainForm.h"
#include "data/BusyCursor.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvane 3.04"));
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

    mainForm.showMaximized();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        openLeagueAtStart(*windows, args.at(1));
    return app.exec();
}
