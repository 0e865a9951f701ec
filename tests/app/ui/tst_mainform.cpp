// The main window's wiring: the commands switched on and off by an open league, the panels, and the
// file commands through the path chooser.

#include "analysis/FilterSort.h"
#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/GridCommands.h"
#include "data/LeagueSettings.h"
#include "data/ProgramSettings.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"
#include "support/LeagueFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace
{
// Drops the files on the window, as a file manager does (defined with the other helpers below).
void drop(QWidget &target, const QStringList &paths);

// Answers the bookmaker question that is showing with the choice; returns what it offered.
QStringList chooseBookmaker(const QString &choice)
{
    auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    auto *combo = d ? d->findChild<QComboBox *>() : nullptr;
    if (!combo)
        return {};
    QStringList offered;
    for (int i = 0; i < combo->count(); ++i)
        offered << combo->itemText(i);
    combo->setCurrentIndex(combo->findText(choice));
    d->accept();
    return offered;
}
} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        setMessenger(&m_messages);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
    }
    void init();
    void cleanup();
    void startsWithLeagueCommandsOff();
    void openShowsLeagueAndSwitchesCommandsOn();
    void failedOpenKeepsPreviousLeague();
    void newLeagueCreatesAndOpensFile();
    void importResultsWithBookmakerChoice();
    void importSeveralSeasonFilesOldestFirst();
    void statusBarNamesARestrictingFilter();
    void keysOfLeagueCommandsSayALeagueIsNeeded();
    void matchPredictionOpensWithTheSelectedMatch();
    void recentFilesNewestFirstEachOnce();
    void droppedFilesOpenOrImport();
    void showsChangesOfAnotherProgram();

private:
    QString text(const char *name) { return m_form->findChild<QLabel *>(QString::fromLatin1(name))->text(); }
    RecordingMessenger m_messages;
    QTemporaryDir m_dir, m_settings;
    TMainForm *m_form = nullptr;
    std::unique_ptr<AppWindows> m_windows;
    QStringList m_paths; // answers of the path chooser, in order
};

void TestMainForm::init()
{
    m_messages.clear();
    m_form = new TMainForm;
    m_windows = createAppWindows(*m_form, [] {});
    m_form->setPathChooser([this](const QString &, bool, const QString &) {
        return m_paths.isEmpty() ? QString() : m_paths.takeFirst();
    });
    m_form->show();
}

void TestMainForm::cleanup()
{
    m_windows.reset();
    delete m_form;
}

void TestMainForm::startsWithLeagueCommandsOff()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Quorvane 3.04"));
    QTabWidget *pages = m_form->findChild<QTabWidget *>(QStringLiteral("PageControlTPStats"));
    QCOMPARE(pages->count(), 8);
    QCOMPARE(pages->tabText(5), QStringLiteral("Fixtures / Predictions"));
    for (int i = 0; i < 8; ++i)
        QVERIFY(!pages->isTabEnabled(i));
    QCOMPARE(m_form->currentTab(), TMainForm::Tab::HomeStats);
    // Closing a league shown on another tab goes back to the same start state.
    m_form->EnableLeagueCommands(true);
    m_form->setCurrentTab(TMainForm::Tab::Scores);
    m_form->EnableLeagueCommands(false);
    QCOMPARE(m_form->currentTab(), TMainForm::Tab::HomeStats);
    for (int i = 0; i < 8; ++i)
        QVERIFY(!pages->isTabEnabled(i));
    for (const char *name : {"MenuTeams", "MenuFixtures", "MenuScores", "MenuPlayers"})
        QVERIFY(!m_form->findChild<QMenu *>(QString::fromLatin1(name))->menuAction()->isEnabled());
    for (const char *name : {"MenuSave", "MenuSaveAs", "MenuImportCsv"})
        QVERIFY(!m_form->command(QString::fromLatin1(name))->isEnabled());
    for (const char *name : {"MenuNew", "MenuOpen", "MenuConvert", "MenuQuit", "MenuAbout"})
        QVERIFY(m_form->command(QString::fromLatin1(name))->isEnabled());
    QVERIFY(!m_form->command(QStringLiteral("MenuEditor"))->isEnabled());
    QCOMPARE(m_form->command(QStringLiteral("MenuSaveAs"))->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+A")));
    QCOMPARE(m_form->command(QStringLiteral("MenuArbFinder"))->shortcut(), QKeySequence(Qt::Key_F5));
    // Toolbar buttons follow their commands.
    QVERIFY(!m_form->findChild<QToolButton *>(QStringLiteral("ToolButtonSave"))->isEnabled());
    QVERIFY(m_form->findChild<QToolButton *>(QStringLiteral("ToolButtonOpen"))->isEnabled());
    QCOMPARE(m_form->findChild<QToolButton *>(QStringLiteral("ToolButtonOpen"))->toolTip(),
             QStringLiteral("Open League"));
    QVERIFY(text("PanelLeague").isEmpty());
}

