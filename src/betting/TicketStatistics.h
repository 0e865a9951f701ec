#pragma once
// The betting statistics of a ticket file: the cumulative charts of tickets and bets, the tables by
// month (tickets, all bets, single and double chances) and by price range, and the total profit.  Every
// view is built afresh from the rows of the two date-ordered queries; nothing derived is stored.
//
// A ticket counts when its status is "Won" or "Lost" (exactly); its money is its stored profit.  A bet
// counts when its result is "Won" or "Lost" and its ticket is among the tickets read (inside the date
// range); it is booked as if the whole stake of its ticket had been placed on it alone: a won bet brings
// price * stake - stake - fee, a lost one -stake - fee.  Everything else counts nowhere.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class Database;

struct StatsTicket {
    int number = 0;
    QDate date;
    double stake = 0, fee = 0, profit = 0;
    QString status;
};

struct StatsBet {
    int ticket = 0;
    QDate date;
    QString bet, price, result;
};

// Both lists in date order (stored order among equal dates).
struct StatsRows {
    std::vector<StatsTicket> tickets;
    std::vector<StatsBet> bets;
};

// The first and last day of the date filter, both included.
struct DateRange {
    QDate first, last;
};

// Reads the tickets and the bets of the file, those dated inside the range when one is given.  A ticket
// whose stake, fee or profit its fields could not take (TicketAmounts) is refused with QuorvaneError
// naming the ticket.
StatsRows ReadStatsRows(Database &db, const std::optional<DateRange> &range);

// The sum of the profits of all tickets read, rounded to two decimals, as the total profit panel shows
// it: the shortest text of the number followed by two blanks ("12.5  ").
double TotalProfit(const StatsRows &rows);
QString TotalProfitText(const StatsRows &rows);

// ---- the chart page

enum class ChartSubject { Tickets, Bets };
enum class ChartValue { Profit, Won, Lost, Total, PercentageWon };
// "Profit", "Won", "Lost", "Total", "Percentage Won", the chooser's items in ChartValue order.
const QStringList &chartValueItems();

struct ChartTitles {
    QString axis;  // the y axis
    QString chart; // the chart's own
};
ChartTitles chartTitles(ChartSubject subject, ChartValue value);

struct ChartBar {
    QDate date;
    double value = 0;
};
// One bar per date with the running value from the first row on: the money rounded to two decimals,
// the won, lost or counted totals, or the won percentage.  ConversionError for a bet price that does
// not read.
QList<ChartBar> BuildChart(const StatsRows &rows, ChartSubject subject, ChartValue value);

// ---- the table page: grids of cell texts, heading row and heading column included

using StatsTable = QList<QStringList>;

// Month columns headed "M/yyyy" and a "Total" column; rows "Tickets Won", "Tickets Won (%)", "Tickets
// Lost", "Tickets Lost (%)", "Total Tickets", "Profit".
StatsTable TicketsTable(const StatsRows &rows);

enum class BetsView { All, SingleChance, DoubleChance };
// "All", "Single Chance", "Double Chance".
const QStringList &betsViewItems();
// All: the rows of the tickets table for bets.  Single and double chance: six rows for each of the bet
// types "1", "X", "2" or "1X", "X2", "12" ("1 - Won" ... "12 - Profit").  A column's profit is rounded to
// two decimals after every won bet.  ConversionError for a price that does not read.
StatsTable BetsTable(const StatsRows &rows, BetsView view);

enum class PriceLabels { EU, UK, US };
// "EU", "UK", "US".
const QStringList &priceLabelItems();
// Nine ranges of the decimal price (above 1.01 up to 1.25, ... above 3.00 up to 1000) and "Total", headed
// in the chosen notation.  A bet outside every range counts nowhere.  ConversionError for a price that
// does not read.
StatsTable PriceRangeTable(const StatsRows &rows, PriceLabels labels);
