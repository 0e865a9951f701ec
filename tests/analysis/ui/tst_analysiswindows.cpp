// The betting system analyzer and the prediction history through their windows, offscreen, opened from
// the main window's commands on a small league: the system loaded from the league, a back-test with its
// status texts and coloured matches, the sort toggles, deleting a system, the reports and the export, the
// staking plan, money metrics and balance curve, and its message boxes staying with it; the history's
// month and team tables, "Update" with another view, and its calibration page.

#include "analysis/Calibration.h"
#include "analysis/HistoryMetrics.h"
#include "analysis/HistoryRows.h"
#include "analysis/MetricsLines.h"
#include "analysis/SystemMetrics.h"
#include "analysis/ui/TFormAnalyzer.h"
#include "analysis/ui/TFormPHistory.h"
#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/ClosingPrices.h"
#include "data/Database.h"
#include "data/TDataMod.h"
#include "data/ui/DataGrid.h"
#include "data/ui/GuiMessenger.h"
#include "output/ui/ExportDialogs.h"
#include "support/LeagueFixture.h"
#include "support/MatchRows.h"
#include "support/PdfChecks.h"
#include "support/RecordingMessenger.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace
{
template <typename T> T *child(QObject *parent, const char *name)
{
    T *w = parent->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qWarning("no child %s", name);
    return w;
}

int columnOf(const DataGrid *grid, const QString &title)
{
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (grid->model()->headerData(c, Qt::Horizontal).toString() == title)
            return c;
    return -1;
}

QString cell(const DataGrid *grid, int row, const QString &title)
{
    return grid->model()->index(row, columnOf(grid, title)).data().toString();
}

QColor ground(const DataGrid *grid, int row, const QString &title)
{
    return grid->model()->index(row, columnOf(grid, title)).data(Qt::BackgroundRole).value<QColor>();
}

const QColor green(128, 255, 128), red(255, 128, 128), cyan(128, 255, 255), white(Qt::white);

// What a score text says happened: "1", "X" (a draw, or decided in overtime) or "2".
QString outcomeOf(const QString &score)
{
    const QStringList goals = score.section(QLatin1Char(' '), 0, 0).split(QLatin1Char(':'));
    const int f = goals.value(0).toInt(), a = goals.value(1).toInt();
    if (score.contains(QLatin1String("OT")) || f == a)
        return QStringLiteral("X");
    return f > a ? QStringLiteral("1") : QStringLiteral("2");
}

// Writes a played match with its stored prediction.
void predicted(Database &db, const char *match, const QDate &date, const char *verdict, const char *presult,
               const char *o1, const char *ox, const char *o2)
{
    MatchRow m = playedRow(QString::fromLatin1(match), date);
    m.O1 = QString::fromLatin1(o1);
    m.OX = QString::fromLatin1(ox);
    m.O2 = QString::fromLatin1(o2);
    const qint64 rowid = insertMatch(db, m);
    db.execute(QStringLiteral("UPDATE Results SET Verdict = ?1, PResult = ?2, Ttl = 3, UOP = 'Over 2.5' "
                              "WHERE rowid = ?3"),
               {QString::fromLatin1(verdict), QString::fromLatin1(presult), rowid});
}
} // namespace

class TestAnalysisWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setMessenger(&m_messages);
    }
    void init();
    void cleanup();
    void analyzerLoadsTheLeaguesSystemClamped();
    void analyzerTestsSortsReportsExportsAndDeletes();
    void analyzerStopsAtAnUnreadablePrice();
    void bothRefuseRowsThatDoNotAddUp();
    void analyzerKeepsItsMessageBoxes();
    void historyJudgesByMonthAndTeam();
    void analyzerKeepsMoneyMetricsPerSystem();
    void historyShowsCalibrationAndMoney();

private:
    RecordingMessenger m_messages;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TMainForm> m_form;
    std::unique_ptr<AppWindows> m_windows;
};

