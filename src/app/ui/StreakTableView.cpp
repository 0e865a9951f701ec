#include "app/ui/StreakTableView.h"

#include "data/StreakTable.h"
#include "data/TDataMod.h"

#include <QScrollBar>

StreakTableView::StreakTableView(TDataMod &dm, QWidget *parent) : TextGridView(dm, 120, 30, parent)
{
    setObjectName(QStringLiteral("StringGridStreak"));
    // The scroll range is known only once the grid has its final width, which may come after it was
    // filled (the tab laid out, the window maximised): each new range keeps the newest column in view.
    QScrollBar *bar = horizontalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, this, [this] {
        if (m_atNewest)
            showNewest();
    });
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int value) { m_atNewest = value == bar->maximum(); });
}

TextGrid StreakTableView::build(TDataMod &dm) const
{
    const int mostPlayed = readMostMatchesPlayed(dm);
    const QStringList teams = readTeamNamesByName(dm.ADOConnection);
    return BuildStreakTable(teams, mostPlayed, readGridMatches(dm, GridMatches::PlayedByDate));
}

GridCellLook StreakTableView::look(int column, int row, int selectedColumn, int selectedRow) const
{
    return streakTableCellLook(grid(), column, row, selectedColumn, selectedRow);
}

void StreakTableView::filled()
{
    m_atNewest = true;
    updateGeometries(); // the scroll range of the new columns
    showNewest();
}

void StreakTableView::showNewest()
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
}
