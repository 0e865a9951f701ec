#include "app/ui/CrossTableView.h"

#include "data/BusyCursor.h"
#include "data/CommandBoundary.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScreen>
#include <QShowEvent>
#include <QToolTip>

#include <algorithm>

namespace
{
constexpr int RowHeight = 20;

QBrush brushOf(const Rgb &c)
{
    return QBrush(QColor(c.red, c.green, c.blue));
}

// The neutral looks come from the desktop's palette, so that a dark theme stays readable: a white cell is
// the base colour, an empty one the button face, and black text on either the theme's text.  The signal
// colours (the win, draw and loss colours, navy headers, the black diagonal) keep their own.
QBrush backgroundOf(const std::optional<Rgb> &c)
{
    const QPalette palette = QApplication::palette();
    if (!c)
        return palette.button();
    return *c == Colours::White ? palette.base() : brushOf(*c);
}

QBrush textOn(const std::optional<Rgb> &background, const Rgb &text)
{
    const bool neutral = !background || *background == Colours::White;
    return neutral && text == Colours::Black ? QApplication::palette().text() : brushOf(text);
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
        item->setBackground(brushOf(*look.background));
    else
        item->setData(Qt::BackgroundRole, QVariant());
    item->setForeground(brushOf(look.text));
}
} // namespace

TextGridView::TextGridView(TDataMod &dm, int headerColumnWidth, int columnWidth, QWidget *parent)
    : QTableWidget(parent), m_dm(dm)
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