void TestAnalysisWindows::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_messages.clear();
    const QString alpha = QStringLiteral("Alpha"), beta = QStringLiteral("Beta"),
                  gamma = QStringLiteral("Gamma");
    LeagueFixture league(QStringLiteral("Football (Soccer)"), {alpha, beta, gamma});
    Database &db = league.dm().ADOConnection;
    // January of two years, then March; one played match without a prediction, one fixture.
    predicted(db, "Alpha-Beta 2:1", QDate(2005, 1, 10), "1", "2:1", "2.00", "3.10", "3.90");
    predicted(db, "Beta-Gamma 0:0", QDate(2006, 1, 15), "1", "1:0", "1.50", "3.60", "5.00");
    predicted(db, "Gamma-Alpha 1:3", QDate(2005, 3, 5), "2", "0:2", "2.60", "3.20", "3.00");
    predicted(db, "Alpha-Gamma 1:1", QDate(2005, 3, 20), "X", "1:1", "1.70", "-", "4.20");
    insertMatch(db, playedRow(QStringLiteral("Beta-Alpha 2:0"), QDate(2005, 4, 1)));
    const char *const rounds[] = {"Alpha-Beta", "Beta-Gamma", "Gamma-Alpha",
                                  "Beta-Alpha", "Gamma-Beta", "Alpha-Gamma"};
    for (int i = 0; i < 12; ++i) // enough history for the back-test to give verdicts
        insertMatch(
            db, playedRow(
                    QStringLiteral("%1 %2:%3").arg(QString::fromLatin1(rounds[i % 6])).arg(i % 4).arg(i % 3),
                    QDate(2005, 5, 1).addDays(7 * i)));
    MatchRow fixture;
    fixture.home = gamma, fixture.away = beta, fixture.date = QDate(2005, 9, 1);
    insertMatch(db, fixture);
    league.setLeague(QStringLiteral("HP"), 95); // beyond the field's range
    league.setLeague(QStringLiteral("CF"), 5);
    league.setLeague(QStringLiteral("LM"), 1);
    league.setLeague(QStringLiteral("DR"), true);
    league.setLeague(QStringLiteral("HA"), false);
    const QString path = m_dir->filePath(QStringLiteral("league.qvl"));
    league.dm().closeLeague();
    QVERIFY(QFile::copy(league.path(), path));

    m_form = std::make_unique<TMainForm>();
    m_windows = createAppWindows(*m_form, [] {});
    m_form->show();
    openLeagueAtStart(*m_windows, path);
    QVERIFY(m_windows->dm->isLeagueOpen());
    m_form->findChild<TFormAnalyzer *>()->setSystemsFilePath(
        m_dir->filePath(QStringLiteral("systems/bettingsystems.qvs")));
}

void TestAnalysisWindows::cleanup()
{
    setExportFileChooser(nullptr);
    m_windows.reset();
    m_form.reset();
    m_dir.reset();
}

void TestAnalysisWindows::analyzerLoadsTheLeaguesSystemClamped()
{
    QAction *open = m_form->command(QStringLiteral("MenuAnalyzer"));
    QVERIFY(open->isEnabled());
    QCOMPARE(open->shortcut(), QKeySequence(Qt::Key_F8));
    open->trigger();
    auto *analyzer = m_form->findChild<TFormAnalyzer *>();
    QVERIFY(analyzer->isVisible());
    QCOMPARE(analyzer->windowTitle(), QStringLiteral("Betting System Analyzer"));
    QCOMPARE(child<QSpinBox>(analyzer, "SpinEditHP")->value(), 90);
    QCOMPARE(child<QSpinBox>(analyzer, "SpinEditCF")->value(), 10);
    QCOMPARE(child<QSpinBox>(analyzer, "SpinEditLM")->value(), 2);
    QVERIFY(child<QCheckBox>(analyzer, "CheckBoxDP")->isChecked());
    QVERIFY(child<QRadioButton>(analyzer, "RadioButtonOV")->isChecked());
    QVERIFY(QFile::exists(analyzer->systemsFilePath())); // created with its folder

    // The wager's upper bound follows the starting balance, both ways.
    auto *balance = child<QSpinBox>(analyzer, "SpinEditSBal");
    auto *wager = child<QSpinBox>(analyzer, "SpinEditWager");
    balance->setValue(15);
    QCOMPARE(wager->maximum(), 15);
    QCOMPARE(wager->value(), 15);
    balance->setValue(500);
    QCOMPARE(wager->maximum(), 500);
    wager->setValue(400);
    QCOMPARE(analyzer->bettingSystem().wager, 400);
    QCOMPARE(analyzer->bettingSystem().startingBalance, 500);
    analyzer->close();
    QVERIFY(m_messages.messages().isEmpty());
}

