#include "app/ui/TMainForm.h"

#include "data/BusyCursor.h"
#include "data/CommandBoundary.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/ProgramFolder.h"
#include "data/ProgramInfo.h"
#include "data/ProgramSettings.h"
#include "data/ProgressPacer.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/ShowManual.h"
#include "entry/ResultsImport.h"
#include "entry/SeasonBookmakers.h"
#include "entry/SeasonFiles.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressDialog>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace
{
// A bold sunken panel at least as wide as given, and wide enough for the widest text it is meant to show.
QLabel *sunkenPanel(const QString &name, int width, const QString &widestText, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    const int margins = 2 * l->frameWidth() + 2 * l->fontMetrics().averageCharWidth();
    l->setMinimumWidth(std::max(width, l->fontMetrics().horizontalAdvance(widestText) + margins));
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
    setWindowTitle(programNameAndVersion());
    buildMenus();
    buildToolBar();
    buildPanels();
    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    setStatusBar(status);
    auto *statusText = new QLabel(status);
    statusText->setObjectName(QStringLiteral("StatusBarText"));
    status->addWidget(statusText, 1);
    auto *filterText = new QLabel(status);
    filterText->setObjectName(QStringLiteral("StatusBarFilter"));
    status->addPermanentWidget(filterText);
    resize(1280, 800);
    setAcceptDrops(true);
}

void TMainForm::setFilterNotice(const QString &notice)
{
    findChild<QLabel *>(QStringLiteral("StatusBarFilter"))->setText(notice);
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

namespace
{
// One item of a menu: its objectName, caption and shortcut, and whether it needs an open league.  An item
// without a name is a separator; an item with a submenu opens it.
struct MenuItem {
    const char *name = nullptr;
    const char *caption = nullptr;
    const char *shortcut = nullptr;
    bool needsLeague = true;
    const QList<MenuItem> *submenu = nullptr;
};
const MenuItem Separator{};

struct Menu {
    const char *name;
    const char *caption;
    bool needsLeague; // the whole menu is disabled without a league
    QList<MenuItem> items;
};

const QList<MenuItem> exportItems = {
    {"MenuExport1", "&Home Stats"},   {"MenuExport2", "&Away Stats"},
    {"MenuExport3", "&Total Stats"},  {"MenuExport4", "&Cross Table"},
    {"MenuExport5", "&Streak Table"}, {"MenuExport6", "&Fixtures / Predictions / Odds"},
    {"MenuExport7", "&Scores"},       {"MenuExport8", "&Players Stats"},
};

// The menu bar, left to right.  Commands stay disabled until their window or routine is wired.
const QList<Menu> menus = {
    {"MenuFile",
     "&File",
     false,
     {
         {"MenuNew", "&New League", "Ctrl+N", false},
         {"MenuOpen", "&Open...", "Ctrl+O", false},
         {"MenuSave", "&Save", "Ctrl+S"},
         {"MenuSaveAs", "Save &As...", "Ctrl+A"},
         {"MenuConvert", "Convert League File to 3.04...", nullptr, false},
         {"MenuImportCsv", "&Import Results (CSV)..."},
         {"MenuExport", "&Export Data", nullptr, true, &exportItems},
         Separator,
         {"MenuPrintSetup", "P&rint Setup...", nullptr, false},
         {"MenuPrint", "&Print...", "Ctrl+P"},
         Separator,
         {"MenuQuit", "&Quit", "Ctrl+Q", false},
     }},
    {"MenuBettingTools",
     "&Betting Tools",
     false,
     {
         {"MenuArbFinder", "&Arbitrage Finder", "F5"},
         {"MenuTip", "&Match Prediction", "F6"},
         {"MenuPHistory", "Prediction &History", "F7"},
         {"MenuAnalyzer", "&Betting System Analyzer", "F8"},
         {"MenuTicketMgr", "&Ticket Manager", "F9", false},
     }},
    {"MenuTeams",
     "&Teams",
     true,
     {
         {"MenuAddTeam", "&Add Team..."},
         {"MenuEditTeam", "&Edit Team..."},
         {"MenuDeleteTeam", "&Delete Team"},
         Separator,
         {"MenuCopyPasteTeams", "Copy / Paste Teams..."},
         {"MenuMergeTeams", "Merge Teams..."},
     }},
    {"MenuFixtures",
     "&Fixtures / Predictions",
     true,
     {
         {"MenuFAddMatch", "&Add Match..."},
         {"MenuFEditMatch", "&Edit Match..."},
         {"MenuFDeleteMatch", "&Delete Match"},
         {"MenuFSwitchTeams", "Switch Teams"},
         Separator,
         {"MenuPredict", "Predict Upcoming Matches..."},
     }},
    {"MenuScores",
     "&Scores",
     true,
     {
         {"MenuRAddMatch", "&Add Match..."},
         {"MenuREditMatch", "&Edit Match..."},
         {"MenuRDeleteMatch", "&Delete Match"},
         {"MenuRSwitchTeams", "Switch Teams"},
         Separator,
         {"MenuRecalc", "&Recalculate Predictions..."},
     }},
    {"MenuPlayers",
     "&Players",
     true,
     {
         {"MenuAddPlayer", "&Add Player..."},
         {"MenuEditPlayer", "&Edit Player..."},
         {"MenuDeletePlayer", "&Delete Player"},
         {"MenuPlayerSearch", "Player &Search..."},
         Separator,
         {"MenuCopyPastePlayers", "Copy / Paste Players..."},
     }},
    {"MenuData",
     "&Data",
     false,
     {
         {"MenuLeagueSettings", "League Settings... "},
         {"MenuBettingSystem", "Betting System..."},
         {"MenuFilterSort", "Filter / Sort Data..."},
         {"MenuTCChart", "Team Comparison Chart"},
         Separator,
         {"MenuDownload", "&Download League Data...", nullptr, false},
         {"MenuEditor", "Editor..."},
     }},
    {"MenuHelp",
     "&Help",
     false,
     {
         {"MenuContents", "&Contents", nullptr, false},
         {"MenuAbout", "&About", nullptr, false},
     }},
};
} // namespace

void TMainForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    const std::function<void(QMenu *, const QList<MenuItem> &)> addMenuItems =
        [&](QMenu *menu, const QList<MenuItem> &items) {
            for (const MenuItem &item : items) {
                if (!item.name) {
                    menu->addSeparator();
                    continue;
                }
                const QString name = QString::fromLatin1(item.name);
                QAction *action = nullptr;
                if (item.submenu) {
                    QMenu *sub = menu->addMenu(QString::fromLatin1(item.caption));
                    sub->setObjectName(name);
                    addMenuItems(sub, *item.submenu);
                    action = sub->menuAction();
                } else {
                    action = menu->addAction(QString::fromLatin1(item.caption));
                    action->setObjectName(name);
                    if (item.shortcut)
                        action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
                }
                if (item.shortcut && (item.needsLeague || m_leagueMenus.contains(menu)))
                    tellNoLeague(QKeySequence(QString::fromLatin1(item.shortcut)));
                m_commands.insert(name, Command{action, item.needsLeague, false});
                updateCommand(m_commands[name]);
            }
        };
    for (const Menu &m : menus) {
        QMenu *menu = bar->addMenu(QString::fromLatin1(m.caption));
        menu->setObjectName(QString::fromLatin1(m.name));
        if (m.needsLeague)
            m_leagueMenus << menu;
        addMenuItems(menu, m.items);
    }
    // The remembered league files, above Quit.
    QMenu *file = findChild<QMenu *>(QStringLiteral("MenuFile"));
    m_recentFiles = new QMenu(QStringLiteral("Recent &Files"), file);
    m_recentFiles->setObjectName(QStringLiteral("MenuRecent"));
    file->insertMenu(command(QStringLiteral("MenuQuit")), m_recentFiles);
    file->insertSeparator(command(QStringLiteral("MenuQuit")));
    refreshRecentFiles();
    // The commands the main window carries out itself.
    connect(wire(QStringLiteral("MenuImportCsv")), &QAction::triggered, this, &TMainForm::importResultsCsv);
    connect(wire(QStringLiteral("MenuQuit")), &QAction::triggered, this, &QWidget::close);
    connect(wire(QStringLiteral("MenuContents")), &QAction::triggered, this, &TMainForm::help);
    connect(wire(QStringLiteral("MenuAbout")), &QAction::triggered, this, &TMainForm::about);
}

void TMainForm::tellNoLeague(const QKeySequence &keys)
{
    // A disabled command's key does nothing at all; this one takes the key while the command is off.
    auto *shortcut = new QShortcut(keys, this);
    shortcut->setEnabled(!m_leagueOpen);
    connect(shortcut, &QShortcut::activated, this, [] {
        messenger().warning(QStringLiteral("No league is open. Open a league file (File > Open...) or create "
                                           "one (File > New League) first."));
    });
    m_noLeagueShortcuts << shortcut;
}

QAction *TMainForm::wire(const QString &name)
{
    setBuilt(name);
    return command(name);
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
        {"ToolButtonPHistory", "Prediction History", "MenuPHistory", QStyle::SP_FileDialogContentsView,
         false},
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
    m_league = sunkenPanel(QStringLiteral("PanelLeague"), 280, QString(), top);
    row->addWidget(m_league);
    row->addWidget(boldLabel(QStringLiteral("Label7"), QStringLiteral("Season"), top));
    m_season = sunkenPanel(QStringLiteral("PanelSeason"), 90, QStringLiteral("2100 - 2100"), top);
    m_season->setAlignment(Qt::AlignCenter);
    row->addWidget(m_season);
    row->addWidget(boldLabel(QStringLiteral("LabelDate"), QStringLiteral("Last Modified"), top));
    m_lastModified =
        sunkenPanel(QStringLiteral("PanelLstUpd"), 80, Dates::toShortDate(QDate(2088, 12, 28)), top);
    m_lastModified->setAlignment(Qt::AlignCenter);
    row->addWidget(m_lastModified);
    row->addStretch(1);
    layout->addWidget(top);

    m_pages = new QTabWidget(panel1);
    m_pages->setObjectName(QStringLiteral("PageControlTPStats"));
    // In the order of Tab.
    const std::pair<const char *, const char *> tabs[] = {
        {"TabSheetHome", "Home Stats"},     {"TabSheetAway", "Away Stats"},
        {"TabSheetTotal", "Overall Stats"}, {"TabSheetCrossTable", "Cross Table"},
        {"TabSheetStreak", "Streak Table"}, {"TabSheetFixtures", "Fixtures / Predictions"},
        {"TabSheetScores", "Scores"},       {"TabSheetPlayerInfo", "Players"}};
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

QWidget *TMainForm::page(Tab tab) const
{
    return m_pages->widget(static_cast<int>(tab));
}

TMainForm::Tab TMainForm::currentTab() const
{
    return static_cast<Tab>(m_pages->currentIndex());
}

void TMainForm::setCurrentTab(Tab tab)
{
    m_pages->setCurrentIndex(static_cast<int>(tab));
}

void TMainForm::EnableLeagueCommands(bool enabled)
{
    m_leagueOpen = enabled;
    for (Command &c : m_commands)
        updateCommand(c);
    for (QMenu *m : std::as_const(m_leagueMenus))
        m->menuAction()->setEnabled(enabled);
    for (QShortcut *s : std::as_const(m_noLeagueShortcuts))
        s->setEnabled(!enabled);
    for (int i = 0; i < m_pages->count(); ++i)
        m_pages->setTabEnabled(i, enabled);
    // Without a league the first tab is in front (disabling the tabs moves the current one along).
    if (!enabled)
        setCurrentTab(Tab::HomeStats);
    if (!enabled) {
        setWindowTitle(programNameAndVersion());
        m_league->clear();
        m_season->clear();
        m_lastModified->clear();
        findChild<QLabel *>(QStringLiteral("StatusBarText"))->clear();
    }
}

QString TMainForm::leagueName() const
{
    return m_league->text();
}

void TMainForm::setLeaguePanels(const QString &league, const QString &season)
{
    m_league->setText(league);
    m_season->setText(season);
}

void TMainForm::refreshRecentFiles()
{
    m_recentFiles->clear();
    const QStringList files = ProgramSettings::recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *a = m_recentFiles->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        connect(a, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    if (files.isEmpty())
        m_recentFiles->addAction(QStringLiteral("No recent files"))->setEnabled(false);
}

void TMainForm::openRecentFile(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        messenger().error(
            QStringLiteral("The file \"%1\" no longer exists; it leaves the list of recent files.")
                .arg(QDir::toNativeSeparators(path)));
        ProgramSettings::removeRecentFile(path);
        refreshRecentFiles();
        return;
    }
    Q_EMIT openRequested(path);
}

namespace
{
// The local files of a drop; empty when anything dropped is not one.
QStringList droppedFiles(const QMimeData *data)
{
    QStringList files;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        files << url.toLocalFile();
    }
    return files;
}

bool isSeasonFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
}
} // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

