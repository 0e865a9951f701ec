#include "data/ui/TFormLeague.h"
#include "data/ui/DialogParts.h"

#include "data/CommandBoundary.h"

#include "data/Errors.h"
#include "data/Sports.h"
#include "data/TDataMod.h"
#include "data/TeamEditing.h"
#include "data/TextCompare.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/TFormAETeam.h"
#include "data/ui/TFormPlayerStats.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace
{
QLabel *label(const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text, buddy->parentWidget());
    l->setBuddy(buddy);
    return l;
}

QString selectedText(const QListWidget *list)
{
    const QList<QListWidgetItem *> items = list->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

void removeSelected(QListWidget *list)
{
    const QList<QListWidgetItem *> items = list->selectedItems();
    if (!items.isEmpty())
        delete list->takeItem(list->row(items.first()));
}
} // namespace

TFormLeague::TFormLeague(TDataMod &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FormLeague"));
    setWindowTitle(QStringLiteral("League Settings"));
    setModal(true);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControlLeague"));
    m_pages->addTab(buildLeaguePage(), QStringLiteral("League"));
    m_pages->addTab(buildTeamsPage(), QStringLiteral("Teams"));
    m_pages->addTab(buildPlayersPage(), QStringLiteral("Players"));
    m_pages->addTab(buildBettingSystemPage(), QStringLiteral("Betting System"));

    // No default button: Enter confirms a chooser's text and must not close the dialog.
    auto *ok = plainButton(this, QStringLiteral("ButtonOK"), QStringLiteral("OK"));
    auto *cancel = plainButton(this, QStringLiteral("ButtonCancel"), QStringLiteral("Cancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == static_cast<int>(Page::Players))
            showPlayersPage();
    });
    connect(ok, &QPushButton::clicked, this, &TFormLeague::accept);
    connect(cancel, &QPushButton::clicked, this, &TFormLeague::reject);
}

void TFormLeague::makeSpin(LeagueNumber n, QWidget *page)
{
    const LeagueNumberField &f = leagueNumberField(n);
    auto *s = new QSpinBox(page);
    s->setObjectName(QStringLiteral("SpinEdit") + f.column);
    s->setRange(f.minimum, f.maximum);
    s->setValue(f.preset);
    s->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue); // a typed value is clamped
    m_spins[static_cast<size_t>(n)] = s;
}

QWidget *TFormLeague::buildLeaguePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetLeague"));
    auto *grid = new QGridLayout(page);

    m_sport = typingChooser(page, QStringLiteral("ComboBoxSport"));
    m_sport->addItems(sportNames());
    m_sport->setMaxVisibleItems(15);
    m_league = new QLineEdit(page);
    m_league->setObjectName(QStringLiteral("EditLeague"));
    m_league->setMaxLength(35); // the width of the League column
    grid->addWidget(label(QStringLiteral("Sport:"), m_sport), 0, 0);
    grid->addWidget(m_sport, 0, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("League:"), m_league), 1, 0);
    grid->addWidget(m_league, 1, 1, 1, 3);

    for (LeagueNumber n : {LeagueNumber::SS, LeagueNumber::SE, LeagueNumber::PW, LeagueNumber::PD,
                           LeagueNumber::PL, LeagueNumber::PWO, LeagueNumber::PDO, LeagueNumber::PLO})
        makeSpin(n, page);
    grid->addWidget(label(QStringLiteral("Season:"), spin(LeagueNumber::SS)), 2, 0);
    grid->addWidget(spin(LeagueNumber::SS), 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("--->"), page), 2, 2);
    grid->addWidget(spin(LeagueNumber::SE), 2, 3);
    m_seasonFirst = spin(LeagueNumber::SS)->value();
    connect(spin(LeagueNumber::SS), &QSpinBox::valueChanged, this, &TFormLeague::seasonFirstChanged);
    const std::pair<LeagueNumber, const char *> points[] = {{LeagueNumber::PW, "Points Win:"},
                                                            {LeagueNumber::PD, "Points Draw:"},
                                                            {LeagueNumber::PL, "Points Loss:"},
                                                            {LeagueNumber::PWO, "Points Win Overtime:"},
                                                            {LeagueNumber::PDO, "Points Draw Overtime:"},
                                                            {LeagueNumber::PLO, "Points Loss Overtime:"}};
    int row = 3;
    for (const auto &[n, caption] : points) {
        grid->addWidget(label(QString::fromLatin1(caption), spin(n)), row, 0);
        grid->addWidget(spin(n), row, 1);
        ++row;
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(4, 1);

    connect(m_sport, &QComboBox::activated, this, &TFormLeague::ComboBoxSportChange);
    // Typed text confirmed with Enter: a text that is no sport is told; a sport typed changes nothing.
    connect(m_sport->lineEdit(), &QLineEdit::returnPressed, this, [this] { ComboBoxSportChange(-1); });
    return page;
}

