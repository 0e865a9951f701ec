#include "analysis/ui/TFormFilter.h"
#include "data/ui/DialogParts.h"

#include "analysis/FilterSort.h"
#include "data/BusyCursor.h"
#include "data/CommandBoundary.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/TDataMod.h"
#include "data/TeamNames.h"
#include "data/ui/DateFields.h"
#include "data/ui/GuiMessenger.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace
{
QString s(const char *text)
{
    return QString::fromLatin1(text);
}

constexpr int kListRows = 15; // rows the team, position and match type lists show at once

int index(TeamTable table)
{
    return static_cast<int>(table);
}

QRadioButton *radio(QButtonGroup *group, const char *name, const QString &caption, int id)
{
    auto *button = new QRadioButton(caption);
    button->setObjectName(s(name));
    group->addButton(button, id);
    return button;
}

QRadioButton *radio(QButtonGroup *group, const char *name, const char *caption, int id)
{
    return radio(group, name, s(caption), id);
}

QGroupBox *groupBox(const char *name, const char *title)
{
    auto *box = new QGroupBox(s(title));
    box->setObjectName(s(name));
    return box;
}

QWidget *page(const char *name)
{
    auto *w = new QWidget;
    w->setObjectName(s(name));
    return w;
}

// A page: the "Sort" group above the "Filter" group.
void stack(QWidget *page, QGroupBox *sort, QGroupBox *filter)
{
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(sort);
    layout->addWidget(filter);
    layout->addStretch(1);
}
} // namespace

TFormFilter::TFormFilter(TDataMod &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(s("FormFilter"));
    setWindowTitle(s("Filter/Sort"));
    setModal(true);
    m_loading = true; // filling the choosers must not change the choices they show

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(s("PageControl"));
    m_pages->addTab(buildTeamPage(), s("Team Statistics"));
    m_pages->addTab(buildFixturePage(), s("Fixtures / Predictions"));
    m_pages->addTab(buildScorePage(), s("Scores"));
    m_pages->addTab(buildPlayerPage(), s("Player Statistics"));
    // Every tab in sight at any scale: the dialog widens to its tabs rather than hiding some behind arrows.
    m_pages->tabBar()->setUsesScrollButtons(false);
    m_pages->tabBar()->setElideMode(Qt::ElideNone);

    m_ok = new QPushButton(s("OK"), this);
    m_ok->setObjectName(s("BitBtnOK"));
    auto *cancel = new QPushButton(s("Cancel"), this);
    cancel->setObjectName(s("BitBtnCancel"));
    // Enter confirms a typed sort, order or list text; it must not close the dialog on the way.
    m_ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &TFormFilter::BitBtnOKClick);
    // Cancel only closes: choices already changed stay, and so do the sorts they applied.
    connect(cancel, &QPushButton::clicked, this, &TFormFilter::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_loading = false;
    loadChoices();
}

// ---------------------------------------------------------------- building

QComboBox *TFormFilter::chooser(const QString &name, const QStringList &items, QString *choice,
                                void (TFormFilter::*handler)())
{
    // A typed text that is no item gets its warning when the typing is finished.
    QComboBox *box = typingChooser(nullptr, name);
    box->addItems(items);
    m_choosers.push_back({box, choice, handler});
    // Picked from the list: at once.  Typed: on Enter or when leaving the chooser, so half a word never
    // acts.  chosen() acts once per new text, whichever of these reports it.
    connect(box, &QComboBox::currentIndexChanged, this, [this, box] { chosen(box); });
    connect(box, &QComboBox::activated, this, [this, box] { chosen(box); });
    connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, box] { chosen(box); });
    return box;
}

QComboBox *TFormFilter::textChooser(const QString &name, QString *choice)
{
    QComboBox *box = typingChooser(nullptr, name);
    box->setMaxVisibleItems(kListRows);
    m_choosers.push_back({box, choice, nullptr});
    connect(box, &QComboBox::currentTextChanged, this, [this, choice](const QString &text) {
        if (!m_loading)
            *choice = text;
    });
    return box;
}

