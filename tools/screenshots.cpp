// Saves a picture of the main window on each of its eight tabs, with a league open, of the dialogs the
// manual shows, of the print dialog with every box ticked, of the ticket manager's three pages with a
// demonstration ticket file and of its ticket and bet dialogs, of the analyzer after a back-test, of the
// prediction history's two pages, of the match prediction's options and result pages, and of the team
// comparison chart with the first two teams, flat and in 3D:
//   quorvane-screenshots LEAGUE OUTDIR [WIDTH HEIGHT] [--dark]
// --dark takes the pictures under a dark desktop palette, to see that everything stays readable.
// Runs on any Qt platform; scripts/screenshots uses the offscreen one.

#include "analysis/ui/TFormAnalyzer.h"
#include "analysis/ui/TFormFilter.h"
#include "analysis/ui/TFormPHistory.h"
#include "analysis/ui/TFormTCChart.h"
#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "betting/DemoTickets.h"
#include "betting/ui/TFormBet.h"
#include "betting/ui/TFormTicket.h"
#include "betting/ui/TFormTicketMgr.h"
#include "data/ProgramInfo.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/ProgramIcon.h"
#include "data/ui/ReadableStyle.h"
#include "output/ui/TFormDD.h"
#include "output/ui/TFormDownload.h"
#include "output/ui/TFormPrint.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QPalette>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

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

// Runs what shows a modal dialog, saves the dialog's picture and cancels it.
bool saveDialog(TMainForm &form, const std::function<void()> &open, const QString &file)
{
    bool saved = false;
    QTimer::singleShot(300, &form, [&saved, &file] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            saved = dialog->grab().save(file);
            dialog->reject();
        }
    });
    open();
    settle(8); // a dialog that is not modal has returned at once: let the timer find nothing
    return saved;
}

