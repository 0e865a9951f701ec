#include "app/ui/AppWindows.h"

#include "analysis/FilterSort.h"
#include "analysis/ui/TFormFilter.h"
#include "app/ConvertLeague.h"
#include "app/LeagueFiles.h"
#include "app/MatchGrids.h"
#include "app/ui/CrossTableView.h"
#include "app/ui/MatchesView.h"
#include "app/ui/PlayersView.h"
#include "app/ui/StreakTableView.h"
#include "app/ui/TMainForm.h"
#include "app/ui/TeamTablesView.h"
#include "betting/ui/StatsGrid.h"
#include "betting/ui/TFormTicketMgr.h"
#include "betting/ui/TicketChartView.h"
#include "data/CommandBoundary.h"
#include "data/Errors.h"
#include "data/GridCommands.h"
#include "data/ResultsViews.h"
#include "data/TDataMod.h"
#include "data/TeamEditing.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/TFormAETeam.h"
#include "data/ui/TFormCopyPastePlayers.h"
#include "data/ui/TFormCopyPasteTeams.h"
#include "data/ui/TFormLeague.h"
#include "data/ui/TFormPlayerStats.h"
#include "entry/MatchEntry.h"
#include "entry/ui/TFormEditor.h"
#include "entry/ui/TFormEnterResults.h"
#include "output/TicketPrintouts.h"
#include "output/ui/ExportDialogs.h"
#include "output/ui/PrintJobs.h"
#include "output/ui/PrinterSetup.h"
#include "output/ui/TFormPrint.h"
#include "predict/ui/TFormPredict.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLayout>
#include <QTabWidget>
#include <QTimer>

struct AppWindows::Parts {
    std::unique_ptr<TDataMod> dm;
    // Dialogs, created once in the start-up order (children of the main window).
    TFormEnterResults *enterResults = nullptr;
    TFormFilter *filter = nullptr;
    TFormLeague *league = nullptr;
    TFormPredict *predict = nullptr;
    TFormAETeam *team = nullptr;
    TFormPlayerStats *player = nullptr;
    TFormCopyPasteTeams *pasteTeams = nullptr;
    TFormCopyPastePlayers *pastePlayers = nullptr;
    TFormTicketMgr *ticketMgr = nullptr;
    TFormEditor *editor = nullptr;
    // The views on the tabs.
    TeamTablesView *teamTables[3] = {nullptr, nullptr, nullptr};
    MatchesView *fixtures = nullptr;
    MatchesView *scores = nullptr;
    CrossTableView *crossTable = nullptr;
    StreakTableView *streakTable = nullptr;
    PlayersView *players = nullptr;
};

AppWindows::~AppWindows()
{
    // The windows go before the data module whose tables they show.
    if (!parts)
        return;
    AppWindows::Parts &p = *parts;
    const QList<QObject *> windows = {
        p.enterResults, p.filter,       p.league,     p.predict,       p.team,          p.player,
        p.pasteTeams,   p.pastePlayers, p.ticketMgr,  p.teamTables[0], p.teamTables[1], p.teamTables[2],
        p.fixtures,     p.scores,       p.crossTable, p.streakTable,   p.players,       p.editor};
    for (QObject *w : windows)
        delete w;
}

