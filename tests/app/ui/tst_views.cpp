#include "app/ui/MatchesView.h"
#include "app/ui/TeamTablesView.h"
#include "data/Database.h"
#include "data/GridCommands.h"
#include "data/ui/DataGrid.h"
#include "data/ui/DatasetModel.h"
#include "data/ui/GuiMessenger.h"
#include "support/DarkPalette.h"
#include "support/LeagueFixture.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace
{
// A list written as one text, items separated by "|".
QStringList words(const char *items)
{
    return QString::fromUtf8(items).split(QLatin1Char('|'));
}

const QString Alpha = QStringLiteral("Alpha");
const QString Beta = QStringLiteral("Beta");
const QString Gamma = QStringLiteral("Gamma");
const QString Delta = QStringLiteral("Delta");

// Home table: Beta, Gamma, then Alpha and Delta level; away table: Beta, Gamma level, Delta, Alpha.
// Two fixtures besides, on later dates.
void fillLeague(LeagueFixture &f)
{
    QVERIFY(f.addMatch(Beta, Alpha, 2, 0, false, QDate(2005, 8, 6)));
    QVERIFY(f.addMatch(Gamma, Delta, 1, 0, false, QDate(2005, 8, 6)));
    QVERIFY(f.addMatch(Delta, Beta, 1, 1, false, QDate(2005, 8, 13)));
    QVERIFY(f.addMatch(Alpha, Gamma, 0, 0, false, QDate(2005, 8, 20)));
    QVERIFY(f.addMatch(Alpha, Beta, -1, -1, false, QDate(2005, 9, 3)));
    QVERIFY(f.addMatch(Gamma, Beta, -1, -1, false, QDate(2005, 8, 27)));
}

int columnTitled(const DataGrid *grid, const QString &title)
{
    const QAbstractItemModel *m = grid->model();
    for (int c = 0; c < m->columnCount(); ++c)
        if (m->headerData(c, Qt::Horizontal).toString() == title)
            return c;
    return -1;
}

QString cell(const DataGrid *grid, int row, const QString &title)
{
    return grid->model()->index(row, columnTitled(grid, title)).data().toString();
}

// One column down the grid, as shown.
QStringList column(const DataGrid *grid, const QString &title)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << cell(grid, r, title);
    return out;
}

void clickTitle(DataGrid *grid, const QString &title)
{
    QHeaderView *h = grid->horizontalHeader();
    const int c = columnTitled(grid, title);
    QVERIFY(c >= 0);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(c) + h->sectionSize(c) / 2, h->height() / 2));
}

QToolButton *button(QToolBar *bar, const QString &caption)
{
    for (QAction *a : bar->actions())
        if (a->text() == caption)
            return qobject_cast<QToolButton *>(bar->widgetForAction(a));
    return nullptr;
}

QStringList hiddenTitles(const DataGrid *grid)
{
    QStringList out;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (grid->isColumnHidden(c))
            out << grid->model()->headerData(c, Qt::Horizontal).toString();
    return out;
}
} // namespace

class TestViews : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Database::setDurableWrites(false);
        setMessenger(&m_messages);
    }
    void init() { m_messages.clear(); }
    void teamGridsShareTheTable();
    void teamTitleClicksSortAndKeepPositions();
    void teamCommands();
    void matchPagesShowTheirRows();
    void matchTitleClickSorts();
    void gridColumnsShowWholeTexts();
    void modeChooserChangesColumns();
    void scoreColoursInTheGrid();
    void matchCommands();
    void switchAndDeleteKeepGridsTrue();
    void modelsPassTheTester();

private:
    RecordingMessenger m_messages;
};

