#include "entry/ui/TFormEnterResults.h"
#include "data/ui/DialogParts.h"

#include "data/CommandBoundary.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/TDataMod.h"
#include "data/ui/DateFields.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/SpinField.h"
#include "entry/MatchEntry.h"
#include "entry/Odds.h"
#include "entry/ui/OddsKeyFilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

#include <functional>

namespace
{
QComboBox *chooser(QWidget *parent, const QString &name, int maxLength = 0)
{
    QComboBox *c = typingChooser(parent, name);
    c->setMaxVisibleItems(15);
    if (maxLength > 0)
        c->lineEdit()->setMaxLength(maxLength);
    return c;
}

QLabel *label(const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text, buddy->parentWidget());
    l->setBuddy(buddy);
    return l;
}

// The chooser's text with no entry selected, so that only what is typed or loaded shows.
void setChooserText(QComboBox *c, const QString &text)
{
    c->setCurrentIndex(-1);
    c->setEditText(text);
}

void fillChooser(QComboBox *c, const QStringList &items, const QString &text)
{
    const QSignalBlocker quiet(c);
    c->clear();
    c->addItems(items);
    setChooserText(c, text);
}

const char *const kRowSuffix[3] = {"1", "X", "2"};
} // namespace

TFormEnterResults::TFormEnterResults(TDataMod &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FormEnterResults"));
    setWindowTitle(addMatchCaption());
    auto *layout = new QVBoxLayout(this);
    buildMatchDetails(this, layout);
    buildOdds(this, layout);

    auto *buttons = okCancelButtons(this, true);
    layout->addWidget(buttons);
}

TFormEnterResults::~TFormEnterResults()
{
    // The children go after this part of the dialog: what they signal while they go (a chooser losing
    // the focus) must not reach it.
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}

