#include "app/ui/AppWindows.h"

#include "analysis/AnalysisGrids.h"
#include "analysis/FilterSort.h"
#include "analysis/ui/ComparisonChartView.h"
#include "analysis/ui/TFormAnalyzer.h"
#include "analysis/ui/TFormFilter.h"
#include "analysis/ui/TFormPHistory.h"
#include "analysis/ui/TFormTCChart.h"
#include "app/LeagueFiles.h"
#include "app/MatchGrids.h"
#include "app/ui/CrossTableView.h"
#include "app/ui/MatchesView.h"
#include "app/ui/PlayersView.h"
#include "app/ui/StreakTableView.h"
#include "app/ui/TMainForm.h"
#include "app/ui/TeamTablesView.h"
#include "betting/ui/StatsGrid.h"
#include "betting/ui/TFormSureProfit.h"
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
#include "entry/AccessConversion.h"
#include "entry/ConvertLeague.h"
#include "entry/MatchEntry.h"
#include "entry/ui/TFormEditor.h"
#include "entry/ui/TFormEnterResults.h"
#include "entry/ui/TFormMergeTeams.h"
#include "output/AnalysisReports.h"
#include "output/TicketPrintouts.h"
#include "output/ui/ChartPreview.h"
#include "output/ui/ExportDialogs.h"
#include "output/ui/PrinterSetup.h"
#include "output/ui/ReportOutput.h"
#include "output/ui/TFormDD.h"
#include "output/ui/TFormDownload.h"
#include "output/ui/TFormPrint.h"
#include "predict/ui/TFormPredict.h"
#include "predict/ui/TFormTip.h"
#include "predict/ui/TFormTipResult.h"

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
    TFormMergeTeams *mergeTeams = nullptr;
    TFormCopyPastePlayers *pastePlayers = nullptr;
    TFormTicketMgr *ticketMgr = nullptr;
    TFormAnalyzer *analyzer = nullptr;
    TFormPHistory *pHistory = nullptr;
    TFormTip *tip = nullptr;
    TFormTipResult *tipResult = nullptr;
    TFormSureProfit *sureProfit = nullptr;
    TFormTCChart *tcChart = nullptr;
    TFormDD *dd = nullptr;
    TFormDownload *download = nullptr;
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
    delete p.tip;
    delete p.tipResult;
    delete p.download;
    delete p.dd;
    for (QObject *w : windows)
        delete w;
    delete p.analyzer;
    delete p.pHistory;
    delete p.sureProfit;
    delete p.tcChart;
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

// The files the Open and Convert dialogs offer: league files and Access databases of either extension.
const QString kOpenFilter = QStringLiteral("League files (*.qvl *.mdb *.accdb);;All files (*)");

