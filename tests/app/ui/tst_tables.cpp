#include "app/ui/CrossTableView.h"
#include "app/ui/PlayersView.h"
#include "app/ui/StreakTableView.h"
#include "data/Dates.h"
#include "data/GridCommands.h"
#include "data/PlayersQueries.h"
#include "data/ui/DataGrid.h"
#include "data/ui/GuiMessenger.h"
#include "support/LeagueFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QListView>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

namespace
{
const QString A = QStringLiteral("Arsenal");
const QString B = QStringLiteral("Chelsea");
const QString C = QStringLiteral("Everton");

// A small league: three teams (stored out of order), three played matches and a fixture.
void fillLeague(LeagueFixture &f)
{
    QVERIFY(f.addMatch(A, B, 2, 1, false, QDate(2005, 8, 1), 1));
    QVERIFY(f.addMatch(C, A, 3, 2, true, QDate(2005, 8, 8), 2));
    QVERIFY(f.addMatch(B, C, 0, 1, false, QDate(2005, 8, 15), 3));
    QVERIFY(f.addMatch(A, C, -1, -1, false, QDate(2005, 9, 1), 4));
}

void addPlayers(LeagueFixture &f)
{
    Table &players = f.dm().ADOTablePlayers;
    const QList<std::pair<QString, QString>> list = {{QStringLiteral("Zoran Novak"), C},
                                                     {QStringLiteral("Martin Keller"), A},
                                                     {QStringLiteral("Andrea Pirlo"), A}};
    int n = 1;
    for (const auto &[name, team] : list)
        players.appendRecord({n++, name, team, QStringLiteral("Midfielder"), 100, 50, 50,
                              QStringLiteral("IN"), QVariant(), QDate(1980, 1, 2), QStringLiteral("75"),
                              QStringLiteral("180")});
    players.first();
}

QColor colourOf(const Rgb &c)
{
    return QColor(c.red, c.green, c.blue);
}

QColor background(QTableWidgetItem *item)
{
    return item->background().color();
}

QString dateText(int month, int day)
{
    return Dates::toShortDate(QDate(2005, month, day));
}

QStringList shownPlayers(DataGrid *grid)
{
    QStringList out;
    for (int r = 0; r < grid->datasetModel()->rowCount(); ++r)
        out << grid->datasetModel()->cellText(r, 1);
    return out;
}
} // namespace

class TestTables : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setMessenger(&m_messages);
    }
    void init() { m_messages.clear(); }
    void crossTableShowsTheLeague();
    void streakTableShowsTheLeague();
    void streakTableKeepsTheNewestInView();
    void refreshWithoutLeagueKeepsTheGrid();
    void playersTeamChoiceAndModes();
    void playersSearchAndCommands();

private:
    RecordingMessenger m_messages;
};

void TestTables::crossTableShowsTheLeague()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {C, A, B});
    fillLeague(f);
    CrossTableView view(f.dm());
    QCOMPARE(view.objectName(), QStringLiteral("StringGrid"));
    view.show(); // showing the tab rebuilds the grid

    QCOMPARE(view.rowCount(), 3);
    QCOMPARE(view.columnCount(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(view.horizontalHeaderItem(i)->text(), (QStringList{A, B, C}.at(i)));
        QCOMPARE(view.verticalHeaderItem(i)->text(), (QStringList{A, B, C}.at(i)));
    }
    QCOMPARE(view.item(0, 1)->text(), QStringLiteral("2:1  "));
    QCOMPARE(view.item(2, 0)->text(), QStringLiteral("3:2 OT  "));
    QCOMPARE(view.item(0, 1)->toolTip(),
             QStringLiteral("Score: 2:1\nDate: %1\nRound: 1").arg(dateText(8, 1)));
    QCOMPARE(view.item(0, 2)->text(), QString()); // the fixture: a hint but no score
    QCOMPARE(view.item(0, 2)->toolTip(), QStringLiteral("Score: :\nDate: %1\nRound: 4").arg(dateText(9, 1)));
    QCOMPARE(background(view.item(0, 1)), colourOf(Colours::White));
    QCOMPARE(background(view.item(1, 1)), colourOf(Colours::Black));
    QCOMPARE(background(view.item(0, 2)), QApplication::palette().button().color());
    QCOMPARE(view.columnWidth(0), 120);
    QCOMPARE(view.rowHeight(0), 20);

    // Selecting Arsenal against Chelsea lights up both names.
    view.setCurrentCell(0, 1);
    QCOMPARE(view.verticalHeaderItem(0)->background().color(), colourOf(Colours::Navy));
    QCOMPARE(view.verticalHeaderItem(0)->foreground().color(), colourOf(Colours::White));
    QCOMPARE(view.horizontalHeaderItem(1)->background().color(), colourOf(Colours::Navy));
    QCOMPARE(view.horizontalHeaderItem(0)->background().style(), Qt::NoBrush);
    QCOMPARE(view.verticalHeaderItem(1)->background().style(), Qt::NoBrush);
}

