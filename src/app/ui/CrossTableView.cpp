#include "app/ui/CrossTableView.h"

#include "data/BusyCursor.h"
#include "data/CommandBoundary.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/ThemeColours.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

namespace
{
constexpr int RowHeight = 20;

// A cell without a colour of its own shows the button face, with the theme's text for it.
QBrush backgroundOf(const std::optional<Rgb> &c)
{
    const QPalette palette = QApplication::palette();
    return c ? groundColour(*c, palette) : palette.button().color();
}

QBrush textOn(const std::optional<Rgb> &background, const Rgb &text)
{
    const QPalette palette = QApplication::palette();
    if (background)
        return textColour(*background, text, palette);
    return text == Colours::Black ? palette.buttonText() : QBrush(plainColour(text));
}

// Hints break their lines with CR; a tooltip wants line feeds and no trailing empty lines.
QString tooltipOf(const QString &hint)
{
    QString text = hint;
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

// Applies a look to a header item: no background leaves the header's own face.
void styleHeader(QTableWidgetItem *item, const GridCellLook &look)
{
    if (look.background)
        item->setBackground(plainColour(*look.background));
    else
        item->setData(Qt::BackgroundRole, QVariant());
    item->setForeground(plainColour(look.text));
}
} // namespace

TextGridView::TextGridView(TDataMod &dm, int headerColumnWidth, int columnWidth, QWidget *parent)
    : QTableWidget(parent), m_dm(dm), m_headerColumnWidth(headerColumnWidth), m_columnWidth(columnWidth)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The cell colours are the point of these grids: the current cell shows a focus frame, not a fill.
    setSelectionMode(QAbstractItemView::NoSelection);
    setShowGrid(true);
    setWordWrap(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(columnWidth);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(headerColumnWidth);
    verticalHeader()->setHighlightSections(false);
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { highlightHeaders(column + 1, row + 1); });
}

void TextGridView::refresh()
{
    if (!m_dm.isLeagueOpen())
        return;
    BusyCursor busy;
    if (auto grid = runCommand(messenger(), [this] { return build(m_dm); })) {
        m_grid = std::move(*grid);
        fill();
        filled();
    }
}

void TextGridView::showEvent(QShowEvent *event)
{
    QTableWidget::showEvent(event);
    if (!event->spontaneous()) // the tab was shown, not the window restored
        refresh();
}

void TextGridView::fill()
{
    // No setUpdatesEnabled() here: this runs while the tab widget switches pages with updates off, and
    // restoring that state would leave the grid unpainted for good.
    const QSignalBlocker quiet(this);
    clear();
    const int rows = m_grid.rowCount() - 1;
    const int columns = m_grid.columnCount() - 1;
    setRowCount(std::max(rows, 0));
    setColumnCount(std::max(columns, 0));
    for (int c = 1; c <= columns; ++c)
        setHorizontalHeaderItem(c - 1, new QTableWidgetItem(m_grid.text(c, 0)));
    for (int r = 1; r <= rows; ++r)
        setVerticalHeaderItem(r - 1, new QTableWidgetItem(m_grid.text(0, r)));
    fitHeadings();
    // A hint taller than the screen would be cut by it: keep it to the lines that fit.
    const QScreen *shownOn = screen();
    const int hintLines =
        shownOn ? shownOn->availableGeometry().height() / QFontMetrics(QToolTip::font()).lineSpacing() - 2
                : 40;
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= columns; ++c) {
            auto *item = new QTableWidgetItem(m_grid.text(c, r));
            const GridCellLook l = look(c, r, -1, -1);
            item->setBackground(backgroundOf(l.background));
            item->setForeground(textOn(l.background, l.text));
            item->setTextAlignment(Qt::AlignCenter);
            const QString hint = m_grid.hint(c, r);
            if (!hint.isEmpty())
                item->setToolTip(tooltipOf(hintWithin(hint, hintLines)));
            setItem(r - 1, c - 1, item);
        }
    }
}

// The given widths are the least: a long team name widens the fixed column, or every column of the grid.
void TextGridView::fitHeadings()
{
    const QFontMetrics metrics(horizontalHeader()->font());
    const int padding = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 4;
    const auto widest = [&](bool columnHeadings) {
        int most = 0;
        const int count = columnHeadings ? m_grid.columnCount() : m_grid.rowCount();
        for (int i = 1; i < count; ++i)
            most = std::max(
                most, metrics.horizontalAdvance(columnHeadings ? m_grid.text(i, 0) : m_grid.text(0, i)));
        return most + padding;
    };
    verticalHeader()->setFixedWidth(std::max(m_headerColumnWidth, widest(false)));
    const int columnWidth = std::max(m_columnWidth, widest(true));
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, columnWidth);
}

void TextGridView::highlightHeaders(int selectedColumn, int selectedRow)
{
    for (int c = 1; c < m_grid.columnCount(); ++c)
        if (QTableWidgetItem *item = horizontalHeaderItem(c - 1))
            styleHeader(item, look(c, 0, selectedColumn, selectedRow));
    for (int r = 1; r < m_grid.rowCount(); ++r)
        if (QTableWidgetItem *item = verticalHeaderItem(r - 1))
            styleHeader(item, look(0, r, selectedColumn, selectedRow));
}

CrossTableView::CrossTableView(TDataMod &dm, QWidget *parent) : TextGridView(dm, 120, 120, parent)
{
    setObjectName(QStringLiteral("StringGrid"));
}

TextGrid CrossTableView::build(TDataMod &dm) const
{
    const QStringList teams = readTeamNamesByName(dm.ADOConnection);
    return BuildCrossTable(teams, readGridMatches(dm, GridMatches::PlayedStored),
                           readGridMatches(dm, GridMatches::AllStored));
}

GridCellLook CrossTableView::look(int column, int row, int selectedColumn, int selectedRow) const
{
    return crossTableCellLook(grid(), column, row, selectedColumn, selectedRow);
}