void TestAnalysisWindows::analyzerTestsSortsReportsExportsAndDeletes()
{
    auto *button = m_form->findChild<QToolButton *>(QStringLiteral("ToolButtonAnalyzer"));
    QVERIFY(button && button->isEnabled());
    button->click();
    auto *analyzer = m_form->findChild<TFormAnalyzer *>();
    QVERIFY(analyzer->isVisible());
    // "Delete System" on an empty history asks nothing.
    child<QPushButton>(analyzer, "BitBtnDel")->click();
    QVERIFY(m_messages.messages().isEmpty());

    for (const char *name : {"SpinEditHP", "SpinEditDP", "SpinEditAP"})
        child<QSpinBox>(analyzer, name)->setValue(10);
    child<QPushButton>(analyzer, "BitBtnPAPredict")->click();
    QCOMPARE(m_messages.log(), QStringList{QStringLiteral("Information: Betting system analysis complete")});
    QCOMPARE(analyzer->statusText(0), QStringLiteral("Status: Testing complete"));
    QCOMPARE(analyzer->statusText(1), QStringLiteral("Current Match: 17"));
    QCOMPARE(analyzer->statusText(2), QStringLiteral("Total Matches: 17"));
    QCOMPARE(analyzer->statusText(3), QStringLiteral("Tested: 100%"));

    DataGrid *matches = analyzer->matchesGrid();
    DataGrid *history = analyzer->historyGrid();
    QCOMPARE(matches->model()->rowCount(), 17);
    QCOMPARE(history->model()->rowCount(), 1);
    QCOMPARE(cell(history, 0, QStringLiteral("League")), QStringLiteral("Test League.qvl"));
    QCOMPARE(cell(history, 0, QStringLiteral("TS")), QStringLiteral("OV"));
    QCOMPARE(cell(history, 0, QStringLiteral("Draw")), QStringLiteral("YES"));

    // The colours, judged from the cells' own texts: the verdict against the score, the odds of what
    // happened, white elsewhere.
    int bets = 0;
    for (int r = 0; r < 17; ++r) {
        const QString verdict = cell(matches, r, QStringLiteral("Verdict"));
        const QString happened = outcomeOf(cell(matches, r, QStringLiteral("Score")));
        if (verdict != QLatin1String("?")) {
            ++bets;
            QCOMPARE(ground(matches, r, QStringLiteral("Verdict")), verdict == happened ? green : red);
        } else {
            QCOMPARE(ground(matches, r, QStringLiteral("Verdict")), white);
        }
        for (const QString &o : {QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("2")})
            QCOMPARE(ground(matches, r, o), o == happened ? cyan : white);
        QCOMPARE(ground(matches, r, QStringLiteral("Home Team")), white);
    }
    QVERIFY(bets > 0);
    QCOMPARE(cell(history, 0, QStringLiteral("Total")), QString::number(bets));

    // Title clicks: numbers start with the largest, whichever column was sorted before.
    matches->horizontalHeader()->sectionClicked(columnOf(matches, QStringLiteral("Balance")));
    QCOMPARE(analyzer->resultsTable().sort(), QStringLiteral("Balance DESC"));
    const double top = cell(matches, 0, QStringLiteral("Balance")).toDouble();
    for (int r = 1; r < 17; ++r)
        QVERIFY(cell(matches, r, QStringLiteral("Balance")).toDouble() <= top);
    matches->horizontalHeader()->sectionClicked(columnOf(matches, QStringLiteral("Rnd")));
    QCOMPARE(analyzer->resultsTable().sort(), QStringLiteral("Rnd DESC"));
    matches->horizontalHeader()->sectionClicked(columnOf(matches, QStringLiteral("Rnd")));
    QCOMPARE(analyzer->resultsTable().sort(), QStringLiteral("Rnd"));
    history->horizontalHeader()->sectionClicked(columnOf(history, QStringLiteral("Profit (%)")));
    QCOMPARE(analyzer->methodsTable().sort(), QStringLiteral("Profit DESC"));

    // The matches report as a PDF, in the grid's order; the export of the history as CSV.
    const QString pdf = m_dir->filePath(QStringLiteral("matches.pdf"));
    analyzer->setPdfPathChooser([&pdf](const QString &proposed) {
        return proposed.endsWith(QLatin1String(" - Match Predictions & Scores.pdf")) ? pdf : QString();
    });
    child<QAction>(analyzer, "BitBtnPrintMPdf")->trigger();
    QVERIFY2(QFile::exists(pdf), qPrintable(m_messages.log().join(QLatin1Char('\n'))));
    if (popplerAvailable()) {
        const QString text = pdfPages(pdf).join(QLatin1Char('\n'));
        QVERIFY(text.contains(m_form->leagueName() + QStringLiteral(" - Match Predictions & Scores")));
        // Every match on a line of its own, starting with its date.
        const QRegularExpression dated(QStringLiteral("^\\s*\\d{1,2}/\\d{1,2}/\\d{2,4}\\s"),
                                       QRegularExpression::MultilineOption);
        QCOMPARE(text.count(dated), 17);
    }
    const QString csv = m_dir->filePath(QStringLiteral("systems.csv"));
    setExportFileChooser([&csv](QWidget *, const QString &, const QString &, const QString &) {
        return ChosenFile{csv, QStringLiteral("Comma Separated Value (*.csv)")};
    });
    child<QPushButton>(analyzer, "BitBtnExportH")->click();
    QFile f(csv);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString exported = QString::fromUtf8(f.readAll());
    const QString titles = exported.section(QStringLiteral("\r\n"), 0, 0);
    QVERIFY2(titles.contains(QStringLiteral("Correct")) && titles.contains(QStringLiteral("Hit (%)")) &&
                 titles.contains(QStringLiteral("Score (%)")) && !titles.contains(QStringLiteral("Balance")),
             qPrintable(exported));
    QVERIFY(exported.contains(QStringLiteral("Test League.qvl")));

    // "Delete System" asks, and on Yes the history row goes with its money metrics; the matches stay.
    Database &systems = *analyzer->methodsTable().database();
    const QString metricsRows = QStringLiteral("SELECT COUNT(*) FROM MethodMetrics");
    QCOMPARE(systems.scalar(metricsRows).toInt(), 1);
    m_messages.clear();
    m_messages.queueAnswer(Messenger::Answer::Yes);
    child<QPushButton>(analyzer, "BitBtnDel")->click();
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(m_messages.messages()[0].text.section(QLatin1Char('\n'), 0, 0),
             QStringLiteral("Do you really want to delete this record?"));
    QCOMPARE(history->model()->rowCount(), 0);
    QCOMPARE(systems.scalar(metricsRows).toInt(), 0);
    QCOMPARE(matches->model()->rowCount(), 17);

    // Closing lets go of the file; showing again opens it afresh with the last test's matches.
    analyzer->close();
    QVERIFY(!analyzer->resultsTable().isActive());
    m_form->command(QStringLiteral("MenuAnalyzer"))->trigger();
    QCOMPARE(matches->model()->rowCount(), 17);
    analyzer->close();
}