void TestTables::streakTableShowsTheLeague()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {C, A, B});
    fillLeague(f);
    StreakTableView view(f.dm());
    QCOMPARE(view.objectName(), QStringLiteral("StringGridStreak"));
    view.show();

    QCOMPARE(view.rowCount(), 3);
    QCOMPARE(view.columnCount(), 2); // each team played twice
    QCOMPARE(view.horizontalHeaderItem(1)->text(), QStringLiteral("2"));
    QCOMPARE(view.verticalHeaderItem(2)->text(), C);
    const QStringList letters = {QStringLiteral("WD"), QStringLiteral("LL"), QStringLiteral("DW")};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            QCOMPARE(view.item(r, c)->text(), QString(letters[r].at(c)));
    QCOMPARE(background(view.item(0, 0)), colourOf(Colours::LightGreen));
    QCOMPARE(background(view.item(0, 1)), colourOf(Colours::LightYellow));
    QCOMPARE(background(view.item(1, 0)), colourOf(Colours::LightRed));
    QCOMPARE(view.item(2, 1)->toolTip(),
             QStringLiteral("Chelsea - Everton\nScore: 0:1\nDate: %1\nRound: 3").arg(dateText(8, 15)));
    QCOMPARE(view.columnWidth(0), 30);
    QCOMPARE(view.verticalHeader()->width(), 120);

    // Too narrow for the season: it opens at the newest matches, the right end.
    view.resize(165, 200);
    view.refresh();
    QVERIFY(view.horizontalScrollBar()->maximum() > 0);
    QCOMPARE(view.horizontalScrollBar()->value(), view.horizontalScrollBar()->maximum());
}

void TestTables::streakTableKeepsTheNewestInView()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    for (int i = 0; i < 12; ++i)
        QVERIFY(f.addMatch(i % 2 ? A : B, i % 2 ? B : A, i % 3, 1, false, QDate(2005, 8, 1).addDays(7 * i)));
    StreakTableView view(f.dm());
    view.resize(600, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.columnCount(), 12);
    QScrollBar *bar = view.horizontalScrollBar();
    const int wide = bar->maximum();

    // Given its width only after it was filled, as when the window is laid out or maximised: the
    // newest match, the last column, stays in view.
    view.resize(260, 200);
    QVERIFY(bar->maximum() > wide);
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(view.visualRect(view.model()->index(0, 11)).right() <= view.viewport()->width());
    view.resize(400, 200);
    QCOMPARE(bar->value(), bar->maximum());

    // Scrolled back by the user, it stays there; shown again, it opens at the newest matches.
    bar->setValue(0);
    view.resize(250, 200);
    QCOMPARE(bar->value(), 0);
    view.refresh();
    QCOMPARE(bar->value(), bar->maximum());
}

void TestTables::refreshWithoutLeagueKeepsTheGrid()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    CrossTableView view(f.dm());
    view.refresh();
    QCOMPARE(view.grid().columnCount(), 3);
    f.dm().closeLeague();
    view.refresh();
    QCOMPARE(view.grid().columnCount(), 3);
    QCOMPARE(view.rowCount(), 2);
    QVERIFY(m_messages.messages().isEmpty());
}