QWidget *TFormLeague::buildBettingSystemPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetPredictions"));
    for (LeagueNumber n :
         {LeagueNumber::HP, LeagueNumber::DP, LeagueNumber::AP, LeagueNumber::CF, LeagueNumber::LM})
        makeSpin(n, page);
    auto *grid = new QGridLayout(page);

    auto check = [page](const char *name, const char *caption) {
        auto *c = new QCheckBox(QString::fromLatin1(caption), page);
        c->setObjectName(QString::fromLatin1(name));
        return c;
    };
    m_homeWins = check("CheckBoxHP", "Home Win percentage larger than");
    m_draws = check("CheckBoxDP", "Draw percentage larger than");
    m_awayWins = check("CheckBoxAP", "Away Win percentage larger than");
    m_homeWins->setChecked(true);
    m_awayWins->setChecked(true);
    grid->addWidget(m_homeWins, 0, 0);
    grid->addWidget(spin(LeagueNumber::HP), 0, 1);
    grid->addWidget(m_draws, 1, 0);
    grid->addWidget(spin(LeagueNumber::DP), 1, 1);
    grid->addWidget(m_awayWins, 2, 0);
    grid->addWidget(spin(LeagueNumber::AP), 2, 1);
    grid->addWidget(label(QStringLiteral("Confidence percentage larger than"), spin(LeagueNumber::CF)), 3, 0);
    grid->addWidget(spin(LeagueNumber::CF), 3, 1);

    m_homeAway = new QRadioButton(QStringLiteral("Home/Away Statistics "), page);
    m_homeAway->setObjectName(QStringLiteral("RadioButtonHA"));
    m_overall = new QRadioButton(QStringLiteral("Overall Statistics "), page);
    m_overall->setObjectName(QStringLiteral("RadioButtonOV"));
    m_homeAway->setChecked(true);
    grid->addWidget(m_homeAway, 4, 0);
    grid->addWidget(m_overall, 5, 0);
    grid->addWidget(label(QStringLiteral("Last Matches"), spin(LeagueNumber::LM)), 6, 0);
    grid->addWidget(spin(LeagueNumber::LM), 6, 1);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget *TFormLeague::buildTeamsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetTeams"));
    m_teams = new QListWidget(page);
    m_teams->setObjectName(QStringLiteral("ListViewTeams"));
    auto *add = plainButton(page, QStringLiteral("ButtonAddTeam"), QStringLiteral("Add"));
    auto *edit = plainButton(page, QStringLiteral("ButtonEditTeam"), QStringLiteral("Edit"));
    auto *del = plainButton(page, QStringLiteral("ButtonDeleteTeam"), QStringLiteral("Delete"));

    auto *list = new QVBoxLayout;
    list->addWidget(label(QStringLiteral("Team"), m_teams));
    list->addWidget(m_teams);
    auto *side = new QVBoxLayout;
    for (QPushButton *b : {add, edit, del})
        side->addWidget(b);
    side->addStretch();
    auto *layout = new QHBoxLayout(page);
    layout->addLayout(list, 1);
    layout->addLayout(side);

    connect(add, &QPushButton::clicked, this, &TFormLeague::addTeam);
    connect(edit, &QPushButton::clicked, this, &TFormLeague::editTeam);
    connect(del, &QPushButton::clicked, this, &TFormLeague::deleteTeam);
    connect(m_teams, &QListWidget::itemDoubleClicked, this, &TFormLeague::editTeam);
    return page;
}

