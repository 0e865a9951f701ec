#pragma once
// Bets of a ticket: the bet dialog's checks, storing a bet, and the events and competitors the ticket
// file remembers for the dialog's choosers.

#include "entry/Odds.h"

#include <QString>
#include <QStringList>
#include <optional>

class Messenger;
class TicketBook;

// The bet types in the chooser's order: "1", "X", "2", "1X", "X2", "12".
const QStringList &betTypeItems();

// Whether a price text passes the bet dialog's check for its notation: decimal reads as a real number,
// fractional as whole numbers before and after the first "/" (the part after it not 0, so that the
// statistics can always convert what was stored), American as a whole number with an optional sign.
// The empty text passes: a bet may have no price.
bool betPriceReads(const QString &price, int notation);

// Why the bet dialog refuses a price text in its notation: the invalid-value message when it does not
// read (betPriceReads), or TicketAmounts' refusal of its decimal price (above the largest, negative);
// nothing when it passes.
std::optional<QString> betPriceRefusal(const QString &price, int notation);

// What the bet dialog hands over on OK.
struct BetInput {
    bool add = true; // "Add Bet"; otherwise the current bet is overwritten
    int month = 1, day = 1, year = 2004;
    QString event, home, away, bet = QStringLiteral("1");
    int notation = Odds::Decimal;
    QString price;
    QString result = QStringLiteral("Undecided");
};

// Checks the input and stores the bet in one transaction: the competitors are remembered under the
// event, then the bet is appended to the current ticket or written over the current bet.  A refused
// input is told through the messenger ("No league entered / selected", "Competitor 1 not entered /
// selected", betPriceRefusal) and returns false with nothing written; a date that does not exist
// raises DateError before anything is written, a database failure DatabaseError with nothing written.
bool StoreBet(TicketBook &book, const BetInput &input, Messenger &messenger);

// The events the ticket file remembers, each once (letter case ignored), alphabetically.
QStringList rememberedEvents(TicketBook &book);
// The competitors remembered under an event (compared exactly), alphabetically; nothing when the
// text is not one of the events (letter case ignored).
QStringList rememberedCompetitors(TicketBook &book, const QString &event);

// The current bet as the dialog loads it for "Edit Bet", the notation recognised from its price.
BetInput currentBet(TicketBook &book);