QSpinBox *TFormFilter::spin(const QString &name, int min, int max, int *choice)
{
    auto *box = new QSpinBox;
    box->setObjectName(name);
    box->setRange(min, max);
    bind(box, choice);
    return box;
}

void TFormFilter::bind(QSpinBox *box, int *choice)
{
    m_spins.emplace_back(box, choice);
    connect(box, &QSpinBox::valueChanged, this, [this, choice](int value) {
        if (!m_loading)
            *choice = value;
    });
}

template <typename Kind> QButtonGroup *TFormFilter::radioGroup(QWidget *owner, Kind *choice)
{
    auto *group = new QButtonGroup(owner);
    m_radios.emplace_back(group, [choice] { return static_cast<int>(*choice); });
    connect(group, &QButtonGroup::idToggled, this, [this, choice](int id, bool checked) {
        if (checked && !m_loading)
            *choice = static_cast<Kind>(id);
    });
    return group;
}

// "Start Date:" and "End Date:", each with month, day and year in the locale's order: SpinEdit<p>MS, <p>DS,
// <p>YS and <p>ME, ...  A range the user changes no longer follows the league's season.
void TFormFilter::addDateRows(QGridLayout *grid, int row, const QString &prefix, DateRangeChoice *dates)
{
    const QString p = s("SpinEdit") + prefix;
    const std::pair<const char *, std::array<int *, 3>> ends[] = {
        {"S", {&dates->startMonth, &dates->startDay, &dates->startYear}},
        {"E", {&dates->endMonth, &dates->endDay, &dates->endYear}}};
    for (int i = 0; i < 2; ++i) {
        const QString end = s(ends[i].first);
        auto *fields = new DateFields({p + s("M") + end, p + s("D") + end, p + s("Y") + end}, QDate());
        const std::array<QSpinBox *, 3> boxes = {fields->month(), fields->day(), fields->year()};
        for (int f = 0; f < 3; ++f) {
            bind(boxes[f], ends[i].second[f]);
            connect(boxes[f], &QSpinBox::valueChanged, this, [this, dates] {
                if (!m_loading)
                    dates->changed = true;
            });
        }
        auto *label = new QLabel(i == 0 ? s("Start Date:") : s("End Date:"));
        label->setBuddy(fields);
        grid->addWidget(label, row + i, 1);
        grid->addWidget(fields, row + i, 2, 1, 3);
    }
}

