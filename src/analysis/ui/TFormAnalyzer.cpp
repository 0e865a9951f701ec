#include "analysis/ui/TFormAnalyzer.h"

#include "analysis/AnalysisGrids.h"
#include "analysis/MetricsLines.h"
#include "analysis/SystemMetrics.h"
#include "analysis/SystemsFile.h"
#include "analysis/ui/ChartParts.h"
#include "analysis/ui/JudgedCells.h"
#include "analysis/ui/MetricsPanel.h"
#include "data/BusyCursor.h"
#include "data/CommandBoundary.h"
#include "data/GridCommands.h"
#include "data/ProgramFolder.h"
#include "data/ProgramSettings.h"
#include "data/ProgressPacer.h"
#include "data/TDataMod.h"
#include "data/ui/DataGrid.h"
#include "data/ui/DialogParts.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/SpinField.h"
#include "predict/PredictionCommands.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace
{
// The status bar's panels: their texts before any test, and their widths.
struct StatusPanel {
    const char *text;
    int width;
};
constexpr StatusPanel kPanels[] = {
    {"Status", 180}, {"Current Match", 120}, {"Total Matches", 120}, {"Tested", 120}, {"", 50}};

} // namespace

TFormAnalyzer::TFormAnalyzer(TDataMod &dm, QWidget *parent)
    : QMainWindow(parent), m_dm(dm), m_systemsPath(defaultSystemsFilePath()), m_methods(&m_systems),
      m_results(&m_systems)
{
    setObjectName(QStringLiteral("FormAnalyzer"));
    setWindowTitle(QStringLiteral("Betting System Analyzer"));
    setWindowFlag(Qt::Window);
    m_methods.setTableName(QStringLiteral("Methods"));
    SystemMetrics::followDeletes(m_methods);
    m_results.setTableName(QStringLiteral("Results"));

    auto *top = new QWidget(this);
    auto *upper = new QHBoxLayout(top);
    upper->setContentsMargins(0, 0, 0, 0);
    upper->addWidget(buildHistoryPanel(), 1);
    upper->addWidget(buildSystemPanel());

    auto *lower = new QSplitter(Qt::Horizontal, this);
    lower->setObjectName(QStringLiteral("SplitterMatches"));
    lower->addWidget(buildMatchesPanel());
    lower->addWidget(buildMoneyPanel());
    lower->setStretchFactor(0, 3);
    lower->setStretchFactor(1, 1);
    lower->setChildrenCollapsible(false);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("Splitter"));
    split->addWidget(top);
    split->addWidget(lower);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    split->setChildrenCollapsible(false);
    setCentralWidget(split);
    buildStatusBar();
    m_splitters = {split, lower};
    for (QSplitter *s : m_splitters)
        s->restoreState(ProgramSettings::windowState(QStringLiteral("analyzer/") + s->objectName()));
    connect(&m_methods, &Dataset::currentChanged, this, &TFormAnalyzer::showSelectedMetrics);
    connect(&m_methods, &Dataset::layoutChanged, this, &TFormAnalyzer::showSelectedMetrics);
}

TFormAnalyzer::~TFormAnalyzer()
{
    for (QSplitter *s : m_splitters)
        ProgramSettings::storeWindowState(QStringLiteral("analyzer/") + s->objectName(), s->saveState());
}