void TestMainForm::openShowsLeagueAndSwitchesCommandsOn()
{
    LeagueFixture league(QStringLiteral("Football (Soccer)"),
                         {QStringLiteral("Alpha"), QStringLiteral("Beta")});
    league.setLeague(QStringLiteral("League"), QStringLiteral("Serie A"));
    const QString path = league.path();
    league.dm().closeLeague();
    m_paths << path;
    m_form->command(QStringLiteral("MenuOpen"))->trigger();
    QVERIFY(m_messages.messages().isEmpty());
    QCOMPARE(text("PanelLeague"), QStringLiteral("Serie A"));
    const Season season = currentSeason(); // a new league starts in the season being played
    QCOMPARE(text("PanelSeason"), QStringLiteral("%1 - %2").arg(season.first).arg(season.second));
    QVERIFY(!text("PanelLstUpd").isEmpty());
    QVERIFY(text("StatusBarText").endsWith(QStringLiteral("Test League.qvl")));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Test League.qvl - Quorvane 3.04"));
    QTabWidget *pages = m_form->pages();
    QVERIFY(pages->isTabEnabled(7));
    QCOMPARE(m_form->currentTab(), TMainForm::Tab::HomeStats);
    QVERIFY(m_form->command(QStringLiteral("MenuSave"))->isEnabled());
    QVERIFY(m_form->findChild<QToolButton *>(QStringLiteral("ToolButtonSave"))->isEnabled());
    QVERIFY(m_form->command(QStringLiteral("MenuEditor"))->isEnabled()); // the fixture importer
    QVERIFY(m_form->findChild<QMenu *>(QStringLiteral("MenuTeams"))->menuAction()->isEnabled());
}

void TestMainForm::failedOpenKeepsPreviousLeague()
{
    LeagueFixture league;
    const QString path = league.path();
    league.dm().closeLeague();
    const QString bogus = m_dir.filePath(QStringLiteral("notes.qvl"));
    QFile f(bogus);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a league\n");
    f.close();
    m_paths << path << bogus;
    m_form->command(QStringLiteral("MenuOpen"))->trigger();
    m_form->command(QStringLiteral("MenuOpen"))->trigger();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Error opening league file.")});
    QVERIFY(m_windows->dm->isLeagueOpen());
    QVERIFY(text("StatusBarText").endsWith(QStringLiteral("Test League.qvl")));
    QVERIFY(m_form->pages()->isTabEnabled(0));
}

