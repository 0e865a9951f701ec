#include "data/Database.h"
#include "data/ResultsViews.h"
#include "data/ui/DataGrid.h"
#include "data/ui/GuiMessenger.h"
#include "predict/ui/TFormPredict.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <algorithm>

namespace
{
const QString A = QStringLiteral("Arsenal");
const QString B = QStringLiteral("Chelsea");
const QString C = QStringLiteral("Everton");

QString snapshot(Database &db)
{
    return storedRows(db, {QStringLiteral("League"), QStringLiteral("Teams"), QStringLiteral("Results")});
}

// Three played matches and two fixtures.
void fillLeague(LeagueFixture &f)
{
    QVERIFY(f.addMatch(A, B, 2, 1, false, QDate(2005, 8, 1), 1));
    QVERIFY(f.addMatch(B, C, 1, 1, false, QDate(2005, 8, 8), 2));
    QVERIFY(f.addMatch(C, A, 0, 2, false, QDate(2005, 8, 15), 3));
    QVERIFY(f.addMatch(A, C, -1, -1, false, QDate(2005, 9, 1), 4));
    QVERIFY(f.addMatch(B, A, -1, -1, false, QDate(2005, 9, 8), 5));
}

// The rows that carry a prediction (a new row has no percentages), played and not played.
QPair<int, int> predictedRows(Database &db)
{
    const int played =
        db.scalar(QStringLiteral("SELECT count(*) FROM Results WHERE HP + DP + AP > 0 AND Result <> ':'"))
            .toInt();
    const int fixtures =
        db.scalar(QStringLiteral("SELECT count(*) FROM Results WHERE HP + DP + AP > 0 AND Result = ':'"))
            .toInt();
    return {played, fixtures};
}

// Records the progress bar's value each time it is painted, and counts the paints of a grid.
class PaintRecorder final : public QObject
{
public:
    PaintRecorder(QProgressBar *bar, QWidget *grid) : m_bar(bar), m_grid(grid)
    {
        bar->installEventFilter(this);
        grid->installEventFilter(this);
    }
    QList<int> values; // consecutive repeats left out
    int gridPaints = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        if (watched == m_grid)
            ++gridPaints;
        else if (watched == m_bar && (values.isEmpty() || values.last() != m_bar->value()))
            values << m_bar->value();
        return false;
    }

private:
    QProgressBar *m_bar;
    QWidget *m_grid;
};
} // namespace

class TestFormPredict : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setMessenger(&m_messages);
    }
    void init() { m_messages.clear(); }
    void optionsLoadedOnEveryShowAndNeverWritten();
    void okRunsTheCaptionsCommandRepaintingPerMatch_data();
    void okRunsTheCaptionsCommandRepaintingPerMatch();
    void cancelRunsNothing();

private:
    RecordingMessenger m_messages;
};

void TestFormPredict::optionsLoadedOnEveryShowAndNeverWritten()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C});
    fillLeague(f);
    f.setLeague(QStringLiteral("HP"), 70);
    f.setLeague(QStringLiteral("DR"), true);
    f.setLeague(QStringLiteral("AW"), false);
    f.setLeague(QStringLiteral("CF"), 95); // shown clamped to 90
    f.setLeague(QStringLiteral("HA"), false);
    f.setLeague(QStringLiteral("LM"), 12); // shown clamped to 10
    const QString league = QStringLiteral(
        "SELECT HP || '/' || DR || '/' || AW || '/' || CF || '/' || HA || '/' || LM FROM League");
    Database &db = f.dm().ADOConnection;
    const QString stored = db.scalar(league).toString();

    TFormPredict dlg(f.dm());
    dlg.setWindowTitle(TFormPredict::predictUpcomingCaption());
    dlg.show();
    auto *hp = dlg.findChild<QSpinBox *>(QStringLiteral("SpinEditHP"));
    QVERIFY(hp);
    QCOMPARE(hp->value(), 70);
    QVERIFY(dlg.findChild<QCheckBox *>(QStringLiteral("CheckBoxDP"))->isChecked());
    QVERIFY(!dlg.findChild<QCheckBox *>(QStringLiteral("CheckBoxAP"))->isChecked());
    QCOMPARE(dlg.findChild<QSpinBox *>(QStringLiteral("SpinEditCF"))->value(), 90);
    QVERIFY(dlg.findChild<QRadioButton *>(QStringLiteral("RadioButtonOV"))->isChecked());
    QCOMPARE(dlg.findChild<QSpinBox *>(QStringLiteral("SpinEditLM"))->value(), 10);

    // Changed for this run only.
    hp->setValue(20);
    dlg.findChild<QRadioButton *>(QStringLiteral("RadioButtonHA"))->setChecked(true);
    QCOMPARE(dlg.options().homePct, 20);
    QVERIFY(dlg.options().venueStats);
    dlg.accept();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(db.scalar(league).toString(), stored);

    // The next show loads the League row again, also what changed in it meanwhile.
    f.setLeague(QStringLiteral("HP"), 30);
    dlg.show();
    QCOMPARE(hp->value(), 30);
    QVERIFY(dlg.findChild<QRadioButton *>(QStringLiteral("RadioButtonOV"))->isChecked());
    dlg.reject();
}