QWidget *TFormAnalyzer::buildHistoryPanel()
{
    auto *box = new QGroupBox(QStringLiteral("Betting System History"), this);
    auto *layout = new QVBoxLayout(box);
    m_historyGrid = new DataGrid(m_methods, systemsHistoryColumns(), box);
    m_historyGrid->setObjectName(QStringLiteral("DBGridHistory"));
    layout->addWidget(m_historyGrid, 1);
    connect(m_historyGrid, &DataGrid::titleClicked, this,
            [this](int column) { ToggleColumnSort(m_historyGrid->fieldOf(column), m_methods); });
    connect(m_historyGrid, &DataGrid::deleteRequested, this, &TFormAnalyzer::BitBtnDelClick);

    auto *buttons = new QHBoxLayout;
    QPushButton *del = plainButton(box, QStringLiteral("BitBtnDel"), QStringLiteral("Delete System"));
    connect(del, &QPushButton::clicked, this, &TFormAnalyzer::BitBtnDelClick);
    buttons->addWidget(del);
    buttons->addWidget(reportButton(box, Report::History, "BitBtnPrintH", QStringLiteral("Print History")));
    buttons->addWidget(reportButton(box, Report::Matches, "BitBtnPrintM", QStringLiteral("Print Matches")));
    const std::pair<const char *, Report> exports[] = {{"BitBtnExportH", Report::History},
                                                       {"BitBtnExportM", Report::Matches}};
    for (const auto &[name, report] : exports) {
        const QString caption =
            report == Report::History ? QStringLiteral("Export History") : QStringLiteral("Export Matches");
        QPushButton *b = plainButton(box, QString::fromLatin1(name), caption);
        connect(b, &QPushButton::clicked, this, [this, report] { Q_EMIT exportRequested(report); });
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return box;
}

// A print button: a click prints; its arrow offers the preview and a PDF file.
QToolButton *TFormAnalyzer::reportButton(QWidget *parent, Report report, const char *name,
                                         const QString &caption)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto *print = new QAction(caption, button);
    print->setObjectName(QString::fromLatin1(name) + QStringLiteral("Print"));
    button->setDefaultAction(print);
    auto *menu = new QMenu(button);
    QAction *preview = menu->addAction(QStringLiteral("Print Preview"));
    preview->setObjectName(QString::fromLatin1(name) + QStringLiteral("Preview"));
    QAction *pdf = menu->addAction(QStringLiteral("Save as PDF..."));
    pdf->setObjectName(QString::fromLatin1(name) + QStringLiteral("Pdf"));
    button->setMenu(menu);
    connect(print, &QAction::triggered, this,
            [this, report] { Q_EMIT reportRequested(report, ReportTarget::Printer); });
    connect(preview, &QAction::triggered, this,
            [this, report] { Q_EMIT reportRequested(report, ReportTarget::Preview); });
    connect(pdf, &QAction::triggered, this,
            [this, report] { Q_EMIT reportRequested(report, ReportTarget::Pdf); });
    return button;
}

QWidget *TFormAnalyzer::buildSystemPanel()
{
    auto *box = new QGroupBox(QStringLiteral("Betting System"), this);
    auto *grid = new QGridLayout(box);
    auto check = [box](const char *name, const QString &caption, bool on) {
        auto *c = new QCheckBox(caption, box);
        c->setObjectName(QString::fromLatin1(name));
        c->setChecked(on);
        return c;
    };
    auto spin = [box](const char *name, int lo, int hi, int value) {
        return spinField(box, QString::fromLatin1(name), lo, hi, value);
    };
    // The design-time values: what the panel shows before any league was loaded.
    m_system.homeWin = check("CheckBoxHP", QStringLiteral("Home Win % >"), true);
    m_system.homePct = spin("SpinEditHP", 10, 90, 50);
    m_system.draw = check("CheckBoxDP", QStringLiteral("Draw % >"), false);
    m_system.drawPct = spin("SpinEditDP", 10, 90, 35);
    m_system.awayWin = check("CheckBoxAP", QStringLiteral("Away Win % >"), true);
    m_system.awayPct = spin("SpinEditAP", 10, 90, 50);
    m_system.confidence = spin("SpinEditCF", 10, 90, 50);
    m_system.venue = new QRadioButton(QStringLiteral("Home/Away Statistics "), box);
    m_system.venue->setObjectName(QStringLiteral("RadioButtonHA"));
    m_system.venue->setChecked(true);
    m_system.overall = new QRadioButton(QStringLiteral("Overall Statistics "), box);
    m_system.overall->setObjectName(QStringLiteral("RadioButtonOV"));
    m_system.lastMatches = spin("SpinEditLM", 2, 10, 6);
    m_startingBalance = spin("SpinEditSBal", 1, 99999, 100);
    m_startingBalance->setSingleStep(5);
    m_wager = spin("SpinEditWager", 1, 100, 20);
    m_wager->setSingleStep(5);
    // SpinEditSBalChange: the wager never exceeds the starting balance.
    connect(m_startingBalance, &QSpinBox::valueChanged, m_wager, &QSpinBox::setMaximum);

    int row = 0;
    auto line = [&](QWidget *left, QWidget *right) {
        grid->addWidget(left, row, 0);
        grid->addWidget(right, row++, 1);
    };
    auto label = [box](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, box);
        l->setBuddy(buddy);
        return l;
    };
    line(m_system.homeWin, m_system.homePct);
    line(m_system.draw, m_system.drawPct);
    line(m_system.awayWin, m_system.awayPct);
    line(label(QStringLiteral("Confidence % >"), m_system.confidence), m_system.confidence);
    grid->addWidget(m_system.venue, row++, 0, 1, 2);
    grid->addWidget(m_system.overall, row++, 0, 1, 2);
    line(label(QStringLiteral("Last Matches"), m_system.lastMatches), m_system.lastMatches);
    line(label(QStringLiteral("Starting Balance"), m_startingBalance), m_startingBalance);
    line(label(QStringLiteral("Wager Per Bet"), m_wager), m_wager);
    m_staking = new QComboBox(box);
    m_staking->setObjectName(QStringLiteral("ComboBoxStaking"));
    m_staking->addItems(
        {QStringLiteral("Flat"), QStringLiteral("Percent of balance"), QStringLiteral("Kelly")});
    m_stakingValue = new QDoubleSpinBox(box);
    m_stakingValue->setObjectName(QStringLiteral("SpinEditStaking"));
    connect(m_staking, &QComboBox::currentIndexChanged, this, &TFormAnalyzer::stakingChanged);
    stakingChanged();
    line(label(QStringLiteral("Staking"), m_staking), m_staking);
    line(label(QStringLiteral("Percentage / Kelly fraction"), m_stakingValue), m_stakingValue);
    QPushButton *test =
        plainButton(box, QStringLiteral("BitBtnPAPredict"), QStringLiteral("Test Betting System"));
    connect(test, &QPushButton::clicked, this, &TFormAnalyzer::BitBtnPAPredictClick);
    grid->addWidget(test, row++, 0, 1, 2);
    grid->setRowStretch(row, 1);
    return box;
}