// A league file opens; season files (.csv), one or several, go into the open league.
void TMainForm::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    if (!std::all_of(files.cbegin(), files.cend(), isSeasonFile)) {
        if (files.size() == 1)
            Q_EMIT openRequested(files.front());
        else
            messenger().warning(QStringLiteral("Drop one league file to open it, or season files (.csv) to "
                                               "import them into the open league."));
        return;
    }
    if (!m_leagueOpen) {
        messenger().warning(
            QStringLiteral("Open a league first: a results file is imported into the open league."));
        return;
    }
    importResultsCsvFiles(files);
}

void TMainForm::refreshLeaguePanels()
{
    m_lastModified->setText(Dates::toShortDate(QFileInfo(m_dm->ADOConnection.path()).lastModified().date()));
    Table &league = m_dm->ADOTableLeague;
    league.first();
    setLeaguePanels(league.field(QStringLiteral("League")).asString(),
                    league.field(QStringLiteral("SS")).asString() + QStringLiteral(" - ") +
                        league.field(QStringLiteral("SE")).asString());
}

void TMainForm::ShowLeagueFile(const QString &path)
{
    BusyCursor busy;
    EnableLeagueCommands(true); // the tabs must be enabled before one can come to the front
    setCurrentTab(Tab::HomeStats);
    findChild<QLabel *>(QStringLiteral("StatusBarText"))->setText(QDir::toNativeSeparators(path));
    setWindowTitle(QFileInfo(path).fileName() + QStringLiteral(" - ") + programNameAndVersion());
    refreshLeaguePanels();
    m_dm->ADOTablePlayers.setFilter(QString());
    m_dm->ADOTablePlayers.setFiltered(false);
    ProgramSettings::addRecentFile(path);
    refreshRecentFiles();
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
        const QString data = QDir(programFolder()).filePath(QStringLiteral("Data"));
        QDir().mkpath(data);
        const QString dir = ProgramSettings::lastFolder(data);
        // The program asks about an existing file itself, once; the file dialog does not ask too.
        path = save ? QFileDialog::getSaveFileName(this, title, dir, filter, nullptr,
                                                   QFileDialog::DontConfirmOverwrite)
                    : QFileDialog::getOpenFileName(this, title, dir, filter);
        ProgramSettings::storeLastFolderOf(path);
    }
    if (save && !path.isEmpty() && QFileInfo(path).suffix().isEmpty() && filter == leagueFileFilter())
        path += QStringLiteral(".qvl");
    return path;
}

