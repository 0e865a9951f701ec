#include "data/GridColumns.h"
#include "data/ui/DataGrid.h"
#include "support/LeagueFixture.h"

#include <QHeaderView>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// A grid that remembers its column widths starts with those the user gave it last time; the others are
// still measured, and a grid of another name is not affected.
class TestDataGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_settings.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
    }
    void userWidthsAreRemembered();

private:
    QTemporaryDir m_settings;
};

void TestDataGrid::userWidthsAreRemembered()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {QStringLiteral("Alpha"), QStringLiteral("Beta")});
    const QList<GridColumn> columns = {{QStringLiteral("Team"), QStringLiteral("Team"), AlignText, 120},
                                       {QStringLiteral("Points"), QStringLiteral("TPts"), AlignNumber, 50}};
    int measuredPoints = 0;
    {
        DataGrid grid(f.dm().ADOTableTeams, columns);
        grid.rememberColumnWidths(QStringLiteral("Teams"));
        measuredPoints = grid.columnWidth(1);
        QCOMPARE(grid.columnWidth(0), 120);
        grid.horizontalHeader()->resizeSection(0, 333); // as the user's drag does
    }
    DataGrid again(f.dm().ADOTableTeams, columns);
    again.rememberColumnWidths(QStringLiteral("Teams"));
    QCOMPARE(again.columnWidth(0), 333);
    QCOMPARE(again.columnWidth(1), measuredPoints);
    f.dm().ADOTableTeams.close(); // the model is reset: the widths are applied again, the chosen one kept
    f.dm().ADOTableTeams.open();
    QCOMPARE(again.columnWidth(0), 333);

    DataGrid other(f.dm().ADOTableTeams, columns);
    other.rememberColumnWidths(QStringLiteral("Other teams"));
    QCOMPARE(other.columnWidth(0), 120);
}

QTEST_MAIN(TestDataGrid)
#include "tst_datagrid.moc"