void TestFormPredict::okRunsTheCaptionsCommandRepaintingPerMatch_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("matches");       // walked by the command
    QTest::addColumn<int>("playedWritten"); // rows written among the played matches
    QTest::addColumn<int>("fixturesWritten");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("predict") << TFormPredict::predictUpcomingCaption() << 2 << 0 << 2 << QStringList();
    QTest::newRow("recalculate") << TFormPredict::recalculateCaption() << 3 << 3 << 0
                                 << QStringList{QStringLiteral("Recalculate predictions complete.")};
}

void TestFormPredict::okRunsTheCaptionsCommandRepaintingPerMatch()
{
    QFETCH(QString, caption);
    QFETCH(int, matches);
    QFETCH(int, playedWritten);
    QFETCH(int, fixturesWritten);
    QFETCH(QStringList, messages);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C});
    fillLeague(f);
    Table &results = f.dm().ADOTableResults;
    results.setFilter(QStringLiteral("Rnd < 0")); // the page shown before the run replaces this view
    results.setFiltered(true);

    TFormPredict dlg(f.dm());
    // The main window's part: showing the page of the command applies that page's view.
    QList<TFormPredict::Command> pages;
    connect(&dlg, &TFormPredict::aboutToRun, this, [&](TFormPredict::Command c) {
        pages << c;
        if (c == TFormPredict::Command::PredictUpcoming)
            applyDefaultFixtureView(results);
        else
            applyDefaultScoreView(results);
    });
    QSignalSpy progressed(&dlg, &TFormPredict::progressed);
    dlg.setWindowTitle(caption);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto *bar = dlg.findChild<QProgressBar *>(QStringLiteral("ProgressBar"));
    QVERIFY(bar);
    // A grid of the main window behind the dialog, showing the rows as they are written.
    DataGrid grid(results, {{QStringLiteral("Home"), QStringLiteral("Home")},
                            {QStringLiteral("HP"), QStringLiteral("HP")}});
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCoreApplication::processEvents();
    PaintRecorder painted(bar, grid.viewport());

    dlg.accept();

    QCOMPARE(pages, QList<TFormPredict::Command>{TFormPredict::commandOf(caption)});
    QCOMPARE(progressed.size(), matches);
    // The bar is painted at the first and the last match, paced in between, always moving forward.
    QVERIFY(!painted.values.isEmpty());
    QCOMPARE(painted.values.first(), 1);
    QCOMPARE(painted.values.last(), matches);
    QVERIFY(std::is_sorted(painted.values.begin(), painted.values.end()));
    QVERIFY(painted.values.size() <= matches);
    QVERIFY2(painted.gridPaints >= 1, "the windows behind the dialog repaint during the run");
    QCOMPARE(m_messages.texts(), messages);
    QVERIFY(!dlg.isVisible());
    const QPair<int, int> written = predictedRows(f.dm().ADOConnection);
    QCOMPARE(written.first, playedWritten);
    QCOMPARE(written.second, fixturesWritten);
}

void TestFormPredict::cancelRunsNothing()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C});
    fillLeague(f);
    const QString before = snapshot(f.dm().ADOConnection);
    TFormPredict dlg(f.dm());
    QSignalSpy runs(&dlg, &TFormPredict::aboutToRun);
    QSignalSpy progressed(&dlg, &TFormPredict::progressed);
    dlg.setWindowTitle(TFormPredict::recalculateCaption());
    dlg.show();
    dlg.findChild<QSpinBox *>(QStringLiteral("SpinEditHP"))->setValue(15);
    dlg.reject();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(runs.size(), 0);
    QCOMPARE(progressed.size(), 0);
    QVERIFY(m_messages.messages().isEmpty());
    QCOMPARE(snapshot(f.dm().ADOConnection), before);
}

QTEST_MAIN(TestFormPredict)
#include "tst_formpredict.moc"