QWidget *TFormFilter::buildTeamPage()
{
    FilterChoices &c = filterChoices();
    QWidget *w = page("PageTeamStatistics");

    QGroupBox *sortBox = groupBox("GroupBoxTSort", "Sort");
    auto *sort = new QGridLayout(sortBox);
    struct Row {
        TeamTable table;
        const char *label, *sortName, *orderName;
        void (TFormFilter::*sortChange)();
        void (TFormFilter::*orderChange)();
    };
    const Row rows[] = {
        {TeamTable::Home, "Home Statistics:", "ComboBoxHSort", "ComboBoxHOrder",
         &TFormFilter::ComboBoxHSortChange, &TFormFilter::ComboBoxHOrderChange},
        {TeamTable::Away, "Away Statistics:", "ComboBoxASort", "ComboBoxAOrder",
         &TFormFilter::ComboBoxASortChange, &TFormFilter::ComboBoxAOrderChange},
        {TeamTable::Overall, "Overall Statistics:", "ComboBoxTSort", "ComboBoxTOrder",
         &TFormFilter::ComboBoxTSortChange, &TFormFilter::ComboBoxTOrderChange},
    };
    for (int r = 0; r < 3; ++r) {
        TeamSortChoice &choice = c.teamSorts[rows[r].table];
        const int t = index(rows[r].table);
        m_teamSorts[t] = chooser(s(rows[r].sortName), teamSortItems(), &choice.sort, rows[r].sortChange);
        m_teamOrders[t] = chooser(s(rows[r].orderName), teamOrderItems(), &choice.order, rows[r].orderChange);
        sort->addWidget(new QLabel(s(rows[r].label)), r, 0);
        sort->addWidget(m_teamSorts[t], r, 1);
        sort->addWidget(m_teamOrders[t], r, 2);
    }

    QGroupBox *filterBox = groupBox("GroupBoxTFilter", "Filter");
    auto *filter = new QGridLayout(filterBox);
    QButtonGroup *kinds = radioGroup(filterBox, &c.teams.kind);
    filter->addWidget(radio(kinds, "RadioButtonTDate", Dates::rangeCaption(), int(TeamFilterKind::Date)), 0,
                      0, 1, 5);
    addDateRows(filter, 1, s("T"), &c.teams.dates);
    filter->addWidget(radio(kinds, "RadioButtonTRound", "Round", int(TeamFilterKind::Round)), 3, 0, 1, 5);
    filter->addWidget(new QLabel(s("From Round:")), 4, 1);
    filter->addWidget(spin(s("SpinEditTRS"), 1, 999, &c.teams.fromRound), 4, 2);
    filter->addWidget(new QLabel(s("To Round:")), 4, 3);
    filter->addWidget(spin(s("SpinEditTRE"), 1, 999, &c.teams.toRound), 4, 4);
    filter->addWidget(radio(kinds, "RadioButtonLM", "Last", int(TeamFilterKind::LastMatches)), 5, 0);
    filter->addWidget(spin(s("SpinEditLM"), 1, 999, &c.teams.lastMatches), 5, 1);
    filter->addWidget(new QLabel(s("home and away matches.")), 5, 2, 1, 3);
    filter->addWidget(radio(kinds, "RadioButtonMatches", "Matches", int(TeamFilterKind::Matches)), 6, 0);
    QComboBox *matchType = textChooser(s("ComboBoxMatch"), &c.teams.matchType);
    matchType->addItems(matchTypeItems());
    matchType->lineEdit()->setMaxLength(25);
    filter->addWidget(matchType, 6, 1, 1, 4);

    stack(w, sortBox, filterBox);
    return w;
}

QWidget *TFormFilter::buildFixturePage()
{
    FixtureChoices &c = filterChoices().fixtures;
    QWidget *w = page("PageFixtures");

    QGroupBox *sortBox = groupBox("GroupBoxFSort", "Sort");
    auto *sort = new QGridLayout(sortBox);
    sort->addWidget(new QLabel(s("Sort By:")), 0, 0);
    sort->addWidget(m_fixtureSort = chooser(s("ComboBoxFSort"), fixtureSortItems(), &c.sort,
                                            &TFormFilter::ComboBoxFSortChange),
                    0, 1);
    sort->addWidget(m_fixtureOrder = chooser(s("ComboBoxFOrder"), teamOrderItems(), &c.order,
                                             &TFormFilter::ComboBoxFOrderChange),
                    0, 2);

    QGroupBox *filterBox = groupBox("GroupBoxFFilter", "Filter");
    auto *filter = new QGridLayout(filterBox);
    QButtonGroup *kinds = radioGroup(filterBox, &c.filter);
    using K = FixtureFilterKind;
    filter->addWidget(radio(kinds, "RadioButtonFNone", "None", int(K::None)), 0, 0, 1, 5);
    filter->addWidget(radio(kinds, "RadioButtonFUp", "All upcoming matches", int(K::Upcoming)), 1, 0, 1, 5);
    filter->addWidget(
        radio(kinds, "RadioButtonFThis", "Upcoming matches (next 7 days)", int(K::NextSevenDays)), 2, 0, 1,
        5);
    filter->addWidget(radio(kinds, "RadioButtonFDate", Dates::rangeCaption(), int(K::Date)), 3, 0, 1, 5);
    addDateRows(filter, 4, s("F"), &c.dates);
    filter->addWidget(radio(kinds, "RadioButtonFRound", "Round", int(K::Round)), 6, 0);
    filter->addWidget(spin(s("SpinEditFRound"), 1, 999, &c.round), 6, 1);
    filter->addWidget(radio(kinds, "RadioButtonFTeam", "Team", int(K::Team)), 7, 0);
    m_fixtureTeams = textChooser(s("ComboBoxFTeam"), &c.team);
    filter->addWidget(m_fixtureTeams, 7, 1, 1, 4);

    stack(w, sortBox, filterBox);
    return w;
}

