#pragma once
// The main window: the open league's panels, the eight tabs, the toolbar, the menus and the switching of
// the league commands.  Commands only choose files and show windows; the work is done by core routines.

#include <QHash>
#include <QMainWindow>
#include <functional>

class TDataMod;
class QAction;
class QLabel;
class QMenu;
class QShortcut;
class QTabWidget;
class QToolBar;
class QUrl;
class QDragEnterEvent;
class QDropEvent;

class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    // The data module is created after the main window, as the start-up order has it.
    void setDataModule(TDataMod *dm) { m_dm = dm; }

    // Every command marked as needing a league, and the eight tabs.
    void EnableLeagueCommands(bool enabled);
    // After a league was opened, created or saved under a new name, with its tables open.
    void ShowLeagueFile(const QString &path);
    // The league and season panels (the league settings' OK sets them too).
    void setLeaguePanels(const QString &league, const QString &season);
    // The league, season and last-modified panels from the open league.
    void refreshLeaguePanels();
    // The status bar's note of a filter that restricts the current tab; empty clears it.
    void setFilterNotice(const QString &notice);
    // The league panel's text: the league name, which heads the printed reports.
    QString leagueName() const;

    // A command by the objectName of its menu item (MenuNew, MenuArbFinder, ...).
    QAction *command(const QString &name) const;
    // The eight tabs, in their order.
    enum class Tab { HomeStats, AwayStats, OverallStats, CrossTable, StreakTable, Fixtures, Scores, Players };
    QTabWidget *pages() const { return m_pages; }
    // A tab's page, to put its view into.
    QWidget *page(Tab tab) const;
    Tab currentTab() const;
    void setCurrentTab(Tab tab);
    // Marks a command as built: until then it stays disabled.
    void setBuilt(const QString &name, bool built = true);
    // The chooser of file paths; tests replace it.  Arguments: title, save (true) or open, filter.
    using PathChooser = std::function<QString(const QString &title, bool save, const QString &filter)>;
    void setPathChooser(PathChooser chooser) { m_choosePath = std::move(chooser); }
    // The chooser of several files to open (the season files to import); tests replace it.  Without one,
    // the path chooser above gives one file, or else the file dialog several.
    using PathsChooser = std::function<QStringList(const QString &title, const QString &filter)>;
    void setPathsChooser(PathsChooser chooser) { m_choosePaths = std::move(chooser); }
    // A path from the chooser (the file dialogs start in the folder last chosen in, at first the program's
    // Data folder); empty when cancelled.
    // A saved name without an extension gets the league files' one.
    QString choosePath(const QString &title, bool save, const QString &filter = leagueFileFilter());
    static QString leagueFileFilter();
    // Where the manual's first page is (empty: not there) and how a page is shown (false: it could not be);
    // tests replace the installed lookup and the desktop's browser.
    void setManualLocator(std::function<QString()> locate) { m_locateManual = std::move(locate); }
    void setUrlOpener(std::function<bool(const QUrl &)> open) { m_openUrl = std::move(open); }
    TDataMod &dataModule() const { return *m_dm; }
    bool leagueOpen() const { return m_leagueOpen; }

    // Imports season files into the open league, oldest season first, after the bookmaker question.
    void importResultsCsvFiles(const QStringList &paths);
    // The "Recent Files" submenu from the remembered list.
    void refreshRecentFiles();

Q_SIGNALS:
    void leagueShown(); // after ShowLeagueFile: views refresh
    // A league file to open, chosen from the recent files or dropped on the window.
    void openRequested(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    struct Command {
        QAction *action;
        bool needsLeague;
        bool built;
    };
    // Marks a command as carried out and gives its action, to connect.
    QAction *wire(const QString &name);
    void buildMenus();
    void buildToolBar();
    void buildPanels();
    void updateCommand(Command &c);
    // The keys of the commands that need a league say so while none is open, instead of doing nothing.
    void tellNoLeague(const QKeySequence &keys);

    // Commands whose routines live in the core.
    void importResultsCsv();
    void openRecentFile(const QString &path);
    void about();
    void help();

    TDataMod *m_dm = nullptr;
    QHash<QString, Command> m_commands;
    QList<QMenu *> m_leagueMenus;           // whole top-level menus that need a league
    QList<QShortcut *> m_noLeagueShortcuts; // their keys while no league is open
    QMenu *m_recentFiles = nullptr;
    QTabWidget *m_pages = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_league = nullptr;
    QLabel *m_season = nullptr;
    QLabel *m_lastModified = nullptr;
    bool m_leagueOpen = false;
    bool m_firstShow = true;
    PathChooser m_choosePath;
    PathsChooser m_choosePaths;
    std::function<QString()> m_locateManual;
    std::function<bool(const QUrl &)> m_openUrl;
};
