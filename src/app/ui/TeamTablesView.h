#pragma once
// One of the three team tables of the main window (home, away or overall): a toolbar with the team
// commands over a grid of the shared Teams table.  The commands that open other windows are signals the
// main window connects; sorting by a title click and the refresh on showing the tab are done here.

#include "data/TeamSort.h"

#include <QWidget>

class DataGrid;
class QToolBar;
class TDataMod;

class TeamTablesView final : public QWidget
{
    Q_OBJECT
public:
    // The toolbar is ToolBarH, ToolBarA or ToolBarT and the grid DBGridHome, DBGridAway or DBGridTotal.
    TeamTablesView(TDataMod &dm, TeamTable table, QWidget *parent = nullptr);

    TeamTable table() const { return m_table; }
    DataGrid *grid() const { return m_grid; }
    QToolBar *toolBar() const { return m_toolBar; }

    // Where the six sort and order choices live: the main window hands the three views (and the filter
    // dialog) one shared object, not owned; until then the view keeps its own, with the defaults.
    void setSortChoices(TeamSortChoices *choices);
    TeamSortChoices &sortChoices() const { return *m_choices; }

public Q_SLOTS:
    // Showing the tab: sorts Teams by this table's choices and renumbers the positions; nothing when no
    // league is open.
    void refresh();
    // A click on a column title: flips this table's order, takes the title as its sort, applies both.
    void sortByColumn(int column);

Q_SIGNALS:
    void addTeam();    // "Add Team", or Insert in the grid
    void editTeam();   // "Edit Team", Enter or a double click in the grid; only when Teams has rows
    void deleteTeam(); // "Delete Team", or Ctrl+Delete in the grid
    void filterSort(); // "Filter / Sort": the filter dialog with its "Team Statistics" page in front

private:
    void applySort();
    void requestEdit();

    TDataMod &m_dm;
    TeamTable m_table;
    TeamSortChoices m_ownChoices;
    TeamSortChoices *m_choices = &m_ownChoices;
    QToolBar *m_toolBar;
    DataGrid *m_grid;
};