void TestAnalysisWindows::analyzerStopsAtAnUnreadablePrice()
{
    // From the 2005-05-15 match on every price is unreadable: the first bet among them cannot be settled.
    m_windows->dm->ADOConnection.execute(
        QStringLiteral("UPDATE Results SET O1 = 'x.y', OX = 'x.y', O2 = 'x.y' WHERE DateP >= '2005-05-15'"));
    m_form->command(QStringLiteral("MenuAnalyzer"))->trigger();
    auto *analyzer = m_form->findChild<TFormAnalyzer *>();
    for (const char *name : {"SpinEditHP", "SpinEditDP", "SpinEditAP"})
        child<QSpinBox>(analyzer, name)->setValue(10);
    child<QPushButton>(analyzer, "BitBtnPAPredict")->click();
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(m_messages.messages()[0].kind, Messenger::Kind::Error);
    QVERIFY(m_messages.messages()[0].text.contains(QStringLiteral("x.y")));
    QVERIFY(analyzer->statusText(0) != QStringLiteral("Status: Testing complete"));
    // The matches tested before it are shown as the file holds them; no system joins the history.
    Database sys;
    sys.open(analyzer->systemsFilePath());
    const int kept = sys.scalar(QStringLiteral("SELECT count(*) FROM Results")).toInt();
    QVERIFY2(kept >= 6 && kept < 17, qPrintable(QString::number(kept)));
    QCOMPARE(analyzer->matchesGrid()->model()->rowCount(), kept);
    QCOMPARE(analyzer->historyGrid()->model()->rowCount(), 0);
    analyzer->close();
}

