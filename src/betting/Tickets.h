#pragma once
// Tickets of the ticket manager: numbering, adding, deleting with their bets, the payout and profit
// calculation, the ticket's date and the date filter of the ticket list.

#include <QDate>
#include <QString>
#include <QStringList>

class Messenger;
class Table;
class TicketBook;

// The settlements a ticket or a bet can have, in the choosers' order: "Won", "Lost", "Undecided",
// "Cancelled".
const QStringList &settlementItems();

struct TicketMoney {
    double payout = 0;
    double profit = 0;
};

// Payout is stake times total price whatever the status.  Profit: "Won" payout - stake - fee; "Lost" and
// "Undecided" -stake - fee (an undecided ticket is booked as lost until it is settled); "Cancelled"
// -fee; any other text keeps the profit it had.  The status is compared exactly.
TicketMoney PayoutAndProfit(const QString &status, double stake, double totalPrice, double fee,
                            double profit);

// Runs PayoutAndProfit on the current ticket (its pending edits included) and stores the row.
void CalculatePayoutAndProfit(Table &tickets);

// One more than the largest ticket number of the file, whatever the date filter; 0 for the first.
int NewTicketNumber(Table &tickets);

// Appends and stores a new ticket dated date (stake 1, status "Undecided", the rest 0); it becomes the
// current ticket.  Returns its number.
int NewTicket(TicketBook &book, const QDate &date);

// Asks "Delete ticket?" (caption "Delete", Yes, No and Cancel) and on Yes deletes the current ticket
// with its bets in one transaction.  Returns whether it was deleted; a failure is told and changes
// nothing.
bool DeleteTicket(TicketBook &book, Messenger &messenger);

// Stores the current ticket's date.  DateError, before anything is written, when the three numbers
// form no date.
void StoreTicketDate(Table &tickets, int month, int day, int year);

// The six fields of the date filter, as numbers standing in them.
struct TicketDateFilter {
    int startMonth = 1, startDay = 1, startYear = 2004;
    int endMonth = 1, endDay = 1, endYear = 2004;

    // "DateP >= m/d/yyyy AND DateP <= m/d/yyyy", the numbers as they stand (no leading zeros); both
    // ends included.
    QString text() const;
    // The first and last day; DatabaseError naming the filter text when either is no date, as the
    // filter itself refuses it.
    QDate first() const;
    QDate last() const;
};

// Switches the date filter of the ticket list on with the fields' text, or off.  A text that is not a
// date raises DatabaseError and leaves the filter off.
void ApplyTicketDateFilter(TicketBook &book, const TicketDateFilter *filter);
