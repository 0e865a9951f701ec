// The main window's wiring: the commands switched on and off by an open league, the panels, and the
// file commands through the path chooser.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/GridCommands.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"
#include "support/LeagueFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class TestMainForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setMessenger(&m_messages); }
    void init();
    void cleanup();
    void startsWithLeagueCommandsOff();
    void openShowsLeagueAndSwitchesCommandsOn();
    void failedOpenKeepsPreviousLeague();
    void newLeagueCreatesAndOpensFile();
    void importResultsWithBookmakerChoice();
    void statusBarNamesARestrictingFilter();

private:
    QString text(const char *name) { return m_form->findChild<QLabel *>(QString::fromLatin1(name))->text(); }
    RecordingMessenger m_messages;
    QTemporaryDir m_dir;
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
    QCOMPARE(text("PanelSeason"), QStringLiteral("2005 - 2006"));
    QVERIFY(!text("PanelLstUpd").isEmpty());
    QVERIFY(text("StatusBarText").endsWith(QStringLiteral("Test League.qvl")));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Test League.qvl - Quorvane 3.04"));
    QTabWidget *pages = m_form->pages();
    QVERIFY(pages->isTabEnabled(7));
    QCOMPARE(m_form->currentTab(), TMainForm::Tab::HomeStats);
    QVERIFY(m_form->command(QStringLiteral("MenuSave"))->isEnabled());
    QVERIFY(m_form->findChild<QToolButton *>(QStringLiteral("ToolButtonSave"))->isEnabled());
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
    QTimer::singleShot(0, this, [&settingsShown] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            settingsShown = w->objectName() == QLatin1String("FormLeague") ||
                            w->windowTitle() == QLatin1String("League Settings");
            if (auto *d = qobject_cast<QDialog *>(w))
                d->reject();
        }
    });
    m_form->command(QStringLiteral("MenuNew"))->trigger();
    QVERIFY(settingsShown);
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
    // Choose William Hill's prices in the bookmaker question.
    QTimer::singleShot(0, this, [] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(d);
        auto *choice = d->findChild<QComboBox *>();
        QVERIFY(choice);
        choice->setCurrentText(QStringLiteral("WH"));
        d->accept();
    });
    m_form->command(QStringLiteral("MenuImportCsv"))->trigger();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("3 matches added, 0 updated.")});
    Table &results = m_windows->dm->ADOTableResults;
    results.setFiltered(false);
    QCOMPARE(results.recordCount(), 3);
    QVERIFY(results.locate(QStringLiteral("Home"), {QStringLiteral("Alpha")}));
    QCOMPARE(results.field(QStringLiteral("O1")).asString(), QStringLiteral("2.20"));
    QCOMPARE(results.field(QStringLiteral("O1B")).asString(), QStringLiteral("WH"));
    QCOMPARE(m_windows->dm->ADOTableTeams.recordCount(), 4);
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
    m_form->setCurrentTab(TMainForm::Tab::Fixtures);
    QCOMPARE(text("StatusBarFilter"), QString()); // the tab's own rows
    SetTableFilter(results, QStringLiteral("Result = ':' AND Rnd = 3"));
    QCOMPARE(text("StatusBarFilter"), QStringLiteral("Filter: Result = ':' AND Rnd = 3"));
    m_form->setCurrentTab(TMainForm::Tab::CrossTable);
    QCOMPARE(text("StatusBarFilter"), QString());
    m_form->setCurrentTab(TMainForm::Tab::Scores); // shows its own default rows again
    QCOMPARE(text("StatusBarFilter"), QString());
    SetTableFilter(m_windows->dm->ADOTablePlayers, QStringLiteral("Team = 'Alpha'"));
    m_form->setCurrentTab(TMainForm::Tab::Players);
    QVERIFY(text("StatusBarFilter").startsWith(QLatin1String("Filter: ")));
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