// A played row whose Result disagrees with its scores: the test and the history are refused with the
// rows named, until the row is mended.
void TestAnalysisWindows::bothRefuseRowsThatDoNotAddUp()
{
    Database &db = m_windows->dm->ADOConnection;
    db.execute(QStringLiteral("UPDATE Results SET F = 5 WHERE Home = 'Gamma' AND Result = '1:3'"));
    const QString id = db.scalar(QStringLiteral("SELECT ID FROM Results WHERE F = 5")).toString();
    const QString refusal =
        QStringLiteral("1 played match does not add up:\nResults row ID %1, column Result: "
                       "'1:3' does not agree with F 5 and A 3\n")
            .arg(id);
    m_form->command(QStringLiteral("MenuAnalyzer"))->trigger();
    auto *analyzer = m_form->findChild<TFormAnalyzer *>();
    child<QPushButton>(analyzer, "BitBtnPAPredict")->click();
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(m_messages.messages()[0].kind, Messenger::Kind::Error);
    QVERIFY2(m_messages.messages()[0].text.startsWith(refusal), qPrintable(m_messages.messages()[0].text));
    QCOMPARE(analyzer->historyGrid()->model()->rowCount(), 0);
    QCOMPARE(analyzer->matchesGrid()->model()->rowCount(), 0);
    analyzer->close();

    m_messages.clear();
    m_form->command(QStringLiteral("MenuPHistory"))->trigger();
    auto *history = m_form->findChild<TFormPHistory *>();
    QCOMPARE(m_messages.messages().size(), 1);
    QVERIFY2(m_messages.messages()[0].text.startsWith(refusal), qPrintable(m_messages.messages()[0].text));

    m_messages.clear();
    db.execute(QStringLiteral("UPDATE Results SET F = 1 WHERE F = 5"));
    child<QPushButton>(history, "ButtonUpdate")->click();
    QCOMPARE(m_messages.texts(), QStringList());
    history->close();
    m_form->command(QStringLiteral("MenuAnalyzer"))->trigger();
    child<QPushButton>(analyzer, "BitBtnPAPredict")->click();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Betting system analysis complete")});
    QCOMPARE(analyzer->historyGrid()->model()->rowCount(), 1);
    analyzer->close();
}