namespace
{
void on(TMainForm &form, const char *command, std::function<void()> fn)
{
    QAction *a = form.command(QString::fromLatin1(command));
    Q_ASSERT(a);
    QObject::connect(a, &QAction::triggered, &form, std::move(fn));
    form.setBuilt(QString::fromLatin1(command));
}

// After a command that closed and reopened the league: show the one that is open, or the no-league state.
void showOutcome(TMainForm &form, TDataMod &dm, const FileCommandOutcome &o)
{
    if (!o.leagueChanged)
        return;
    if (dm.isLeagueOpen())
        form.ShowLeagueFile(o.leaguePath);
    else
        form.EnableLeagueCommands(false);
}

void wireFileCommands(AppWindows &w)
{
    TMainForm &form = *w.mainForm;
    TDataMod &dm = *w.dm;
    on(form, "MenuNew", [&form, &dm, &w] {
        const QString path = form.choosePath(QStringLiteral("New League"), true);
        const FileCommandOutcome o = NewLeague(dm, path, messenger());
        if (o.result == FileCommandResult::Done && w.showLeagueSettings)
            w.showLeagueSettings(-1);
        if (o.result == FileCommandResult::Done || o.leagueChanged)
            showOutcome(form, dm, FileCommandOutcome{o.result, true, ConnectedFileName(dm.ADOConnection)});
    });
    auto openPath = [&form, &dm](const QString &path) {
        OpenLeague(dm, path, messenger(), [&form](const QString &p) { form.ShowLeagueFile(p); });
        if (!dm.isLeagueOpen())
            form.EnableLeagueCommands(false);
    };
    on(form, "MenuOpen", [&form, openPath] {
        const QString path = form.choosePath(QStringLiteral("Open"), false);
        if (!path.isEmpty())
            openPath(path);
    });
    QObject::connect(&form, &TMainForm::openRequested, &form, openPath);
    on(form, "MenuSave", [&dm] { SaveLeague(dm, messenger()); });
    on(form, "MenuSaveAs", [&form, &dm] {
        const QString path = form.choosePath(QStringLiteral("Save As..."), true);
        showOutcome(form, dm, SaveLeagueAs(dm, path, messenger()));
    });
    on(form, "MenuConvert", [&form, &dm] {
        const QString oldPath = form.choosePath(QStringLiteral("Select League File To Convert"), false);
        if (oldPath.isEmpty())
            return;
        const QString newPath = form.choosePath(QStringLiteral("Save Converted League File As..."), true);
        if (newPath.isEmpty())
            return;
        form.raise();
        form.activateWindow();
        ConvertLeagueFile(oldPath, newPath, messenger(), ConnectedFileName(dm.ADOConnection));
    });
}

template <typename View> View *putOnPage(TMainForm &form, TMainForm::Tab tab, View *view)
{
    form.page(tab)->layout()->addWidget(view);
    return view;
}

// The status bar names a filter that keeps rows of the current tab out of sight.
void wireFilterNotice(TMainForm &form, TDataMod &dm)
{
    using Tab = TMainForm::Tab;
    auto update = [&form, &dm] {
        QString notice;
        switch (form.currentTab()) {
        case Tab::Fixtures:
            notice = filterNotice(dm.ADOTableResults, fixturesFilterText());
            break;
        case Tab::Scores:
            notice = filterNotice(dm.ADOTableResults, scoresFilterText());
            break;
        case Tab::Players:
            notice = filterNotice(dm.ADOTablePlayers, QString());
            break;
        case Tab::HomeStats:
        case Tab::AwayStats:
        case Tab::OverallStats:
            notice = filterNotice(dm.ADOTableTeams, QString());
            break;
        case Tab::CrossTable:
        case Tab::StreakTable:
            break;
        }
        form.setFilterNotice(notice);
    };
    QObject::connect(form.pages(), &QTabWidget::currentChanged, &form, update);
    for (Dataset *table :
         {static_cast<Dataset *>(&dm.ADOTableResults), static_cast<Dataset *>(&dm.ADOTablePlayers),
          static_cast<Dataset *>(&dm.ADOTableTeams)})
        QObject::connect(table, &Dataset::layoutChanged, &form, update);
}

void buildViews(AppWindows &w)
{
    TMainForm &form = *w.mainForm;
    TDataMod &dm = *w.dm;
    AppWindows::Parts &p = *w.parts;
    using Tab = TMainForm::Tab;
    const Tab teamPages[3] = {Tab::HomeStats, Tab::AwayStats, Tab::OverallStats};
    const TeamTable tables[3] = {TeamTable::Home, TeamTable::Away, TeamTable::Overall};
    for (int i = 0; i < 3; ++i) {
        p.teamTables[i] = putOnPage(form, teamPages[i], new TeamTablesView(dm, tables[i]));
        p.teamTables[i]->setSortChoices(&filterChoices().teamSorts);
    }
    p.crossTable = putOnPage(form, Tab::CrossTable, new CrossTableView(dm));
    p.streakTable = putOnPage(form, Tab::StreakTable, new StreakTableView(dm));
    p.fixtures = putOnPage(form, Tab::Fixtures, new MatchesView(dm, MatchPage::Fixtures));
    p.fixtures->setResultsView(applyFixtureView);
    p.scores = putOnPage(form, Tab::Scores, new MatchesView(dm, MatchPage::Scores));
    p.scores->setResultsView(applyScoreView);
    p.players = putOnPage(form, Tab::Players, new PlayersView(dm));

    // Each tab refreshes its own content when shown.
    QObject::connect(form.pages(), &QTabWidget::currentChanged, &form, [&p, &form] {
        switch (form.currentTab()) {
        case Tab::HomeStats:
        case Tab::AwayStats:
        case Tab::OverallStats:
            p.teamTables[static_cast<int>(form.currentTab())]->refresh();
            break;
        case Tab::Fixtures:
            p.fixtures->refresh();
            break;
        case Tab::Scores:
            p.scores->refresh();
            break;
        case Tab::Players:
            p.players->refresh();
            break;
        case Tab::CrossTable:
        case Tab::StreakTable:
            break; // they rebuild themselves when shown
        }
    });
    QObject::connect(&form, &TMainForm::leagueShown, &form, [&p] {
        p.players->leagueOpened();
        p.teamTables[0]->refresh();
    });
    wireFilterNotice(form, dm);
}

void wireTeamCommands(AppWindows &w)
{
    TMainForm &form = *w.mainForm;
    TDataMod &dm = *w.dm;
    AppWindows::Parts &p = *w.parts;
    auto addTeam = [&p] {
        p.team->setWindowTitle(addTeamCaption());
        p.team->exec();
    };
    auto editTeam = [&p, &dm] {
        if (dm.ADOTableTeams.isEmpty())
            return;
        p.team->setWindowTitle(editTeamCaption());
        p.team->exec();
    };
    auto deleteTeam = [&dm] { ConfirmDeleteRow(dm.ADOTableTeams, messenger()); };
    on(form, "MenuAddTeam", addTeam);
    on(form, "MenuEditTeam", editTeam);
    on(form, "MenuDeleteTeam", deleteTeam);
    on(form, "MenuCopyPasteTeams", [&p] { p.pasteTeams->exec(); });
    for (TeamTablesView *view : p.teamTables) {
        QObject::connect(view, &TeamTablesView::addTeam, &form, addTeam);
        QObject::connect(view, &TeamTablesView::editTeam, &form, editTeam);
        QObject::connect(view, &TeamTablesView::deleteTeam, &form, deleteTeam);
        QObject::connect(view, &TeamTablesView::filterSort, &form,
                         [&p] { p.filter->execPage(TFormFilter::TeamStatistics); });
    }
}

void wireMatchCommands(AppWindows &w)
{
    TMainForm &form = *w.mainForm;
    TDataMod &dm = *w.dm;
    AppWindows::Parts &p = *w.parts;
    auto addMatch = [&p] {
        p.enterResults->setWindowTitle(addMatchCaption());
        p.enterResults->exec();
    };
    auto editMatch = [&p, &dm] {
        if (dm.ADOTableResults.isEmpty())
            return;
        p.enterResults->setWindowTitle(editMatchCaption());
        p.enterResults->exec();
    };
    auto deleteMatch = [&dm] { ConfirmDeleteRow(dm.ADOTableResults, messenger()); };
    auto switchTeams = [&dm] { SwitchTeams(dm, messenger()); };
    auto predict = [&p](const QString &caption) {
        p.predict->setWindowTitle(caption);
        p.predict->exec();
    };
    for (const char *name : {"MenuFAddMatch", "MenuRAddMatch"})
        on(form, name, addMatch);
    for (const char *name : {"MenuFEditMatch", "MenuREditMatch"})
        on(form, name, editMatch);
    for (const char *name : {"MenuFDeleteMatch", "MenuRDeleteMatch"})
        on(form, name, deleteMatch);
    for (const char *name : {"MenuFSwitchTeams", "MenuRSwitchTeams"})
        on(form, name, switchTeams);
    on(form, "MenuPredict", [predict] { predict(TFormPredict::predictUpcomingCaption()); });
    on(form, "MenuRecalc", [predict] { predict(TFormPredict::recalculateCaption()); });
    // Before a run the page of its matches comes to the front, which applies that page's filter and sort.
    QObject::connect(p.predict, &TFormPredict::aboutToRun, &form, [&form, &p](TFormPredict::Command c) {
        const bool upcoming = c == TFormPredict::Command::PredictUpcoming;
        const TMainForm::Tab tab = upcoming ? TMainForm::Tab::Fixtures : TMainForm::Tab::Scores;
        if (form.currentTab() == tab)
            (upcoming ? p.fixtures : p.scores)->refresh();
        else
            form.setCurrentTab(tab);
    });
    for (MatchesView *view : {p.fixtures, p.scores}) {
        QObject::connect(view, &MatchesView::addMatch, &form, addMatch);
        QObject::connect(view, &MatchesView::editMatch, &form, editMatch);
        QObject::connect(view, &MatchesView::deleteMatch, &form, deleteMatch);
        const TFormFilter::Page page =
            view == p.fixtures ? TFormFilter::FixturesPredictions : TFormFilter::Scores;
        QObject::connect(view, &MatchesView::filterSort, &form, [&p, page] { p.filter->execPage(page); });
    }
    QObject::connect(p.fixtures, &MatchesView::predict, &form,
                     [predict] { predict(TFormPredict::predictUpcomingCaption()); });
}

void wirePlayerCommands(AppWindows &w)
{
    TMainForm &form = *w.mainForm;
    TDataMod &dm = *w.dm;
    AppWindows::Parts &p = *w.parts;
    auto addPlayer = [&p] {
        p.player->setWindowTitle(addPlayerCaption());
        p.player->exec();
    };
    auto editPlayer = [&p, &dm] {
        if (dm.ADOTablePlayers.isEmpty())
            return;
        p.player->setWindowTitle(editPlayerCaption());
        p.player->exec();
    };
    on(form, "MenuAddPlayer", addPlayer);
    on(form, "MenuEditPlayer", editPlayer);
    on(form, "MenuDeletePlayer", [&p] { p.players->deletePlayer(); });
    on(form, "MenuPlayerSearch", [&p] { p.players->searchPlayer(); });
    on(form, "MenuCopyPastePlayers", [&p] { p.pastePlayers->exec(); });
    QObject::connect(p.players, &PlayersView::addPlayer, &form, addPlayer);
    QObject::connect(p.players, &PlayersView::editPlayer, &form, editPlayer);
    QObject::connect(p.players, &PlayersView::filterSort, &form,
                     [&p] { p.filter->execPage(TFormFilter::PlayerStatistics); });
    p.filter->setPlayersTeamSelection([&p] { return p.players->chosenTeam(); });
}

// The ticket manager's Print menu: the tickets and the statistics table on the printer (a PDF file when
// there is none), the chart in the platform's preview.
void wireTicketPrintouts(TFormTicketMgr &mgr)
{
    using Printout = TFormTicketMgr::Printout;
    QObject::connect(&mgr, &TFormTicketMgr::printoutRequested, &mgr, [&mgr](Printout printout) {
        runCommand(messenger(), [&mgr, printout] {
            switch (printout) {
            case Printout::Tickets:
                PrintJobsOrOfferPdf({ticketsPrintout(readPrintedTickets(mgr.book()))}, &mgr);
                break;
            case Printout::Table: {
                const StatsGrid &table = *mgr.statisticsTable();
                PrintJobsOrOfferPdf({statisticsTablePrintout(table.shownGrid(),
                                                             table.verticalHeader()->defaultSectionSize())},
                                    &mgr);
                break;
            }
            case Printout::Chart:
                PreviewWidget(mgr.chartView(), QStringLiteral("Chart"), &mgr);
                break;
            }
        });
    });
}

void wireDataCommands(AppWindows &w)
{
    TMainForm &form = *w.mainForm;
    AppWindows::Parts &p = *w.parts;
    w.showLeagueSettings = [&p](int page) {
        if (page >= 0)
            p.league->setCurrentPage(static_cast<TFormLeague::Page>(page));
        p.league->exec();
    };
    on(form, "MenuLeagueSettings", [&w] { w.showLeagueSettings(int(TFormLeague::Page::League)); });
    on(form, "MenuBettingSystem", [&w] { w.showLeagueSettings(int(TFormLeague::Page::BettingSystem)); });
    // The ticket manager stays open beside the main window.
    on(form, "MenuTicketMgr", [&p] {
        p.ticketMgr->showMaximized();
        p.ticketMgr->raise();
        p.ticketMgr->activateWindow();
    });
    on(form, "MenuFilterSort", [&p] { p.filter->execPage(TFormFilter::FixturesPredictions); });
    on(form, "MenuEditor", [&p] { p.editor->exec(); });
    QObject::connect(p.league, &TFormLeague::leagueSettingsStored, &form, &TMainForm::setLeaguePanels);
    wireTicketPrintouts(*p.ticketMgr);
}
// Brings a tab to front, or refreshes it when it is in front already, so that the shared table holds the
// rows and order of that tab's grid.
void showTab(TMainForm &form, AppWindows::Parts &p, TMainForm::Tab tab)
{
    if (form.currentTab() != tab) {
        form.setCurrentTab(tab);
        return;
    }
    switch (tab) {
    case TMainForm::Tab::HomeStats:
    case TMainForm::Tab::AwayStats:
    case TMainForm::Tab::OverallStats:
        p.teamTables[static_cast<int>(tab)]->refresh();
        break;
    case TMainForm::Tab::Fixtures:
        p.fixtures->refresh();
        break;
    case TMainForm::Tab::Scores:
        p.scores->refresh();
        break;
    case TMainForm::Tab::Players:
        p.players->refresh();
        break;
    case TMainForm::Tab::CrossTable:
    case TMainForm::Tab::StreakTable:
        break;
    }
}

// The columns a match grid shows in its display mode: the export writes the grid as displayed.
QList<GridColumn> shownColumns(const MatchesView &view, MatchPage page)
{
    const QList<GridColumn> &all = matchGridColumns(page);
    const std::optional<QList<bool>> shown = matchColumnsShown(page, view.modeChooser()->currentText());
    if (!shown)
        return all;
    QList<GridColumn> out;
    for (qsizetype i = 0; i < all.size(); ++i)
        if (shown->value(i, true))
            out << all[i];
    return out;
}

// Another program's changes to the open league show within two seconds, or when the window is next
// activated; not while a dialog works on the tables, which sees them once it closes.
void watchOutsideChanges(TMainForm &form, TDataMod &dm, AppWindows::Parts &p)
{
    auto look = [&form, &dm, &p] {
        if (QApplication::activeModalWidget())
            return;
        runCommand(messenger(), [&] {
            if (!dm.ReloadIfChangedElsewhere())
                return;
            form.refreshLeaguePanels();
            const TMainForm::Tab tab = form.currentTab();
            if (tab == TMainForm::Tab::CrossTable)
                p.crossTable->refresh();
            else if (tab == TMainForm::Tab::StreakTable)
                p.streakTable->refresh();
            else
                showTab(form, p, tab);
        });
    };
    auto *timer = new QTimer(&form);
    timer->setObjectName(QStringLiteral("OutsideChangesTimer"));
    QObject::connect(timer, &QTimer::timeout, &form, look);
    timer->start(1500);
    QObject::connect(qApp, &QApplication::applicationStateChanged, &form, [look](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            look();
    });
}

void wireOutputCommands(AppWindows &w)
{
    TMainForm &form = *w.mainForm;
    TDataMod &dm = *w.dm;
    AppWindows::Parts &p = *w.parts;
    using Tab = TMainForm::Tab;
    form.setBuilt(QStringLiteral("MenuExport"));
    on(form, "MenuPrintSetup", [&form] { PrinterSetup(&form); });
    on(form, "MenuPrint", [&form, &dm, &p] {
        PrintSources sources;
        sources.leagueName = [&form] { return form.leagueName(); };
        sources.showPageOf = [&form, &p](PrintChoice c) {
            if (c == PrintChoice::Scores)
                showTab(form, p, Tab::Scores);
            else if (c == PrintChoice::Fixtures || c == PrintChoice::Odds || c == PrintChoice::Predictions)
                showTab(form, p, Tab::Fixtures);
        };
        sources.drawnGrid = [&p](PrintChoice c) {
            TextGridView *view = c == PrintChoice::CrossTable ? static_cast<TextGridView *>(p.crossTable)
                                                              : static_cast<TextGridView *>(p.streakTable);
            view->refresh();
            GridPrintout g;
            g.cells = view->grid().cells();
            g.gridRowHeight = view->verticalHeader()->defaultSectionSize();
            return g;
        };
        // Created afresh for every use: every box starts unticked.
        TFormPrint dialog(dm, std::move(sources), &form);
        dialog.exec();
    });
    struct GridExport {
        const char *command;
        Tab tab;
    };
    const GridExport grids[] = {{"MenuExport1", Tab::HomeStats},    {"MenuExport2", Tab::AwayStats},
                                {"MenuExport3", Tab::OverallStats}, {"MenuExport6", Tab::Fixtures},
                                {"MenuExport7", Tab::Scores},       {"MenuExport8", Tab::Players}};
    for (const GridExport &g : grids) {
        const Tab tab = g.tab;
        on(form, g.command, [&form, &dm, &p, tab] {
            showTab(form, p, tab);
            const QString title = form.leagueName();
            switch (tab) {
            case Tab::HomeStats:
            case Tab::AwayStats:
            case Tab::OverallStats:
                ExportGrid(dm.ADOTableTeams, teamGridColumns(static_cast<TeamTable>(tab)), title, &form);
                break;
            case Tab::Fixtures:
                ExportGrid(dm.ADOTableResults, shownColumns(*p.fixtures, MatchPage::Fixtures), title, &form);
                break;
            case Tab::Scores:
                ExportGrid(dm.ADOTableResults, shownColumns(*p.scores, MatchPage::Scores), title, &form);
                break;
            default:
                ExportGrid(dm.ADOTablePlayers, playerGridColumns(), title, &form);
                break;
            }
        });
    }
    on(form, "MenuExport4", [&form, &p] {
        p.crossTable->refresh();
        ExportStringGrid(p.crossTable->grid().cells(), form.leagueName(), &form);
    });
    on(form, "MenuExport5", [&form, &p] {
        p.streakTable->refresh();
        ExportStringGrid(p.streakTable->grid().cells(), form.leagueName(), &form);
    });
}
} // namespace