QWidget *TFormFilter::buildScorePage()
{
    ScoreChoices &c = filterChoices().scores;
    QWidget *w = page("PageScores");

    QGroupBox *sortBox = groupBox("GroupBoxRSort", "Sort");
    auto *sort = new QGridLayout(sortBox);
    sort->addWidget(new QLabel(s("Sort By:")), 0, 0);
    sort->addWidget(m_scoreSort = chooser(s("ComboBoxRSort"), scoreSortItems(), &c.sort,
                                          &TFormFilter::ComboBoxRSortChange),
                    0, 1);
    sort->addWidget(m_scoreOrder = chooser(s("ComboBoxROrder"), teamOrderItems(), &c.order,
                                           &TFormFilter::ComboBoxROrderChange),
                    0, 2);

    QGroupBox *filterBox = groupBox("GroupBoxRFilter", "Filter");
    auto *filter = new QGridLayout(filterBox);
    QButtonGroup *kinds = radioGroup(filterBox, &c.filter);
    using K = ScoreFilterKind;
    filter->addWidget(radio(kinds, "RadioButtonRNone", "None", int(K::None)), 0, 0, 1, 5);
    filter->addWidget(radio(kinds, "RadioButtonRDate", Dates::rangeCaption(), int(K::Date)), 1, 0, 1, 5);
    addDateRows(filter, 2, s("R"), &c.dates);
    filter->addWidget(radio(kinds, "RadioButtonRRound", "Round", int(K::Round)), 4, 0);
    filter->addWidget(spin(s("SpinEditRRound"), 1, 999, &c.round), 4, 1);
    filter->addWidget(radio(kinds, "RadioButtonRTeam", "Team", int(K::Team)), 5, 0);
    m_scoreTeams = textChooser(s("ComboBoxRTeam"), &c.team);
    filter->addWidget(m_scoreTeams, 5, 1, 1, 4);

    stack(w, sortBox, filterBox);
    return w;
}

QWidget *TFormFilter::buildPlayerPage()
{
    PlayerChoices &c = filterChoices().players;
    QWidget *w = page("PagePlayerStatistics");

    QGroupBox *sortBox = groupBox("GroupBoxPSort", "Sort");
    auto *sort = new QGridLayout(sortBox);
    sort->addWidget(new QLabel(s("Sort By:")), 0, 0);
    sort->addWidget(m_playerSort = chooser(s("ComboBoxPSort"), playerSortItems(), &c.sort,
                                           &TFormFilter::ComboBoxPSortChange),
                    0, 1);
    sort->addWidget(m_playerOrder = chooser(s("ComboBoxPOrder"), teamOrderItems(), &c.order,
                                            &TFormFilter::ComboBoxPOrderChange),
                    0, 2);

    QGroupBox *filterBox = groupBox("GroupBoxPFilter", "Filter");
    auto *filter = new QGridLayout(filterBox);
    QButtonGroup *kinds = radioGroup(filterBox, &c.filter);
    using K = PlayerFilterKind;
    filter->addWidget(radio(kinds, "RadioButtonPNone", "None", int(K::None)), 0, 0, 1, 5);
    filter->addWidget(radio(kinds, "RadioButtonPNumber", "Number", int(K::Number)), 1, 0);
    filter->addWidget(spin(s("SpinEditN"), 0, 999, &c.number), 1, 1);
    filter->addWidget(radio(kinds, "RadioButtonPPosition", "Position", int(K::Position)), 2, 0);
    m_positions = textChooser(s("ComboBoxPPos"), &c.position);
    filter->addWidget(m_positions, 2, 1, 1, 4);
    filter->addWidget(radio(kinds, "RadioButtonPStatistic", "Player Rating", int(K::Rating)), 3, 0);
    filter->addWidget(new QLabel(s("Min:")), 3, 1);
    filter->addWidget(spin(s("SpinEditPMin"), 1, 5000, &c.minRating), 3, 2);
    filter->addWidget(new QLabel(s("Max:")), 3, 3);
    filter->addWidget(spin(s("SpinEditPMax"), 1, 5000, &c.maxRating), 3, 4);

    stack(w, sortBox, filterBox);
    return w;
}