void TestAnalysisWindows::analyzerKeepsItsMessageBoxes()
{
    // The program's own boxes, the main window their parent while no window is active, as at start.
    GuiMessenger boxes(m_form.get());
    setMessenger(&boxes);
    const auto recordAgain = qScopeGuard([this] { setMessenger(&m_messages); });
    m_form->command(QStringLiteral("MenuAnalyzer"))->trigger();
    auto *analyzer = m_form->findChild<TFormAnalyzer *>();
    QVERIFY(QTest::qWaitForWindowActive(analyzer));

    // The box that says the test is complete belongs to the analyzer: the desktop stacks it over the
    // analyzer and gives the analyzer the focus back when it closes.
    QString text;
    QWidget *owner = nullptr;
    QWindow *over = nullptr;
    QTimer watch;
    watch.setInterval(10);
    connect(&watch, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        watch.stop();
        text = box->text();
        owner = box->parentWidget();
        over = box->windowHandle() ? box->windowHandle()->transientParent() : nullptr;
        box->accept();
    });
    watch.start();
    child<QPushButton>(analyzer, "BitBtnPAPredict")->click();
    QCOMPARE(text, QStringLiteral("Betting system analysis complete"));
    QCOMPARE(owner, analyzer);
    QCOMPARE(over, analyzer->windowHandle());
}

