#pragma once
// "League Settings": edits the League row on its "League" and "Betting System" pages and keeps the teams
// and players on its "Teams" and "Players" pages through the team and player dialogs.  Each show loads
// the pages from the stored row; OK stores the row (SaveLeagueSettings) and reports the league's name and
// season for the main window's panels; Cancel writes nothing.  What the Teams and Players pages change is
// written at once by the dialogs they open, whatever button closes this one.

#include "data/LeagueSettings.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class TDataMod;
class TFormAETeam;
class TFormPlayerStats;

class TFormLeague final : public QDialog
{
    Q_OBJECT
public:
    enum class Page { League, Teams, Players, BettingSystem };

    explicit TFormLeague(TDataMod &dm, QWidget *parent = nullptr);

    // The team and player dialogs are created after this one, so they are handed over afterwards.  Without
    // them the Add and Edit buttons of the Teams and Players pages do nothing.
    void setTeamDialog(TFormAETeam *dialog) { m_teamDialog = dialog; }
    void setPlayerDialog(TFormPlayerStats *dialog) { m_playerDialog = dialog; }

    // The page in front when the dialog is shown next (it otherwise keeps the last one).
    void setCurrentPage(Page page);
    Page currentPage() const;

    // What showing the dialog does: the League and Betting System pages from the stored row (the sport's
    // text shown without applying its defaults), the team list and the team chooser from Teams, the player
    // list empty.  Called by every show and after every team dialog; tests call it directly.
    void loadForm();
    // What the League and Betting System pages hold.
    LeagueSettings settings() const;

public Q_SLOTS:
    // OK: stores the row and emits leagueSettingsStored, or warns "No sport selected or invalid sport" and
    // stores nothing; a database failure is told with the engine's message.  Closes in every case.
    void accept() override;

    // A sport picked from the list (position in the list; -1 for typed text).
    void ComboBoxSportChange(int listPosition);
    // Teams page.
    void addTeam();
    void editTeam();
    void deleteTeam();
    // Players page: a team chosen (or typed and confirmed with Enter) in the team chooser.
    void ComboBoxTeamChange();
    void addPlayer();
    void editPlayer();
    void deletePlayer();

Q_SIGNALS:
    // After OK stored the row: the stored League, and SS + " - " + SE, for PanelLeague and PanelSeason.
    void leagueSettingsStored(const QString &league, const QString &season);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void makeSpin(LeagueNumber n, QWidget *page);
    QWidget *buildLeaguePage();
    QWidget *buildTeamsPage();
    QWidget *buildPlayersPage();
    QWidget *buildBettingSystemPage();
    void showSettings(const LeagueSettings &s);
    // The first year of the season changed: the second moves with it (secondYearAfterFirstChanged).
    void seasonFirstChanged(int first);
    void showPlayersPage();
    void refillPlayers();
    bool teamChosen() const; // the team chooser's text is one of its entries, letter case ignored
    QStringList teamEntries() const;
    QSpinBox *spin(LeagueNumber n) const { return m_spins[static_cast<size_t>(n)]; }

    TDataMod &m_dm;
    TFormAETeam *m_teamDialog = nullptr;
    TFormPlayerStats *m_playerDialog = nullptr;

    QTabWidget *m_pages = nullptr;
    QComboBox *m_sport = nullptr;
    QLineEdit *m_league = nullptr;
    std::array<QSpinBox *, LeagueNumberCount> m_spins{};
    int m_seasonFirst = 0; // the first year as last shown or changed
    QCheckBox *m_homeWins = nullptr;
    QCheckBox *m_draws = nullptr;
    QCheckBox *m_awayWins = nullptr;
    QRadioButton *m_homeAway = nullptr;
    QRadioButton *m_overall = nullptr;
    QListWidget *m_teams = nullptr;
    QComboBox *m_team = nullptr;
    QListWidget *m_players = nullptr;
};