void TestMainForm::newLeagueCreatesAndOpensFile()
{
    m_paths << m_dir.filePath(QStringLiteral("Serie B")); // the extension is added
    // The league settings open right after the file is made: answer them with Cancel.
    bool settingsShown = false;
    QList<int> seasons; // the two years shown, then after changes of the first
    QTimer::singleShot(0, this, [&settingsShown, &seasons] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            settingsShown = w->objectName() == QLatin1String("FormLeague") ||
                            w->windowTitle() == QLatin1String("League Settings");
            auto *first = w->findChild<QSpinBox *>(QStringLiteral("SpinEditSS"));
            auto *second = w->findChild<QSpinBox *>(QStringLiteral("SpinEditSE"));
            seasons << first->value() << second->value();
            first->setValue(first->value() + 3); // the second year follows
            seasons << second->value();
            second->setValue(first->value()); // a season within one calendar year
            first->stepDown();
            seasons << second->value();
            if (auto *d = qobject_cast<QDialog *>(w))
                d->reject();
        }
    });
    m_form->command(QStringLiteral("MenuNew"))->trigger();
    QVERIFY(settingsShown);
    // A new league starts in the season being played; the second year moves with the first.
    const int year = currentSeason().first;
    QCOMPARE(seasons, (QList<int>{year, year + 1, year + 4, year + 2}));
    QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("Serie B.qvl"))));
    QVERIFY(m_windows->dm->isLeagueOpen());
    QCOMPARE(text("PanelLeague"), QStringLiteral("Serie B.qvl"));
    QVERIFY(m_form->pages()->isTabEnabled(0));
}

void TestMainForm::importResultsWithBookmakerChoice()
{
    LeagueFixture league;
    const QString path = league.path();
    league.dm().closeLeague();
    const QString csv = m_dir.filePath(QStringLiteral("season.csv"));
    QFile f(csv);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A,WHH,WHD,WHA\n"
            "E0,13/08/05,Alpha,Beta,2,1,2.10,3.20,3.50,2.20,3.10,3.40\n"
            "E0,13/08/05,Gamma,Delta,0,0,1.80,3.40,4.50,1.75,3.50,4.60\n"
            "E0,20/08/05,Beta,Gamma,,,2.50,3.10,2.80,2.40,3.20,2.90\n");
    f.close();
    m_paths << path << csv;
    m_form->command(QStringLiteral("MenuOpen"))->trigger();
    // Choose William Hill's prices in the bookmaker question, which names the bookmakers.
    QStringList offered;
    QTimer::singleShot(0, this,
                       [&offered] { offered = chooseBookmaker(QStringLiteral("WH (William Hill)")); });
    m_form->command(QStringLiteral("MenuImportCsv"))->trigger();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("3 matches added, 0 updated.")});
    Table &results = m_windows->dm->ADOTableResults;
    results.setFiltered(false);
    QCOMPARE(results.recordCount(), 3);
    QVERIFY(results.locate(QStringLiteral("Home"), {QStringLiteral("Alpha")}));
    QCOMPARE(results.field(QStringLiteral("O1")).asString(), QStringLiteral("2.20"));
    QCOMPARE(results.field(QStringLiteral("O1B")).asString(), QStringLiteral("WH"));
    QCOMPARE(m_windows->dm->ADOTableTeams.recordCount(), 4);
    QCOMPARE(offered, (QStringList{QStringLiteral("Best price of all bookmakers"),
                                   QStringLiteral("B365 (Bet365)"), QStringLiteral("WH (William Hill)")}));
}

// Several season files chosen at once, or dropped together, go in oldest season first, by the dates
// they hold, with one question, one progress and one summary.
void TestMainForm::importSeveralSeasonFilesOldestFirst()
{
    LeagueFixture league;
    const QString path = league.path();
    league.dm().closeLeague();
    const auto write = [this](const char *name, const QByteArray &rows) {
        const QString csv = m_dir.filePath(QString::fromLatin1(name));
        QFile f(csv);
        if (f.open(QIODevice::WriteOnly))
            f.write("Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A,WHH,WHD,WHA\n" + rows);
        return csv;
    };
    const QStringList seasons = {
        write("1-newer.csv", "E0,13/08/05,Alpha,Beta,2,1,2.10,3.20,3.50,2.20,3.10,3.40\n"
                             "E0,14/08/05,Gamma,Delta,0,0,1.80,3.40,4.50,1.75,3.50,4.60\n"),
        write("2-older.csv", "E0,14/08/04,Beta,Gamma,1,1,2.50,3.10,2.80,2.40,3.20,2.90\n")};
    m_paths << path;
    m_form->command(QStringLiteral("MenuOpen"))->trigger();
    QStringList asked;
    m_form->setPathsChooser([&](const QString &title, const QString &) {
        asked << title;
        return seasons;
    });
    QStringList offered;
    QTimer::singleShot(0, this,
                       [&offered] { offered = chooseBookmaker(QStringLiteral("WH (William Hill)")); });
    m_form->command(QStringLiteral("MenuImportCsv"))->trigger();
    QCOMPARE(asked, QStringList{QStringLiteral("Import Results (CSV)")});
    QCOMPARE(offered.size(), 3);
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("2 season files: 3 matches added, 0 updated.")});
    Table &results = m_windows->dm->ADOTableResults;
    results.setFiltered(false);
    QVERIFY(results.locate(QStringLiteral("ID"), {0}));
    QCOMPARE(results.field(QStringLiteral("Home")).asString(), QStringLiteral("Beta"));
    QCOMPARE(results.field(QStringLiteral("O1B")).asString(), QStringLiteral("WH"));

    // Dropped together: the same files again change nothing, and say so once.
    m_messages.clear();
    QTimer::singleShot(0, this, [] { chooseBookmaker(QStringLiteral("Best price of all bookmakers")); });
    drop(*m_form, seasons);
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("2 season files: 0 matches added, 0 updated.")});
    QCOMPARE(results.recordCount(), 3);
    // A league file dropped with season files is neither opened nor imported.
    m_messages.clear();
    drop(*m_form, {seasons.first(), path});
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(m_messages.messages().first().kind, Messenger::Kind::Warning);
}