void TestAnalysisWindows::historyJudgesByMonthAndTeam()
{
    QAction *open = m_form->command(QStringLiteral("MenuPHistory"));
    QCOMPARE(open->shortcut(), QKeySequence(Qt::Key_F7));
    open->trigger();
    auto *form = m_form->findChild<TFormPHistory *>();
    QVERIFY(form->isVisible());
    QCOMPARE(form->windowTitle(), QStringLiteral("Prediction History"));
    QVERIFY(m_messages.messages().isEmpty());

    // The source grid: the four predicted played matches, oldest first, coloured as the analyzer's.
    DataGrid *grid = form->sourceGrid();
    QCOMPARE(grid->model()->rowCount(), 4);
    QCOMPARE(cell(grid, 0, QStringLiteral("Home Team")), QStringLiteral("Alpha"));
    QCOMPARE(cell(grid, 3, QStringLiteral("Home Team")), QStringLiteral("Beta"));
    QCOMPARE(ground(grid, 0, QStringLiteral("Verdict")), green);
    QCOMPARE(ground(grid, 3, QStringLiteral("H%")), red);
    QCOMPARE(ground(grid, 3, QStringLiteral("X")), cyan);
    QCOMPARE(ground(grid, 3, QStringLiteral("Under/Over")), red);

    // January of 2005 and 2006 together: one right at 2.00 (+20), one wrong (-20); March: a right away
    // bet at 3.00 (+40) and a right draw without a price (0).
    auto months = [form] { return TFormPHistory::cellsOf(form->monthTable()); };
    auto column = [](const QList<QStringList> &cells, int c) {
        QStringList out;
        for (int r = 1; r < cells.size(); ++r)
            out << cells[r][c];
        return out;
    };
    const QList<QStringList> m = months();
    QCOMPARE(m[0][1], QStringLiteral("January"));
    QCOMPARE(m[0][13], QStringLiteral("Total"));
    // Every column is wide enough for its widest text ("September" among the months), with the margins.
    for (QTableWidget *table : {form->monthTable(), form->teamTable()})
        for (int r = 0; r < table->rowCount(); ++r)
            for (int c = 0; c < table->columnCount(); ++c)
                QVERIFY2(table->columnWidth(c) >=
                             table->fontMetrics().horizontalAdvance(table->item(r, c)->text()) + 6,
                         qPrintable(table->item(r, c)->text()));
    QCOMPARE(column(m, 1), QString::fromLatin1("1 1 2 50 0 0").split(QLatin1Char(' ')));
    QCOMPARE(column(m, 2), QString::fromLatin1("0 0 0 0 0 0").split(QLatin1Char(' ')));
    QCOMPARE(column(m, 3), QString::fromLatin1("2 0 2 100 40 40").split(QLatin1Char(' ')));
    QCOMPARE(column(m, 13), QString::fromLatin1("3 1 4 75 40 40").split(QLatin1Char(' ')));

    const QList<QStringList> teams = TFormPHistory::cellsOf(form->teamTable());
    const QList<QStringList> expectedTeams = {
        QString::fromLatin1(",Correct,Incorrect,Predictions,Hit Rate (%),Profit,Profit (%)")
            .split(QLatin1Char(',')),
        QString::fromLatin1("Alpha,2,0,2,100,60,60").split(QLatin1Char(',')),
        QString::fromLatin1("Beta,0,1,1,0,-20,-20").split(QLatin1Char(',')),
        QString::fromLatin1("Gamma,0,0,0,0,0,0").split(QLatin1Char(',')),
        QString::fromLatin1("Draw,1,0,1,100,0,0").split(QLatin1Char(',')),
        QString::fromLatin1("Total,3,1,4,75,40,40").split(QLatin1Char(',')),
    };
    QCOMPARE(teams, expectedTeams);

    // Another view, balance and wager change nothing until "Update"; then only the month table changes.
    child<QComboBox>(form, "ComboBoxView")->setCurrentText(QStringLiteral("Home Wins"));
    child<QSpinBox>(form, "SpinEditSBal")->setValue(200);
    QCOMPARE(months(), m);
    child<QPushButton>(form, "ButtonUpdate")->click();
    const QList<QStringList> home = months();
    QCOMPARE(column(home, 1), QString::fromLatin1("1 1 2 50 0 0").split(QLatin1Char(' ')));
    QCOMPARE(column(home, 3), QString::fromLatin1("0 0 0 0 0 0").split(QLatin1Char(' ')));
    QCOMPARE(column(home, 13), QString::fromLatin1("1 1 2 50 0 0").split(QLatin1Char(' ')));
    QCOMPARE(TFormPHistory::cellsOf(form->teamTable())[5],
             QString::fromLatin1("Total,3,1,4,75,40,20").split(QLatin1Char(',')));
    QVERIFY(m_messages.messages().isEmpty());

    // A price that does not read stops the update with its message; what was booked before it stays.
    child<QComboBox>(form, "ComboBoxView")->setCurrentText(QStringLiteral("1, X, 2 Predictions"));
    m_windows->dm->ADOConnection.execute(
        QStringLiteral("UPDATE Results SET O2 = 'x.y' WHERE Home = 'Gamma' AND Result = '1:3'"));
    child<QPushButton>(form, "ButtonUpdate")->click();
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(m_messages.messages()[0].kind, Messenger::Kind::Error);
    QVERIFY2(m_messages.messages()[0].text.contains(QStringLiteral("x.y")),
             qPrintable(m_messages.messages()[0].text));
    const QList<QStringList> partial = months();
    QCOMPARE(partial[1][1], QStringLiteral("1")); // January 2005, judged before the failing match
    QCOMPARE(partial[1][3], QStringLiteral("0")); // March never came
    QCOMPARE(TFormPHistory::cellsOf(form->teamTable())[1][1], QStringLiteral("1"));
    form->close();
}

namespace
{
QStringList shownLines(const QList<MetricLine> &lines)
{
    QStringList out;
    for (const MetricLine &l : lines)
        out << l.name + QStringLiteral(": ") + l.value;
    return out;
}
} // namespace

