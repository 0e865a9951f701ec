#include "predict/ui/TFormTip.h"

#include "data/CommandBoundary.h"
#include "data/PlayerLineups.h"
#include "data/TDataMod.h"
#include "data/TeamNames.h"
#include "data/TextCompare.h"
#include "data/ui/DialogParts.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/SpinField.h"
#include "predict/PredictionCommands.h"
#include "predict/ui/BettingSystemControls.h"
#include "predict/ui/TFormTipResult.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace
{

QStringList itemsOf(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void setItems(QListWidget *list, const QStringList &items)
{
    list->clear();
    list->addItems(items);
}

QStringList chooserEntries(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace

TFormTip::TFormTip(TDataMod &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FormTip"));
    setWindowTitle(QStringLiteral("Match Prediction Options"));
    m_home.caption = QStringLiteral("Home Team");
    m_away.caption = QStringLiteral("Away Team");
    auto *layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControlTip"));
    m_pages->addTab(buildTeamsPage(), QStringLiteral("Teams / Betting System"));
    m_pages->addTab(buildPlayersPage(), QStringLiteral("Players / Line-Ups"));
    layout->addWidget(m_pages);
    layout->addWidget(okCancelButtons(this, true));
    lineupsToggled();
}

void TFormTip::buildSide(Side &side, const QString &prefix)
{
    side.team = typingChooser(this, QStringLiteral("ComboBox") + prefix);
    side.team->setMaxVisibleItems(15);
    side.team->lineEdit()->setMaxLength(25);
    side.team->setMinimumContentsLength(20);
    connect(side.team, &QComboBox::currentTextChanged, this, [this, &side] { teamChosen(side); });
    side.handicapLabel = new QLabel(side.caption + QLatin1Char(':'), this);
    side.handicap = new QLineEdit(QStringLiteral("0"), this);
    side.handicap->setObjectName(QStringLiteral("EditHC") + prefix.left(1));
    side.handicap->installEventFilter(this);
    // An emptied field reads 0.
    connect(side.handicap, &QLineEdit::textChanged, this, [field = side.handicap](const QString &text) {
        if (text.isEmpty())
            field->setText(QStringLiteral("0"));
    });
    side.strengthLabel = new QLabel(side.caption + QLatin1Char(':'), this);
    side.strength = spinField(this, QStringLiteral("SpinEditTS") + prefix.left(1), 1, 200, 100);
}

QWidget *TFormTip::buildTeamsPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheetTeams"));
    auto *grid = new QGridLayout(page);
    buildSide(m_home, QStringLiteral("Home"));
    buildSide(m_away, QStringLiteral("Away"));
    grid->addWidget(new QLabel(QStringLiteral("Home Team:"), page), 0, 0);
    grid->addWidget(m_home.team, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Away Team:"), page), 1, 0);
    grid->addWidget(m_away.team, 1, 1);

    m_useHandicap = new QCheckBox(QStringLiteral("Handicap / Spread"), page);
    m_useHandicap->setObjectName(QStringLiteral("CheckBoxHandicap"));
    grid->addWidget(m_useHandicap, 2, 0, 1, 2);
    grid->addWidget(m_home.handicapLabel, 3, 0);
    grid->addWidget(m_home.handicap, 3, 1);
    grid->addWidget(m_away.handicapLabel, 4, 0);
    grid->addWidget(m_away.handicap, 4, 1);

    m_lineups = new QCheckBox(QStringLiteral("Players / Line-ups"), page);
    m_lineups->setObjectName(QStringLiteral("CheckBoxLineups"));
    connect(m_lineups, &QCheckBox::toggled, this, &TFormTip::lineupsToggled);
    grid->addWidget(m_lineups, 5, 0, 1, 2);

    m_useStrength = new QCheckBox(QStringLiteral("Team Strength (%)"), page);
    m_useStrength->setObjectName(QStringLiteral("CheckBoxTeamStrength"));
    grid->addWidget(m_useStrength, 6, 0, 1, 2);
    grid->addWidget(m_home.strengthLabel, 7, 0);
    grid->addWidget(m_home.strength, 7, 1);
    grid->addWidget(m_away.strengthLabel, 8, 0);
    grid->addWidget(m_away.strength, 8, 1);

    auto *title = new QLabel(QStringLiteral("Betting System"), page);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    grid->addWidget(title, 0, 2);
    m_system = new BettingSystemControls({QStringLiteral("Home win percentage probability larger than"),
                                          QStringLiteral("Draw percentage probability larger than"),
                                          QStringLiteral("Away win percentage probability larger than")},
                                         page);
    grid->addWidget(m_system, 1, 2, 8, 1, Qt::AlignTop);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget *TFormTip::buildPlayersPanel(Side &side, const QString &prefix)
{
    side.panel = new QGroupBox(side.caption, this);
    side.panel->setObjectName(QStringLiteral("Panel") + prefix + QStringLiteral("Players"));
    auto *grid = new QGridLayout(side.panel);
    side.in = new QListWidget(side.panel);
    side.in->setObjectName(QStringLiteral("ListBox") + prefix + QStringLiteral("In"));
    side.out = new QListWidget(side.panel);
    side.out->setObjectName(QStringLiteral("ListBox") + prefix + QStringLiteral("Out"));
    grid->addWidget(new QLabel(QStringLiteral("In"), side.panel), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Out"), side.panel), 0, 2);
    grid->addWidget(side.in, 1, 0);
    grid->addWidget(side.out, 1, 2);
    auto *buttons = new QVBoxLayout;
    struct Button {
        const char *name, *caption, *hint;
        bool toOut, all;
    };
    const Button defs[] = {{"ButtonOut", "-->", "Move to Out list", true, false},
                           {"ButtonIn", "<--", "Move to In list", false, false},
                           {"ButtonAllOut", "->>", "Remove all", true, true},
                           {"ButtonAllIn", "<<-", "Add all", false, true}};
    for (const Button &d : defs) {
        QPushButton *b =
            plainButton(side.panel, QLatin1String(d.name) + prefix, QString::fromLatin1(d.caption));
        b->setToolTip(QString::fromLatin1(d.hint));
        const bool toOut = d.toOut, all = d.all;
        connect(b, &QPushButton::clicked, this,
                [this, &side, toOut, all] { all ? moveAll(side, toOut) : movePlayer(side, toOut); });
        buttons->addWidget(b);
        side.buttons << b;
    }
    buttons->addStretch();
    grid->addLayout(buttons, 1, 1);
    return side.panel;
}

QWidget *TFormTip::buildPlayersPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheetPlayers"));
    auto *layout = new QHBoxLayout(page);
    layout->addWidget(buildPlayersPanel(m_home, QStringLiteral("Home")));
    layout->addWidget(buildPlayersPanel(m_away, QStringLiteral("Away")));
    return page;
}

void TFormTip::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        reload();
}

void TFormTip::reload()
{
    for (Side *side : {&m_home, &m_away}) {
        side->panel->setTitle(side->caption);
        side->handicapLabel->setText(side->caption + QLatin1Char(':'));
        side->strengthLabel->setText(side->caption + QLatin1Char(':'));
        const QSignalBlocker quiet(side->team);
        side->team->clear();
        side->team->setEditText(QString());
    }
    if (m_dm.isLeagueOpen()) {
        runCommand(messenger(), [this] {
            QStringList teams = readTeamNamesByName(m_dm.ADOConnection);
            TextCompare::sortNoCase(teams);
            for (Side *side : {&m_home, &m_away}) {
                const QSignalBlocker quiet(side->team);
                side->team->addItems(teams);
                side->team->setEditText(QString());
            }
            m_system->setOptions(loadPredictionOptions(m_dm));
        });
    }
    lineupsToggled();
    // Chosen as if picked from the list: the labels and line-ups follow.
    const std::pair<Side *, QString> match[] = {{&m_home, m_matchHome}, {&m_away, m_matchAway}};
    for (const auto &[side, team] : match)
        if (const int entry = TextCompare::indexOfNoCase(chooserEntries(side->team), team);
            !team.isEmpty() && entry >= 0)
            side->team->setCurrentIndex(entry);
}

void TFormTip::setMatch(const QString &home, const QString &away)
{
    m_matchHome = home;
    m_matchAway = away;
}

void TFormTip::lineupsToggled()
{
    const bool on = m_lineups->isChecked();
    for (Side *side : {&m_home, &m_away}) {
        for (QPushButton *b : side->buttons)
            b->setEnabled(on);
        if (on)
            fillLists(*side);
        else {
            side->in->clear();
            side->out->clear();
        }
    }
}

bool TFormTip::isEntry(const Side &side) const
{
    return TextCompare::containsNoCase(chooserEntries(side.team), side.team->currentText());
}

void TFormTip::teamChosen(Side &side)
{
    side.in->clear();
    side.out->clear();
    if (!isEntry(side))
        return;
    const QString name = side.team->currentText();
    side.panel->setTitle(name);
    side.handicapLabel->setText(name + QLatin1Char(':'));
    side.strengthLabel->setText(name + QLatin1Char(':'));
    if (m_lineups->isChecked())
        fillLists(side);
}

void TFormTip::fillLists(Side &side)
{
    side.in->clear();
    side.out->clear();
    if (!m_dm.isLeagueOpen() || !isEntry(side))
        return;
    runCommand(messenger(), [this, &side] {
        const LineupLists lists = readLineupLists(m_dm.ADOConnection, side.team->currentText());
        setItems(side.in, lists.in);
        setItems(side.out, lists.out);
    });
}

void TFormTip::movePlayer(Side &side, bool toOut)
{
    QListWidget *from = toOut ? side.in : side.out;
    QListWidget *to = toOut ? side.out : side.in;
    QStringList source = itemsOf(from), target = itemsOf(to);
    const int selected = from->currentItem() && from->currentItem()->isSelected() ? from->currentRow() : -1;
    runCommand(messenger(), [&] {
        if (m_dm.SetPlayerInOut(source, target, selected, side.team->currentText(),
                                toOut ? QStringLiteral("IN") : QStringLiteral("OUT"),
                                toOut ? QStringLiteral("OUT") : QStringLiteral("IN"), messenger())) {
            setItems(from, source);
            setItems(to, target);
        }
    });
}

void TFormTip::moveAll(Side &side, bool toOut)
{
    QListWidget *from = toOut ? side.in : side.out;
    QListWidget *to = toOut ? side.out : side.in;
    QStringList source = itemsOf(from), target = itemsOf(to);
    // Each player's move is stored as it is made: the lists show what was stored, also after a failure.
    runCommand(messenger(), [&] {
        m_dm.SetAllPlayersInOut(source, target, side.team->currentText(),
                                toOut ? QStringLiteral("OUT") : QStringLiteral("IN"));
    });
    setItems(from, source);
    setItems(to, target);
}

bool TFormTip::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (field && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        // Only typed characters are filtered; Backspace, arrows and shortcuts pass.
        if (text.size() == 1 && text.at(0).isPrint() && !(key->modifiers() & Qt::ControlModifier) &&
            !handicapKeyAccepted(field->text(), field->cursorPosition(), text.at(0)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

TipChoice TFormTip::choice() const
{
    TipChoice c;
    c.home = m_home.team->currentText();
    c.away = m_away.team->currentText();
    c.options = m_system->options();
    if (m_useHandicap->isChecked()) {
        c.handicapHome = handicapOf(m_home.handicap->text());
        c.handicapAway = handicapOf(m_away.handicap->text());
    }
    if (m_useStrength->isChecked()) {
        c.strengthHome = m_home.strength->value();
        c.strengthAway = m_away.strength->value();
    }
    c.lineups = m_lineups->isChecked();
    return c;
}

void TFormTip::accept()
{
    const QString home = m_home.team->currentText(), away = m_away.team->currentText();
    if (TextCompare::equalNoCase(home, away)) { // one team, whatever the letter case
        messenger().warning(QStringLiteral("Home team cannot equal Away team"));
        return;
    }
    if (!isEntry(m_home)) {
        messenger().warning(QStringLiteral("Home team not selected"));
        return;
    }
    if (!isEntry(m_away)) {
        messenger().warning(QStringLiteral("Away team not selected"));
        return;
    }
    // A handicap that does not read is named here, and the result window does not open.
    TipChoice c;
    try {
        c = choice();
    } catch (const QuorvaneError &e) {
        messenger().warning(e.message());
        return;
    }
    if (m_result && m_result->prepare(c))
        m_result->exec();
}
