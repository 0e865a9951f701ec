#include "betting/Tickets.h"

#include "betting/TicketAmounts.h"
#include "betting/TicketBook.h"
#include "data/CommandBoundary.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/GridCommands.h"
#include "data/Messenger.h"
#include "data/Numbers.h"
#include "entry/Odds.h"

namespace
{
QString dateText(int month, int day, int year)
{
    return QString::number(month) + QLatin1Char('/') + QString::number(day) + QLatin1Char('/') +
           QString::number(year);
}

// The stake, fee and total price of the current ticket (pending edits included), refused as their fields
// would refuse them.
void checkTicketMoney(Table &tickets)
{
    for (const char *column : {"Stake", "Fee", "TPrice"})
        TicketAmounts::checked(QString::fromLatin1(column),
                               tickets.field(QString::fromLatin1(column)).asFloat());
}

QDate filterDate(const TicketDateFilter &f, int month, int day, int year)
{
    const QDate d(year, month, day);
    if (!d.isValid())
        throw DatabaseError(QStringLiteral("The filter text '%1' cannot be read.").arg(f.text()));
    return d;
}
} // namespace

const QStringList &settlementItems()
{
    static const QStringList items = {QStringLiteral("Won"), QStringLiteral("Lost"),
                                      QStringLiteral("Undecided"), QStringLiteral("Cancelled")};
    return items;
}

TicketMoney PayoutAndProfit(const QString &status, double stake, double totalPrice, double fee, double profit)
{
    TicketMoney m;
    m.payout = stake * totalPrice;
    m.profit = profit;
    if (status == QLatin1String("Won"))
        m.profit = (m.payout - stake) - fee;
    else if (status == QLatin1String("Lost") || status == QLatin1String("Undecided"))
        m.profit = -stake - fee;
    else if (status == QLatin1String("Cancelled"))
        m.profit = -fee;
    return m;
}

double ticketAmount(const QString &text)
{
    return text.trimmed().isEmpty() ? 0.0 : Numbers::parseReal(text);
}

bool SetTicketAmount(Table &tickets, const QString &column, const QString &text, Messenger &messenger)
{
    const double value = ticketAmount(text);
    if (const std::optional<QString> why = TicketAmounts::refusal(column, value)) {
        messenger.warning(*why);
        return false;
    }
    tickets.edit();
    tickets.field(column).setFloat(value);
    return true;
}

void CalculatePayoutAndProfit(Table &tickets)
{
    if (!tickets.isActive() || tickets.isEmpty())
        return;
    checkTicketMoney(tickets); // before the transaction, whose rollback would drop the pending edits
    Transaction tx(*tickets.database());
    tickets.edit();
    const TicketMoney m = PayoutAndProfit(
        tickets.field(QStringLiteral("Status")).asString(), tickets.field(QStringLiteral("Stake")).asFloat(),
        tickets.field(QStringLiteral("TPrice")).asFloat(), tickets.field(QStringLiteral("Fee")).asFloat(),
        tickets.field(QStringLiteral("Profit")).asFloat());
    tickets.field(QStringLiteral("Payout")).setFloat(m.payout);
    tickets.field(QStringLiteral("Profit")).setFloat(m.profit);
    tickets.post();
    tx.commit();
}

LegsVerdict JudgeLegs(const QList<TicketLeg> &legs, const QLocale &locale)
{
    LegsVerdict v;
    if (legs.isEmpty())
        return v;
    double product = 1;
    bool priced = true, lost = false, open = false, allCancelled = true;
    for (const TicketLeg &leg : legs) {
        const bool cancelled = leg.result == QLatin1String("Cancelled");
        lost = lost || leg.result == QLatin1String("Lost");
        open =
            open || (!cancelled && leg.result != QLatin1String("Won") && leg.result != QLatin1String("Lost"));
        allCancelled = allCancelled && cancelled;
        if (cancelled)
            continue; // a void leg leaves the others' price
        const double price = Odds::OddsToDecimal(leg.price, locale);
        priced = priced && price > 0;
        product *= price;
    }
    if (priced)
        v.totalPrice = Numbers::round2(product);
    if (lost)
        v.status = QStringLiteral("Lost");
    else if (!open)
        v.status = allCancelled ? QStringLiteral("Cancelled") : QStringLiteral("Won");
    return v;
}

