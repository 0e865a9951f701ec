#include "betting/ui/TFormSureProfit.h"

#include "data/CommandBoundary.h"
#include "data/TDataMod.h"
#include "data/ui/DataGrid.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/SpinField.h"
#include "data/ui/ThemeColours.h"

#include <QApplication>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{
const QList<GridColumn> &finderColumns()
{
    static const QList<GridColumn> columns = {
        {QStringLiteral("Date"), QStringLiteral("DateP"), AlignCentre, 90},
        {QStringLiteral("Rnd"), QStringLiteral("Rnd"), AlignNumber, 40},
        {QStringLiteral("Home Team"), QStringLiteral("Home"), AlignCentre, 150},
        {QStringLiteral("Away Team"), QStringLiteral("Away"), AlignCentre, 150},
        {QStringLiteral("1"), QStringLiteral("O1"), AlignCentre, 55},
        {QStringLiteral("X"), QStringLiteral("OX"), AlignCentre, 55},
        {QStringLiteral("2"), QStringLiteral("O2"), AlignCentre, 55},
        {QStringLiteral("Return (%)"), QStringLiteral("Retrn"), AlignNumber, 80},
    };
    return columns;
}
constexpr int kReturnColumn = 7;

void setPanelColour(QLabel *l, const Rgb &c)
{
    QPalette p = l->palette();
    p.setColor(QPalette::Window, groundColour(c, QApplication::palette()));
    p.setColor(QPalette::WindowText, textColour(c, Colours::Black, QApplication::palette()));
    l->setPalette(p);
}

// A right-aligned panel on the base colour.
QLabel *panel(QWidget *parent, const QString &name)
{
    auto *l = new QLabel(QStringLiteral("0 "), parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setAutoFillBackground(true);
    l->setMinimumWidth(110);
    setPanelColour(l, Colours::White);
    return l;
}
} // namespace

TFormSureProfit::TFormSureProfit(TDataMod &dm, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_query(&dm.ADOConnection, this)
{
    setObjectName(QStringLiteral("TFormSureProfit"));
    setWindowTitle(QStringLiteral("Arbitrage Finder"));
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(900, 600);

    m_matches = new DataGrid(m_query, finderColumns(), this);
    m_matches->setObjectName(QStringLiteral("DBGridMatches"));
    QPalette silver = m_matches->palette();
    silver.setColor(QPalette::Base, groundColour(Colours::Silver, silver));
    m_matches->setPalette(silver);
    m_matches->datasetModel()->setCellColours([](const Dataset &matches, int row, int column) {
        CellColours c;
        if (column == kReturnColumn) {
            const QVariant retrn = matches.valueAt(row, matches.fieldIndex(QStringLiteral("Retrn")));
            c.background = returnColour(retrn.toDouble());
        }
        return c;
    });

    m_stakes = new QTableWidget(ArbitrageGridRowCount, 4, this);
    m_stakes->setObjectName(QStringLiteral("StringGridStakes"));
    m_stakes->horizontalHeader()->hide();
    m_stakes->verticalHeader()->hide();
    m_stakes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_stakes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_stakes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_stakes->setSelectionMode(QAbstractItemView::NoSelection);
    m_stakes->setFocusPolicy(Qt::NoFocus);
    const int rowHeight = m_stakes->verticalHeader()->defaultSectionSize();
    m_stakes->setFixedHeight(rowHeight * ArbitrageGridRowCount + 2 * m_stakes->frameWidth());
    for (int r = 0; r < ArbitrageGridRowCount; ++r)
        for (int c = 0; c < 4; ++c) {
            auto *item = new QTableWidgetItem;
            // Headings on the button face, values on the base colour.
            const bool heading = r == 0 || c == 0;
            const QPalette &palette = m_stakes->palette();
            item->setBackground(palette.color(heading ? QPalette::Button : QPalette::Base));
            item->setForeground(palette.color(heading ? QPalette::ButtonText : QPalette::Text));
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            m_stakes->setItem(r, c, item);
        }
    m_stakes->installEventFilter(this);

    m_multiplier = spinField(this, QStringLiteral("SpinEditMultiplier"), 1, 99999, 100);
    m_multiplier->findChild<QLineEdit *>()->setMaxLength(5);
    m_multiplier->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    m_total = panel(this, QStringLiteral("PanelTotalStake"));
    m_profit = panel(this, QStringLiteral("PanelSureProfit"));
    auto *profitLabel = new QLabel(QStringLiteral("Sure Profit:"), this);
    QFont bold = profitLabel->font();
    bold.setBold(true);
    profitLabel->setFont(bold);
    m_profit->setFont(bold);

    auto *panels = new QFormLayout;
    panels->addRow(QStringLiteral("Stake Multiplier:"), m_multiplier);
    panels->addRow(QStringLiteral("Total Stake:"), m_total);
    panels->addRow(profitLabel, m_profit);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_stakes, 1);
    bottom->addSpacing(12);
    bottom->addLayout(panels);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_matches, 1);
    layout->addLayout(bottom);

    connect(&m_query, &Dataset::currentChanged, this, &TFormSureProfit::refresh);
    // Every keystroke refreshes with the text read as it stands, also a text out of range such as "0" or
    // an empty one, which the spin box itself does not report; its own changes (the clamping when the
    // field is left, a value set) it reports, though its field then stays silent.
    connect(m_multiplier->findChild<QLineEdit *>(), &QLineEdit::textChanged, this, &TFormSureProfit::refresh);
    connect(m_multiplier, &QSpinBox::textChanged, this, &TFormSureProfit::refresh);
}

