#include "analysis/ui/TFormPHistory.h"

#include "analysis/AnalysisGrids.h"
#include "analysis/HistoryMetrics.h"
#include "analysis/HistoryRows.h"
#include "analysis/HistoryTableLook.h"
#include "analysis/MetricsLines.h"
#include "analysis/PredictionHistory.h"
#include "analysis/ui/ChartParts.h"
#include "analysis/ui/JudgedCells.h"
#include "analysis/ui/MetricsPanel.h"
#include "data/BusyCursor.h"
#include "data/ClosingPrices.h"
#include "data/CommandBoundary.h"
#include "data/Errors.h"
#include "data/TDataMod.h"
#include "data/ui/DataGrid.h"
#include "data/ui/DialogParts.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/SpinField.h"
#include "data/ui/ThemeColours.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace
{
// Draws a text cell by its look: the ground, then the text within the look's margins.
class LookDelegate final : public QStyledItemDelegate
{
public:
    LookDelegate(TextCellLook (*look)(int column, int row), QObject *parent)
        : QStyledItemDelegate(parent), m_look(look)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const TextCellLook look = m_look(index.column(), index.row());
        const QPalette &pal = option.palette;
        // White cells are the theme's base, the titles and the stripes its button face.
        const bool white = look.ground == CellGround::White;
        const QColor ground = pal.color(white ? QPalette::Base : QPalette::Button);
        const QColor text = pal.color(white ? QPalette::Text : QPalette::ButtonText);
        painter->save();
        painter->fillRect(option.rect, ground);
        if (look.ground == CellGround::Title) {
            painter->setPen(pal.color(QPalette::Mid));
            painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
            painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        }
        painter->setPen(text);
        const QRect inner = option.rect.adjusted(look.leftMargin, look.topMargin, -look.rightMargin, 0);
        painter->drawText(inner, static_cast<int>(look.alignment), index.data().toString());
        painter->restore();
    }

private:
    TextCellLook (*m_look)(int, int);
};

QTableWidget *textTable(QWidget *parent, const char *name, TextCellLook (*look)(int, int))
{
    auto *t = new QTableWidget(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setItemDelegate(new LookDelegate(look, t));
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 8);
    return t;
}

// The first column is firstWidth wide at least, the others otherWidth, and each widens to its widest text.
void fitColumns(QTableWidget *table, int firstWidth, int otherWidth)
{
    const QFontMetrics metrics(table->font());
    constexpr int margins = 3 + 3 + 2; // the looks' left margin, as much on the right, and the grid line
    for (int c = 0; c < table->columnCount(); ++c) {
        int width = c == 0 ? firstWidth : otherWidth;
        for (int r = 0; r < table->rowCount(); ++r)
            if (const QTableWidgetItem *item = table->item(r, c))
                width = std::max(width, metrics.horizontalAdvance(item->text()) + margins);
        table->setColumnWidth(c, width);
    }
}

QString s(const char *text)
{
    return QString::fromLatin1(text);
}
} // namespace