void TestMainForm::statusBarNamesARestrictingFilter()
{
    LeagueFixture league(QStringLiteral("Football (Soccer)"),
                         {QStringLiteral("Alpha"), QStringLiteral("Beta")});
    const QString path = league.path();
    league.dm().closeLeague();
    m_paths << path;
    m_form->command(QStringLiteral("MenuOpen"))->trigger();
    Table &results = m_windows->dm->ADOTableResults;
    FilterChoices &choices = filterChoices();
    const FilterChoices before = choices;
    m_form->setCurrentTab(TMainForm::Tab::Fixtures);
    QCOMPARE(text("StatusBarFilter"), QString()); // the tab's own rows
    choices.fixtures.filter = FixtureFilterKind::Round;
    choices.fixtures.round = 3;
    ApplyFixtureFilter(results, choices.fixtures);
    QCOMPARE(text("StatusBarFilter"), QStringLiteral("Filter: round 3"));
    m_form->setCurrentTab(TMainForm::Tab::CrossTable);
    QCOMPARE(text("StatusBarFilter"), QString());
    m_form->setCurrentTab(TMainForm::Tab::Scores); // shows its own default rows again
    QCOMPARE(text("StatusBarFilter"), QString());
    choices.scores.filter = ScoreFilterKind::Team;
    choices.scores.team = QStringLiteral("Beta");
    m_form->setCurrentTab(TMainForm::Tab::Fixtures);
    m_form->setCurrentTab(TMainForm::Tab::Scores); // showing the tab applies its filter
    QCOMPARE(text("StatusBarFilter"), QStringLiteral("Filter: team Beta"));
    // The players' team list filters by itself.
    auto *teams = m_form->findChild<QListWidget *>(QStringLiteral("ListBoxTeams"));
    m_form->setCurrentTab(TMainForm::Tab::Players);
    QCOMPARE(text("StatusBarFilter"), QString());
    teams->setCurrentRow(1);
    QCOMPARE(teams->currentItem()->text(), QStringLiteral("Alpha"));
    QCOMPARE(text("StatusBarFilter"), QStringLiteral("Filter: team Alpha"));
    choices = before;
}

