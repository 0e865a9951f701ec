#pragma once
// The "Players" tab: a toolbar with the mode chooser and the player commands, the team list on the left
// and, in a two-page notebook, the player grid (mode "1") or the player cards (mode "2"), all over the
// shared Players table.  The commands that open other windows are signals the main window connects; the
// team choice, the modes, the title-click sort, deleting and the player search are done here.

#include <QWidget>

class DataGrid;
class DatasetModel;
class QComboBox;
class QListView;
class QListWidget;
class QStackedWidget;
class QToolBar;
class TDataMod;

class PlayersView final : public QWidget
{
    Q_OBJECT
public:
    // Toolbar ToolBarP, mode chooser ComboBoxPMode, team list ListBoxTeams, notebook NotebookP with the
    // pages "Stats" (grid DBGridPlayers) and "Detail" (cards DBCtrlGridPlayers).
    explicit PlayersView(TDataMod &dm, QWidget *parent = nullptr);
    ~PlayersView() override;

    DataGrid *grid() const { return m_grid; }
    QListView *cards() const { return m_cards; }
    QListWidget *teamList() const { return m_teams; }
    QComboBox *modeChooser() const { return m_mode; }
    QToolBar *toolBar() const { return m_toolBar; }
    // The team chosen in the list; empty when "<---All--->" or nothing is chosen.
    QString chosenTeam() const;
    // How many cards stand side by side.
    int cardColumns() const;

public Q_SLOTS:
    // Showing the tab: the team list filled again (the chosen team stays chosen), then the current mode
    // applied.  Nothing when no league is open.
    void refresh();
    // Opening a league file: the team list emptied and every player shown.
    void leagueOpened();
    // The mode chooser's text: "1" the grid, "2" the cards; any other text warns "Invalid mode".
    void applyMode();
    // A choice in the team list by its row: 0 shows every player with the "Team" column, another row only
    // that team's players without it; -1 does nothing.
    void chooseTeam(int row);
    // A click on a column title: sorts Players by that column, the direction flipping on every click.
    void sortByColumn(int column);
    // "Delete Player": asks, then deletes the current player.
    void deletePlayer();
    // "Player Search...": asks for the beginning of a name with the input box, then findPlayer.
    void searchPlayer();
    // Moves to the first shown player whose name begins with the text (letter case ignored), or tells
    // "Player not found".  Returns whether one was found.
    bool findPlayer(const QString &text);

Q_SIGNALS:
    void addPlayer();  // "Add Player", or Insert in the grid or on the cards
    void editPlayer(); // "Edit Player", Enter or a double click in the grid or on the cards; only with rows
    void filterSort(); // "Filter / Sort": the filter dialog with its "Player Statistics" page in front

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildToolBar();
    void requestEdit();
    void modeTyped();
    void fitCards();

    TDataMod &m_dm;
    QToolBar *m_toolBar = nullptr;
    QComboBox *m_mode = nullptr;
    QListWidget *m_teams = nullptr;
    QStackedWidget *m_notebook = nullptr;
    DataGrid *m_grid = nullptr;
    QListView *m_cards = nullptr;
    DatasetModel *m_cardModel = nullptr;
    QString m_appliedMode = QStringLiteral("1"); // so leaving the chooser unchanged does not ask again
};