QWidget *TFormLeague::buildPlayersPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetPlayers"));
    m_team = typingChooser(page, QStringLiteral("ComboBoxTeam"));
    m_team->lineEdit()->setMaxLength(25);
    m_players = new QListWidget(page);
    m_players->setObjectName(QStringLiteral("ListViewPlayers"));
    auto *add = plainButton(page, QStringLiteral("ButtonAddPlayer"), QStringLiteral("Add"));
    auto *edit = plainButton(page, QStringLiteral("ButtonEditPlayer"), QStringLiteral("Edit"));
    auto *del = plainButton(page, QStringLiteral("ButtonDeletePlayer"), QStringLiteral("Delete"));

    auto *teamRow = new QHBoxLayout;
    teamRow->addWidget(label(QStringLiteral("Team:"), m_team));
    teamRow->addWidget(m_team, 1);
    auto *list = new QVBoxLayout;
    list->addLayout(teamRow);
    list->addWidget(label(QStringLiteral("Player"), m_players));
    list->addWidget(m_players);
    auto *side = new QVBoxLayout;
    for (QPushButton *b : {add, edit, del})
        side->addWidget(b);
    side->addStretch();
    auto *layout = new QHBoxLayout(page);
    layout->addLayout(list, 1);
    layout->addLayout(side);

    connect(m_team, &QComboBox::activated, this, &TFormLeague::ComboBoxTeamChange);
    connect(m_team->lineEdit(), &QLineEdit::returnPressed, this, &TFormLeague::ComboBoxTeamChange);
    connect(add, &QPushButton::clicked, this, &TFormLeague::addPlayer);
    connect(edit, &QPushButton::clicked, this, &TFormLeague::editPlayer);
    connect(del, &QPushButton::clicked, this, &TFormLeague::deletePlayer);
    connect(m_players, &QListWidget::itemDoubleClicked, this, &TFormLeague::editPlayer);
    return page;
}

void TFormLeague::setCurrentPage(Page page)
{
    m_pages->setCurrentIndex(static_cast<int>(page));
}

TFormLeague::Page TFormLeague::currentPage() const
{
    return static_cast<Page>(m_pages->currentIndex());
}

void TFormLeague::seasonFirstChanged(int first)
{
    QSpinBox *second = spin(LeagueNumber::SE);
    second->setValue(secondYearAfterFirstChanged(m_seasonFirst, second->value(), first));
    m_seasonFirst = first;
}

void TFormLeague::showSettings(const LeagueSettings &s)
{
    m_sport->setEditText(s.sport); // showing a sport applies none of its defaults
    m_league->setText(s.league);
    {
        // The stored years are shown as they are: the second follows only what the user changes.
        const QSignalBlocker quiet(spin(LeagueNumber::SS));
        for (int i = 0; i < LeagueNumberCount; ++i)
            m_spins[static_cast<size_t>(i)]->setValue(s[static_cast<LeagueNumber>(i)]);
    }
    m_seasonFirst = spin(LeagueNumber::SS)->value();
    m_homeWins->setChecked(s.HW);
    m_draws->setChecked(s.DR);
    m_awayWins->setChecked(s.AW);
    (s.HA ? m_homeAway : m_overall)->setChecked(true);
}

LeagueSettings TFormLeague::settings() const
{
    LeagueSettings s;
    s.sport = m_sport->currentText();
    s.league = m_league->text();
    for (int i = 0; i < LeagueNumberCount; ++i)
        s[static_cast<LeagueNumber>(i)] = m_spins[static_cast<size_t>(i)]->value();
    s.HW = m_homeWins->isChecked();
    s.DR = m_draws->isChecked();
    s.AW = m_awayWins->isChecked();
    s.HA = m_homeAway->isChecked();
    return s;
}

void TFormLeague::loadForm()
{
    if (!m_dm.isLeagueOpen())
        return;
    runCommand(messenger(), [this] {
        showSettings(ReadLeagueSettings(m_dm.ADOTableLeague));
        m_players->clear();
        m_teams->clear();
        m_team->clear();
        const QStringList names = teamNames(m_dm.ADOTableTeams);
        m_teams->addItems(names);
        m_team->addItems(names);
        m_team->setCurrentIndex(-1);
        m_team->setEditText(QString());
    });
}

void TFormLeague::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        loadForm();
}

void TFormLeague::accept()
{
    for (QSpinBox *s : m_spins)
        s->interpretText(); // a value still being typed counts, clamped
    runCommand(messenger(), [this] {
        if (SaveLeagueSettings(m_dm, settings(), messenger())) {
            Table &league = m_dm.ADOTableLeague;
            const QString season = seasonText(league);
            Q_EMIT leagueSettingsStored(league.field(QStringLiteral("League")).asString(), season);
        }
    });
    QDialog::accept();
}