void TestTables::playersTeamChoiceAndModes()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {C, A});
    addPlayers(f);
    PlayersView view(f.dm());
    view.resize(900, 500);
    view.show();

    auto *teams = view.findChild<QListWidget *>(QStringLiteral("ListBoxTeams"));
    auto *grid = view.findChild<DataGrid *>(QStringLiteral("DBGridPlayers"));
    auto *notebook = view.findChild<QStackedWidget *>(QStringLiteral("NotebookP"));
    auto *mode = view.findChild<QComboBox *>(QStringLiteral("ComboBoxPMode"));
    QVERIFY(teams && grid && notebook && mode &&
            view.findChild<QListView *>(QStringLiteral("DBCtrlGridPlayers")));
    QCOMPARE(teams->count(), 3);
    QCOMPARE(teams->item(0)->text(), QStringLiteral("<---All--->"));
    QCOMPARE(teams->item(1)->text(), A);
    QCOMPARE(notebook->currentWidget()->objectName(), QStringLiteral("Stats"));

    teams->setCurrentRow(1);
    QCOMPARE(view.chosenTeam(), A);
    QCOMPARE(shownPlayers(grid),
             (QStringList{QStringLiteral("Martin Keller"), QStringLiteral("Andrea Pirlo")}));
    QVERIFY(grid->isColumnHidden(2));
    view.refresh(); // showing the tab again keeps the choice that filters the table
    QCOMPARE(view.chosenTeam(), A);
    teams->setCurrentRow(0);
    QCOMPARE(grid->datasetModel()->rowCount(), 3);
    QVERIFY(!grid->isColumnHidden(2));

    mode->setCurrentIndex(1);
    Q_EMIT mode->activated(1);
    QCOMPARE(notebook->currentWidget()->objectName(), QStringLiteral("Detail"));
    QCoreApplication::processEvents();
    // Whole cards side by side, each at least as wide as a card, as many as the area holds.
    QVERIFY(view.cardColumns() >= 2);
    const int cardWidth = view.cards()->visualRect(view.cards()->model()->index(0, 0)).width();
    QVERIFY(cardWidth >= PlayerCardWidth);
    QVERIFY(cardWidth * view.cardColumns() <= view.cards()->viewport()->width());
    QVERIFY(cardWidth * (view.cardColumns() + 1) > view.cards()->viewport()->width());

    mode->setEditText(QStringLiteral("3"));
    view.applyMode();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Invalid mode")});
    QCOMPARE(notebook->currentWidget()->objectName(), QStringLiteral("Detail"));

    // Opening another league: the list empties and every player shows.
    teams->setCurrentRow(2);
    view.leagueOpened();
    QCOMPARE(teams->count(), 0);
    QCOMPARE(f.dm().ADOTablePlayers.recordCount(), 3);
    QVERIFY(!grid->isColumnHidden(2));
}

void TestTables::playersSearchAndCommands()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {C, A});
    addPlayers(f);
    PlayersView view(f.dm());
    view.show();
    Table &players = f.dm().ADOTablePlayers;
    auto *grid = view.grid();

    QVERIFY(view.findPlayer(QStringLiteral("ma")));
    QCOMPARE(players.field(QStringLiteral("Player")).asString(), QStringLiteral("Martin Keller"));
    QCOMPARE(grid->currentIndex().row(), players.recNo() - 1); // the grid moved with it
    QCOMPARE(view.cards()->currentIndex().row(), players.recNo() - 1);
    QVERIFY(!view.findPlayer(QStringLiteral("zz")));
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Player not found")});

    QSignalSpy add(&view, &PlayersView::addPlayer);
    QSignalSpy edit(&view, &PlayersView::editPlayer);
    QTest::keyClick(grid, Qt::Key_Insert);
    QTest::keyClick(view.cards(), Qt::Key_Insert);
    QCOMPARE(add.size(), 2);
    QTest::keyClick(view.cards(), Qt::Key_Return);
    QCOMPARE(edit.size(), 1);
    showPlayersOfTeam(players, QStringLiteral("Nobody"));
    QTest::keyClick(grid, Qt::Key_Return); // no rows shown: nothing to edit
    QCOMPARE(edit.size(), 1);
    showAllPlayers(players);

    m_messages.clear();
    m_messages.queueAnswer(Messenger::Answer::Yes);
    const QString named = currentRowName(players);
    QVERIFY(named.endsWith(QLatin1Char(')'))); // "Player (Team)"
    view.findChild<QAction *>(QStringLiteral("ToolButtonDeletePlayer"))->trigger();
    QCOMPARE(m_messages.texts(),
             QStringList{QStringLiteral("Do you really want to delete this record?\n") + named});
    QCOMPARE(players.recordCount(), 2);
}

QTEST_MAIN(TestTables)
#include "tst_tables.moc"
