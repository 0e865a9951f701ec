#include "data/GridColumns.h"
#include "data/ui/DataGrid.h"
#include "data/ui/DatasetModel.h"
#include "data/ui/DatasetViewLink.h"
#include "support/LeagueFixture.h"

#include <QListView>
#include <QSignalSpy>
#include <QTest>

// Every data-bound view, grid or card list, answers the same keys and follows the same current row.
class TestDatasetViewLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysBecomeCommands_data();
    void keysBecomeCommands();
    void currentRowFollowsBothWays();
};

namespace
{
const QList<GridColumn> teamColumns = {{QStringLiteral("Team"), QStringLiteral("Team")}};

// The signal a key gives: 'e' edit, 'i' insert, 'd' delete, '-' none.
char commandOf(QSignalSpy &edit, QSignalSpy &insert, QSignalSpy &remove)
{
    if (edit.count() + insert.count() + remove.count() != 1)
        return edit.count() + insert.count() + remove.count() == 0 ? '-' : '?';
    return edit.count() ? 'e' : insert.count() ? 'i' : 'd';
}
} // namespace

void TestDatasetViewLink::keysBecomeCommands_data()
{
    QTest::addColumn<bool>("cards");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<char>("command");

    const struct {
        const char *name;
        int key;
        int modifiers;
        char command;
    } keys[] = {
        {"Enter", Qt::Key_Return, Qt::NoModifier, 'e'},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, 'e'},
        {"Insert", Qt::Key_Insert, Qt::NoModifier, 'i'},
        {"keypad Insert", Qt::Key_Insert, Qt::KeypadModifier, 'i'},
        {"Ctrl+Delete", Qt::Key_Delete, Qt::ControlModifier, 'd'},
        {"Delete alone", Qt::Key_Delete, Qt::NoModifier, '-'},
        {"Shift+Enter", Qt::Key_Return, Qt::ShiftModifier, '-'},
    };
    for (bool cards : {false, true})
        for (const auto &k : keys)
            QTest::addRow("%s, %s", cards ? "cards" : "grid", k.name)
                << cards << k.key << k.modifiers << k.command;
}

void TestDatasetViewLink::keysBecomeCommands()
{
    QFETCH(bool, cards);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(char, command);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {QStringLiteral("Alpha"), QStringLiteral("Beta")});
    Table &teams = f.dm().ADOTableTeams;

    std::unique_ptr<QAbstractItemView> view;
    DatasetViewLink *link = nullptr;
    if (cards) {
        auto *list = new QListView;
        auto *model = new DatasetModel(teams, teamColumns, list);
        list->setModel(model);
        link = new DatasetViewLink(list, model);
        view.reset(list);
    } else {
        auto *grid = new DataGrid(teams, teamColumns);
        link = grid->findChild<DatasetViewLink *>();
        view.reset(grid);
    }
    QVERIFY(link);
    QSignalSpy edit(link, &DatasetViewLink::editRequested);
    QSignalSpy insert(link, &DatasetViewLink::insertPressed);
    QSignalSpy remove(link, &DatasetViewLink::deleteRequested);
    view->show();
    QTest::keyClick(view.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(commandOf(edit, insert, remove), command);
}

void TestDatasetViewLink::currentRowFollowsBothWays()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"),
                    {QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")});
    Table &teams = f.dm().ADOTableTeams;
    DataGrid grid(teams, teamColumns);
    grid.show();

    teams.last();
    QCOMPARE(grid.currentIndex().row(), 2);
    grid.setCurrentIndex(grid.model()->index(0, 0));
    QCOMPARE(teams.recNo(), 1);
    // A new order moves the grid with the dataset's current row.
    teams.setRecNo(2);
    const QString current = teams.field(QStringLiteral("Team")).asString();
    teams.setSort(QStringLiteral("Team DESC"));
    QCOMPARE(grid.model()->index(grid.currentIndex().row(), 0).data().toString(), current);
}

QTEST_MAIN(TestDatasetViewLink)
#include "tst_datasetviewlink.moc"
