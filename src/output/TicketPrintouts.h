#pragma once
// The ticket manager's printouts: "Tickets" (every ticket the grid shows, in its order, each with its bets
// and a summary line) laid out box by box, and "Table" (the statistics grid as shown) as a drawn grid.

#include "output/ReportLayout.h"

#include <QList>
#include <QStringList>

class TicketBook;

struct PrintedTicket {
    QStringList money;       // Stake, Fee, TPrice, Payout, Profit as the grids show them
    QList<QStringList> bets; // DateP, League, Home, Away, Bet, Price, Result
};

// The tickets the ticket grid shows, in its order, each with its bets in stored order.
QList<PrintedTicket> readPrintedTickets(TicketBook &book);

// The "Tickets" pages for a printable area (600-dpi units): a heading box with the bet grid's titles on
// every page, a line 100 high per bet, a summary box after each ticket's bets, an empty line between
// tickets, and a new page whenever a line would run past the paper's end.
QList<DrawnPage> layoutTicketsPrintout(const QList<PrintedTicket> &tickets, QSize area);
DrawnPrintout ticketsPrintout(QList<PrintedTicket> tickets);

// "Table": the statistics grid as shown, headings in the first row and column.
GridPrintout statisticsTablePrintout(const QList<QStringList> &cells, int gridRowHeight);
