// The team comparison chart window, offscreen, opened from the main window's command: the team lists,
// the drawing for the choices, the warnings for typed choices that keep the drawing, the four styles
// with the line width of 3D, a visible depth in 3D, the labels, and print and export.  The chart alone:
// labels that would run into each other left out, and a value axis in whole steps, 0 to 1 when empty.

#include "analysis/ui/ComparisonChartView.h"
#include "analysis/ui/TFormTCChart.h"
#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/ui/GuiMessenger.h"
#include "output/ui/ExportDialogs.h"
#include "support/LeagueFixture.h"
#include "support/MatchRows.h"

#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

namespace
{
template <typename T> T *child(QObject *parent, const char *name)
{
    T *w = parent->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qWarning("no child %s", name);
    return w;
}

// Picks an entry from the list, as a click does.
void pick(QComboBox *box, const QString &text)
{
    box->setCurrentIndex(box->findText(text));
    Q_EMIT box->textActivated(box->currentText());
}

// Types a text and leaves the field.
void type(QComboBox *box, const QString &text)
{
    box->setEditText(text);
    Q_EMIT box->lineEdit()->editingFinished();
}

QList<qreal> barValues(QChart *chart, int set)
{
    auto *bars = qobject_cast<QBarSeries *>(chart->series().value(0));
    QList<qreal> values;
    if (!bars)
        return values;
    QBarSet *s = bars->barSets().value(set);
    for (int i = 0; i < s->count(); ++i)
        values << s->at(i);
    return values;
}

// The labels a line or point series draws: those not left out point by point.
int labelsDrawn(QChart *chart)
{
    int drawn = 0;
    for (QAbstractSeries *s : chart->series()) {
        auto *xy = qobject_cast<QXYSeries *>(s);
        for (int p = 0; xy && xy->pointLabelsVisible() && p < xy->count(); ++p)
            drawn += xy->pointConfiguration(p)
                         .value(QXYSeries::PointConfiguration::LabelVisibility, true)
                         .toBool();
    }
    return drawn;
}

bool apart(const QList<QRectF> &labels)
{
    for (qsizetype i = 0; i < labels.size(); ++i)
        for (qsizetype j = i + 1; j < labels.size(); ++j)
            if (labels[i].intersects(labels[j]))
                return false;
    return true;
}

// Two teams level on points over a season of n matches.
ComparisonChart season(int n)
{
    ComparisonChart c{{QStringLiteral("A"), {}}, {QStringLiteral("B"), {}}};
    for (int x = 1; x <= n; ++x) {
        c.series1.points << QPoint(x, 2 * x);
        c.series2.points << QPoint(x, 2 * x - 1);
    }
    return c;
}

QValueAxis *valueAxis(QChart *chart)
{
    const QList<QAbstractAxis *> axes = chart->axes(Qt::Vertical);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis *>(axes.constFirst());
}

QStringList legendTitles(QChart *chart)
{
    QStringList titles;
    if (auto *bars = qobject_cast<QBarSeries *>(chart->series().value(0))) {
        for (QBarSet *s : bars->barSets())
            titles << s->label();
        return titles;
    }
    for (QAbstractSeries *s : chart->series())
        titles << s->name();
    return titles;
}
} // namespace