void TFormLeague::ComboBoxSportChange(int listPosition)
{
    LeagueSettings s = settings();
    if (ApplySportChoice(s, m_sport->currentText(), listPosition, messenger()))
        for (int i = 0; i < LeagueNumberCount; ++i)
            m_spins[static_cast<size_t>(i)]->setValue(s[static_cast<LeagueNumber>(i)]);
}

// ---------------------------------------------------------------- Teams page

void TFormLeague::addTeam()
{
    if (!m_teamDialog)
        return;
    m_teamDialog->setWindowTitle(addTeamCaption());
    m_teamDialog->exec();
    loadForm();
}

void TFormLeague::editTeam()
{
    const QString name = selectedText(m_teams);
    if (name.isEmpty()) {
        messenger().warning(QStringLiteral("No team selected"));
        return;
    }
    if (!m_teamDialog)
        return;
    runCommand(messenger(), [&] {
        if (!locateTeam(m_dm.ADOTableTeams, name))
            return;
        m_teamDialog->setWindowTitle(editTeamCaption());
        m_teamDialog->exec();
        loadForm();
    });
}

void TFormLeague::deleteTeam()
{
    const QString name = selectedText(m_teams);
    if (name.isEmpty()) {
        messenger().warning(QStringLiteral("No team selected"));
        return;
    }
    if (messenger().question(QStringLiteral("Really delete this team?"), QString(), Messenger::Buttons::YesNo,
                             Messenger::Kind::Warning) != Messenger::Answer::Yes)
        return;
    runCommand(messenger(), [&] { DeleteTeamNamed(m_dm, name); });
    removeSelected(m_teams);
}

// ---------------------------------------------------------------- Players page

QStringList TFormLeague::teamEntries() const
{
    QStringList entries;
    for (int i = 0; i < m_team->count(); ++i)
        entries << m_team->itemText(i);
    return entries;
}

bool TFormLeague::teamChosen() const
{
    return TextCompare::containsNoCase(teamEntries(), m_team->currentText());
}

void TFormLeague::showPlayersPage()
{
    m_players->clear();
    m_team->clear();
    for (int i = 0; i < m_teams->count(); ++i)
        m_team->addItem(m_teams->item(i)->text());
    m_team->setCurrentIndex(-1);
    m_team->setEditText(QString());
}

void TFormLeague::refillPlayers()
{
    m_players->clear();
    runCommand(messenger(),
               [this] { m_players->addItems(playersOfTeam(m_dm.ADOTablePlayers, m_team->currentText())); });
}

void TFormLeague::ComboBoxTeamChange()
{
    if (!teamChosen()) {
        messenger().warning(QStringLiteral("No team selected or Invalid team"));
        return;
    }
    refillPlayers();
}

void TFormLeague::addPlayer()
{
    if (!teamChosen()) {
        messenger().warning(QStringLiteral("No team selected or invalid team"));
        return;
    }
    if (!m_playerDialog)
        return;
    m_playerDialog->setWindowTitle(addPlayerCaption());
    m_playerDialog->exec();
    refillPlayers();
}

void TFormLeague::editPlayer()
{
    if (!teamChosen()) {
        messenger().warning(QStringLiteral("No team selected or invalid team"));
        return;
    }
    const QString name = selectedText(m_players);
    if (name.isEmpty()) {
        messenger().warning(QStringLiteral("No player selected"));
        return;
    }
    if (!m_playerDialog)
        return;
    runCommand(messenger(), [&] {
        // The player is looked up over the whole table, whatever the players view's filter.
        Table &players = m_dm.ADOTablePlayers;
        ControlsDisabled quiet(players);
        {
            FilterOff all(players);
            if (locatePlayer(players, name)) {
                m_playerDialog->setWindowTitle(editPlayerCaption());
                m_playerDialog->exec();
                refillPlayers();
            }
        }
        players.first();
    });
}

void TFormLeague::deletePlayer()
{
    const QString name = selectedText(m_players);
    if (name.isEmpty()) {
        messenger().warning(QStringLiteral("No player selected"));
        return;
    }
    if (messenger().question(QStringLiteral("Really delete this player?"), QString(),
                             Messenger::Buttons::YesNo, Messenger::Kind::Warning) != Messenger::Answer::Yes)
        return;
    runCommand(messenger(), [&] { DeletePlayerNamed(m_dm, name); });
    removeSelected(m_players);
}
