#include "app/ui/TMainForm.h"

#include "app/ui/GuiMessenger.h"
#include "data/BusyCursor.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/TDataMod.h"
#include "entry/ResultsImport.h"
#include "app/ProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const QString kCaption = QStringLiteral("Quorvane 3.04");
const QString kWebSite = QStringLiteral("https://quorvane.example");
const QString kEmail = QStringLiteral("support@quorvane.example");

QLabel *sunkenPanel(const QString &name, int width, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setFixedWidth(width);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLabel *boldLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}
} // namespace

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kCaption);
    buildMenus();
    buildToolBar();
    buildPanels();
    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    setStatusBar(status);
    auto *statusText = new QLabel(status);
    statusText->setObjectName(QStringLiteral("StatusBarText"));
    status->addWidget(statusText, 1);
    resize(1280, 800);
}

QAction *TMainForm::addCommand(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &shortcut,
                               bool needsLeague, bool built)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    if (menu)
        menu->addAction(a);
    m_commands.insert(name, Command{a, needsLeague, built});
    updateCommand(m_commands[name]);
    return a;
}

void TMainForm::updateCommand(Command &c)
{
    c.action->setEnabled(c.built && (!c.needsLeague || m_leagueOpen));
}

QAction *TMainForm::command(const QString &name) const
{
    const auto it = m_commands.constFind(name);
    return it == m_commands.constEnd() ? nullptr : it->action;
}

void TMainForm::setBuilt(const QString &name, bool built)
{
    auto it = m_commands.find(name);
    if (it == m_commands.end())
        return;
    it->built = built;
    updateCommand(*it);
}

void TMainForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    const bool L = true;

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MenuFile"));
    addCommand(file, QStringLiteral("MenuNew"), QStringLiteral("&New League"), QKeySequence(QStringLiteral("Ctrl+N")), false, false);
    addCommand(file, QStringLiteral("MenuOpen"), QStringLiteral("&Open..."), QKeySequence(QStringLiteral("Ctrl+O")), false, false);
    addCommand(file, QStringLiteral("MenuSave"), QStringLiteral("&Save"), QKeySequence(QStringLiteral("Ctrl+S")), L, false);
    addCommand(file, QStringLiteral("MenuSaveAs"), QStringLiteral("Save &As..."), QKeySequence(QStringLiteral("Ctrl+A")), L, false);
    addCommand(file, QStringLiteral("MenuConvert"), QStringLiteral("Convert League File to 3.04..."), {}, false, false);
    connect(addCommand(file, QStringLiteral("MenuImportCsv"), QStringLiteral("&Import Results (CSV)..."), {}, L, true),
            &QAction::triggered, this, &TMainForm::importResultsCsv);
    QMenu *exportMenu = file->addMenu(QStringLiteral("&Export Data"));
    exportMenu->setObjectName(QStringLiteral("MenuExport"));
    m_commands.insert(QStringLiteral("MenuExport"), Command{exportMenu->menuAction(), L, false});
    const QStringList exports = {QStringLiteral("&Home Stats"), QStringLiteral("&Away Stats"), QStringLiteral("&Total Stats"),
                                 QStringLiteral("&Cross Table"), QStringLiteral("&Streak Table"),
                                 QStringLiteral("&Fixtures / Predictions / Odds"), QStringLiteral("&Scores"),
                                 QStringLiteral("&Players Stats")};
    for (int i = 0; i < exports.size(); ++i)
        addCommand(exportMenu, QStringLiteral("MenuExport%1").arg(i + 1), exports[i], {}, L, false);
    file->addSeparator();
    addCommand(file, QStringLiteral("MenuPrintSetup"), QStringLiteral("P&rint Setup..."), {}, false, false);
    addCommand(file, QStringLiteral("MenuPrint"), QStringLiteral("&Print..."), QKeySequence(QStringLiteral("Ctrl+P")), L, false);
    file->addSeparator();
    connect(addCommand(file, QStringLiteral("MenuQuit"), QStringLiteral("&Quit"), QKeySequence(QStringLiteral("Ctrl+Q")), false, true),
            &QAction::triggered, this, &QWidget::close);

    QMenu *tools = bar->addMenu(QStringLiteral("&Betting Tools"));
    tools->setObjectName(QStringLiteral("MenuBettingTools"));
    addCommand(tools, QStringLiteral("MenuArbFinder"), QStringLiteral("&Arbitrage Finder"), QKeySequence(Qt::Key_F5), L, false);
    addCommand(tools, QStringLiteral("MenuTip"), QStringLiteral("&Match Prediction"), QKeySequence(Qt::Key_F6), L, false);
    addCommand(tools, QStringLiteral("MenuPHistory"), QStringLiteral("Prediction &History"), QKeySequence(Qt::Key_F7), L, false);
    addCommand(tools, QStringLiteral("MenuAnalyzer"), QStringLiteral("&Betting System Analyzer"), QKeySequence(Qt::Key_F8), L, false);
    addCommand(tools, QStringLiteral("MenuTicketMgr"), QStringLiteral("&Ticket Manager"), QKeySequence(Qt::Key_F9), false, false);

    QMenu *teams = bar->addMenu(QStringLiteral("&Teams"));
    teams->setObjectName(QStringLiteral("MenuTeams"));
    m_leagueMenus << teams;
    addCommand(teams, QStringLiteral("MenuAddTeam"), QStringLiteral("&Add Team..."), {}, L, false);
    addCommand(teams, QStringLiteral("MenuEditTeam"), QStringLiteral("&Edit Team..."), {}, L, false);
    addCommand(teams, QStringLiteral("MenuDeleteTeam"), QStringLiteral("&Delete Team"), {}, L, false);
    teams->addSeparator();
    addCommand(teams, QStringLiteral("MenuCopyPasteTeams"), QStringLiteral("Copy / Paste Teams..."), {}, L, false);

    QMenu *fixtures = bar->addMenu(QStringLiteral("&Fixtures / Predictions"));
    fixtures->setObjectName(QStringLiteral("MenuFixtures"));
    m_leagueMenus << fixtures;
    addCommand(fixtures, QStringLiteral("MenuFAddMatch"), QStringLiteral("&Add Match..."), {}, L, false);
    addCommand(fixtures, QStringLiteral("MenuFEditMatch"), QStringLiteral("&Edit Match..."), {}, L, false);
    addCommand(fixtures, QStringLiteral("MenuFDeleteMatch"), QStringLiteral("&Delete Match"), {}, L, false);
    addCommand(fixtures, QStringLiteral("MenuFSwitchTeams"), QStringLiteral("Switch Teams"), {}, L, false);
    fixtures->addSeparator();
    addCommand(fixtures, QStringLiteral("MenuPredict"), QStringLiteral("Predict Upcoming Matches..."), {}, L, false);

    QMenu *scores = bar->addMenu(QStringLiteral("&Scores"));
    scores->setObjectName(QStringLiteral("MenuScores"));
    m_leagueMenus << scores;
    addCommand(scores, QStringLiteral("MenuRAddMatch"), QStringLiteral("&Add Match..."), {}, L, false);
    addCommand(scores, QStringLiteral("MenuREditMatch"), QStringLiteral("&Edit Match..."), {}, L, false);
    addCommand(scores, QStringLiteral("MenuRDeleteMatch"), QStringLiteral("&Delete Match"), {}, L, false);
    addCommand(scores, QStringLiteral("MenuRSwitchTeams"), QStringLiteral("Switch Teams"), {}, L, false);
    scores->addSeparator();
    addCommand(scores, QStringLiteral("MenuRecalc"), QStringLiteral("&Recalculate Predictions..."), {}, L, false);

    QMenu *players = bar->addMenu(QStringLiteral("&Players"));
    players->setObjectName(QStringLiteral("MenuPlayers"));
    m_leagueMenus << players;
    addCommand(players, QStringLiteral("MenuAddPlayer"), QStringLiteral("&Add Player..."), {}, L, false);
    addCommand(players, QStringLiteral("MenuEditPlayer"), QStringLiteral("&Edit Player..."), {}, L, false);
    addCommand(players, QStringLiteral("MenuDeletePlayer"), QStringLiteral("&Delete Player"), {}, L, false);
    addCommand(players, QStringLiteral("MenuPlayerSearch"), QStringLiteral("Player &Search..."), {}, L, false);
    players->addSeparator();
    addCommand(players, QStringLiteral("MenuCopyPastePlayers"), QStringLiteral("Copy / Paste Players..."), {}, L, false);

    QMenu *data = bar->addMenu(QStringLiteral("&Data"));
    data->setObjectName(QStringLiteral("MenuData"));
    addCommand(data, QStringLiteral("MenuLeagueSettings"), QStringLiteral("League Settings... "), {}, L, false);
    addCommand(data, QStringLiteral("MenuBettingSystem"), QStringLiteral("Betting System..."), {}, L, false);
    addCommand(data, QStringLiteral("MenuFilterSort"), QStringLiteral("Filter / Sort Data..."), {}, L, false);
    addCommand(data, QStringLiteral("MenuTCChart"), QStringLiteral("Team Comparison Chart"), {}, L, false);
    data->addSeparator();
    addCommand(data, QStringLiteral("MenuDownload"), QStringLiteral("&Download League Data..."), {}, false, false);
    addCommand(data, QStringLiteral("MenuEditor"), QStringLiteral("Editor..."), {}, false, false); // never enabled

    QMenu *helpMenu = bar->addMenu(QStringLiteral("&Help"));
    helpMenu->setObjectName(QStringLiteral("MenuHelp"));
    connect(addCommand(helpMenu, QStringLiteral("MenuContents"), QStringLiteral("&Contents"), {}, false, true),
            &QAction::triggered, this, &TMainForm::help);
    connect(addCommand(helpMenu, QStringLiteral("MenuQuorvanecom"), QStringLiteral("quorvane.example"), {}, false, true),
            &QAction::triggered, this, [] { QDesktopServices::openUrl(QUrl(kWebSite)); });
    connect(addCommand(helpMenu, QStringLiteral("MenuAbout"), QStringLiteral("&About"), {}, false, true),
            &QAction::triggered, this, &TMainForm::about);
}

