#pragma once
// The amounts of tickets and bets, checked the same way wherever they come in: the ticket dialog's
// money fields, the bet dialog's price, the command line, and the stored values a calculation or the
// statistics start from.  Money is never negative (a profit aside) and a price never above kMaxPrice;
// with the ceilings below every payout, profit and sum stays a finite number counted to the cent.

#include <QString>
#include <optional>

namespace TicketAmounts
{

// A decimal price, the total price of a ticket included.
constexpr double kMaxPrice = 10000;
// A stake or a fee.  At the largest price its payout is 1e12, the last size two-decimal rounding still
// counts cents in.
constexpr double kMaxMoney = 1e8;
// A payout, and a profit either way.
constexpr double kMaxPayout = kMaxMoney * kMaxPrice;

// The field of a ticket column (Stake, Fee, TPrice, Payout, Profit) or of a bet's Price as the dialogs
// caption it: "Stake", "Fee", "Total Price", "Payout", "Profit", "Price".
QString caption(const QString &column);

// Why value cannot stand in the column, naming its field ("Stake cannot be negative (-5)."); nothing
// when it can.
std::optional<QString> refusal(const QString &column, double value);

// The value; QuorvaneError with the refusal when it cannot stand in the column.
double checked(const QString &column, double value);

} // namespace TicketAmounts