QWidget *TFormAnalyzer::buildMatchesPanel()
{
    auto *box = new QGroupBox(QStringLiteral("Match Predictions and Scores"), this);
    auto *layout = new QVBoxLayout(box);
    m_matchesGrid = new DataGrid(m_results, backTestMatchColumns(), box);
    m_matchesGrid->setObjectName(QStringLiteral("DBGridPAResults"));
    paintJudgedCells(m_matchesGrid);
    connect(m_matchesGrid, &DataGrid::titleClicked, this,
            [this](int column) { ToggleColumnSort(m_matchesGrid->fieldOf(column), m_results); });
    layout->addWidget(m_matchesGrid);
    return box;
}

// The money side of the tests: the metrics of the selected history row and the balance of the last test.
QWidget *TFormAnalyzer::buildMoneyPanel()
{
    auto *panel = new QWidget(this);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_metrics = new MetricsPanel(QStringLiteral("Money Metrics of the Selected System"), panel);
    m_metrics->setObjectName(QStringLiteral("GroupBoxMetrics"));
    m_metrics->showNote(QStringLiteral("No system selected."));
    layout->addWidget(m_metrics);
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("Balance after Each Match of the Last Test"));
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    chart->setBackgroundBrush(palette().base());
    chart->setTitleBrush(palette().text());
    m_balance = new QChartView(chart, panel);
    m_balance->setObjectName(QStringLiteral("ChartBalance"));
    m_balance->setRenderHint(QPainter::Antialiasing);
    m_balance->setMinimumHeight(200);
    panel->setMinimumWidth(330);
    layout->addWidget(m_balance, 1);
    return panel;
}

// The plan's number: a percentage of the balance (default 5) or a fraction of the Kelly stake (default
// 0.5); none for the flat wager.
void TFormAnalyzer::stakingChanged()
{
    const auto kind = static_cast<StakingKind>(m_staking->currentIndex());
    m_stakingValue->setEnabled(kind != StakingKind::Flat);
    if (kind == StakingKind::PercentOfBalance) {
        m_stakingValue->setRange(0.5, 100);
        m_stakingValue->setDecimals(1);
        m_stakingValue->setSingleStep(0.5);
        m_stakingValue->setValue(5);
    } else {
        m_stakingValue->setRange(0.05, 1);
        m_stakingValue->setDecimals(2);
        m_stakingValue->setSingleStep(0.05);
        m_stakingValue->setValue(0.5);
    }
}

void TFormAnalyzer::showSelectedMetrics()
{
    if (!m_metrics)
        return;
    if (!m_systems.isOpen() || !m_methods.isActive() || m_methods.isEmpty() ||
        m_methods.state() != Dataset::State::Browse) {
        m_metrics->showNote(QStringLiteral("No system selected."));
        return;
    }
    runCommand(messenger(), [this] {
        const int id = m_methods.field(QStringLiteral("ID")).asInteger();
        const std::optional<SystemMetrics::Stored> stored = SystemMetrics::read(m_systems, id);
        if (!stored) {
            m_metrics->showNote(QStringLiteral("Tested before money metrics were kept."));
            return;
        }
        QList<MetricLine> lines{{QStringLiteral("Staking"), stored->staking}};
        lines += metricLines(stored->metrics, QLocale());
        m_metrics->showLines(lines);
    });
}

