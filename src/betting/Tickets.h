#pragma once
// Tickets of the ticket manager: numbering, adding, deleting with their bets, the payout and profit
// calculation, the ticket's date and the date filter of the ticket list.

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

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

// A money field of the ticket dialog as typed: blank reads 0 (nothing given, as an empty total price
// is), anything else a real in the locale's notation (ConversionError when it is none).
double ticketAmount(const QString &text);

// Puts an amount typed into the ticket dialog's field of column (Stake, TPrice, Payout, Fee, Profit) on
// the current ticket as a pending edit.  A text that does not read raises ConversionError; an amount the
// field cannot take (TicketAmounts::refusal) is told through the messenger as a warning and returns
// false, the row unchanged.
bool SetTicketAmount(Table &tickets, const QString &column, const QString &text, Messenger &messenger);

// Runs PayoutAndProfit on the current ticket (its pending edits included) with the total price and the
// status it holds, and stores the row.  A stake, fee or total price the ticket's fields could not take
// (a file written before they were checked) is refused with QuorvaneError before anything is written.
void CalculatePayoutAndProfit(Table &tickets);

// A bet of a ticket as the ticket's settlement sees it: its price as typed and its result.
struct TicketLeg {
    QString price;
    QString result;
};

// What the bets of a ticket say about it.  A ticket is an accumulator: every bet must win.
struct LegsVerdict {
    // The product of the decimal prices of the bets that stand, rounded to two decimals; a cancelled
    // bet stands at 1, as a void leg does.  None without bets, or when a bet that stands has no price.
    std::optional<double> totalPrice;
    // "Lost" as soon as one bet is lost; with every bet settled, "Won" when none is lost, or "Cancelled"
    // when every bet is.  None while a bet is undecided or holds any other text (compared exactly).
    std::optional<QString> status;
};
// ConversionError for a price that does not read.
LegsVerdict JudgeLegs(const QList<TicketLeg> &legs, const QLocale &locale = QLocale());

// "Calculate Payout and Profit" of the ticket dialog, on the current ticket with its pending edits: a
// total price that is empty or 0 becomes the one its bets give, the status follows the bets once they
// decide it (JudgeLegs), then PayoutAndProfit; the row is stored in one transaction.  A price that does
// not read raises ConversionError, a total price of the bets above the largest price or an amount the
// ticket cannot take QuorvaneError; then nothing is stored and the pending edits stay.
void CalculatePayoutAndProfit(TicketBook &book);

// One more than the largest ticket number of the file, whatever the date filter; 1 for the first.
int NewTicketNumber(Table &tickets);

// Appends and stores a new ticket dated date (stake 1, status "Undecided", the rest 0); it becomes the
// current ticket.  Returns its number.
int NewTicket(TicketBook &book, const QDate &date);

// Deletes ticket number `number` with its bets in one transaction, without asking: a new ticket whose
// dialog was cancelled leaves nothing behind.  Nothing happens when there is no such ticket.
void DiscardTicket(TicketBook &book, int number);

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