// Each tested system keeps its plan and metrics: the panel shows those of the selected history row as
// the file holds them, and the curve ends at the balance of the last detail row.
void TestAnalysisWindows::analyzerKeepsMoneyMetricsPerSystem()
{
    m_form->command(QStringLiteral("MenuAnalyzer"))->trigger();
    auto *analyzer = m_form->findChild<TFormAnalyzer *>();
    QVERIFY(analyzer->isVisible());
    for (const char *name : {"SpinEditHP", "SpinEditDP", "SpinEditAP"})
        child<QSpinBox>(analyzer, name)->setValue(10);
    auto *staking = child<QComboBox>(analyzer, "ComboBoxStaking");
    auto *value = child<QDoubleSpinBox>(analyzer, "SpinEditStaking");
    QVERIFY(!value->isEnabled()); // flat by default
    staking->setCurrentText(QStringLiteral("Kelly"));
    QVERIFY(value->isEnabled());
    value->setValue(0.25);
    child<QPushButton>(analyzer, "BitBtnPAPredict")->click();
    staking->setCurrentText(QStringLiteral("Flat"));
    child<QPushButton>(analyzer, "BitBtnPAPredict")->click();
    QCOMPARE(analyzer->historyGrid()->model()->rowCount(), 2);

    Database systems;
    systems.open(analyzer->systemsFilePath());
    const auto shownFor = [&](int row) {
        analyzer->methodsTable().setRecNo(row + 1);
        const int id = analyzer->methodsTable().field(QStringLiteral("ID")).asInteger();
        const std::optional<SystemMetrics::Stored> stored = SystemMetrics::read(systems, id);
        return std::pair{stored, analyzer->metricsShown()};
    };
    const auto [kelly, kellyShown] = shownFor(0);
    QVERIFY(kelly);
    QCOMPARE(kelly->staking, QStringLiteral("Kelly 0.25"));
    QCOMPARE(kellyShown, QStringList{QStringLiteral("Staking: Kelly 0.25")} +
                             shownLines(metricLines(kelly->metrics, QLocale())));
    const auto [flat, flatShown] = shownFor(1);
    QVERIFY(flat);
    QCOMPARE(flat->staking, QStringLiteral("Flat"));
    QCOMPARE(flatShown.first(), QStringLiteral("Staking: Flat"));
    QVERIFY(flat->metrics.turnover != kelly->metrics.turnover); // the plans staked differently

    // The curve of the last (flat) test: from the starting balance to the last detail row's balance.
    const QList<QPointF> curve = analyzer->balanceShown();
    QCOMPARE(curve.first(), QPointF(0, 100));
    QCOMPARE(curve.size(), analyzer->matchesGrid()->model()->rowCount() + 1);
    const double last =
        systems.scalar(QStringLiteral("SELECT Balance FROM Results ORDER BY rowid DESC LIMIT 1")).toDouble();
    QCOMPARE(qRound64(curve.last().y() * 100), qRound64(last * 100));
    QCOMPARE(curve.last().y() - 100, flat->metrics.profit);
}

// The calibration page shows what the routines make of the league's stored predictions.
void TestAnalysisWindows::historyShowsCalibrationAndMoney()
{
    Database &db = m_windows->dm->ADOConnection;
    db.execute(QStringLiteral("UPDATE Results SET HP = 55, DP = 25, AP = 20 WHERE PResult <> ':'"));
    db.execute(QStringLiteral("UPDATE Results SET HP = 15, DP = 25, AP = 60 WHERE Home = 'Gamma' AND "
                              "PResult <> ':'"));
    m_form->command(QStringLiteral("MenuPHistory"))->trigger();
    auto *form = m_form->findChild<TFormPHistory *>();
    QVERIFY(form->isVisible());
    const CalibrationReport report = computeCalibration(readCalibrationMatches(db));
    QCOMPARE(report.matches, 3); // the draw without a price is left out
    QCOMPARE(form->calibrationScoresShown(), calibrationScoreRows(report, QLocale()));
    for (int o = 0; o < 3; ++o) {
        QList<QPointF> expected;
        for (const ReliabilityBin &bin : report.reliability[o])
            if (bin.count > 0)
                expected << QPointF(100 * bin.predicted, 100 * bin.observed);
        QCOMPARE(form->reliabilityShown(o), expected);
    }
    const BetMetrics money = historyMetrics(readHistoryRows(db), 100, 20, ClosingPrices::readAll(db));
    QCOMPARE(money.bets[0] + money.bets[1] + money.bets[2], 4);
    QCOMPARE(form->calibrationMetricsShown(), shownLines(metricLines(money, QLocale())));
}

QTEST_MAIN(TestAnalysisWindows)
#include "tst_analysiswindows.moc"