void TFormAnalyzer::showBalanceCurve(const QList<QPointF> &curve)
{
    QChart *chart = m_balance->chart();
    clearChart(*chart);
    auto *series = new QLineSeries(chart);
    series->replace(curve);
    chart->addSeries(series);
    auto *x = new QValueAxis(chart);
    x->setLabelFormat(QStringLiteral("%d"));
    x->setTickCount(3);
    auto *y = new QValueAxis(chart);
    y->setLabelFormat(QStringLiteral("%d"));
    for (QValueAxis *axis : {x, y}) {
        axis->setLabelsBrush(palette().text());
        axis->setTitleBrush(palette().text());
    }
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    if (!curve.isEmpty()) {
        x->setRange(0, std::max(1.0, curve.constLast().x()));
        const auto [low, high] = std::minmax_element(
            curve.cbegin(), curve.cend(), [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
        y->setRange(low->y(), std::max(high->y(), low->y() + 1));
        y->applyNiceNumbers();
    }
}

QStringList TFormAnalyzer::metricsShown() const
{
    return m_metrics->texts();
}

QList<QPointF> TFormAnalyzer::balanceShown() const
{
    const QList<QAbstractSeries *> series = m_balance->chart()->series();
    if (series.isEmpty())
        return {};
    return static_cast<QLineSeries *>(series.first())->points();
}

void TFormAnalyzer::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBarPH"));
    bar->setSizeGripEnabled(false);
    for (const StatusPanel &p : kPanels) {
        auto *l = new QLabel(QString::fromLatin1(p.text), bar);
        l->setMinimumWidth(p.width);
        l->setFrameShape(QFrame::StyledPanel);
        bar->addWidget(l);
        m_status << l;
    }
}

QString TFormAnalyzer::statusText(int panel) const
{
    return m_status.value(panel) ? m_status[panel]->text() : QString();
}

BettingSystem TFormAnalyzer::bettingSystem() const
{
    BettingSystem s;
    s.options = m_system.read();
    s.startingBalance = m_startingBalance->value();
    s.wager = m_wager->value();
    s.staking.kind = static_cast<StakingKind>(m_staking->currentIndex());
    s.staking.value = s.staking.kind == StakingKind::Flat ? 0 : m_stakingValue->value();
    return s;
}

void TFormAnalyzer::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormAnalyzer::closeEvent(QCloseEvent *event)
{
    m_systems.close(); // FormClose: the file is opened afresh the next time the window is shown
    QMainWindow::closeEvent(event);
}

void TFormAnalyzer::FormShow()
{
    BusyCursor busy;
    statusBar()->clearMessage();
    openSystemsFile();
    loadSystem();
}

void TFormAnalyzer::openSystemsFile()
{
    // A file that cannot be opened or created is told; the window then stays without systems data.
    runCommand(messenger(), [this] {
        m_systems.close();
        SystemsFile::open(m_systems, m_systemsPath);
        m_methods.open();
        m_results.open();
    });
}

void TFormAnalyzer::loadSystem()
{
    if (!m_dm.isLeagueOpen())
        return;
    runCommand(messenger(), [this] {
        m_system.show(loadPredictionOptions(m_dm)); // clamped to the fields' ranges
    });
}

void TFormAnalyzer::reloadTables()
{
    runCommand(messenger(), [this] {
        if (!m_systems.isOpen())
            return;
        m_results.close();
        m_results.open();
        m_methods.reload(true);
        m_methods.last(); // the system just tested
    });
    showSelectedMetrics();
}

void TFormAnalyzer::showProgress(int position, int total)
{
    const QStringList texts = BackTest::statusTexts(position, total);
    for (int i = 0; i < texts.size(); ++i)
        m_status[i]->setText(texts[i]);
    statusBar()->repaint();
}

void TFormAnalyzer::BitBtnPAPredictClick()
{
    if (!m_dm.isLeagueOpen() || !m_systems.isOpen())
        return;
    raise();
    BusyCursor busy;
    m_status[0]->setText(QStringLiteral("Status: Clearing scores table"));
    statusBar()->repaint();
    BackTest test(bettingSystem(), m_dm, m_systems);
    ProgressPacer pacer;
    test.setProgress([this, &pacer](int position, int total) {
        if (pacer.due(position, total))
            showProgress(position, total);
    });
    bool done = false;
    {
        // The grids stop following their tables while the test rewrites the file under them.
        ControlsDisabled quietResults(m_results);
        ControlsDisabled quietMethods(m_methods);
        done = runCommand(messenger(), [&test] { test.run(); });
    }
    reloadTables(); // also after a failure: the detail rows written so far stay
    showBalanceCurve(test.balanceCurve());
    if (!done)
        return;
    m_status[0]->setText(QStringLiteral("Status: Testing complete"));
    messenger().information(QStringLiteral("Betting system analysis complete"));
}

void TFormAnalyzer::BitBtnDelClick()
{
    if (m_systems.isOpen())
        ConfirmDeleteRow(m_methods, messenger());
}
