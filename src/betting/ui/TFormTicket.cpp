#include "betting/ui/TFormTicket.h"
#include "data/ui/DialogParts.h"

#include "betting/TicketBook.h"
#include "betting/TicketGrids.h"
#include "betting/Tickets.h"
#include "betting/ui/SettlementGrid.h"
#include "betting/ui/TFormBet.h"
#include "data/CommandBoundary.h"
#include "data/Dates.h"
#include "data/Numbers.h"
#include "data/ui/DateFields.h"
#include "data/ui/GuiMessenger.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

TFormTicket::TFormTicket(TicketBook &book, QWidget *parent)
    : QDialog(parent), m_book(book), m_betDialog(new TFormBet(book, this))
{
    setObjectName(QStringLiteral("FormTicket"));
    setWindowTitle(newCaption());
    setModal(true);
    // Closed by OK or Cancel only.
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint);
    auto *layout = new QVBoxLayout(this);

    m_bets = settlementGrid(book.ADOTableBets, betGridColumns(), QStringLiteral("DBGridBets"), this);
    m_bets->setMinimumSize(640, 160);
    layout->addWidget(m_bets);

    auto *middle = new QHBoxLayout;
    auto *left = new QFormLayout;
    m_date = new DateFields(
        {QStringLiteral("SpinEditM"), QStringLiteral("SpinEditD"), QStringLiteral("SpinEditY")},
        QDate::currentDate(), this);
    left->addRow(Dates::fieldsLabel(), m_date);
    m_status = new QComboBox(this);
    m_status->setObjectName(QStringLiteral("ComboBoxStatus"));
    m_status->setEditable(true);
    m_status->setInsertPolicy(QComboBox::NoInsert);
    m_status->addItems(settlementItems());
    left->addRow(QStringLiteral("Status:"), m_status);
    middle->addLayout(left);

    auto *right = new QFormLayout;
    const std::pair<const char *, const char *> fields[] = {{"Stake:", "Stake"},
                                                            {"Total Price:", "TPrice"},
                                                            {"Payout:", "Payout"},
                                                            {"Fee:", "Fee"},
                                                            {"Profit:", "Profit"}};
    for (const auto &[caption, column] : fields) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("DBEdit") + QString::fromLatin1(column));
        right->addRow(QString::fromLatin1(caption), edit);
        const QString col = QString::fromLatin1(column);
        m_money.append({edit, col});
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, col] { moneyTyped(edit, col); });
    }
    middle->addLayout(right);
    layout->addLayout(middle);

    auto *buttons = new QHBoxLayout;
    auto *add = plainButton(this, QStringLiteral("ButtonAddBet"), QStringLiteral("Add Bet"));
    auto *edit = plainButton(this, QStringLiteral("ButtonEditBet"), QStringLiteral("Edit Bet"));
    auto *del = plainButton(this, QStringLiteral("ButtonDeleteBet"), QStringLiteral("Delete Bet"));
    auto *calc =
        plainButton(this, QStringLiteral("ButtonCalculate"), QStringLiteral("Calculate Payout and Profit"));
    for (QPushButton *b : {add, edit, del, calc})
        buttons->addWidget(b);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addWidget(box);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &TFormTicket::addBet);
    connect(edit, &QPushButton::clicked, this, &TFormTicket::editBet);
    connect(del, &QPushButton::clicked, this, &TFormTicket::deleteBet);
    connect(calc, &QPushButton::clicked, this, &TFormTicket::calculate);
    connect(box, &QDialogButtonBox::accepted, this, &TFormTicket::accept);
    connect(box, &QDialogButtonBox::rejected, this, &TFormTicket::reject);
    connect(m_bets, &DataGrid::insertPressed, this, &TFormTicket::addBet);
    connect(m_bets, &DataGrid::editRequested, this, &TFormTicket::editBet);
    connect(m_status, &QComboBox::currentTextChanged, this, &TFormTicket::statusTyped);
}

void TFormTicket::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        loadForm();
}

void TFormTicket::loadForm()
{
    Table &t = m_book.ADOTableTs;
    if (!t.isActive() || t.isEmpty())
        return;
    m_date->setDate(t.field(QStringLiteral("DateP")).asDate());
    showMoney();
}

void TFormTicket::showMoney()
{
    Table &t = m_book.ADOTableTs;
    const QScopedValueRollback<bool> loading(m_loading, true);
    for (const auto &[field, column] : m_money)
        field->setText(Numbers::formatGeneral(t.field(column).asFloat()));
    m_status->setEditText(t.field(QStringLiteral("Status")).asString());
}

void TFormTicket::moneyTyped(QLineEdit *field, const QString &column)
{
    if (m_loading || !field->isModified())
        return;
    field->setModified(false);
    Table &t = m_book.ADOTableTs;
    bool set = false;
    runCommand(messenger(), [&] { set = SetTicketAmount(t, column, field->text(), messenger()); });
    if (!set) { // the field shows what the ticket holds, not the amount it refused
        const QScopedValueRollback<bool> loading(m_loading, true);
        field->setText(Numbers::formatGeneral(t.field(column).asFloat()));
    }
}

void TFormTicket::statusTyped()
{
    if (m_loading)
        return;
    runCommand(messenger(), [this] {
        Table &t = m_book.ADOTableTs;
        if (t.field(QStringLiteral("Status")).asString() == m_status->currentText())
            return;
        t.edit();
        t.field(QStringLiteral("Status")).setString(m_status->currentText());
    });
}

void TFormTicket::addBet()
{
    m_betDialog->setWindowTitle(TFormBet::addCaption());
    m_betDialog->exec();
}

void TFormTicket::editBet()
{
    if (m_book.ADOTableBets.isEmpty())
        return;
    m_betDialog->setWindowTitle(TFormBet::editCaption());
    m_betDialog->exec();
}

void TFormTicket::deleteBet()
{
    Table &bets = m_book.ADOTableBets;
    if (bets.isEmpty())
        return;
    if (messenger().question(QStringLiteral("Delete bet?"), QStringLiteral("Delete"),
                             Messenger::Buttons::YesNo) != Messenger::Answer::Yes)
        return;
    runCommand(messenger(), [&bets] { bets.deleteRecord(); });
}

void TFormTicket::calculate()
{
    for (const auto &[field, column] : m_money)
        moneyTyped(field, column); // a value still being typed counts
    runCommand(messenger(), [this] { CalculatePayoutAndProfit(m_book); });
    showMoney();
}

void TFormTicket::accept()
{
    for (const auto &[field, column] : m_money)
        moneyTyped(field, column);
    m_date->interpretText();
    runCommand(messenger(), [this] {
        StoreTicketDate(m_book.ADOTableTs, m_date->month()->value(), m_date->day()->value(),
                        m_date->year()->value());
    });
    Q_EMIT statisticsChanged();
    QDialog::accept();
}
