#include "app/ui/TeamTablesView.h"

#include "data/CommandBoundary.h"

#include "data/Errors.h"
#include "data/TDataMod.h"
#include "data/ui/DataGrid.h"
#include "data/ui/GuiMessenger.h"

#include <QAction>
#include <QToolBar>
#include <QVBoxLayout>

namespace
{
QString suffixOf(TeamTable table)
{
    switch (table) {
    case TeamTable::Home:
        return QStringLiteral("Home");
    case TeamTable::Away:
        return QStringLiteral("Away");
    case TeamTable::Overall:
        break;
    }
    return QStringLiteral("Total");
}

QAction *addButton(QToolBar *bar, const QString &caption, const QString &hint)
{
    QAction *a = bar->addAction(caption);
    a->setToolTip(hint);
    return a;
}
} // namespace

TeamTablesView::TeamTablesView(TDataMod &dm, TeamTable table, QWidget *parent)
    : QWidget(parent), m_dm(dm), m_table(table)
{
    const QString suffix = suffixOf(table);
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar") + suffix.at(0));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    QAction *add = addButton(m_toolBar, QStringLiteral("Add Team"), QStringLiteral("Add Team"));
    m_toolBar->addSeparator();
    QAction *edit = addButton(m_toolBar, QStringLiteral("Edit Team"), QStringLiteral("Edit Team"));
    m_toolBar->addSeparator();
    QAction *remove = addButton(m_toolBar, QStringLiteral("Delete Team"), QStringLiteral("Delete Team"));
    m_toolBar->addSeparator();
    QAction *filter = m_toolBar->addAction(QStringLiteral("Filter / Sort"));

    m_grid = new DataGrid(dm.ADOTableTeams, teamGridColumns(table), this);
    m_grid->setObjectName(QStringLiteral("DBGrid") + suffix);
    m_grid->rememberColumnWidths(m_grid->objectName());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_grid, 1);

    connect(add, &QAction::triggered, this, &TeamTablesView::addTeam);
    connect(edit, &QAction::triggered, this, &TeamTablesView::requestEdit);
    connect(remove, &QAction::triggered, this, &TeamTablesView::deleteTeam);
    connect(filter, &QAction::triggered, this, &TeamTablesView::filterSort);
    connect(m_grid, &DataGrid::insertPressed, this, &TeamTablesView::addTeam);
    connect(m_grid, &DataGrid::editRequested, this, &TeamTablesView::requestEdit);
    connect(m_grid, &DataGrid::deleteRequested, this, &TeamTablesView::deleteTeam);
    connect(m_grid, &DataGrid::titleClicked, this, &TeamTablesView::sortByColumn);
}

void TeamTablesView::setSortChoices(TeamSortChoices *choices)
{
    m_choices = choices ? choices : &m_ownChoices;
}

void TeamTablesView::refresh()
{
    if (m_dm.isLeagueOpen())
        applySort();
}

void TeamTablesView::sortByColumn(int column)
{
    const auto &columns = teamGridColumns(m_table);
    if (column < 0 || column >= columns.size())
        return;
    TeamSortChoice &choice = (*m_choices)[m_table];
    choice = afterTitleClick(choice, columns[column].title);
    applySort();
}

void TeamTablesView::applySort()
{
    runCommand(messenger(), [this] { ApplyTeamSort(m_dm, (*m_choices)[m_table], teamGridFields(m_table)); });
}

void TeamTablesView::requestEdit()
{
    const Table &teams = m_dm.ADOTableTeams;
    if (teams.isActive() && !teams.isEmpty())
        Q_EMIT editTeam();
}