void TMainForm::buildToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Main"));
    m_toolBar->setObjectName(QStringLiteral("ToolBarTop"));
    m_toolBar->setIconSize(QSize(32, 32));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    QStyle *s = style();
    struct Button {
        const char *name;
        const char *hint;
        const char *command;
        QStyle::StandardPixmap icon;
        bool separatorBefore;
    };
    const Button buttons[] = {
        {"ToolButtonNew", "New League", "MenuNew", QStyle::SP_FileIcon, false},
        {"ToolButtonOpen", "Open League", "MenuOpen", QStyle::SP_DialogOpenButton, false},
        {"ToolButtonSave", "Save League", "MenuSave", QStyle::SP_DialogSaveButton, false},
        {"ToolButtonSaveAs", "Save As...", "MenuSaveAs", QStyle::SP_DriveHDIcon, false},
        {"ToolButtonPrint", "Print", "MenuPrint", QStyle::SP_FileDialogDetailedView, false},
        {"ToolButtonTip", "Match Prediction", "MenuTip", QStyle::SP_FileDialogInfoView, true},
        {"ToolButtonTicketMgr", "Ticket Manager", "MenuTicketMgr", QStyle::SP_FileDialogListView, false},
        {"ToolButtonAnalyzer", "Betting System Analyzer", "MenuAnalyzer", QStyle::SP_ComputerIcon, false},
        {"ToolButtonPHistory", "Prediction History", "MenuPHistory", QStyle::SP_FileDialogContentsView, false},
        {"ToolButtonArbFinder", "Arbitrage Finder", "MenuArbFinder", QStyle::SP_DialogApplyButton, false},
        {"ToolButtonLeague", "League Settings", "MenuLeagueSettings", QStyle::SP_FileDialogNewFolder, true},
        {"ToolButtonTCChart", "Team Comparison Chart", "MenuTCChart", QStyle::SP_ArrowUp, false},
        {"ToolButtonDownload", "Download League Data", "MenuDownload", QStyle::SP_ArrowDown, false},
        {"ToolButtonHelp", "Help", "MenuContents", QStyle::SP_DialogHelpButton, true},
    };
    for (const Button &b : buttons) {
        if (b.separatorBefore)
            m_toolBar->addSeparator();
        // The button runs the menu command of the same meaning and follows its enabled state.
        QAction *menuAction = command(QString::fromLatin1(b.command));
        auto *a = new QAction(s->standardIcon(b.icon), QString::fromLatin1(b.hint), this);
        a->setToolTip(QString::fromLatin1(b.hint));
        a->setEnabled(menuAction->isEnabled());
        connect(a, &QAction::triggered, menuAction, &QAction::trigger);
        connect(menuAction, &QAction::enabledChanged, a, &QAction::setEnabled);
        m_toolBar->addAction(a);
        if (QWidget *w = m_toolBar->widgetForAction(a))
            w->setObjectName(QString::fromLatin1(b.name));
    }
}

