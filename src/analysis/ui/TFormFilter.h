#pragma once
// The filter and sort dialog: the sort and filter choices of the team tables, the fixtures, the scores and
// the players on four pages.  Sort and order choices act at once; OK applies the filter of the page in
// front.  The choices themselves live in filterChoices() (analysis/FilterSort.h), which the views read.

#include "data/TeamSort.h"

#include <QDialog>
#include <QHash>
#include <functional>
#include <vector>

class QButtonGroup;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QSpinBox;
class QTabWidget;
class QPushButton;
class TDataMod;
struct DateRangeChoice;
enum class OrderChooser;

class TFormFilter final : public QDialog
{
    Q_OBJECT
public:
    // The pages in their order: "Team Statistics", "Fixtures / Predictions", "Scores", "Player Statistics".
    enum Page { TeamStatistics = 0, FixturesPredictions = 1, Scores = 2, PlayerStatistics = 3 };

    TFormFilter(TDataMod &dm, QWidget *parent = nullptr);

    // Brings a page to the front; the caller then shows the dialog modally (exec()).
    void showPage(Page page);
    // showPage and exec in one.
    int execPage(Page page);
    Page currentPage() const;

    // The selected entry of the players view's team list, read when the player filter is applied; without
    // it the player filters take every team.
    using TeamSelection = std::function<QString()>;
    void setPlayersTeamSelection(TeamSelection selection) { m_playersTeam = std::move(selection); }

public Q_SLOTS:
    // Refills the team and position lists and shows the stored choices (also when the dialog is shown).
    void FormShow();
    // OK: the filter of the page in front, then the dialog closes (also after a warning).
    void BitBtnOKClick();
    void accept() override;

    // The sort and order handlers, as the choosers call them.
    void ComboBoxHSortChange();
    void ComboBoxASortChange();
    void ComboBoxTSortChange();
    void ComboBoxHOrderChange();
    void ComboBoxAOrderChange();
    void ComboBoxTOrderChange();
    void ComboBoxFSortChange();
    void ComboBoxFOrderChange();
    void ComboBoxRSortChange();
    void ComboBoxROrderChange();
    void ComboBoxPSortChange();
    void ComboBoxPOrderChange();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildTeamPage();
    QWidget *buildFixturePage();
    QWidget *buildScorePage();
    QWidget *buildPlayerPage();

    QComboBox *chooser(const QString &name, const QStringList &items, QString *choice,
                       void (TFormFilter::*handler)());
    QComboBox *textChooser(const QString &name, QString *choice);
    QSpinBox *spin(const QString &name, int min, int max, int *choice);
    void bind(QSpinBox *box, int *choice);
    void addDateRows(QGridLayout *grid, int row, const QString &prefix, DateRangeChoice *dates);
    template <typename Kind> QButtonGroup *radioGroup(QWidget *owner, Kind *choice);

    void loadChoices();
    void setChooserText(QComboBox *box, const QString &text);
    void chosen(QComboBox *box);
    bool orderAccepted(QComboBox *box, OrderChooser chooser, QString *order);
    void teamSortChanged(TeamTable table);
    void teamOrderChanged(TeamTable table, OrderChooser chooser);
    void sortFixtures();
    void sortScores();
    void sortPlayers();

    TDataMod &m_dm;
    TeamSelection m_playersTeam;
    QTabWidget *m_pages = nullptr;
    QPushButton *m_ok = nullptr;
    QComboBox *m_fixtureTeams = nullptr;
    QComboBox *m_scoreTeams = nullptr;
    QComboBox *m_positions = nullptr;
    QComboBox *m_teamSorts[3] = {}; // by TeamTable
    QComboBox *m_teamOrders[3] = {};
    QComboBox *m_fixtureSort = nullptr, *m_fixtureOrder = nullptr;
    QComboBox *m_scoreSort = nullptr, *m_scoreOrder = nullptr;
    QComboBox *m_playerSort = nullptr, *m_playerOrder = nullptr;

    // Each control and the choice it shows, for loading them again at each showing.
    struct Bound {
        QComboBox *box;
        QString *text;
        void (TFormFilter::*handler)(); // the sort/order handler, or none
    };
    std::vector<Bound> m_choosers;
    std::vector<std::pair<QSpinBox *, int *>> m_spins;
    std::vector<std::pair<QButtonGroup *, std::function<int()>>> m_radios;
    QHash<QComboBox *, QString> m_handled; // the text each sort/order chooser last acted on
    bool m_loading = false;
};
