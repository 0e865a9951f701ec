#include "betting/ui/TFormBet.h"

#include "betting/TicketBook.h"
#include "betting/Tickets.h"
#include "data/CommandBoundary.h"
#include "data/Dates.h"
#include "data/ui/DateFields.h"
#include "data/ui/GuiMessenger.h"
#include "entry/ui/OddsKeyFilter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QShowEvent>
#include <QSpinBox>

namespace
{
QComboBox *chooser(QWidget *parent, const QString &name, const QStringList &items = {})
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    c->setMinimumContentsLength(20);
    return c;
}
} // namespace

TFormBet::TFormBet(TicketBook &book, QWidget *parent) : QDialog(parent), m_book(book)
{
    setObjectName(QStringLiteral("FormBet"));
    setWindowTitle(addCaption());
    setModal(true);
    auto *form = new QFormLayout(this);

    m_date = new DateFields(
        {QStringLiteral("SpinEditM"), QStringLiteral("SpinEditD"), QStringLiteral("SpinEditY")},
        QDate::currentDate(), this);
    form->addRow(Dates::fieldsLabel(), m_date);

    m_event = chooser(this, QStringLiteral("ComboBoxEvent"));
    m_home = chooser(this, QStringLiteral("ComboBoxHome"));
    m_away = chooser(this, QStringLiteral("ComboBoxAway"));
    m_bet = chooser(this, QStringLiteral("ComboBoxBet"), betTypeItems());
    m_oddsType = chooser(this, QStringLiteral("ComboBoxOddsType"), Odds::notationItems());
    m_price = new QLineEdit(this);
    m_price->setObjectName(QStringLiteral("EditPrice"));
    m_price->setMaxLength(6);
    new OddsKeyFilter(
        m_price, [this] { return notation(); }, Odds::Filter::BetDialog);
    m_result = chooser(this, QStringLiteral("ComboBoxResult"), settlementItems());
    form->addRow(QStringLiteral("Event:"), m_event);
    form->addRow(QStringLiteral("Competitor 1:"), m_home);
    form->addRow(QStringLiteral("Competitor 2:"), m_away);
    form->addRow(QStringLiteral("Bet:"), m_bet);
    form->addRow(QStringLiteral("Odds Type:"), m_oddsType);
    form->addRow(QStringLiteral("Price:"), m_price);
    form->addRow(QStringLiteral("Result:"), m_result);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormBet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TFormBet::reject);
    connect(m_event, &QComboBox::activated, this, &TFormBet::eventChosen);
    connect(m_oddsType, &QComboBox::activated, this, &TFormBet::notationChosen);
    connect(m_oddsType->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (m_oddsType->currentText() != m_oddsType->itemText(m_oddsType->currentIndex()))
            notationChosen();
    });
}

void TFormBet::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        loadForm();
}

void TFormBet::loadForm()
{
    m_event->clear();
    m_home->clear();
    m_away->clear();
    m_price->clear();
    m_result->setCurrentIndex(settlementItems().indexOf(QStringLiteral("Undecided")));
    runCommand(messenger(), [this] { m_event->addItems(rememberedEvents(m_book)); });
    m_event->setCurrentIndex(-1);
    m_event->setEditText(QString());
    if (windowTitle() != editCaption())
        return;
    const BetInput in = currentBet(m_book);
    m_date->month()->setValue(in.month);
    m_date->day()->setValue(in.day);
    m_date->year()->setValue(in.year);
    m_event->setEditText(in.event);
    m_home->setEditText(in.home);
    m_away->setEditText(in.away);
    m_bet->setEditText(in.bet);
    m_oddsType->setCurrentIndex(in.notation);
    m_price->setText(in.price);
    m_result->setEditText(in.result);
}

void TFormBet::eventChosen()
{
    m_home->clear();
    m_away->clear();
    QStringList names;
    runCommand(messenger(), [&] { names = rememberedCompetitors(m_book, m_event->currentText()); });
    m_home->addItems(names);
    m_away->addItems(names);
    m_home->setEditText(QString());
    m_away->setEditText(QString());
}

void TFormBet::notationChosen()
{
    const int typed = Odds::notationOfItem(m_oddsType->currentText());
    if (typed < 0) {
        m_oddsType->setCurrentIndex(Odds::Decimal);
        messenger().warning(Odds::invalidOddsTypeMessage());
        return;
    }
    m_oddsType->setCurrentIndex(typed);
    m_price->clear(); // a new notation: the price is typed anew
}

int TFormBet::notation() const
{
    const int typed = Odds::notationOfItem(m_oddsType->currentText());
    return typed >= 0 ? typed : m_oddsType->currentIndex();
}

BetInput TFormBet::input() const
{
    BetInput in;
    in.add = windowTitle() == addCaption();
    in.month = m_date->month()->value();
    in.day = m_date->day()->value();
    in.year = m_date->year()->value();
    in.event = m_event->currentText();
    in.home = m_home->currentText();
    in.away = m_away->currentText();
    in.bet = m_bet->currentText();
    in.notation = notation();
    in.price = m_price->text();
    in.result = m_result->currentText();
    return in;
}

void TFormBet::accept()
{
    m_date->interpretText();
    bool stored = false;
    runCommand(messenger(), [&] { stored = StoreBet(m_book, input(), messenger()); });
    if (stored)
        QDialog::accept();
}