void CalculatePayoutAndProfit(TicketBook &book)
{
    Table &tickets = book.ADOTableTs;
    if (!tickets.isActive() || tickets.isEmpty())
        return;
    QList<TicketLeg> legs;
    Statement bets =
        book.ADOConnection.prepare(QStringLiteral("SELECT Price, Result FROM Bets WHERE TN = ?1"));
    bets.bind(1, book.currentTicket());
    while (bets.step())
        legs.append({bets.value(0).toString(), bets.value(1).toString()});
    const LegsVerdict verdict = JudgeLegs(legs); // a price that does not read stops here, before any write
    const bool priceFromBets = verdict.totalPrice && tickets.field(QStringLiteral("TPrice")).asFloat() == 0;
    if (priceFromBets)
        TicketAmounts::checked(QStringLiteral("TPrice"), *verdict.totalPrice);
    checkTicketMoney(tickets);

    Transaction tx(book.ADOConnection);
    tickets.edit();
    if (priceFromBets)
        tickets.field(QStringLiteral("TPrice")).setFloat(*verdict.totalPrice);
    if (verdict.status)
        tickets.field(QStringLiteral("Status")).setString(*verdict.status);
    CalculatePayoutAndProfit(tickets);
    tx.commit();
}

int NewTicketNumber(Table &tickets)
{
    // Tickets are counted from 1, as the user counts them; a file that has a ticket 0 goes on above it.
    const std::optional<double> largest = tickets.maxOf(QStringLiteral("TN"));
    if (!largest)
        return 1;
    return Numbers::wholeNumber(*largest) + 1;
}

int NewTicket(TicketBook &book, const QDate &date)
{
    Table &tickets = book.ADOTableTs;
    Transaction tx(book.ADOConnection);
    const int number = NewTicketNumber(tickets);
    tickets.appendRecord({number, date, 1.0, 0.0, 0.0, 0.0, 0.0, QStringLiteral("Undecided")});
    tx.commit();
    book.followCurrentTicket();
    return number;
}

void DiscardTicket(TicketBook &book, int number)
{
    Table &tickets = book.ADOTableTs;
    Transaction tx(book.ADOConnection);
    tickets.cancel(); // what the dialog left pending goes with the ticket
    FilterOff all(tickets);
    if (!tickets.locate(QStringLiteral("TN"), {number}))
        return;
    tickets.deleteRecord(); // its bets go first, inside this transaction
    tx.commit();
    book.followCurrentTicket();
}

bool DeleteTicket(TicketBook &book, Messenger &messenger)
{
    Table &tickets = book.ADOTableTs;
    if (!tickets.isActive() || tickets.isEmpty())
        return false;
    if (messenger.question(QStringLiteral("Delete ticket?"), QStringLiteral("Delete"),
                           Messenger::Buttons::YesNoCancel) != Messenger::Answer::Yes)
        return false;
    return runCommand(messenger, [&] {
        Transaction tx(book.ADOConnection);
        tickets.deleteRecord(); // its bets go first, inside this transaction
        tx.commit();
        book.followCurrentTicket();
    });
}

void StoreTicketDate(Table &tickets, int month, int day, int year)
{
    const QDate date = Dates::encode(year, month, day);
    Transaction tx(*tickets.database());
    tickets.edit();
    tickets.field(QStringLiteral("DateP")).setDate(date);
    tickets.post();
    tx.commit();
}

QString TicketDateFilter::text() const
{
    return QStringLiteral("DateP >= ") + dateText(startMonth, startDay, startYear) +
           QStringLiteral(" AND DateP <= ") + dateText(endMonth, endDay, endYear);
}

QDate TicketDateFilter::first() const
{
    return filterDate(*this, startMonth, startDay, startYear);
}

QDate TicketDateFilter::last() const
{
    return filterDate(*this, endMonth, endDay, endYear);
}

void ApplyTicketDateFilter(TicketBook &book, const TicketDateFilter *filter)
{
    Table &tickets = book.ADOTableTs;
    if (!filter) {
        tickets.setFiltered(false);
    } else {
        filter->first();
        filter->last(); // both ends read before the filter changes
        SetTableFilter(tickets, filter->text());
    }
    book.followCurrentTicket();
}