void TFormSureProfit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFormSureProfit::FormShow()
{
    m_shownKey.clear();
    runCommand(messenger(), [this] {
        m_query.close();
        if (!m_dm.isLeagueOpen())
            return;
        m_query.setSql(QStringLiteral("SELECT * FROM Results ORDER BY DateP, rowid"));
        m_query.open();
        m_query.first();
    });
    sizeStakeColumns();
    refresh();
    m_matches->setFocus(); // the arrow keys move through the matches at once
}

bool TFormSureProfit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_stakes && event->type() == QEvent::Resize)
        sizeStakeColumns();
    return QDialog::eventFilter(watched, event);
}

void TFormSureProfit::sizeStakeColumns()
{
    const std::array<int, 4> widths = stakeGridColumnWidths(m_stakes->width());
    for (int c = 0; c < 4; ++c)
        m_stakes->setColumnWidth(c, widths[c]);
}

void TFormSureProfit::refresh()
{
    ArbitrageInput input;
    if (m_query.isActive() && !m_query.isEmpty()) {
        input.homeTeam = m_query.field(QStringLiteral("Home")).asString();
        input.awayTeam = m_query.field(QStringLiteral("Away")).asString();
        const char *odds[3] = {"O1", "OX", "O2"};
        const char *bookmakers[3] = {"O1B", "OXB", "O2B"};
        for (int i = 0; i < 3; ++i) {
            input.odds[i] = m_query.field(QString::fromLatin1(odds[i])).asString();
            input.bookmakers[i] = m_query.field(QString::fromLatin1(bookmakers[i])).asString();
        }
    } else {
        m_shownKey.clear();
        showResult(blankArbitrage(input));
        return;
    }
    input.multiplier = stakeMultiplierOfText(m_multiplier->cleanText());
    // Opening the list and moving to its first row report the same row more than once: its refresh (and
    // an odds warning) runs once.
    const QString key = QString::number(m_query.bookmark()) + QLatin1Char('|') + m_multiplier->cleanText();
    if (key == m_shownKey)
        return;
    m_shownKey = key;
    // The blank grid first: a refresh that stops at an odds warning leaves it showing.
    showResult(blankArbitrage(input));
    if (const std::optional<ArbitrageResult> result = computeArbitrage(input, messenger()))
        showResult(*result);
}

void TFormSureProfit::showResult(const ArbitrageResult &result)
{
    for (int r = 0; r < ArbitrageGridRowCount; ++r)
        for (int c = 0; c < 4; ++c)
            m_stakes->item(r, c)->setText(result.grid.value(r).value(c));
    m_total->setText(result.total);
    m_profit->setText(result.profit);
    if (result.profitColour)
        setPanelColour(m_profit, *result.profitColour);
}