TFormPHistory::TFormPHistory(TDataMod &dm, QWidget *parent)
    : QWidget(parent), m_dm(dm), m_source(&dm.ADOConnection)
{
    setObjectName(s("FormPHistory"));
    setWindowTitle(s("Prediction History"));
    setWindowFlag(Qt::Window);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(s("PageControl"));
    m_pages->addTab(buildBetTypesPage(), s("Bet Types"));
    auto *teamsPage = new QWidget(m_pages);
    teamsPage->setObjectName(s("TabSheetTeams"));
    m_teams = textTable(teamsPage, "StringGridTeams", teamCellLook);
    m_teams->setColumnCount(7);
    auto *teamsLayout = new QVBoxLayout(teamsPage);
    teamsLayout->addWidget(m_teams);
    m_pages->addTab(teamsPage, s("Teams"));
    m_pages->addTab(buildCalibrationPage(), s("Calibration"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
}

TFormPHistory::~TFormPHistory() = default;

QWidget *TFormPHistory::buildBetTypesPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(s("TabSheetBetTypes"));
    auto *layout = new QVBoxLayout(page);
    m_grid = new DataGrid(m_source, predictedMatchColumns(), page);
    m_grid->setObjectName(s("DBGridPH"));
    m_grid->verticalHeader()->hide(); // no indicator column
    QPalette silver = m_grid->palette();
    silver.setColor(QPalette::Base, groundColour(Colours::Silver, silver));
    m_grid->setPalette(silver);
    paintJudgedCells(m_grid);
    layout->addWidget(m_grid, 1);

    auto *lower = new QHBoxLayout;
    m_months = textTable(page, "StringGridPH", monthCellLook);
    m_months->setColumnCount(14);
    m_months->setRowCount(7);
    // All seven rows always in sight, with room for the scroll bar of a narrow window.
    m_months->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_months->setFixedHeight(7 * m_months->verticalHeader()->defaultSectionSize() +
                             2 * m_months->frameWidth() +
                             m_months->horizontalScrollBar()->sizeHint().height());
    lower->addWidget(m_months, 1);

    auto *options = new QFormLayout;
    options->setRowWrapPolicy(QFormLayout::WrapAllRows); // narrow beside the month table
    m_view = new QComboBox(page);
    m_view->setObjectName(s("ComboBoxView"));
    m_view->addItems(historyViewNames());
    m_startingBalance = spinField(page, s("SpinEditSBal"), 1, 99999, 100);
    m_startingBalance->setSingleStep(5);
    m_wager = spinField(page, s("SpinEditWager"), 1, 100, 20);
    m_wager->setSingleStep(5);
    // SpinEditSBalChange: the wager never exceeds the starting balance.
    connect(m_startingBalance, &QSpinBox::valueChanged, m_wager, &QSpinBox::setMaximum);
    options->addRow(s("View:"), m_view);
    options->addRow(s("Starting Balance:"), m_startingBalance);
    options->addRow(s("Wager Per Bet:"), m_wager);
    QPushButton *update = plainButton(page, s("ButtonUpdate"), s("Update"));
    connect(update, &QPushButton::clicked, this, &TFormPHistory::ButtonUpdateClick);
    options->addRow(update);
    auto *optionsBox = new QWidget(page);
    optionsBox->setLayout(options);
    optionsBox->setFixedWidth(200); // the month table keeps the rest of the width
    lower->addWidget(optionsBox, 0, Qt::AlignTop);
    layout->addLayout(lower);
    return page;
}

QWidget *TFormPHistory::buildCalibrationPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(s("TabSheetCalibration"));
    auto *layout = new QHBoxLayout(page);
    auto *left = new QVBoxLayout;
    auto *scoresBox = new QGroupBox(s("Probability Scores (lower is better)"), page);
    auto *scoresLayout = new QVBoxLayout(scoresBox);
    m_calibrationMatches = new QLabel(scoresBox);
    m_calibrationMatches->setObjectName(s("LabelCalibrationMatches"));
    scoresLayout->addWidget(m_calibrationMatches);
    m_scores = new QGridLayout;
    scoresLayout->addLayout(m_scores);
    left->addWidget(scoresBox);
    m_historyMetrics = new MetricsPanel(s("Money of a Flat Wager on Every Verdict"), page);
    m_historyMetrics->setObjectName(s("GroupBoxHistoryMetrics"));
    left->addWidget(m_historyMetrics);
    left->addStretch(1);
    layout->addLayout(left);

    auto *chart = new QChart;
    chart->setTitle(s("Reliability: Predicted against Observed (%)"));
    chart->setBackgroundBrush(palette().base());
    chart->setTitleBrush(palette().text());
    chart->legend()->setLabelColor(palette().text().color());
    m_reliability = new QChartView(chart, page);
    m_reliability->setObjectName(s("ChartReliability"));
    m_reliability->setRenderHint(QPainter::Antialiasing);
    m_reliability->setMinimumSize(360, 300);
    layout->addWidget(m_reliability, 1);
    return page;
}

