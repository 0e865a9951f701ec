#include "betting/DemoTickets.h"

#include "betting/Bets.h"
#include "betting/TicketBook.h"
#include "betting/TicketSchema.h"
#include "betting/Tickets.h"
#include "data/Errors.h"
#include "data/Messenger.h"
#include "data/Numbers.h"

#include <QDate>

namespace
{
struct DemoBet {
    const char *event, *home, *away, *bet, *price, *result;
};

struct DemoTicket {
    int month, day;
    double stake, fee;
    const char *status;
    QList<DemoBet> bets;
};

// Invented events and competitors; the total price is the product of the bets' decimal prices.
const QList<DemoTicket> &demoTickets()
{
    static const QList<DemoTicket> tickets = {
        {8,
         14,
         10,
         1,
         "Won",
         {{"North League", "Harbour Town", "Millbrook", "1", "1.85", "Won"},
          {"North League", "Kestrel Park", "Old Quay", "X2", "1.40", "Won"}}},
        {8, 21, 5, 0.5, "Lost", {{"North League", "Millbrook", "Kestrel Park", "1", "2.10", "Lost"}}},
        {8, 28, 10, 1, "Won", {{"Cup of the Coast", "Old Quay", "Harbour Town", "2", "5/4", "Won"}}},
        {9,
         4,
         20,
         1,
         "Lost",
         {{"North League", "Harbour Town", "Kestrel Park", "1X", "1.30", "Won"},
          {"North League", "Old Quay", "Millbrook", "1", "+120", "Lost"},
          {"Cup of the Coast", "Stonebridge", "Harbour Town", "12", "1.25", "Won"}}},
        {9, 18, 10, 1, "Won", {{"North League", "Millbrook", "Stonebridge", "X", "3.20", "Won"}}},
        {9,
         25,
         10,
         1,
         "Cancelled",
         {{"North League", "Kestrel Park", "Harbour Town", "2", "2.60", "Cancelled"}}},
        {10,
         2,
         15,
         1,
         "Won",
         {{"Cup of the Coast", "Harbour Town", "Old Quay", "1", "1.65", "Won"},
          {"North League", "Stonebridge", "Millbrook", "X2", "1.50", "Won"}}},
        {10, 16, 10, 1, "Lost", {{"North League", "Old Quay", "Kestrel Park", "1", "-150", "Lost"}}},
        {10,
         30,
         10,
         1,
         "Undecided",
         {{"North League", "Harbour Town", "Stonebridge", "1", "1.70", "Undecided"}}},
    };
    return tickets;
}
// A price as the bet dialog takes it: a decimal price with the locale's decimal mark.
QString typedPrice(const char *price)
{
    QString p = QString::fromLatin1(price);
    if (Odds::DetectOddsType(p) == Odds::Decimal)
        p.replace(QLatin1Char('.'), Numbers::decimalSeparator());
    return p;
}
} // namespace

void CreateDemoTicketFile(const QString &path)
{
    TicketSchema::createFile(path);
    TicketBook book;
    book.openFile(path);
    CollectingMessenger quiet;
    Transaction tx(book.ADOConnection);
    for (const DemoTicket &t : demoTickets()) {
        const QDate date(2005, t.month, t.day);
        NewTicket(book, date);
        for (const DemoBet &b : t.bets) {
            BetInput in;
            in.month = t.month;
            in.day = t.day;
            in.year = 2005;
            in.event = QString::fromUtf8(b.event);
            in.home = QString::fromUtf8(b.home);
            in.away = QString::fromUtf8(b.away);
            in.bet = QString::fromLatin1(b.bet);
            in.price = typedPrice(b.price);
            in.notation = Odds::DetectOddsType(in.price);
            in.result = QString::fromLatin1(b.result);
            if (!StoreBet(book, in, quiet)) // a bet left out would change every total
                throw QuorvaneError(quiet.texts().join(QLatin1Char('\n')));
        }
        Table &tickets = book.ADOTableTs;
        tickets.edit();
        tickets.field(QStringLiteral("Stake")).setFloat(t.stake);
        tickets.field(QStringLiteral("Fee")).setFloat(t.fee);
        tickets.field(QStringLiteral("Status")).setString(QString::fromLatin1(t.status));
        tickets.post();
        // The total price is the bets' product, as the dialog's button gives it.
        CalculatePayoutAndProfit(book);
    }
    tx.commit();
}