void TestViews::teamGridsShareTheTable()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta, Gamma, Delta});
    fillLeague(f);
    QWidget window;
    auto *home = new TeamTablesView(f.dm(), TeamTable::Home, &window);
    auto *away = new TeamTablesView(f.dm(), TeamTable::Away, &window);
    auto *total = new TeamTablesView(f.dm(), TeamTable::Overall, &window);
    for (const char *name : {"ToolBarH", "ToolBarA", "ToolBarT", "DBGridHome", "DBGridAway", "DBGridTotal"})
        QVERIFY2(window.findChild<QWidget *>(QString::fromLatin1(name)), name);
    QCOMPARE(total->grid()->fieldOf(2), QStringLiteral("TRT"));

    home->refresh();
    QCOMPARE(column(home->grid(), QStringLiteral("Team")), (QStringList{Beta, Gamma, Alpha, Delta}));
    QCOMPARE(column(home->grid(), QStringLiteral("#")), words("1|2|3|4"));
    QCOMPARE(column(home->grid(), QStringLiteral("Pts")), words("3|3|1|1"));

    // Showing the away tab sorts the one shared table: every grid follows.
    away->refresh();
    QCOMPARE(column(away->grid(), QStringLiteral("Team")), (QStringList{Beta, Gamma, Delta, Alpha}));
    QCOMPARE(column(home->grid(), QStringLiteral("Team")), (QStringList{Beta, Gamma, Delta, Alpha}));
    QCOMPARE(column(away->grid(), QStringLiteral("#")), words("1|2|3|4"));
    QVERIFY(m_messages.messages().isEmpty());
}

void TestViews::teamTitleClicksSortAndKeepPositions()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta, Gamma, Delta});
    fillLeague(f);
    TeamSortChoices shared;
    TeamTablesView view(f.dm(), TeamTable::Home);
    view.setSortChoices(&shared);
    view.resize(800, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.refresh();

    // The sorted column reverses: the fewest points first, each team still showing its place.
    clickTitle(view.grid(), QStringLiteral("Pts"));
    QCOMPARE(shared.home, (TeamSortChoice{QStringLiteral("Ascending"), QStringLiteral("Pts")}));
    QCOMPARE(column(view.grid(), QStringLiteral("Team")), (QStringList{Alpha, Delta, Gamma, Beta}));
    QCOMPARE(column(view.grid(), QStringLiteral("#")), words("3|4|2|1"));

    // Another number starts with its largest value.
    clickTitle(view.grid(), QStringLiteral("F"));
    QCOMPARE(shared.home, (TeamSortChoice{QStringLiteral("Descending"), QStringLiteral("F")}));
    QCOMPARE(column(view.grid(), QStringLiteral("Team")), (QStringList{Beta, Gamma, Delta, Alpha}));
    QCOMPARE(column(view.grid(), QStringLiteral("#")), words("1|2|4|3"));

    // Names from A.
    clickTitle(view.grid(), QStringLiteral("Team"));
    QCOMPARE(column(view.grid(), QStringLiteral("Team")), (QStringList{Alpha, Beta, Delta, Gamma}));
    QCOMPARE(column(view.grid(), QStringLiteral("#")), words("3|1|4|2"));

    // "#" orders by the place in the league, the leader first, then the other way round.
    clickTitle(view.grid(), QStringLiteral("#"));
    QCOMPARE(shared.home, (TeamSortChoice{QStringLiteral("Ascending"), QStringLiteral("#")}));
    QCOMPARE(column(view.grid(), QStringLiteral("Team")), (QStringList{Beta, Gamma, Alpha, Delta}));
    QCOMPARE(column(view.grid(), QStringLiteral("#")), words("1|2|3|4"));
    clickTitle(view.grid(), QStringLiteral("#"));
    QCOMPARE(column(view.grid(), QStringLiteral("#")), words("4|3|2|1"));
    QCOMPARE(view.grid()->horizontalHeader()->sortIndicatorSection(), 0);
    QCOMPARE(shared.away, TeamSortChoice{}); // the other tables' choices are untouched
}

void TestViews::teamCommands()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta});
    TeamTablesView view(f.dm(), TeamTable::Away);
    view.resize(800, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.refresh();
    QSignalSpy add(&view, &TeamTablesView::addTeam);
    QSignalSpy edit(&view, &TeamTablesView::editTeam);
    QSignalSpy remove(&view, &TeamTablesView::deleteTeam);
    QSignalSpy filter(&view, &TeamTablesView::filterSort);

    DataGrid *grid = view.grid();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Insert);
    QTest::keyClick(grid, Qt::Key_Return);
    // A double click comes after a first click on the same row.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(1, 1)).center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                       grid->visualRect(grid->model()->index(1, 1)).center());
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(add.count(), 1);
    QCOMPARE(edit.count(), 2);
    QCOMPARE(remove.count(), 1);
    QCOMPARE(f.dm().ADOTableTeams.field(QStringLiteral("Team")).asString(),
             Beta); // the clicked row is current

    QToolBar *bar = view.findChild<QToolBar *>(QStringLiteral("ToolBarA"));
    QVERIFY(bar);
    for (const char *caption : {"Add Team", "Edit Team", "Delete Team", "Filter / Sort"}) {
        QToolButton *b = button(bar, QString::fromLatin1(caption));
        QVERIFY2(b, caption);
        b->click();
    }
    QCOMPARE(add.count(), 2);
    QCOMPARE(edit.count(), 3);
    QCOMPARE(remove.count(), 2);
    QCOMPARE(filter.count(), 1);
    QCOMPARE(button(bar, QStringLiteral("Delete Team"))->toolTip(), QStringLiteral("Delete Team"));

    // Editing needs a row.
    LeagueFixture empty;
    TeamTablesView none(empty.dm(), TeamTable::Home);
    QSignalSpy noEdit(&none, &TeamTablesView::editTeam);
    button(none.toolBar(), QStringLiteral("Edit Team"))->click();
    QTest::keyClick(none.grid(), Qt::Key_Return);
    QCOMPARE(noEdit.count(), 0);
}