void TMainForm::buildPanels()
{
    auto *panel1 = new QWidget(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    auto *layout = new QVBoxLayout(panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *top = new QWidget(panel1);
    top->setObjectName(QStringLiteral("PanelTop"));
    top->setFixedHeight(25);
    auto *row = new QHBoxLayout(top);
    row->setContentsMargins(4, 1, 4, 1);
    row->addWidget(boldLabel(QStringLiteral("LabelLeagueT"), QStringLiteral("League"), top));
    m_league = sunkenPanel(QStringLiteral("PanelLeague"), 280, top);
    row->addWidget(m_league);
    row->addWidget(boldLabel(QStringLiteral("Label7"), QStringLiteral("Season"), top));
    m_season = sunkenPanel(QStringLiteral("PanelSeason"), 90, top);
    m_season->setAlignment(Qt::AlignCenter);
    row->addWidget(m_season);
    row->addWidget(boldLabel(QStringLiteral("LabelDate"), QStringLiteral("Last Modified"), top));
    m_lastModified = sunkenPanel(QStringLiteral("PanelLstUpd"), 80, top);
    m_lastModified->setAlignment(Qt::AlignCenter);
    row->addWidget(m_lastModified);
    row->addStretch(1);
    layout->addWidget(top);

    m_pages = new QTabWidget(panel1);
    m_pages->setObjectName(QStringLiteral("PageControlTPStats"));
    const std::pair<const char *, const char *> tabs[] = {
        {"TabSheetHome", "Home Stats"},           {"TabSheetAway", "Away Stats"},
        {"TabSheetTotal", "Overall Stats"},       {"TabSheetCrossTable", "Cross Table"},
        {"TabSheetStreak", "Streak Table"},       {"TabSheetFixtures", "Fixtures / Predictions"},
        {"TabSheetScores", "Scores"},             {"TabSheetPlayerInfo", "Players"}};
    for (const auto &[name, caption] : tabs) {
        auto *page = new QWidget(m_pages);
        page->setObjectName(QString::fromLatin1(name));
        auto *pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        m_pages->addTab(page, QString::fromLatin1(caption));
    }
    layout->addWidget(m_pages, 1);
    setCentralWidget(panel1);
}

QWidget *TMainForm::page(const QString &objectName) const
{
    return m_pages->findChild<QWidget *>(objectName, Qt::FindDirectChildrenOnly)
               ? m_pages->findChild<QWidget *>(objectName, Qt::FindDirectChildrenOnly)
               : m_pages->findChild<QWidget *>(objectName);
}

void TMainForm::EnableLeagueCommands(bool enabled)
{
    m_leagueOpen = enabled;
    for (Command &c : m_commands)
        updateCommand(c);
    for (QMenu *m : std::as_const(m_leagueMenus))
        m->menuAction()->setEnabled(enabled);
    for (int i = 0; i < m_pages->count(); ++i)
        m_pages->setTabEnabled(i, enabled);
    if (!enabled) {
        m_league->clear();
        m_season->clear();
        m_lastModified->clear();
        findChild<QLabel *>(QStringLiteral("StatusBarText"))->clear();
    }
}

void TMainForm::setLeaguePanels(const QString &league, const QString &season)
{
    m_league->setText(league);
    m_season->setText(season);
}

void TMainForm::ShowLeagueFile(const QString &path)
{
    BusyCursor busy;
    EnableLeagueCommands(true); // the tabs must be enabled before one can come to the front
    m_pages->setCurrentIndex(0);
    findChild<QLabel *>(QStringLiteral("StatusBarText"))->setText(QDir::toNativeSeparators(path));
    m_lastModified->setText(Dates::toShortDate(QFileInfo(path).lastModified().date()));
    Table &league = m_dm->ADOTableLeague;
    league.first();
    setLeaguePanels(league.field(QStringLiteral("League")).asString(),
                    league.field(QStringLiteral("SS")).asString() + QStringLiteral(" - ") +
                        league.field(QStringLiteral("SE")).asString());
    m_dm->ADOTablePlayers.setFilter(QString());
    m_dm->ADOTablePlayers.setFiltered(false);
    Q_EMIT leagueShown();
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_firstShow) {
        m_firstShow = false;
        if (!m_leagueOpen)
            EnableLeagueCommands(false);
    }
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (m_dm)
        m_dm->closeLeague(); // every change is already stored
    event->accept();
}

QString TMainForm::leagueFileFilter()
{
    return QStringLiteral("League files (*.qvl *.mdb);;All files (*)");
}

QString TMainForm::choosePath(const QString &title, bool save, const QString &filter)
{
    QString path;
    if (m_choosePath) {
        path = m_choosePath(title, save, filter);
    } else {
        const QString dir = QDir(programFolder()).filePath(QStringLiteral("Data"));
        QDir().mkpath(dir);
        path = save ? QFileDialog::getSaveFileName(this, title, dir, filter)
                    : QFileDialog::getOpenFileName(this, title, dir, filter);
    }
    if (save && !path.isEmpty() && QFileInfo(path).suffix().isEmpty() && filter == leagueFileFilter())
        path += QStringLiteral(".qvl");
    return path;
}

void TMainForm::importResultsCsv()
{
    if (!m_dm->isLeagueOpen())
        return;
    const QString path = choosePath(QStringLiteral("Import Results (CSV)"), false,
                                    QStringLiteral("Results files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return;
    try {
        CsvSeason season = readResultsCsvFile(path, QStringLiteral("best"));
        // Which prices to take: the best of all bookmakers per outcome, or one bookmaker's.
        if (!season.bookmakers.isEmpty()) {
            const QString best = QStringLiteral("Best price of all bookmakers");
            bool ok = false;
            const QString choice = QInputDialog::getItem(this, QStringLiteral("Import Results (CSV)"),
                                                         QStringLiteral("Odds from:"), QStringList{best} + season.bookmakers,
                                                         0, false, &ok);
            if (!ok)
                return;
            if (choice != best)
                season = readResultsCsvFile(path, choice);
        }
        QProgressDialog progress(QStringLiteral("Importing results..."), QString(), 0, int(season.matches.size()), this);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(300);
        BusyCursor busy;
        const ImportSummary s = ImportResults(*m_dm, season, messenger(), [&progress](int done, int) {
            progress.setValue(done);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
        Q_EMIT leagueShown();
        messenger().information(QStringLiteral("%1 matches added, %2 updated.").arg(s.added).arg(s.updated));
    } catch (const Abort &) {
    } catch (const QuorvaneError &e) {
        messenger().error(e.message());
    }
}

void TMainForm::help()
{
    // The manual beside the program; a missing file is reported by the system.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(programFolder()).filePath(QStringLiteral("qvhelp.html"))));
}

void TMainForm::about()
{
    QDialog box(this);
    box.setObjectName(QStringLiteral("FormAbout"));
    box.setWindowTitle(QStringLiteral("About Quorvane"));
    auto *layout = new QVBoxLayout(&box);
    auto *name = boldLabel(QStringLiteral("LabelProduct"), QStringLiteral("Quorvane"), &box);
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 8);
    name->setFont(big);
    layout->addWidget(name, 0, Qt::AlignCenter);
    layout->addWidget(new QLabel(QStringLiteral("Version 3.04"), &box), 0, Qt::AlignCenter);
    auto link = [&box](const QString &label, const QString &text, const QString &url) {
        auto *row = new QHBoxLayout;
        row->addWidget(new QLabel(label, &box));
        auto *l = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(url, text), &box);
        l->setOpenExternalLinks(true);
        l->setCursor(Qt::PointingHandCursor);
        row->addWidget(l, 1);
        return row;
    };
    layout->addLayout(link(QStringLiteral("WWW:"), kWebSite, kWebSite));
    layout->addLayout(link(QStringLiteral("E-mail:"), kEmail, QStringLiteral("mailto:") + kEmail));
    box.setFixedSize(box.sizeHint());
    box.exec();
}

void TMainForm::openLeagueAtPath(const QString &)
{
}
