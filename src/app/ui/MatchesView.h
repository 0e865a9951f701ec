#pragma once
// The fixtures page or the scores page of the main window: a toolbar with the display mode chooser and
// the match commands over a grid of the shared Results table, its cells coloured by the match grid
// rules.  The commands that open other windows are signals the main window connects; the mode, the
// title-click sort and the refresh on showing the tab are done here.

#include "app/MatchGrids.h"

#include <QWidget>
#include <functional>

class DataGrid;
class QComboBox;
class QToolBar;
class TDataMod;
class Table;

class MatchesView final : public QWidget
{
    Q_OBJECT
public:
    // Fixtures: toolbar ToolBarF1, chooser ComboBoxFMode, grid DBGridFixtures.
    // Scores: toolbar ToolBarR, chooser ComboBoxRMode, grid DBGridResults.
    MatchesView(TDataMod &dm, MatchPage page, QWidget *parent = nullptr);
    ~MatchesView() override;

    MatchPage page() const { return m_page; }
    DataGrid *grid() const { return m_grid; }
    QComboBox *modeChooser() const { return m_mode; }
    QToolBar *toolBar() const { return m_toolBar; }

    // What showing the tab applies to Results: this page's filter, then its sort.  The filter dialog
    // provides its choices through this; until then the defaults apply (fixtures: unplayed matches by date
    // ascending; scores: played matches by date descending).
    using ResultsView = std::function<void(Table &results)>;
    void setResultsView(ResultsView apply);

public Q_SLOTS:
    // Showing the tab: applies the page's filter and sort; nothing when no league is open.
    void refresh();
    // Shows the columns of the mode chooser's text; "Invalid mode" when it is not one of the modes.
    void applyMode();
    // A click on a column title: sorts Results by that column, the direction flipping on every click.
    void sortByColumn(int column);

Q_SIGNALS:
    void addMatch();    // "Add Match", or Insert in the grid
    void editMatch();   // "Edit Match", Enter or a double click in the grid; only when Results has rows
    void deleteMatch(); // "Delete Match", or Ctrl+Delete in the grid
    void filterSort();  // "Filter / Sort": the filter dialog with this page in front
    void predict();     // "Predict" (fixtures page only): predict the upcoming matches

private:
    void buildToolBar();
    void requestEdit();
    void modeTyped();

    TDataMod &m_dm;
    MatchPage m_page;
    ResultsView m_view;
    QToolBar *m_toolBar = nullptr;
    QComboBox *m_mode = nullptr;
    DataGrid *m_grid = nullptr;
    QStringList m_fields; // of the grid's columns
    QString m_typedMode;  // the typed text last applied, so leaving the chooser does not ask twice
};
