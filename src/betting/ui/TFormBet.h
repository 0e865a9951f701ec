#pragma once
// The bet dialog: adds a bet to the current ticket ("Add Bet") or overwrites the current bet ("Edit
// Bet"), as its caption says.  OK hands the controls to StoreBet; the dialog stays open after a warning
// or an error and closes only when the bet is stored.  With "Add Bet" the date, the bet type and the
// odds type keep the values they had when the dialog was last closed.

#include "betting/Bets.h"

#include <QDialog>

class DateFields;
class QComboBox;
class QLineEdit;
class TicketBook;

class TFormBet final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormBet(TicketBook &book, QWidget *parent = nullptr);

    static QString addCaption() { return QStringLiteral("Add Bet"); }
    static QString editCaption() { return QStringLiteral("Edit Bet"); }

    // What showing the dialog does; tests call it directly.
    void loadForm();
    BetInput input() const;

public Q_SLOTS:
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void eventChosen();
    void notationChosen();
    int notation() const;

    TicketBook &m_book;
    DateFields *m_date;
    QComboBox *m_event, *m_home, *m_away, *m_bet, *m_oddsType, *m_result;
    QLineEdit *m_price;
};