// The bins that hold predictions, as points from 0 to 100 % on both axes, beside the diagonal of a
// perfectly calibrated model.
void TFormPHistory::showCalibration(const CalibrationReport &report)
{
    m_calibrationMatches->setText(
        s("Matches with a prediction and three prices: %1").arg(QLocale().toString(report.matches)));
    while (QLayoutItem *item = m_scores->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QList<QStringList> rows = calibrationScoreRows(report, QLocale());
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            auto *cell = new QLabel(rows[r][c]);
            cell->setAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (r == 0 || c == 0) {
                QFont bold = cell->font();
                bold.setBold(true);
                cell->setFont(bold);
            }
            m_scores->addWidget(cell, r, c);
        }

    QChart *chart = m_reliability->chart();
    clearChart(*chart);
    auto *x = new QValueAxis(chart);
    auto *y = new QValueAxis(chart);
    x->setTitleText(s("Predicted (%)"));
    y->setTitleText(s("Observed (%)"));
    for (QValueAxis *axis : {x, y}) {
        axis->setRange(0, 100);
        axis->setTickCount(6);
        axis->setLabelFormat(s("%d"));
        axis->setLabelsBrush(palette().text());
        axis->setTitleBrush(palette().text());
    }
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    auto *diagonal = new QLineSeries(chart);
    diagonal->setName(s("Perfect"));
    diagonal->append(0, 0);
    diagonal->append(100, 100);
    QPen dashed(palette().text().color());
    dashed.setStyle(Qt::DashLine);
    diagonal->setPen(dashed);
    chart->addSeries(diagonal);
    diagonal->attachAxis(x);
    diagonal->attachAxis(y);
    const QString names[3] = {s("Home win"), s("Draw"), s("Away win")};
    const QColor colours[3] = {QColor(0, 90, 200), QColor(120, 120, 120), QColor(200, 40, 40)};
    for (int o = 0; o < 3; ++o) {
        auto *series = new QLineSeries(chart);
        series->setName(names[o]);
        series->setPen(QPen(colours[o], 2));
        series->setPointsVisible(true);
        for (const ReliabilityBin &bin : report.reliability[o])
            if (bin.count > 0)
                series->append(100 * bin.predicted, 100 * bin.observed);
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

QList<QStringList> TFormPHistory::calibrationScoresShown() const
{
    QList<QStringList> rows;
    for (int r = 0; r < m_scores->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < m_scores->columnCount(); ++c) {
            QLayoutItem *item = m_scores->itemAtPosition(r, c);
            row << (item && item->widget() ? static_cast<QLabel *>(item->widget())->text() : QString());
        }
        rows << row;
    }
    return rows;
}

QStringList TFormPHistory::calibrationMetricsShown() const
{
    return m_historyMetrics->texts();
}

QList<QPointF> TFormPHistory::reliabilityShown(int outcome) const
{
    const QList<QAbstractSeries *> series = m_reliability->chart()->series();
    if (outcome + 1 >= series.size())
        return {};
    return static_cast<QLineSeries *>(series[outcome + 1])->points();
}

void TFormPHistory::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormPHistory::closeEvent(QCloseEvent *event)
{
    m_source.close(); // FormClose
    QWidget::closeEvent(event);
}

void TFormPHistory::FormShow()
{
    if (!m_dm.isLeagueOpen())
        return;
    BusyCursor busy;
    const bool read =
        runCommand(messenger(), [this] { m_teamNames = readTeamNamesByName(m_dm.ADOConnection); });
    if (read)
        ButtonUpdateClick();
}

void TFormPHistory::ButtonUpdateClick()
{
    if (!m_dm.isLeagueOpen())
        return;
    BusyCursor busy;
    const HistoryView view = historyViewFromName(m_view->currentText()).value_or(HistoryView::Predictions1X2);
    PredictionHistory history(m_teamNames, view, m_startingBalance->value(), m_wager->value());
    showTables(history.tables()); // every figure "0" until the rows are judged
    runCommand(messenger(), [this, &history] {
        {
            ControlsDisabled quiet(m_source);
            m_source.close();
            m_source.setSql(
                s("SELECT * FROM Results WHERE Result <> ?1 AND PResult <> ?1 ORDER BY DateP, rowid"),
                {s(":")});
            m_source.open();
        }
        const QList<Match> rows = readHistoryRows(m_dm.ADOConnection);
        showCalibration(computeCalibration(readCalibrationMatches(m_dm.ADOConnection)));
        try {
            m_historyMetrics->showLines(
                metricLines(historyMetrics(rows, m_startingBalance->value(), m_wager->value(),
                                           ClosingPrices::readAll(m_dm.ADOConnection)),
                            QLocale()));
        } catch (const ConversionError &e) {
            m_historyMetrics->showNote(e.message());
        }
        try {
            history.run(rows);
        } catch (const ConversionError &) {
            // The sums booked before the odds text that does not read stay on show.
            showTables(history.tables());
            throw;
        }
        showTables(history.tables());
    });
}

void TFormPHistory::showTables(const HistoryTables &tables)
{
    showCells(m_months, tables.months);
    fitColumns(m_months, 85, 70);
    showCells(m_teams, tables.teams);
    fitColumns(m_teams, 150, m_teams->horizontalHeader()->defaultSectionSize());
}

void TFormPHistory::showCells(QTableWidget *table, const QList<QStringList> &cells)
{
    table->setRowCount(static_cast<int>(cells.size()));
    for (int r = 0; r < cells.size(); ++r) {
        for (int c = 0; c < cells[r].size() && c < table->columnCount(); ++c) {
            QTableWidgetItem *item = table->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                table->setItem(r, c, item);
            }
            item->setText(cells[r][c]);
        }
    }
}

QList<QStringList> TFormPHistory::cellsOf(const QTableWidget *table)
{
    QList<QStringList> out;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList line;
        for (int c = 0; c < table->columnCount(); ++c)
            line << (table->item(r, c) ? table->item(r, c)->text() : QString());
        out << line;
    }
    return out;
}