// ---------------------------------------------------------------- pages and showing

void TFormFilter::showPage(Page p)
{
    m_pages->setCurrentIndex(p);
}

int TFormFilter::execPage(Page p)
{
    showPage(p);
    return exec();
}

TFormFilter::Page TFormFilter::currentPage() const
{
    return static_cast<Page>(m_pages->currentIndex());
}

void TFormFilter::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TFormFilter::FormShow()
{
    QStringList teams, positions;
    runCommand(messenger(), [&] {
        if (m_dm.isLeagueOpen()) {
            teams = readTeamNamesByName(m_dm.ADOConnection);
            positions = playerPositions(m_dm);
        }
    });
    m_loading = true;
    for (QComboBox *box : {m_fixtureTeams, m_scoreTeams}) {
        box->clear();
        box->addItems(teams);
    }
    m_positions->clear();
    m_positions->addItems(positions);
    m_loading = false;
    runCommand(messenger(), [this] { followLeagueSeason(filterChoices(), m_dm); });
    // The team tables' title clicks change their choices while the dialog is hidden.
    loadChoices();
}

void TFormFilter::loadChoices()
{
    m_loading = true;
    for (const auto &[box, value] : m_spins)
        box->setValue(*value);
    for (const Bound &b : m_choosers)
        setChooserText(b.box, *b.text);
    for (const auto &[group, kind] : m_radios)
        if (QAbstractButton *button = group->button(kind()))
            button->setChecked(true);
    m_loading = false;
}