void TestViews::matchPagesShowTheirRows()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta, Gamma, Delta});
    fillLeague(f);
    QWidget window;
    auto *fixtures = new MatchesView(f.dm(), MatchPage::Fixtures, &window);
    auto *scores = new MatchesView(f.dm(), MatchPage::Scores, &window);
    for (const char *name :
         {"ToolBarF1", "ComboBoxFMode", "DBGridFixtures", "ToolBarR", "ComboBoxRMode", "DBGridResults"})
        QVERIFY2(window.findChild<QWidget *>(QString::fromLatin1(name)), name);

    scores->refresh();
    QCOMPARE(column(scores->grid(), QStringLiteral("Score")), words("0:0|1:1|2:0|1:0"));
    fixtures->refresh();
    QCOMPARE(column(fixtures->grid(), QStringLiteral("Home Team")), (QStringList{Gamma, Alpha}));

    // The filter dialog provides its own view of the matches.
    fixtures->setResultsView([](Table &results) {
        results.setFilter(QStringLiteral("Home = 'Alpha'"));
        results.setFiltered(true);
        results.setSort(QStringLiteral("DateP DESC"));
    });
    fixtures->refresh();
    QCOMPARE(column(fixtures->grid(), QStringLiteral("Away Team")), (QStringList{Beta, Gamma}));

    // An unusable filter shows the engine's message and nothing else happens.
    fixtures->setResultsView([](Table &results) { results.setFilter(QStringLiteral("Nonsense = 1")); });
    fixtures->refresh();
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(m_messages.messages()[0].kind, Messenger::Kind::Error);
}

void TestViews::matchTitleClickSorts()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta, Gamma, Delta});
    fillLeague(f);
    MatchesView view(f.dm(), MatchPage::Scores);
    view.resize(1400, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.refresh();

    clickTitle(view.grid(), QStringLiteral("Date")); // the view was descending: now ascending
    QCOMPARE(f.dm().ADOTableResults.sort(), QStringLiteral("DateP"));
    QCOMPARE(column(view.grid(), QStringLiteral("Home Team")).first(), Beta);
    clickTitle(view.grid(), QStringLiteral("Home Team")); // names from A
    QCOMPARE(f.dm().ADOTableResults.sort(), QStringLiteral("Home"));
    QCOMPARE(column(view.grid(), QStringLiteral("Home Team")), (QStringList{Alpha, Beta, Delta, Gamma}));
    clickTitle(view.grid(), QStringLiteral("Total")); // numbers from the largest
    QCOMPARE(f.dm().ADOTableResults.sort(), QStringLiteral("Ttl DESC"));
}

// Dates keep their year, titles and calls are not cut, and the sorted column shows its arrow.
void TestViews::gridColumnsShowWholeTexts()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta});
    QVERIFY(f.addMatch(Alpha, Beta, 2, 1, false, QDate(2005, 9, 12)));
    Table &results = f.dm().ADOTableResults;
    results.first();
    results.edit();
    results.field(QStringLiteral("UOP")).setString(QStringLiteral("Under 10.25"));
    results.post();
    MatchesView view(f.dm(), MatchPage::Scores);
    view.show();
    view.refresh();
    const DataGrid *grid = view.grid();
    const QFontMetrics font = grid->fontMetrics();
    const auto *model = static_cast<const DatasetModel *>(grid->model());
    for (const QString &title : {QStringLiteral("Date"), QStringLiteral("Under/Over"),
                                 QStringLiteral("Return (%)"), QStringLiteral("Verdict")}) {
        const int c = columnTitled(grid, title);
        QVERIFY(grid->columnWidth(c) > font.horizontalAdvance(model->cellText(0, c)));
        QVERIFY(grid->columnWidth(c) > grid->horizontalHeader()->fontMetrics().horizontalAdvance(title));
        QVERIFY(grid->columnWidth(c) >= matchGridColumns(MatchPage::Scores)[c].width);
    }
    // Newest first: the arrow points down on "Date".
    QCOMPARE(grid->horizontalHeader()->sortIndicatorSection(), columnTitled(grid, QStringLiteral("Date")));
    QCOMPARE(grid->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
}