void TFormEnterResults::buildMatchDetails(QWidget *parent, QVBoxLayout *layout)
{
    auto *details = new QGroupBox(QStringLiteral("Match Details"), parent);
    details->setObjectName(QStringLiteral("GroupBoxMatchDetails"));
    auto *grid = new QGridLayout(details);
    m_home = chooser(details, QStringLiteral("ComboBoxHome"), 25);
    m_away = chooser(details, QStringLiteral("ComboBoxAway"), 25);
    m_match = chooser(details, QStringLiteral("ComboBoxMatch"), 25);
    m_match->addItems(matchKinds());
    m_match->setCurrentText(QStringLiteral("Regular Season"));
    // The first match entered starts at today; later ones keep the date of the last use.
    m_date = new DateFields(
        {QStringLiteral("SpinEditMonth"), QStringLiteral("SpinEditDay"), QStringLiteral("SpinEditYear")},
        QDate::currentDate(), details);
    m_round = spinField(details, QStringLiteral("SpinEditRound"), 1, 999, 1);
    grid->addWidget(label(QStringLiteral("Home Team:"), m_home), 0, 0);
    grid->addWidget(m_home, 0, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Away Team:"), m_away), 1, 0);
    grid->addWidget(m_away, 1, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Match:"), m_match), 2, 0);
    grid->addWidget(m_match, 2, 1, 1, 3);
    grid->addWidget(label(Dates::fieldsLabel(), m_date), 3, 0);
    grid->addWidget(m_date, 3, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Round:"), m_round), 4, 0);
    grid->addWidget(m_round, 4, 1);
    layout->addWidget(details);

    auto *lower = new QHBoxLayout;
    auto *score = new QGroupBox(QStringLiteral("Score"), parent);
    score->setObjectName(QStringLiteral("GroupBoxScore"));
    auto *scoreGrid = new QGridLayout(score);
    m_homeScore = spinField(score, QStringLiteral("SpinEditHomeScore"), -1, 999, -1);
    m_awayScore = spinField(score, QStringLiteral("SpinEditAwayScore"), -1, 999, -1);
    m_overtime = new QCheckBox(QStringLiteral("Overtime"), score);
    m_overtime->setObjectName(QStringLiteral("CheckBoxOvertime"));
    scoreGrid->addWidget(label(QStringLiteral("Home Goals / Points:"), m_homeScore), 0, 0);
    scoreGrid->addWidget(m_homeScore, 0, 1);
    scoreGrid->addWidget(label(QStringLiteral("Away Goals / Points:"), m_awayScore), 1, 0);
    scoreGrid->addWidget(m_awayScore, 1, 1);
    scoreGrid->addWidget(new QLabel(QStringLiteral("* -1 for no score"), score), 2, 0, 1, 2);
    scoreGrid->addWidget(m_overtime, 3, 0, 1, 2);
    lower->addWidget(score);

    auto *underOver = new QGroupBox(QStringLiteral("Under/Over"), parent);
    underOver->setObjectName(QStringLiteral("GroupBoxUnderOver"));
    auto *uoGrid = new QGridLayout(underOver);
    m_underOver = new QLineEdit(underOver);
    m_underOver->setObjectName(QStringLiteral("EditUnderOver"));
    m_underOver->setMaxLength(7);
    new OddsKeyFilter(
        m_underOver, [] { return int(Odds::Decimal); }, Odds::Filter::MatchEntry);
    uoGrid->addWidget(label(QStringLiteral("Value:"), m_underOver), 0, 0);
    uoGrid->addWidget(m_underOver, 0, 1);
    uoGrid->setRowStretch(1, 1);
    lower->addWidget(underOver);
    layout->addLayout(lower);
}

void TFormEnterResults::buildOdds(QWidget *parent, QVBoxLayout *layout)
{
    auto *oddsBox = new QGroupBox(QStringLiteral("Odds"), parent);
    oddsBox->setObjectName(QStringLiteral("GroupBoxOdds"));
    auto *oddsLayout = new QVBoxLayout(oddsBox);
    const QString boxNames[3] = {QStringLiteral("GroupBoxHomeOdds"), QStringLiteral("GroupBoxDrawOdds"),
                                 QStringLiteral("GroupBoxAwayOdds")};
    for (int i = 0; i < 3; ++i) {
        OddsRow &row = m_odds[i];
        const QString suffix = QString::fromLatin1(kRowSuffix[i]);
        row.box = new QGroupBox(oddsBox);
        row.box->setObjectName(boxNames[i]);
        auto *grid = new QGridLayout(row.box);
        row.bookmaker = chooser(row.box, QStringLiteral("ComboBoxBookmaker") + suffix);
        row.bookmaker->setMinimumContentsLength(14);
        row.type = chooser(row.box, QStringLiteral("ComboBoxOddsType") + suffix);
        row.type->addItems(Odds::notationItems());
        row.type->setCurrentIndex(Odds::Decimal);
        row.odds = new QLineEdit(QStringLiteral("-"), row.box);
        row.odds->setObjectName(QStringLiteral("EditOdds") + suffix);
        row.odds->setMaxLength(7);
        new OddsKeyFilter(
            row.odds, [this, i] { return notationOf(i); }, Odds::Filter::MatchEntry);
        grid->addWidget(label(QStringLiteral("Bookmaker:"), row.bookmaker), 0, 0);
        grid->addWidget(label(QStringLiteral("Odds Type:"), row.type), 0, 1);
        grid->addWidget(label(QStringLiteral("Odds:"), row.odds), 0, 2);
        grid->addWidget(row.bookmaker, 1, 0);
        grid->addWidget(row.type, 1, 1);
        grid->addWidget(row.odds, 1, 2);
        grid->setColumnStretch(0, 1);
        oddsLayout->addWidget(row.box);

        connect(row.type, &QComboBox::activated, this, [this, i] { notationChosen(i); });
        connect(row.type->lineEdit(), &QLineEdit::textEdited, this,
                [this, i] { m_odds[i].typeTyped = true; });
        connect(row.type->lineEdit(), &QLineEdit::editingFinished, this, [this, i] { notationTyped(i); });
    }
    m_odds[1].box->setTitle(QStringLiteral("Draw (For no draw enter minus \"-\" in Odds box)"));
    layout->addWidget(oddsBox);
    // The home and away rows are captioned with the teams chosen, as they are chosen or typed.
    connect(m_home, &QComboBox::currentTextChanged, this, &TFormEnterResults::showOddsCaptions);
    connect(m_away, &QComboBox::currentTextChanged, this, &TFormEnterResults::showOddsCaptions);
    showOddsCaptions();
}

void TFormEnterResults::showOddsCaptions()
{
    m_odds[0].box->setTitle(oddsRowCaption(SnapshotSide::Home, m_home->currentText()));
    m_odds[2].box->setTitle(oddsRowCaption(SnapshotSide::Away, m_away->currentText()));
}

int TFormEnterResults::notationOf(int row) const
{
    const QComboBox *type = m_odds[row].type;
    const int typed = Odds::notationOfItem(type->currentText());
    return typed >= 0 ? typed : type->currentIndex();
}

void TFormEnterResults::notationChosen(int row)
{
    OddsRow &r = m_odds[row];
    r.typeTyped = false;
    if (Odds::notationOfItem(r.type->currentText()) < 0) {
        r.type->setCurrentIndex(Odds::Decimal);
        messenger().warning(Odds::invalidOddsTypeMessage());
        return;
    }
    r.odds->clear(); // a new notation: the price is typed anew
}

void TFormEnterResults::notationTyped(int row)
{
    OddsRow &r = m_odds[row];
    if (!r.typeTyped)
        return; // left without typing: no choice was made
    const int notation = Odds::notationOfItem(r.type->currentText());
    if (notation >= 0) {
        const QSignalBlocker quiet(r.type);
        r.type->setCurrentIndex(notation);
    }
    notationChosen(row);
}

void TFormEnterResults::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        loadForm();
}

void TFormEnterResults::loadForm()
{
    const MatchEntryMode mode = matchEntryModeOf(windowTitle());
    const auto shown = runCommand(messenger(), [&] { return ShowMatchEntry(m_dm, mode); });
    if (!shown)
        return;
    const MatchEntryForm &form = *shown;

    fillChooser(m_home, form.teams, mode == MatchEntryMode::Edit ? form.home : QString());
    fillChooser(m_away, form.teams, mode == MatchEntryMode::Edit ? form.away : QString());
    setChooserText(m_match, form.matchKind);
    m_homeScore->setValue(form.homeScore);
    m_awayScore->setValue(form.awayScore);
    m_overtime->setChecked(form.overtime);
    m_underOver->setText(form.underOver);
    // The date and the round keep the values of the last use unless a match is loaded.
    if (form.date)
        m_date->setDate(*form.date);
    if (form.round)
        m_round->setValue(*form.round);

    // The odds rows: the edited match's, or none for a new match.
    showOddsCaptions();
    for (int i = 0; i < 3; ++i) {
        OddsRow &row = m_odds[i];
        fillChooser(row.bookmaker, form.bookmakers, form.bookmaker[i]);
        {
            const QSignalBlocker quiet(row.type);
            row.type->setCurrentIndex(form.oddsType[i]);
        }
        row.typeTyped = false;
        row.odds->setText(form.odds[i]);
    }
}

MatchEntryInput TFormEnterResults::input() const
{
    MatchEntryInput in;
    in.mode = matchEntryModeOf(windowTitle());
    for (int i = 0; i < m_home->count(); ++i)
        in.teamEntries << m_home->itemText(i);
    in.home = m_home->currentText();
    in.away = m_away->currentText();
    in.matchKind = m_match->currentText();
    in.year = m_date->year()->value();
    in.month = m_date->month()->value();
    in.day = m_date->day()->value();
    in.round = m_round->value();
    in.homeScore = m_homeScore->value();
    in.awayScore = m_awayScore->value();
    in.overtime = m_overtime->isChecked();
    in.underOver = m_underOver->text();
    for (int i = 0; i < 3; ++i) {
        in.odds[i] = m_odds[i].odds->text();
        in.oddsType[i] = notationOf(i);
        in.bookmaker[i] = m_odds[i].bookmaker->currentText();
    }
    return in;
}

void TFormEnterResults::accept()
{
    m_date->interpretText(); // a date still being typed counts
    // A refused match leaves the dialog open with everything as typed, to be mended, not typed again.
    const std::optional<bool> stored =
        runCommand(messenger(), [this] { return SaveMatch(m_dm, input(), messenger()); });
    if (stored.value_or(false))
        QDialog::accept();
}
