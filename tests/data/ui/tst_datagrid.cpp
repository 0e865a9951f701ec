#include "data/GridColumns.h"
#include "data/ui/DataGrid.h"
#include "data/ui/DatasetModel.h"
#include "data/ui/ReadableStyle.h"
#include "support/DarkPalette.h"
#include "support/LeagueFixture.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

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
    void neutralColoursFollowTheTheme_data();
    void neutralColoursFollowTheTheme();
    void pricesShowTwoDecimalsInTheLocale();
    void checkBoxesShowUnderADarkPalette();

private:
    QTemporaryDir m_settings;
};

// A grid that remembers its column widths starts with those the user gave it last time; the others are
// still measured, and a grid of another name is not affected.
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

// Prices typed as "15.6", "6.00" or "2,10" show alike, with two decimals in the locale's notation; a
// fractional price and no odds show as typed.
void TestDataGrid::pricesShowTwoDecimalsInTheLocale()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {QStringLiteral("Alpha"), QStringLiteral("Beta")});
    QVERIFY(f.addMatch(QStringLiteral("Alpha"), QStringLiteral("Beta"), -1, -1));
    Table &results = f.dm().ADOTableResults;
    results.first();
    results.edit();
    for (const auto &[field, typed] :
         {std::pair{"O1", "15.6"}, std::pair{"OX", "6.00"}, std::pair{"O2", "2,10"}})
        results.field(QString::fromLatin1(field)).setString(QString::fromLatin1(typed));
    results.post();
    const QList<GridColumn> &columns = matchGridColumns(MatchPage::Fixtures);
    const QStringList titles = gridTitles(columns);
    DataGrid grid(results, columns);
    auto shown = [&](const char *title) {
        return grid.model()->index(0, int(titles.indexOf(QString::fromLatin1(title)))).data().toString();
    };
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(shown("1"), QStringLiteral("15.60"));
    QCOMPARE(shown("X"), QStringLiteral("6.00"));
    QCOMPARE(shown("2"), QStringLiteral("2.10"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(shown("1"), QStringLiteral("15,60"));
    QCOMPARE(shown("2"), QStringLiteral("2,10"));
    results.edit();
    results.field(QStringLiteral("O1")).setString(QStringLiteral("5/2"));
    results.field(QStringLiteral("OX")).setString(QStringLiteral("-"));
    results.post();
    QCOMPARE(shown("1"), QStringLiteral("5/2"));
    QCOMPARE(shown("X"), QStringLiteral("-"));
    QLocale::setDefault(QLocale::c());
}

namespace
{
// Pixels of the area that stand out from the ground colour as a box's frame must.
int standingOut(const QImage &image, const QRect &area, const QColor &ground)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (std::abs(QColor(image.pixel(x, y)).lightness() - ground.lightness()) > 50)
                ++count;
    return count;
}
} // namespace

// Unticked check boxes, in a list and on a dialog, show their box under a dark palette; a light palette is
// left as the style draws it.
void TestDataGrid::checkBoxesShowUnderADarkPalette()
{
    QVERIFY(!checkBoxFrameColour(QPalette(Qt::black, Qt::white)).has_value());
    DarkPalette dark;
    QCOMPARE(checkBoxFrameColour(QGuiApplication::palette()),
             std::optional<QColor>(QColor((DarkPalette::Base.red() + DarkPalette::Text.red()) / 2,
                                          (DarkPalette::Base.green() + DarkPalette::Text.green()) / 2,
                                          (DarkPalette::Base.blue() + DarkPalette::Text.blue()) / 2)));
    ReadableStyle style(QStringLiteral("Fusion"));

    QListWidget list;
    list.setStyle(&style);
    auto *item = new QListWidgetItem(QStringLiteral("E0  England Premier League"), &list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    list.resize(240, 80);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QImage listImage = list.viewport()->grab().toImage();
    const QRect row = list.visualItemRect(item);
    // The box is left of the text, on the base colour.
    QVERIFY(!row.isEmpty());
    const QRect box(row.left(), row.top(), row.height(), row.height());
    QVERIFY2(standingOut(listImage, box, DarkPalette::Base) >= 20,
             qPrintable(QString::number(standingOut(listImage, box, DarkPalette::Base))));

    QCheckBox check(QStringLiteral("Draws"));
    check.setStyle(&style);
    check.resize(check.sizeHint());
    const QImage checkImage = check.grab().toImage();
    QStyleOptionButton option;
    option.initFrom(&check);
    const QRect indicator = style.subElementRect(QStyle::SE_CheckBoxIndicator, &option, &check);
    QVERIFY2(standingOut(checkImage, indicator, DarkPalette::Window) >= 20,
             qPrintable(QString::number(standingOut(checkImage, indicator, DarkPalette::Window))));
}

Q_DECLARE_METATYPE(Rgb)

void TestDataGrid::neutralColoursFollowTheTheme_data()
{
    QTest::addColumn<Rgb>("ground");
    QTest::addColumn<Rgb>("text");
    QTest::addColumn<QColor>("shownGround");
    QTest::addColumn<QColor>("shownText");
    const QColor base = DarkPalette::Base, window = DarkPalette::Window;
    const QColor baseText = DarkPalette::Text, windowText = DarkPalette::WindowText;
    QTest::newRow("white cell") << Colours::White << Colours::Black << base << baseText;
    QTest::newRow("silver ground") << Colours::Silver << Colours::Black << window << windowText;
    QTest::newRow("white text kept") << Colours::White << Colours::Navy << base << QColor(0, 0, 128);
    QTest::newRow("signal colour") << Colours::LightGreen << Colours::Black << QColor(128, 255, 128)
                                   << QColor(Qt::black);
    QTest::newRow("navy heading") << Colours::Navy << Colours::White << QColor(0, 0, 128)
                                  << QColor(Qt::white);
}

// Under a dark theme a grid's white cells and silver grounds take the palette's colours and its text;
// the signal colours keep their own, with the text they were given.
void TestDataGrid::neutralColoursFollowTheTheme()
{
    QFETCH(Rgb, ground);
    QFETCH(Rgb, text);
    QFETCH(QColor, shownGround);
    QFETCH(QColor, shownText);
    const DarkPalette dark;
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {QStringLiteral("Alpha")});
    const QList<GridColumn> columns = {{QStringLiteral("Team"), QStringLiteral("Team"), AlignText, 120}};
    DataGrid grid(f.dm().ADOTableTeams, columns);
    grid.datasetModel()->setCellColours([&](const Dataset &, int, int) { return CellColours{ground, text}; });
    const QModelIndex cell = grid.model()->index(0, 0);
    QCOMPARE(cell.data(Qt::BackgroundRole).value<QBrush>().color(), shownGround);
    QCOMPARE(cell.data(Qt::ForegroundRole).value<QBrush>().color(), shownText);
}

QTEST_MAIN(TestDataGrid)
#include "tst_datagrid.moc"