void TestViews::modeChooserChangesColumns()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta, Gamma, Delta});
    fillLeague(f);
    MatchesView view(f.dm(), MatchPage::Fixtures);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.refresh();
    auto *mode = view.findChild<QComboBox *>(QStringLiteral("ComboBoxFMode"));
    QVERIFY(mode);
    QCOMPARE(mode->currentText(), QStringLiteral("All"));
    QCOMPARE(hiddenTitles(view.grid()), QStringList());

    mode->setCurrentIndex(mode->findText(QStringLiteral("Odds")));
    const QStringList predictions = words("H%|D%|A%|C%|Verdict|PScore|Total|Under/Over");
    QCOMPARE(hiddenTitles(view.grid()), predictions);
    // The columns stay as chosen when the rows are read again.
    view.refresh();
    QCOMPARE(hiddenTitles(view.grid()), predictions);

    // Typed text acts when the typing is finished; a text that is no mode is refused.
    mode->lineEdit()->selectAll();
    QTest::keyClicks(mode->lineEdit(), QStringLiteral("Sideways"));
    QVERIFY(m_messages.messages().isEmpty());
    QTest::keyClick(mode->lineEdit(), Qt::Key_Return);
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Invalid mode")});
    QCOMPARE(m_messages.messages()[0].kind, Messenger::Kind::Warning);
    QCOMPARE(hiddenTitles(view.grid()), predictions);

    mode->lineEdit()->selectAll();
    QTest::keyClicks(mode->lineEdit(), QStringLiteral("fixtures"));
    QTest::keyClick(mode->lineEdit(), Qt::Key_Return);
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(hiddenTitles(view.grid()), predictions + words("1|X|2|Return (%)"));
}

void TestViews::scoreColoursInTheGrid()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta});
    QVERIFY(f.addMatch(Alpha, Beta, 2, 1));
    Table &results = f.dm().ADOTableResults;
    results.first();
    results.edit();
    results.field(QStringLiteral("Verdict")).setString(QStringLiteral("X"));
    results.post();
    MatchesView view(f.dm(), MatchPage::Scores);
    view.refresh();
    const QAbstractItemModel *m = view.grid()->model();
    auto background = [&](const QString &title) {
        return m->index(0, columnTitled(view.grid(), title)).data(Qt::BackgroundRole).value<QBrush>().color();
    };
    QCOMPARE(background(QStringLiteral("Verdict")), QColor(255, 128, 128));
    QCOMPARE(background(QStringLiteral("D%")), QColor(255, 128, 128));
    QCOMPARE(background(QStringLiteral("1")), QColor(128, 255, 255));
    QCOMPARE(background(QStringLiteral("H%")), QColor(Qt::white)); // the first row's stripe
    auto foreground = [&](const QString &title) {
        return m->index(0, columnTitled(view.grid(), title)).data(Qt::ForegroundRole).value<QBrush>().color();
    };
    QCOMPARE(foreground(QStringLiteral("Verdict")), QColor(Qt::black));

    // Under a dark theme the stripes and their text follow the palette; the signal colours keep black text.
    const DarkPalette dark;
    QCOMPARE(background(QStringLiteral("H%")), DarkPalette::Base);
    QCOMPARE(foreground(QStringLiteral("H%")), DarkPalette::Text);
    QCOMPARE(background(QStringLiteral("Verdict")), QColor(255, 128, 128));
    QCOMPARE(foreground(QStringLiteral("Verdict")), QColor(Qt::black));
}