void TestMainForm::keysOfLeagueCommandsSayALeagueIsNeeded()
{
    const QString needed =
        QStringLiteral("No league is open. Open a league file (File > Open...) or create one "
                       "(File > New League) first.");
    QApplication::setActiveWindow(m_form);
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    for (const QKeySequence &keys : {QKeySequence(Qt::Key_F5), QKeySequence(Qt::Key_F6),
                                     QKeySequence(Qt::Key_F8), QKeySequence(QStringLiteral("Ctrl+S"))}) {
        m_messages.clear();
        QTest::keySequence(m_form, keys);
        QCOMPARE(m_messages.texts(), QStringList{needed});
    }
    // Keys of the commands that need no league do their own work and say nothing of it.
    m_messages.clear();
    QTest::keySequence(m_form, QKeySequence(Qt::Key_F9));
    QVERIFY(m_messages.texts().isEmpty());

    // With a league open the key runs its command.
    LeagueFixture league(QStringLiteral("Football (Soccer)"),
                         {QStringLiteral("Alpha"), QStringLiteral("Beta")});
    const QString path = league.path();
    league.dm().closeLeague();
    m_paths << path;
    m_form->command(QStringLiteral("MenuOpen"))->trigger();
    m_messages.clear();
    QString opened;
    QTimer::singleShot(0, this, [&opened] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            opened = d->windowTitle();
            d->reject();
        }
    });
    QApplication::setActiveWindow(m_form);
    QTest::keySequence(m_form, QKeySequence(Qt::Key_F6));
    QCOMPARE(opened, QStringLiteral("Match Prediction Options"));
    QVERIFY(m_messages.texts().isEmpty());
}

