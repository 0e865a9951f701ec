#include "betting/Bets.h"

#include "betting/TicketAmounts.h"
#include "betting/TicketBook.h"
#include "data/Dates.h"
#include "data/Messenger.h"
#include "data/Numbers.h"
#include "data/TextCompare.h"

#include <QSet>

namespace
{
bool fractionReads(const QString &price)
{
    const qsizetype slash = price.indexOf(QLatin1Char('/'));
    int numerator = 0, denominator = 0;
    return slash >= 0 && Numbers::tryParseInt(price.left(slash), &numerator) &&
           Numbers::tryParseInt(price.mid(slash + 1), &denominator) && denominator != 0;
}

// Puts a competitor under the event: the row of that name (letter case ignored) moves to the event and
// takes the name as typed; an unknown name gets a row of its own.
void rememberCompetitor(Table &teams, const QString &event, const QString &name)
{
    if (teams.locate(QStringLiteral("Team"), {name}, Dataset::CaseInsensitive)) {
        teams.edit();
        teams.field(QStringLiteral("League")).setString(event);
        teams.field(QStringLiteral("Team")).setString(name);
        teams.post();
    } else {
        teams.appendRecord({event, name});
    }
}

QVariantList betValues(const BetInput &in, const QDate &date)
{
    return {date, in.event, in.home, in.away, in.bet, in.price, in.result};
}
} // namespace

const QStringList &betTypeItems()
{
    static const QStringList items = {QStringLiteral("1"),  QStringLiteral("X"),  QStringLiteral("2"),
                                      QStringLiteral("1X"), QStringLiteral("X2"), QStringLiteral("12")};
    return items;
}

bool betPriceReads(const QString &price, int notation)
{
    if (price.isEmpty())
        return true;
    double real = 0;
    int whole = 0;
    switch (notation) {
    case Odds::Decimal:
        return Numbers::tryParseReal(price, &real);
    case Odds::Fractional:
        return fractionReads(price);
    case Odds::American:
        return Numbers::tryParseInt(price, &whole);
    default:
        return false;
    }
}

std::optional<QString> betPriceRefusal(const QString &price, int notation)
{
    if (!betPriceReads(price, notation))
        return Odds::invalidValueMessage(price, notation, Odds::Filter::BetDialog);
    double decimal = 0;
    if (!Odds::tryParseOdds(price, notation, &decimal))
        return std::nullopt; // no price: nothing to weigh
    return TicketAmounts::refusal(QStringLiteral("Price"), decimal);
}

bool StoreBet(TicketBook &book, const BetInput &in, Messenger &messenger)
{
    if (in.event.isEmpty()) {
        messenger.warning(QStringLiteral("No league entered / selected"));
        return false;
    }
    if (in.home.isEmpty()) {
        messenger.warning(QStringLiteral("Competitor 1 not entered / selected"));
        return false;
    }
    if (const std::optional<QString> why = betPriceRefusal(in.price, in.notation)) {
        messenger.warning(*why);
        return false;
    }
    const QDate date = Dates::encode(in.year, in.month, in.day); // before anything is written
    Table &bets = book.ADOTableBets;
    if (!in.add && (!bets.isActive() || bets.isEmpty()))
        return false;
    Transaction tx(book.ADOConnection);
    rememberCompetitor(book.ADOTableTeams, in.event, in.home);
    if (!in.away.isEmpty())
        rememberCompetitor(book.ADOTableTeams, in.event, in.away);
    const QVariantList values = betValues(in, date);
    if (in.add) {
        bets.appendRecord(QVariantList{book.currentTicket()} + values);
    } else {
        bets.edit();
        for (int i = 0; i < values.size(); ++i)
            bets.field(i + 1).setValue(values[i]);
        bets.post();
    }
    tx.commit();
    return true;
}

QStringList rememberedEvents(TicketBook &book)
{
    QStringList events;
    Statement st = book.ADOConnection.prepare(QStringLiteral("SELECT League FROM Teams ORDER BY rowid"));
    while (st.step()) {
        const QString e = st.value(0).toString();
        if (!TextCompare::containsNoCase(events, e))
            events << e;
    }
    TextCompare::sortNoCase(events);
    return events;
}

QStringList rememberedCompetitors(TicketBook &book, const QString &event)
{
    QStringList names;
    if (!TextCompare::containsNoCase(rememberedEvents(book), event))
        return names;
    Statement st =
        book.ADOConnection.prepare(QStringLiteral("SELECT Team FROM Teams WHERE League = ?1 ORDER BY rowid"));
    st.bind(1, event);
    while (st.step())
        names << st.value(0).toString();
    TextCompare::sortNoCase(names);
    return names;
}

BetInput currentBet(TicketBook &book)
{
    Table &bets = book.ADOTableBets;
    BetInput in;
    in.add = false;
    const QDate date = bets.field(QStringLiteral("DateP")).asDate();
    if (date.isValid()) {
        in.month = date.month();
        in.day = date.day();
        in.year = date.year();
    }
    in.event = bets.field(QStringLiteral("League")).asString();
    in.home = bets.field(QStringLiteral("Home")).asString();
    in.away = bets.field(QStringLiteral("Away")).asString();
    in.bet = bets.field(QStringLiteral("Bet")).asString();
    in.price = bets.field(QStringLiteral("Price")).asString();
    in.notation = Odds::DetectOddsType(in.price);
    in.result = bets.field(QStringLiteral("Result")).asString();
    return in;
}