void TestViews::matchCommands()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta, Gamma, Delta});
    fillLeague(f);
    MatchesView fixtures(f.dm(), MatchPage::Fixtures);
    fixtures.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fixtures));
    fixtures.refresh();
    QSignalSpy add(&fixtures, &MatchesView::addMatch);
    QSignalSpy edit(&fixtures, &MatchesView::editMatch);
    QSignalSpy remove(&fixtures, &MatchesView::deleteMatch);
    QSignalSpy filter(&fixtures, &MatchesView::filterSort);
    QSignalSpy predict(&fixtures, &MatchesView::predict);
    QTest::keyClick(fixtures.grid(), Qt::Key_Insert);
    QTest::keyClick(fixtures.grid(), Qt::Key_Enter);
    QTest::keyClick(fixtures.grid(), Qt::Key_Delete, Qt::ControlModifier);
    for (const char *caption : {"Add Match", "Edit Match", "Delete Match", "Filter / Sort", "Predict"})
        button(fixtures.toolBar(), QString::fromLatin1(caption))->click();
    QCOMPARE(add.count(), 2);
    QCOMPARE(edit.count(), 2);
    QCOMPARE(remove.count(), 2);
    QCOMPARE(filter.count(), 1);
    QCOMPARE(predict.count(), 1);
    QCOMPARE(button(fixtures.toolBar(), QStringLiteral("Filter / Sort"))->toolTip(),
             QStringLiteral("Filter Fixtures"));

    MatchesView scores(f.dm(), MatchPage::Scores);
    QVERIFY(!button(scores.toolBar(), QStringLiteral("Predict")));
    QCOMPARE(button(scores.toolBar(), QStringLiteral("Filter / Sort"))->toolTip(),
             QStringLiteral("Filter Scores"));
}

void TestViews::switchAndDeleteKeepGridsTrue()
{
    // The commands the main window runs from its menus, seen through the grids.
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta, Gamma, Delta});
    fillLeague(f);
    TeamTablesView home(f.dm(), TeamTable::Home);
    MatchesView scores(f.dm(), MatchPage::Scores);
    scores.refresh();
    scores.grid()->setCurrentIndex(scores.grid()->model()->index(2, 0)); // Beta - Alpha 2:0, the third newest
    QCOMPARE(f.dm().ADOTableResults.field(QStringLiteral("Result")).asString(), QStringLiteral("2:0"));
    QVERIFY(SwitchTeams(f.dm(), messenger()));
    home.refresh();
    // Beta's away win now: Alpha 1 pt -2, Beta no home points.
    QCOMPARE(column(home.grid(), QStringLiteral("Team")), (QStringList{Gamma, Delta, Alpha, Beta}));
    QCOMPARE(column(home.grid(), QStringLiteral("Dif")), words("1|0|-2|0"));
    QCOMPARE(cell(scores.grid(), 2, QStringLiteral("Score")), QStringLiteral("0:2"));
    QCOMPARE(cell(scores.grid(), 2, QStringLiteral("Away Team")), Beta);

    m_messages.queueAnswer(Messenger::Answer::Yes);
    QVERIFY(ConfirmDeleteRow(f.dm().ADOTableResults, messenger()));
    home.refresh();
    QCOMPARE(column(scores.grid(), QStringLiteral("Score")), words("0:0|1:1|1:0"));
    QCOMPARE(column(home.grid(), QStringLiteral("Pts")), words("3|1|1|0"));
    QCOMPARE(column(home.grid(), QStringLiteral("Dif")), words("1|0|0|0"));
}

void TestViews::modelsPassTheTester()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Alpha, Beta, Gamma, Delta});
    TeamTablesView home(f.dm(), TeamTable::Home);
    MatchesView scores(f.dm(), MatchPage::Scores);
    QAbstractItemModelTester teamTester(home.grid()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester matchTester(scores.grid()->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    fillLeague(f);
    home.refresh();
    scores.refresh();
    home.sortByColumn(1);
    scores.sortByColumn(3);
    QVERIFY(SwitchTeams(f.dm(), messenger()));
    m_messages.queueAnswer(Messenger::Answer::Yes);
    QVERIFY(ConfirmDeleteRow(f.dm().ADOTableResults, messenger()));
    f.dm().closeLeague();
    QCOMPARE(scores.grid()->model()->rowCount(), 0);
    f.reopen();
    home.refresh();
    scores.refresh();
    QCOMPARE(home.grid()->model()->rowCount(), 4);
}

QTEST_MAIN(TestViews)
#include "tst_views.moc"