std::unique_ptr<AppWindows> createAppWindows(TMainForm &mainForm, const std::function<void()> &step)
{
    auto w = std::make_unique<AppWindows>();
    w->parts = std::make_unique<AppWindows::Parts>();
    AppWindows::Parts &p = *w->parts;
    w->mainForm = &mainForm;
    QWidget *parent = &mainForm;

    // The start-up order; windows not built yet only advance the bar.
    step();
    p.dm = std::make_unique<TDataMod>();
    w->dm = p.dm.get();
    mainForm.setDataModule(w->dm);
    TDataMod &dm = *w->dm;
    step(); // TFormTipResult
    step(); // TFormAnalyzer
    step(); // TFormBet
    step(); // TFormDD
    step();
    p.enterResults = new TFormEnterResults(dm, parent);
    step(); // TFormSureProfit
    step();
    p.filter = new TFormFilter(dm, parent);
    step();
    p.league = new TFormLeague(dm, parent);
    step();
    p.predict = new TFormPredict(dm, parent);
    step();
    p.team = new TFormAETeam(dm, parent);
    step(); // TFormTicket
    step();
    p.ticketMgr = new TFormTicketMgr(parent);
    step(); // TFormTip
    step(); // TFormTCChart
    step(); // TFormPHistory
    step();
    p.player = new TFormPlayerStats(dm, parent);
    step(); // TFormQRPlayerStats
    step();
    p.pasteTeams = new TFormCopyPasteTeams(dm, parent);
    step();
    p.pastePlayers = new TFormCopyPastePlayers(dm, parent);
    step();
    p.editor = new TFormEditor(dm, parent);
    step(); // TFormDownload
    p.league->setTeamDialog(p.team);
    p.league->setPlayerDialog(p.player);

    buildViews(*w);
    wireFileCommands(*w);
    wireTeamCommands(*w);
    wireMatchCommands(*w);
    wirePlayerCommands(*w);
    wireDataCommands(*w);
    wireOutputCommands(*w);
    watchOutsideChanges(mainForm, dm, p);
    return w;
}

void openLeagueAtStart(AppWindows &windows, const QString &path)
{
    OpenLeague(*windows.dm, path, messenger(),
               [&windows](const QString &p) { windows.mainForm->ShowLeagueFile(p); });
}