void TestMainForm::matchPredictionOpensWithTheSelectedMatch()
{
    LeagueFixture league(QStringLiteral("Football (Soccer)"),
                         {QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")});
    QVERIFY(
        league.addMatch(QStringLiteral("Alpha"), QStringLiteral("Beta"), -1, -1, false, QDate(2005, 8, 1)));
    QVERIFY(
        league.addMatch(QStringLiteral("Gamma"), QStringLiteral("alpha"), -1, -1, false, QDate(2005, 8, 8)));
    QVERIFY(league.addMatch(QStringLiteral("Beta"), QStringLiteral("Gamma"), 2, 1, false, QDate(2005, 7, 1)));
    const QString path = league.path();
    league.dm().closeLeague();
    m_paths << path;
    m_form->command(QStringLiteral("MenuOpen"))->trigger();

    auto chosenTeams = [this] {
        QStringList teams;
        QTimer::singleShot(0, this, [&teams] {
            auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(d);
            teams << d->findChild<QComboBox *>(QStringLiteral("ComboBoxHome"))->currentText()
                  << d->findChild<QComboBox *>(QStringLiteral("ComboBoxAway"))->currentText();
            d->reject();
        });
        m_form->command(QStringLiteral("MenuTip"))->trigger();
        return teams;
    };
    // The second fixture selected in the fixtures grid; its away team typed in other letter case is the
    // chooser's entry.
    m_form->setCurrentTab(TMainForm::Tab::Fixtures);
    auto *fixtures = m_form->findChild<QTableView *>(QStringLiteral("DBGridFixtures"));
    fixtures->setCurrentIndex(fixtures->model()->index(1, 2));
    QCOMPARE(chosenTeams(), (QStringList{QStringLiteral("Gamma"), QStringLiteral("Alpha")}));
    // The match selected on the scores tab.
    m_form->setCurrentTab(TMainForm::Tab::Scores);
    QCOMPARE(chosenTeams(), (QStringList{QStringLiteral("Beta"), QStringLiteral("Gamma")}));
    // No match grid in front: the teams are left to choose.
    m_form->setCurrentTab(TMainForm::Tab::HomeStats);
    QCOMPARE(chosenTeams(), (QStringList{QString(), QString()}));
}

namespace
{
// A league file of its own, closed, under the given name in dir.
QString leagueFile(const QTemporaryDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    LeagueFixture league(QStringLiteral("Football (Soccer)"),
                         {QStringLiteral("Alpha"), QStringLiteral("Beta")});
    league.dm().closeLeague();
    QFile::copy(league.path(), path);
    return path;
}

QStringList recentEntries(TMainForm &form)
{
    QStringList out;
    for (QAction *a : form.findChild<QMenu *>(QStringLiteral("MenuRecent"))->actions())
        out << a->text();
    return out;
}

void drop(QWidget &target, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &dropped);
}
} // namespace

void TestMainForm::recentFilesNewestFirstEachOnce()
{
    // The list itself: newest first, each file once, at most eight.
    QStringList list;
    for (int i = 0; i < 10; ++i)
        list = ProgramSettings::withRecentFile(list, QStringLiteral("/leagues/%1.qvl").arg(i));
    list = ProgramSettings::withRecentFile(list, QStringLiteral("/leagues/../leagues/5.qvl"));
    QCOMPARE(list.size(), 8);
    QCOMPARE(list.mid(0, 3), QStringList({QStringLiteral("/leagues/5.qvl"), QStringLiteral("/leagues/9.qvl"),
                                          QStringLiteral("/leagues/8.qvl")}));
    QCOMPARE(list.count(QStringLiteral("/leagues/5.qvl")), 1);

    // Through the window: every league shown goes to the top of the File menu's list.
    for (const QString &p : ProgramSettings::recentFiles())
        ProgramSettings::removeRecentFile(p);
    const QString first = leagueFile(m_dir, QStringLiteral("First.qvl"));
    const QString second = leagueFile(m_dir, QStringLiteral("Second.qvl"));
    m_paths << first << second;
    m_form->command(QStringLiteral("MenuOpen"))->trigger();
    m_form->command(QStringLiteral("MenuOpen"))->trigger();
    QCOMPARE(recentEntries(*m_form), QStringList({QStringLiteral("&1 ") + QDir::toNativeSeparators(second),
                                                  QStringLiteral("&2 ") + QDir::toNativeSeparators(first)}));
    m_form->findChild<QMenu *>(QStringLiteral("MenuRecent"))->actions().at(1)->trigger();
    QVERIFY(text("StatusBarText").endsWith(QStringLiteral("First.qvl")));
    QVERIFY(recentEntries(*m_form).first().endsWith(QStringLiteral("First.qvl")));

    // A file that went away says so and leaves the list; the open league stays.
    QVERIFY(QFile::remove(second));
    m_form->findChild<QMenu *>(QStringLiteral("MenuRecent"))->actions().at(1)->trigger();
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(m_messages.messages().first().kind, Messenger::Kind::Error);
    QCOMPARE(recentEntries(*m_form).size(), 1);
    QVERIFY(text("StatusBarText").endsWith(QStringLiteral("First.qvl")));
}

void TestMainForm::droppedFilesOpenOrImport()
{
    const QString csv = m_dir.filePath(QStringLiteral("season.csv"));
    QFile f(csv);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,FTR\nE0,14/08/2005,Alpha,Beta,2,1,H\n");
    f.close();
    drop(*m_form, {csv}); // no league open: nothing to import into
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(m_messages.messages().first().kind, Messenger::Kind::Warning);
    m_messages.clear();

    const QString league = leagueFile(m_dir, QStringLiteral("Dropped.qvl"));
    drop(*m_form, {league});
    QVERIFY(text("StatusBarText").endsWith(QStringLiteral("Dropped.qvl")));
    drop(*m_form, {csv});
    QVERIFY2(m_messages.texts().join(QLatin1Char('|')).contains(QLatin1String("1 matches added")),
             qPrintable(m_messages.texts().join(QLatin1Char('|'))));
    QCOMPARE(m_windows->dm->ADOTableResults.recordCount(), 1);
}

void TestMainForm::showsChangesOfAnotherProgram()
{
    const QString path = leagueFile(m_dir, QStringLiteral("Watched.qvl"));
    m_paths << path;
    m_form->command(QStringLiteral("MenuOpen"))->trigger();
    m_form->setCurrentTab(TMainForm::Tab::Scores);
    {
        Database other;
        other.open(path);
        other.execute(QStringLiteral("UPDATE League SET League = 'Renamed Elsewhere'"));
        other.execute(QStringLiteral("INSERT INTO Results (ID, Home, Away, Result, F, A, DateP) "
                                     "VALUES (1, 'Alpha', 'Beta', '1:0', 1, 0, '2005-08-14')"));
    }
    QTRY_COMPARE_WITH_TIMEOUT(text("PanelLeague"), QStringLiteral("Renamed Elsewhere"), 2500);
    QCOMPARE(m_windows->dm->ADOTableResults.recordCount(), 1);
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