void TFormFilter::setChooserText(QComboBox *box, const QString &text)
{
    const bool wasLoading = m_loading;
    m_loading = true;
    box->setCurrentIndex(box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    box->setEditText(text);
    m_handled[box] = text;
    m_loading = wasLoading;
}

// ---------------------------------------------------------------- OK

void TFormFilter::BitBtnOKClick()
{
    accept();
}

void TFormFilter::accept()
{
    FilterChoices &c = filterChoices();
    BusyCursor busy;
    switch (currentPage()) {
    case TeamStatistics:
        ApplyTeamFilter(m_dm, c.teams, messenger()); // tells its own warnings and failures
        break;
    case FixturesPredictions:
        runCommand(messenger(), [&] { ApplyFixtureFilter(m_dm.ADOTableResults, c.fixtures); });
        break;
    case Scores:
        runCommand(messenger(), [&] { ApplyScoreFilter(m_dm.ADOTableResults, c.scores); });
        break;
    case PlayerStatistics:
        runCommand(messenger(), [&] {
            ApplyPlayerFilter(m_dm.ADOTablePlayers, c.players, m_playersTeam ? m_playersTeam() : QString());
        });
        break;
    }
    QDialog::accept();
}

// ---------------------------------------------------------------- sorts

void TFormFilter::chosen(QComboBox *box)
{
    if (m_loading || box->currentText() == m_handled.value(box))
        return;
    for (const Bound &b : m_choosers)
        if (b.box == box && b.handler)
            (this->*b.handler)();
}

bool TFormFilter::orderAccepted(QComboBox *box, OrderChooser chooser, QString *order)
{
    const OrderCheck check = checkOrder(chooser, *order);
    if (check.valid())
        return true;
    messenger().warning(check.warning);
    if (check.resetTo) {
        *order = *check.resetTo;
        setChooserText(box, *order);
    }
    return false;
}

void TFormFilter::teamSortChanged(TeamTable table)
{
    QComboBox *box = m_teamSorts[index(table)];
    TeamSortChoice &choice = filterChoices().teamSorts[table];
    choice.sort = box->currentText();
    m_handled[box] = choice.sort;
    runCommand(messenger(), [&] { ApplyTeamSort(m_dm, choice, teamGridFields(table)); });
}

void TFormFilter::teamOrderChanged(TeamTable table, OrderChooser chooser)
{
    QComboBox *box = m_teamOrders[index(table)];
    TeamSortChoice &choice = filterChoices().teamSorts[table];
    choice.order = box->currentText();
    m_handled[box] = choice.order;
    if (orderAccepted(box, chooser, &choice.order))
        runCommand(messenger(), [&] { ApplyTeamSort(m_dm, choice, teamGridFields(table)); });
}

void TFormFilter::ComboBoxHSortChange()
{
    teamSortChanged(TeamTable::Home);
}

void TFormFilter::ComboBoxASortChange()
{
    teamSortChanged(TeamTable::Away);
}

void TFormFilter::ComboBoxTSortChange()
{
    teamSortChanged(TeamTable::Overall);
}

void TFormFilter::ComboBoxHOrderChange()
{
    teamOrderChanged(TeamTable::Home, OrderChooser::HomeTeams);
}

void TFormFilter::ComboBoxAOrderChange()
{
    teamOrderChanged(TeamTable::Away, OrderChooser::AwayTeams);
}

void TFormFilter::ComboBoxTOrderChange()
{
    teamOrderChanged(TeamTable::Overall, OrderChooser::OverallTeams);
}

void TFormFilter::sortFixtures()
{
    runCommand(messenger(), [this] { ApplyFixtureSort(m_dm.ADOTableResults, filterChoices().fixtures); });
}

void TFormFilter::sortScores()
{
    runCommand(messenger(), [this] { ApplyScoreSort(m_dm.ADOTableResults, filterChoices().scores); });
}

void TFormFilter::sortPlayers()
{
    runCommand(messenger(),
               [this] { ApplyPlayerSort(m_dm.ADOTablePlayers, filterChoices().players, messenger()); });
}

void TFormFilter::ComboBoxFSortChange()
{
    QComboBox *box = m_fixtureSort;
    filterChoices().fixtures.sort = m_handled[box] = box->currentText();
    sortFixtures();
}

void TFormFilter::ComboBoxFOrderChange()
{
    QComboBox *box = m_fixtureOrder;
    QString &order = filterChoices().fixtures.order;
    order = m_handled[box] = box->currentText();
    if (orderAccepted(box, OrderChooser::Fixtures, &order))
        sortFixtures();
}

void TFormFilter::ComboBoxRSortChange()
{
    QComboBox *box = m_scoreSort;
    filterChoices().scores.sort = m_handled[box] = box->currentText();
    sortScores();
}

void TFormFilter::ComboBoxROrderChange()
{
    QComboBox *box = m_scoreOrder;
    QString &order = filterChoices().scores.order;
    order = m_handled[box] = box->currentText();
    if (orderAccepted(box, OrderChooser::Scores, &order))
        sortScores();
}

void TFormFilter::ComboBoxPSortChange()
{
    QComboBox *box = m_playerSort;
    filterChoices().players.sort = m_handled[box] = box->currentText();
    sortPlayers();
}

void TFormFilter::ComboBoxPOrderChange()
{
    QComboBox *box = m_playerOrder;
    QString &order = filterChoices().players.order;
    order = m_handled[box] = box->currentText();
    // A player order that is no item keeps its text; nothing is sorted.
    if (orderAccepted(box, OrderChooser::Players, &order))
        sortPlayers();
}
