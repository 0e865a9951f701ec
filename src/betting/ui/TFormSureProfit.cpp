#include "betting/ui/TFormSureProfit.h"

#include "betting/ui/ArbitrageListModel.h"
#include "data/CommandBoundary.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/SpinField.h"
#include "data/ui/ThemeColours.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
// Starting widths of the list's columns; a wider title or text widens its column.
constexpr int kColumnWidths[] = {90, 40, 150, 150, 55, 55, 55, 80};

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

TFormSureProfit::TFormSureProfit(TDataMod &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("TFormSureProfit"));
    setWindowTitle(QStringLiteral("Arbitrage Finder"));
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(900, 600);

    m_list = new ArbitrageListModel(this);
    m_matches = new QTableView(this);
    m_matches->setObjectName(QStringLiteral("DBGridMatches"));
    m_matches->setModel(m_list);
    m_matches->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_matches->setSelectionMode(QAbstractItemView::SingleSelection);
    m_matches->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_matches->setTabKeyNavigation(false);
    m_matches->verticalHeader()->setDefaultSectionSize(m_matches->fontMetrics().height() + 6);
    m_matches->verticalHeader()->setFixedWidth(14); // the row indicator
    m_matches->horizontalHeader()->setHighlightSections(false);
    // By date until a title is clicked; then by that column, each click flipping the direction.
    m_matches->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_matches->setSortingEnabled(true);
    QPalette silver = m_matches->palette();
    silver.setColor(QPalette::Base, groundColour(Colours::Silver, silver));
    m_matches->setPalette(silver);

    m_upcoming = new QCheckBox(QStringLiteral("Upcoming only"), this);
    m_upcoming->setObjectName(QStringLiteral("CheckBoxUpcoming"));
    m_upcoming->setChecked(true);
    m_positive = new QCheckBox(QStringLiteral("Positive return only"), this);
    m_positive->setObjectName(QStringLiteral("CheckBoxPositive"));

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
    auto *filters = new QHBoxLayout;
    filters->addWidget(m_upcoming);
    filters->addSpacing(12);
    filters->addWidget(m_positive);
    filters->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_matches, 1);
    layout->addLayout(bottom);

    for (QCheckBox *box : {m_upcoming, m_positive})
        connect(box, &QCheckBox::toggled, this, &TFormSureProfit::loadMatches);
    connect(m_matches->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TFormSureProfit::refresh);
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

ArbitrageFilter TFormSureProfit::filter() const
{
    ArbitrageFilter f;
    f.upcomingOnly = m_upcoming->isChecked();
    f.positiveOnly = m_positive->isChecked();
    return f;
}

void TFormSureProfit::FormShow()
{
    m_shownKey.clear();
    m_list->setRows({});
    sizeStakeColumns();
    loadMatches();
    m_matches->setFocus(); // the arrow keys move through the matches at once
}

void TFormSureProfit::loadMatches()
{
    const ArbitrageRow *selected = selectedMatch();
    const std::optional<qint64> keep = selected ? std::optional<qint64>(selected->rowid) : std::nullopt;
    QList<ArbitrageRow> rows;
    runCommand(messenger(), [this, &rows] {
        if (m_dm.isLeagueOpen())
            rows = readArbitrageRows(m_dm.ADOConnection, filter());
    });
    m_list->setRows(std::move(rows));
    if (m_list->rowCount() > 0)
        m_matches->setCurrentIndex(m_list->index(keep ? std::max(m_list->rowOf(*keep), 0) : 0, 0));
    // The widths the titles and texts need; the described ones at least.
    for (int c = 0; c < m_list->columnCount(); ++c) {
        m_matches->resizeColumnToContents(c);
        m_matches->setColumnWidth(c, std::max(kColumnWidths[c], m_matches->columnWidth(c)));
    }
    refresh();
}

const ArbitrageRow *TFormSureProfit::selectedMatch() const
{
    const QModelIndex current = m_matches->currentIndex();
    if (!current.isValid() || current.row() >= m_list->rowCount())
        return nullptr;
    return &m_list->rows()[current.row()];
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
    const ArbitrageRow *match = selectedMatch();
    if (!match) {
        m_shownKey.clear();
        showResult(blankArbitrage(ArbitrageInput()));
        return;
    }
    ArbitrageInput input = match->input;
    input.multiplier = stakeMultiplierOfText(m_multiplier->cleanText());
    // Reading the list again or sorting it keeps the selected match: its refresh (and an odds warning)
    // runs once.
    const QString key = QString::number(match->rowid) + QLatin1Char('|') + m_multiplier->cleanText();
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