// An Access/Jet file opens only by converting it: the user is offered the conversion, and the path of
// the converted file comes back (empty when there is none).
QString convertBeforeOpening(TMainForm &form, TDataMod &dm, const QString &path)
{
    const QString question =
        QStringLiteral("This is an Access league file, which opens only once it is converted "
                       "to a new league file. Convert it now?");
    if (messenger().question(question, QStringLiteral("Convert League File"), Messenger::Buttons::YesNo) !=
        Messenger::Answer::Yes)
        return QString();
    const QString newPath = form.choosePath(QStringLiteral("Save Converted League File As..."), true);
    if (newPath.isEmpty())
        return QString();
    form.raise();
    form.activateWindow();
    if (ConvertLeagueFile(path, newPath, messenger(), ConnectedFileName(dm.ADOConnection)) !=
        FileCommandResult::Done)
        return QString();
    return newPath;
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
    auto openPath = [&form, &dm](const QString &given) {
        const QString path =
            AccessConversion::isAccessFile(given) ? convertBeforeOpening(form, dm, given) : given;
        if (path.isEmpty())
            return;
        OpenLeague(dm, path, messenger(), [&form](const QString &p) { form.ShowLeagueFile(p); });
        if (!dm.isLeagueOpen())
            form.EnableLeagueCommands(false);
    };
    on(form, "MenuOpen", [&form, openPath] {
        const QString path = form.choosePath(QStringLiteral("Open"), false, kOpenFilter);
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
        const QString oldPath =
            form.choosePath(QStringLiteral("Select League File To Convert"), false, kOpenFilter);
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

// The status bar names, in words, a filter that keeps rows of the current tab out of sight.
void wireFilterNotice(TMainForm &form, TDataMod &dm, const PlayersView &players)
{
    using Tab = TMainForm::Tab;
    auto update = [&form, &dm, &players] {
        QString notice;
        switch (form.currentTab()) {
        case Tab::Fixtures:
            notice = filterNotice(FilteredPage::Fixtures, dm.ADOTableResults, filterChoices(), QString());
            break;
        case Tab::Scores:
            notice = filterNotice(FilteredPage::Scores, dm.ADOTableResults, filterChoices(), QString());
            break;
        case Tab::Players:
            notice = filterNotice(FilteredPage::Players, dm.ADOTablePlayers, filterChoices(),
                                  players.chosenTeam());
            break;
        case Tab::HomeStats:
        case Tab::AwayStats:
        case Tab::OverallStats:
        case Tab::CrossTable:
        case Tab::StreakTable:
            break; // these show every team
        }
        form.setFilterNotice(notice);
    };
    // The players' view is the context: the update asks it, and the tables outlive it when the windows close.
    QObject::connect(form.pages(), &QTabWidget::currentChanged, &players, update);
    for (Dataset *table :
         {static_cast<Dataset *>(&dm.ADOTableResults), static_cast<Dataset *>(&dm.ADOTablePlayers)})
        QObject::connect(table, &Dataset::layoutChanged, &players, update);
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
    wireFilterNotice(form, dm, *p.players);
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
    on(form, "MenuMergeTeams", [&p] { p.mergeTeams->exec(); });
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
                printReportJobsOrOfferPdf({ticketsPrintout(readPrintedTickets(mgr.book()))}, &mgr);
                break;
            case Printout::Table: {
                const StatsGrid &table = *mgr.statisticsTable();
                printReportJobsOrOfferPdf(
                    {statisticsTablePrintout(table.shownGrid(),
                                             table.verticalHeader()->defaultSectionSize())},
                    &mgr);
                break;
            }
            case Printout::Chart:
                PreviewChart(mgr.chartView(), &mgr);
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
    on(form, "MenuArbFinder", [&p] {
        p.sureProfit->setWindowState(p.sureProfit->windowState() | Qt::WindowMaximized);
        p.sureProfit->exec();
    });
    // The chart stays open beside the main window.
    on(form, "MenuTCChart", [&p] {
        p.tcChart->show();
        p.tcChart->raise();
        p.tcChart->activateWindow();
    });
    QObject::connect(p.tcChart, &TFormTCChart::printRequested, &form,
                     [&p] { PreviewChart(p.tcChart->chartView(), p.tcChart); });
    QObject::connect(p.tcChart, &TFormTCChart::exportRequested, &form,
                     [&p] { ExportChart(p.tcChart->chartView(), p.tcChart); });
    QObject::connect(&form, &TMainForm::leagueShown, p.tcChart, &TFormTCChart::leagueChanged);
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
// activated; not while a dialog works on the tables or a long piece of work (the busy cursor) walks them,
// which see them once they are done.
void watchOutsideChanges(TMainForm &form, TDataMod &dm, AppWindows::Parts &p)
{
    auto look = [&form, &dm, &p] {
        if (QApplication::activeModalWidget() || QApplication::overrideCursor())
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
    // The open league is closed around a download, so that its file can be replaced, and opened again.
    TFormDownload::LeagueHooks hooks;
    hooks.close = [&dm] {
        const QString path = ConnectedFileName(dm.ADOConnection);
        dm.closeLeague();
        return path;
    };
    hooks.reopen = [&form, &dm](const QString &path) {
        OpenLeague(dm, path, messenger(), [&form](const QString &opened) { form.ShowLeagueFile(opened); });
        if (!dm.isLeagueOpen())
            form.EnableLeagueCommands(false);
    };
    p.download->setLeagueHooks(std::move(hooks));
    on(form, "MenuDownload", [&p] { p.download->exec(); });
    on(form, "MenuPrint", [&form, &dm, &p] {
        PrintSources sources;
        sources.leagueName = [&form] { return form.leagueName(); };
        sources.showPageOf = [&form, &p](PrintChoice c) {
            if (c == PrintChoice::Scores)
                showTab(form, p, Tab::Scores);
            else if (c == PrintChoice::Fixtures || c == PrintChoice::Odds || c == PrintChoice::Predictions)
                showTab(form, p, Tab::Fixtures);
        };
        sources.rememberPage = [&form, &p] {
            return [&form, &p, tab = form.currentTab()] { showTab(form, p, tab); };
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

// The analyzer and the prediction history stay open beside the main window; the analyzer's printouts and
// exports go through the output layer.
void showBeside(QWidget *window)
{
    window->showMaximized();
    window->raise();
    window->activateWindow();
}

void wireAnalysisWindows(AppWindows &w)
{
    TMainForm &form = *w.mainForm;
    AppWindows::Parts &p = *w.parts;
    TFormAnalyzer *analyzer = p.analyzer;
    on(form, "MenuAnalyzer", [analyzer] { showBeside(analyzer); });
    on(form, "MenuPHistory", [&p] { showBeside(p.pHistory); });
    using Report = TFormAnalyzer::Report;
    using Target = TFormAnalyzer::ReportTarget;
    QObject::connect(
        analyzer, &TFormAnalyzer::reportRequested, analyzer, [analyzer, &form](Report report, Target target) {
            Table &table = report == Report::History ? analyzer->methodsTable() : analyzer->resultsTable();
            QList<PrintJob> jobs;
            {
                // The grid stops following its table while the report reads it.
                ControlsDisabled quiet(table);
                jobs << (report == Report::History ? systemsHistoryReport(table)
                                                   : backTestMatchesReport(table, form.leagueName()));
            }
            if (target == Target::Printer)
                printReportJobs(jobs, analyzer);
            else if (target == Target::Preview)
                previewReportJobs(jobs, analyzer);
            else
                saveReportJobsAsPdf(jobs, jobTitle(jobs.first()),
                                    analyzer->pdfPathChooser() ? analyzer->pdfPathChooser()
                                                               : pdfSaveDialog(analyzer),
                                    analyzer);
        });
    QObject::connect(analyzer, &TFormAnalyzer::exportRequested, analyzer, [analyzer, &form](Report report) {
        if (report == Report::History)
            ExportGrid(analyzer->methodsTable(), systemsHistoryColumns(),
                       QStringLiteral("Betting System History"), analyzer);
        else
            ExportGrid(analyzer->resultsTable(), backTestMatchColumns(),
                       form.leagueName() + QStringLiteral(" - Match Predictions & Scores"), analyzer);
    });
}

void wireTipCommands(AppWindows &w)
{
    TMainForm &form = *w.mainForm;
    TDataMod &dm = *w.dm;
    AppWindows::Parts &p = *w.parts;
    // The options open with the teams of the match selected on the fixtures or the scores tab.
    on(form, "MenuTip", [&form, &dm, &p] {
        const TMainForm::Tab tab = form.currentTab();
        std::optional<MatchTeams> match;
        if (tab == TMainForm::Tab::Fixtures || tab == TMainForm::Tab::Scores)
            match = selectedMatchTeams(dm.ADOTableResults);
        p.tip->setMatch(match ? match->home : QString(), match ? match->away : QString());
        p.tip->exec();
    });
    // The result window's league tables renumbered Pos in their own order: the main view's numbering and
    // sort come back.
    QObject::connect(p.tipResult, &TFormTipResult::closed, &form, [&form, &dm, &p] {
        if (!dm.isLeagueOpen())
            return;
        runCommand(messenger(), [&dm] { dm.ADOTableTeams.reload(true); });
        const TMainForm::Tab tab = form.currentTab();
        const bool teamTab = tab == TMainForm::Tab::HomeStats || tab == TMainForm::Tab::AwayStats ||
                             tab == TMainForm::Tab::OverallStats;
        p.teamTables[teamTab ? static_cast<int>(tab) : 0]->refresh();
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
    step();
    p.tipResult = new TFormTipResult(dm, parent);
    step();
    p.analyzer = new TFormAnalyzer(dm, parent);
    step(); // TFormBet
    step();
    p.dd = new TFormDD(parent);
    step();
    p.enterResults = new TFormEnterResults(dm, parent);
    step();
    p.sureProfit = new TFormSureProfit(dm, parent);
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
    step();
    p.tip = new TFormTip(dm, parent);
    p.tip->setResultWindow(p.tipResult);
    step();
    p.tcChart = new TFormTCChart(dm, parent);
    step();
    p.pHistory = new TFormPHistory(dm, parent);
    step();
    p.player = new TFormPlayerStats(dm, parent);
    step(); // TFormQRPlayerStats
    step();
    p.pasteTeams = new TFormCopyPasteTeams(dm, parent);
    p.mergeTeams = new TFormMergeTeams(dm, parent);
    step();
    p.pastePlayers = new TFormCopyPastePlayers(dm, parent);
    step();
    p.editor = new TFormEditor(dm, parent);
    step();
    p.download = new TFormDownload(parent);
    p.download->setFolderDialog(p.dd);
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
    wireAnalysisWindows(*w);
    wireTipCommands(*w);
    return w;
}

void openLeagueAtStart(AppWindows &windows, const QString &given)
{
    const QString path = AccessConversion::isAccessFile(given)
                             ? convertBeforeOpening(*windows.mainForm, *windows.dm, given)
                             : given;
    if (path.isEmpty())
        return;
    OpenLeague(*windows.dm, path, messenger(),
               [&windows](const QString &p) { windows.mainForm->ShowLeagueFile(p); });
}
