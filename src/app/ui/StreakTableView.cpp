#include "app/ui/StreakTableView.h"

#include "data/StreakTable.h"
#include "data/TDataMod.h"

#include <QScrollBar>

StreakTableView::StreakTableView(TDataMod &dm, QWidget *parent) : TextGridView(dm, 120, 30, parent)
{
    setObjectName(QStringLiteral("StringGridStreak"));
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
    updateGeometries(); // the scroll range of the new columns
    horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
}