class TestTCChart : public QObject
{
    Q_OBJECT

private:
    RecordingMessenger m_messages;

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setMessenger(&m_messages);
    }
    void init() { m_messages.clear(); }

    void drawsTheChoicesAndKeepsTheDrawingOnWarnings()
    {
        // A: 2:1 win at home, 0:0 away, 3:2 overtime win away (2 points); B lost at A.
        LeagueFixture league(QStringLiteral("Football (Soccer)"),
                             {QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("B")});
        league.setLeague(QStringLiteral("PWO"), 2);
        Database &db = league.dm().ADOConnection;
        insertMatch(db, playedRow(QStringLiteral("C-A 2:3 OT"), QDate(2024, 3, 1)));
        insertMatch(db, playedRow(QStringLiteral("A-B 2:1"), QDate(2024, 1, 10)));
        insertMatch(db, playedRow(QStringLiteral("C-A 0:0"), QDate(2024, 2, 1)));

        TMainForm form;
        const auto windows = createAppWindows(form, [] {});
        form.show();
        QVERIFY(!form.command(QStringLiteral("MenuTCChart"))->isEnabled());
        openLeagueAtStart(*windows, league.path());
        QAction *open = form.command(QStringLiteral("MenuTCChart"));
        QVERIFY(open->isEnabled());
        open->trigger();
        auto *w = form.findChild<TFormTCChart *>();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Team Comparison Chart"));
        QChart *chart = w->chartView()->chart();

        auto *team1 = child<QComboBox>(w, "ComboBoxT1");
        auto *team2 = child<QComboBox>(w, "ComboBoxT2");
        QCOMPARE(team1->count(), 3);
        QCOMPARE(team1->itemText(0), QStringLiteral("A"));
        QCOMPARE(team2->itemText(2), QStringLiteral("C"));
        QVERIFY(team1->currentText().isEmpty());
        QCOMPARE(legendTitles(chart), (QStringList{QStringLiteral("Team 1"), QStringLiteral("Team 2")}));
        QCOMPARE(chart->title(), QStringLiteral("Points Chart"));

        // Defaults: running points over all matches, two bar sets.
        pick(team1, QStringLiteral("A"));
        pick(team2, QStringLiteral("B"));
        QCOMPARE(barValues(chart, 0), (QList<qreal>{3, 4, 6}));
        QCOMPARE(barValues(chart, 1), (QList<qreal>{0}));
        QCOMPARE(legendTitles(chart), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));

        // Typed choices not in their list: the warning, and the drawing stays.
        type(team1, QStringLiteral("Zed"));
        type(child<QComboBox>(w, "ComboBoxT2HAT"), QStringLiteral("Middle"));
        type(child<QComboBox>(w, "ComboBoxChart"), QStringLiteral("Goals"));
        type(child<QComboBox>(w, "ComboBoxStyle"), QStringLiteral("Pie"));
        QCOMPARE(m_messages.texts(),
                 (QStringList{QStringLiteral("Zed is not in the list"),
                              QStringLiteral("Middle is not in the list"), QStringLiteral("Invalid Type"),
                              QStringLiteral("Invalid Style")}));
        QCOMPARE(barValues(chart, 0), (QList<qreal>{3, 4, 6}));
        QCOMPARE(chart->title(), QStringLiteral("Points Chart"));

        // Typed in another case, as the choosers accept it; the type names the titles.
        type(team1, QStringLiteral("a"));
        type(child<QComboBox>(w, "ComboBoxT2HAT"), QStringLiteral("Away"));
        type(child<QComboBox>(w, "ComboBoxChart"), QStringLiteral("For"));
        QCOMPARE(chart->title(), QStringLiteral("For Chart"));
        QCOMPARE(barValues(chart, 0), (QList<qreal>{2, 0, 3}));
        QCOMPARE(barValues(chart, 1), (QList<qreal>{1}));

        // View "Team 2": series 1 empty, its legend entry keeps its title.
        pick(child<QComboBox>(w, "ComboBoxView"), QStringLiteral("Team 2"));
        QVERIFY(barValues(chart, 0).isEmpty());
        QCOMPARE(legendTitles(chart), (QStringList{QStringLiteral("a"), QStringLiteral("B")}));

        // Opening a league again empties both series; the open window lists the teams again.
        openLeagueAtStart(*windows, league.path());
        QVERIFY(team1->currentText().isEmpty());
        QCOMPARE(team1->count(), 3);
        QVERIFY(barValues(chart, 1).isEmpty());
        w->close();
    }

    void stylesThreeDAndLabels()
    {
        LeagueFixture league(QStringLiteral("Football (Soccer)"), {QStringLiteral("A"), QStringLiteral("B")});
        insertMatch(league.dm().ADOConnection, playedRow(QStringLiteral("A-B 2:1"), QDate(2024, 1, 10)));
        insertMatch(league.dm().ADOConnection, playedRow(QStringLiteral("B-A 1:1"), QDate(2024, 1, 17)));
        insertMatch(league.dm().ADOConnection, playedRow(QStringLiteral("A-B 0:2"), QDate(2024, 1, 24)));
        TMainForm form;
        const auto windows = createAppWindows(form, [] {});
        openLeagueAtStart(*windows, league.path());
        form.command(QStringLiteral("MenuTCChart"))->trigger();
        auto *w = form.findChild<TFormTCChart *>();
        w->resize(900, 600);
        QChart *chart = w->chartView()->chart();
        pick(child<QComboBox>(w, "ComboBoxT1"), QStringLiteral("A"));
        pick(child<QComboBox>(w, "ComboBoxT2"), QStringLiteral("B"));
        auto *style = child<QComboBox>(w, "ComboBoxStyle");
        auto *threeD = child<QCheckBox>(w, "CheckBox3D");
        QVERIFY(!threeD->isChecked());

        // 3D gives a drawn depth: the picture changes, and bars show it too.
        const QImage flat = w->chartView()->grab().toImage();
        threeD->setChecked(true);
        QVERIFY(w->chartView()->grab().toImage() != flat);
        threeD->setChecked(false);
        QCOMPARE(w->chartView()->grab().toImage(), flat);

        // Stair: a step line of the three points (two corners between), 3 wide in 2D and 1 in 3D.
        pick(style, QStringLiteral("Stair"));
        auto *stair = qobject_cast<QLineSeries *>(chart->series().value(0));
        QVERIFY(stair);
        QCOMPARE(stair->points(), (QList<QPointF>{{1, 3}, {2, 3}, {2, 4}, {3, 4}, {3, 4}}));
        QCOMPARE(stair->pen().width(), 3);
        const QImage stairFlat = w->chartView()->grab().toImage();
        threeD->setChecked(true);
        stair = qobject_cast<QLineSeries *>(chart->series().value(0));
        QCOMPARE(stair->pen().width(), 1);
        QVERIFY(w->chartView()->grab().toImage() != stairFlat);
        threeD->setChecked(false);
        QCOMPARE(qobject_cast<QLineSeries *>(chart->series().value(1))->pen().width(), 3);

        pick(style, QStringLiteral("Line"));
        QCOMPARE(qobject_cast<QLineSeries *>(chart->series().value(1))->points(),
                 (QList<QPointF>{{1, 0}, {2, 1}, {3, 4}}));
        pick(style, QStringLiteral("Point"));
        QVERIFY(qobject_cast<QScatterSeries *>(chart->series().value(0)));
        auto *labels = child<QCheckBox>(w, "CheckBoxLabels");
        QVERIFY(labels->isChecked());
        QVERIFY(qobject_cast<QXYSeries *>(chart->series().value(0))->pointLabelsVisible());
        labels->setChecked(false);
        QVERIFY(!qobject_cast<QXYSeries *>(chart->series().value(0))->pointLabelsVisible());
        pick(style, QStringLiteral("Bar"));
        QVERIFY(!qobject_cast<QBarSeries *>(chart->series().value(0))->isLabelsVisible());
        QVERIFY(m_messages.messages().isEmpty());
        w->close();
    }

    void typedWithTheKeyboardCountsOnce()
    {
        LeagueFixture league(QStringLiteral("Football (Soccer)"), {QStringLiteral("A"), QStringLiteral("B")});
        insertMatch(league.dm().ADOConnection, playedRow(QStringLiteral("A-B 2:1"), QDate(2024, 1, 10)));
        TMainForm form;
        const auto windows = createAppWindows(form, [] {});
        openLeagueAtStart(*windows, league.path());
        form.command(QStringLiteral("MenuTCChart"))->trigger();
        auto *w = form.findChild<TFormTCChart *>();
        QChart *chart = w->chartView()->chart();
        auto *style = child<QComboBox>(w, "ComboBoxStyle");
        auto *team1 = child<QComboBox>(w, "ComboBoxT1");

        // Enter, then leaving the field: one change, one warning.
        const auto typeAndLeave = [](QComboBox *box, const QString &text) {
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), text);
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(box->lineEdit(), &leave);
        };
        typeAndLeave(team1, QStringLiteral("b"));
        QCOMPARE(barValues(chart, 0), (QList<qreal>{0}));
        QCOMPARE(legendTitles(chart).value(0), QStringLiteral("b"));
        typeAndLeave(style, QStringLiteral("Pie"));
        QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Invalid Style")});
        QVERIFY(qobject_cast<QBarSeries *>(chart->series().value(0)));
        typeAndLeave(style, QStringLiteral("line"));
        QVERIFY(qobject_cast<QLineSeries *>(chart->series().value(0)));
        QCOMPARE(m_messages.messages().size(), 1);
        w->close();
    }

    void labelsThatWouldRunIntoEachOtherAreLeftOut()
    {
        ComparisonChartView view;
        view.resize(500, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.setSeriesStyle(ComparisonStyle::Line);

        // A few matches: every label has room.
        view.setSeriesData(season(3));
        QCOMPARE(view.labelsShown().size(), 6);
        QCOMPARE(labelsDrawn(view.chart()), 6);

        // A season of 40 close to each other: some are left out, the ones drawn are apart, and the
        // series draw exactly those.
        view.setSeriesData(season(40));
        const qsizetype narrow = view.labelsShown().size();
        QVERIFY2(narrow > 0 && narrow < 80, qPrintable(QString::number(narrow)));
        QVERIFY(apart(view.labelsShown()));
        QCOMPARE(labelsDrawn(view.chart()), narrow);
        QVERIFY(qobject_cast<QXYSeries *>(view.chart()->series().value(0))->pointLabelsVisible());

        // Wider, there is room for more; the points alike.
        view.resize(1800, 400);
        QTRY_VERIFY(view.labelsShown().size() > narrow);
        QVERIFY(apart(view.labelsShown()));
        view.setSeriesStyle(ComparisonStyle::Point);
        QVERIFY(apart(view.labelsShown()));
        QCOMPARE(labelsDrawn(view.chart()), view.labelsShown().size());

        // Bars show their values all or none: none on a crowded season, though the labels are on.
        view.resize(500, 400);
        view.setSeriesStyle(ComparisonStyle::Bar);
        QTRY_VERIFY(view.labelsShown().isEmpty());
        QVERIFY(view.labelsVisible());
        QVERIFY(!qobject_cast<QBarSeries *>(view.chart()->series().value(0))->isLabelsVisible());
        view.setSeriesData(season(3));
        QCOMPARE(view.labelsShown().size(), 6);
        QVERIFY(apart(view.labelsShown()));
        QVERIFY(qobject_cast<QBarSeries *>(view.chart()->series().value(0))->isLabelsVisible());

        // Labels off: none drawn, whatever the room.
        view.setLabelsVisible(false);
        QVERIFY(view.labelsShown().isEmpty());
        QVERIFY(!qobject_cast<QBarSeries *>(view.chart()->series().value(0))->isLabelsVisible());
    }

    void theValueAxisCountsWholeSteps_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("dot") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("comma") << QLocale(QLocale::German, QLocale::Germany);
    }

    void theValueAxisCountsWholeSteps()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        const auto english =
            qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); });
        ComparisonChartView view;
        view.resize(600, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        // Empty: 0 and 1, one step, nothing in between that a whole-number label would repeat.
        QValueAxis *y = valueAxis(view.chart());
        QVERIFY(y);
        QCOMPARE(y->min(), 0.0);
        QCOMPARE(y->max(), 1.0);
        QCOMPARE(y->tickType(), QValueAxis::TicksDynamic);
        QCOMPARE(y->tickAnchor(), 0.0);
        QCOMPARE(y->tickInterval(), 1.0);
        QCOMPARE(y->labelFormat(), QStringLiteral("%d"));

        // A season: whole steps from 0 past the highest value.
        view.setSeriesData(season(12));
        y = valueAxis(view.chart());
        QCOMPARE(y->min(), 0.0);
        QCOMPARE(y->max(), 25.0);
        QCOMPARE(y->tickInterval(), 5.0);
    }

    void printPreviewAndExport()
    {
        LeagueFixture league(QStringLiteral("Football (Soccer)"), {QStringLiteral("A"), QStringLiteral("B")});
        insertMatch(league.dm().ADOConnection, playedRow(QStringLiteral("A-B 2:1"), QDate(2024, 1, 10)));
        TMainForm form;
        const auto windows = createAppWindows(form, [] {});
        openLeagueAtStart(*windows, league.path());
        form.command(QStringLiteral("MenuTCChart"))->trigger();
        auto *w = form.findChild<TFormTCChart *>();
        pick(child<QComboBox>(w, "ComboBoxT1"), QStringLiteral("A"));

        QString previewName;
        QTimer::singleShot(0, w, [&previewName] {
            QWidget *d = QApplication::activeModalWidget();
            if (d) {
                previewName = d->objectName();
                qobject_cast<QDialog *>(d)->reject();
            }
        });
        child<QPushButton>(w, "BitBtnPrint")->click();
        QCOMPARE(previewName, QStringLiteral("PrintPreview"));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("chart"));
        setExportFileChooser([&path](QWidget *, const QString &title, const QString &, const QString &) {
            return title == QLatin1String("Export Data As")
                       ? ChosenFile{path, QStringLiteral("Windows Bitmap (*.bmp)")}
                       : ChosenFile{};
        });
        child<QPushButton>(w, "BitBtnExport")->click();
        setExportFileChooser({});
        QImageReader picture(path + QStringLiteral(".bmp"));
        QCOMPARE(picture.format(), QByteArray("bmp"));
        QCOMPARE(picture.size(), w->chartView()->size());
        QVERIFY(m_messages.messages().isEmpty());
        child<QPushButton>(w, "BitBtnClose")->click();
        QVERIFY(!w->isVisible());
    }
};

QTEST_MAIN(TestTCChart)
#include "tst_tcchart.moc"