void TMainForm::importResultsCsv()
{
    if (!m_dm->isLeagueOpen())
        return;
    const QString title = QStringLiteral("Import Results (CSV)");
    const QString filter = QStringLiteral("Results files (*.csv);;All files (*)");
    QStringList paths;
    if (m_choosePaths) {
        paths = m_choosePaths(title, filter);
    } else if (m_choosePath) {
        const QString path = m_choosePath(title, false, filter);
        if (!path.isEmpty())
            paths << path;
    } else {
        const QString data = QDir(programFolder()).filePath(QStringLiteral("Data"));
        paths = QFileDialog::getOpenFileNames(this, title, ProgramSettings::lastFolder(data), filter);
        if (!paths.isEmpty())
            ProgramSettings::storeLastFolderOf(paths.front());
    }
    if (!paths.isEmpty())
        importResultsCsvFiles(paths);
}

void TMainForm::importResultsCsvFiles(const QStringList &paths)
{
    if (!m_dm->isLeagueOpen())
        return;
    runCommand(messenger(), [&] {
        QList<SeasonFile> files = readSeasonFiles(paths);
        // Which prices to take: the best of all bookmakers per outcome, or one bookmaker's.
        const QStringList codes = commonBookmakers(files);
        if (!codes.isEmpty()) {
            QStringList choices{QStringLiteral("Best price of all bookmakers")};
            for (const QString &code : codes)
                choices << SeasonBookmakers::caption(code);
            bool ok = false;
            const QString choice =
                QInputDialog::getItem(this, QStringLiteral("Import Results (CSV)"),
                                      QStringLiteral("Odds from:"), choices, 0, false, &ok);
            if (!ok)
                return;
            const qsizetype chosen = choices.indexOf(choice);
            if (chosen > 0)
                files = readSeasonFiles(paths, codes[chosen - 1]);
        }
        QProgressDialog progress(QStringLiteral("Importing results..."), QString(), 0, matchCount(files),
                                 this);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(300);
        BusyCursor busy;
        ProgressPacer pacer;
        const ImportSummary s = ImportSeasonFiles(*m_dm, files, messenger(), [&](int done, int total) {
            if (!pacer.due(done, total))
                return;
            progress.setValue(done);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
        Q_EMIT leagueShown();
        messenger().information(describeSeasonImport(s, int(files.size())));
    });
}

void TMainForm::help()
{
    ShowManual(m_locateManual ? m_locateManual() : manualIndexPath(), m_openUrl);
}

void TMainForm::about()
{
    QDialog box(this);
    box.setObjectName(QStringLiteral("FormAbout"));
    box.setWindowTitle(QStringLiteral("About Quorvane"));
    auto *layout = new QVBoxLayout(&box);
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull()) {
        auto *picture = new QLabel(&box);
        picture->setObjectName(QStringLiteral("ImageAbout"));
        picture->setPixmap(icon.pixmap(64, 64));
        layout->addWidget(picture, 0, Qt::AlignCenter);
    }
    auto *name = boldLabel(QStringLiteral("LabelProduct"), QStringLiteral("Quorvane"), &box);
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 8);
    name->setFont(big);
    layout->addWidget(name, 0, Qt::AlignCenter);
    const auto line = [&box, layout](const QString &objectName, const QString &text) {
        auto *l = new QLabel(text, &box);
        l->setObjectName(objectName);
        layout->addWidget(l, 0, Qt::AlignCenter);
    };
    line(QStringLiteral("LabelVersion"), QStringLiteral("Version ") + programVersion());
    line(QStringLiteral("LabelRuntime"),
         QStringLiteral("Running on Qt %1 and SQLite %2").arg(qtRuntimeVersion(), sqliteRuntimeVersion()));
    line(QStringLiteral("LabelLicence"), QStringLiteral("Licence: ") + programLicence());
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &box);
    buttons->setObjectName(QStringLiteral("ButtonBoxAbout"));
    connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    layout->addWidget(buttons);
    box.setFixedSize(box.sizeHint());
    box.exec();
}
