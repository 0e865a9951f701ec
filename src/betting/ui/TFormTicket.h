#pragma once
// The ticket dialog: the current ticket of the ticket manager with its bets, its money fields and its
// status ("New Ticket" or "Edit Ticket").  The money fields and the status write into the ticket row as
// they are changed and stay pending there until OK, the ticket manager's Save or a move to another
// ticket stores them; "Calculate Payout and Profit" computes and stores the payout and the profit, with
// the total price and the status the bets give (CalculatePayoutAndProfit of Tickets.h).  OK
// stores the date and asks the ticket manager to refresh its statistics; the dialog then closes, also
// after a date that does not exist (which is not stored).

#include <QDialog>

class DataGrid;
class DateFields;
class QComboBox;
class QLineEdit;
class TFormBet;
class TicketBook;

class TFormTicket final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormTicket(TicketBook &book, QWidget *parent = nullptr);

    static QString newCaption() { return QStringLiteral("New Ticket"); }
    static QString editCaption() { return QStringLiteral("Edit Ticket"); }

    TFormBet *betDialog() const { return m_betDialog; }
    // What showing the dialog does; tests call it directly.
    void loadForm();

public Q_SLOTS:
    void accept() override;
    void addBet();
    void editBet();
    void deleteBet();
    void calculate();

Q_SIGNALS:
    void statisticsChanged(); // after OK: the ticket manager refreshes its statistics

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showMoney();
    void moneyTyped(QLineEdit *field, const QString &column);
    void statusTyped();

    TicketBook &m_book;
    TFormBet *m_betDialog;
    DataGrid *m_bets;
    DateFields *m_date;
    QComboBox *m_status;
    QList<std::pair<QLineEdit *, QString>> m_money; // field, column
    bool m_loading = false;
};