// The match prediction: its options on both pages with the first two teams and their line-ups, then the
// result window on each of its pages.
bool saveTip(TMainForm &form, const QString &outDir)
{
    bool saved = false;
    QTimer::singleShot(300, &form, [&saved, &outDir] {
        auto *options = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!options)
            return;
        options->findChild<QComboBox *>(QStringLiteral("ComboBoxHome"))->setCurrentIndex(0);
        options->findChild<QComboBox *>(QStringLiteral("ComboBoxAway"))->setCurrentIndex(1);
        options->findChild<QCheckBox *>(QStringLiteral("CheckBoxLineups"))->setChecked(true);
        saved = grabPages(options, options->findChild<QTabWidget *>(QStringLiteral("PageControlTip")), outDir,
                          QStringLiteral("tip-options"));
        QTimer::singleShot(300, options, [&saved, &outDir] {
            auto *result = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!result || result->objectName() != QLatin1String("FormTipResult")) {
                saved = false;
                return;
            }
            result->resize(1000, 720);
            saved = saved &&
                    grabPages(result, result->findChild<QTabWidget *>(QStringLiteral("PageControlResult")),
                              outDir, QStringLiteral("tip-result"));
            result->reject();
        });
        options->accept();
        options->reject();
    });
    form.command(QStringLiteral("MenuTip"))->trigger();
    settle(8);
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
    useReadableStyle(); // as the program does
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
    const std::pair<const char *, const char *> dialogs[] = {
        {"MenuFAddMatch", "dialog-add-match"},          {"MenuPredict", "dialog-predict"},
        {"MenuBettingSystem", "dialog-betting-system"}, {"MenuAbout", "dialog-about"},
        {"MenuArbFinder", "dialog-arbitrage"},          {"MenuEditor", "dialog-editor"},
        {"MenuMergeTeams", "dialog-merge-teams"},       {"MenuAddPlayer", "dialog-add-player"}};
    pages->setCurrentIndex(int(TMainForm::Tab::Fixtures));
    for (const auto &[command, file] : dialogs) {
        const QString name = QStringLiteral("%1/%2.png").arg(args[2], QString::fromLatin1(file));
        if (!saveDialog(
                form, [&form, command] { form.command(QString::fromLatin1(command))->trigger(); }, name)) {
            std::fprintf(stderr, "quorvane-screenshots: no dialog to take for %s\n", command);
            return 1;
        }
        std::printf("%s\n", qPrintable(name));
    }
    // The filter and sort dialog, on the page of the scores tab's button.
    const QString filterName = args[2] + QStringLiteral("/dialog-filter-sort.png");
    if (!saveDialog(
            form, [&form] { form.findChild<TFormFilter *>()->execPage(TFormFilter::Scores); }, filterName)) {
        std::fprintf(stderr, "quorvane-screenshots: no filter dialog to take\n");
        return 1;
    }
    std::printf("%s\n", qPrintable(filterName));
    TFormPrint print(*windows->dm, PrintSources{}, &form);
    print.findChild<QCheckBox *>(QStringLiteral("CheckBoxAll"))->setChecked(true);
    print.show();
    QApplication::processEvents();
    const QString name = args[2] + QStringLiteral("/print-dialog.png");
    if (!print.grab().save(name))
        return 1;
    std::printf("%s\n", qPrintable(name));
    print.close();
    if (!saveTip(form, args[2])) {
        std::fprintf(stderr, "quorvane-screenshots: no match prediction to take\n");
        return 1;
    }

    // The download dialog's two pages (no server set, so nothing is fetched) and its folder dialog.
    if (auto *download = form.findChild<TFormDownload *>()) {
        download->show();
        if (!grabPages(download, download->findChild<QTabWidget *>(QStringLiteral("PageControl1")), args[2],
                       QStringLiteral("download")))
            return 1;
        download->close();
    }
    if (auto *dd = form.findChild<TFormDD *>()) {
        dd->setFolder(QDir::homePath());
        dd->show();
        QApplication::processEvents();
        const QString ddName = args[2] + QStringLiteral("/download-directory.png");
        if (!dd->grab().save(ddName))
            return 1;
        std::printf("%s\n", qPrintable(ddName));
        dd->close();
    }

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
    // The ticket dialog on the current ticket, and the bet dialog on its current bet.
    TFormTicket *ticket = manager->ticketDialog();
    const std::pair<QDialog *, const char *> ticketDialogs[] = {{ticket, "dialog-ticket"},
                                                                {ticket->betDialog(), "dialog-bet"}};
    ticket->setWindowTitle(TFormTicket::editCaption());
    ticket->betDialog()->setWindowTitle(TFormBet::editCaption());
    for (const auto &[dialog, file] : ticketDialogs) {
        dialog->show();
        settle(3);
        const QString picture = QStringLiteral("%1/%2.png").arg(args[2], QString::fromLatin1(file));
        if (!dialog->grab().save(picture))
            return 1;
        std::printf("%s\n", qPrintable(picture));
    }
    ticket->betDialog()->hide();
    ticket->hide();
    manager->close();

    // The analyzer after a back-test of the league into a scratch systems file, and both pages of the
    // prediction history.
    auto *analyzer = form.findChild<TFormAnalyzer *>();
    if (!analyzer)
        return 1;
    analyzer->setSystemsFilePath(dir.filePath(QStringLiteral("systems/bettingsystems.qvs")));
    form.command(QStringLiteral("MenuAnalyzer"))->trigger();
    analyzer->showNormal();
    analyzer->resize(width, height);
    analyzer->findChild<QPushButton *>(QStringLiteral("BitBtnPAPredict"))->click();
    settle(5);
    const QString analyzerPicture = args[2] + QStringLiteral("/analyzer.png");
    if (!analyzer->grab().save(analyzerPicture))
        return 1;
    std::printf("%s\n", qPrintable(analyzerPicture));
    analyzer->close();
    form.command(QStringLiteral("MenuPHistory"))->trigger();
    auto *history = form.findChild<TFormPHistory *>();
    if (!history)
        return 1;
    history->showNormal();
    history->resize(width, height);
    if (!grabPages(history, history->findChild<QTabWidget *>(QStringLiteral("PageControl")), args[2],
                   QStringLiteral("phistory")))
        return 1;

    // The team comparison chart: the first two teams, running points, then the same in 3D.
    form.command(QStringLiteral("MenuTCChart"))->trigger();
    auto *chart = form.findChild<TFormTCChart *>();
    if (!chart)
        return 1;
    chart->resize(width, height);
    for (int team = 0; team < 2; ++team) {
        auto *box = chart->findChild<QComboBox *>(team == 0 ? QStringLiteral("ComboBoxT1")
                                                            : QStringLiteral("ComboBoxT2"));
        box->setCurrentIndex(team);
        Q_EMIT box->textActivated(box->currentText());
    }
    const std::pair<const char *, bool> charts[] = {{"chart-team-comparison", false},
                                                    {"chart-team-comparison-3d", true}};
    for (const auto &[file, threeD] : charts) {
        chart->findChild<QCheckBox *>(QStringLiteral("CheckBox3D"))->setChecked(threeD);
        settle(5);
        const QString picture = QStringLiteral("%1/%2.png").arg(args[2], QString::fromLatin1(file));
        if (!chart->grab().save(picture))
            return 1;
        std::printf("%s\n", qPrintable(picture));
    }
    return 0;
}
