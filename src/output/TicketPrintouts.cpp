#include "output/TicketPrintouts.h"

#include "betting/TicketBook.h"
#include "betting/TicketGrids.h"
#include "data/CellText.h"
#include "data/Query.h"

#include <QHash>
#include <cmath>

namespace
{
// 600-dpi units of the "Tickets" printout.
constexpr int kMargin = 50, kHeadingTop = 200, kTitlesTop = 350, kFirstLine = 550;
constexpr int kLine = 100, kTextRight = 50, kTextDown = 20;
constexpr int kMoneyX[] = {100, 900, 1700, 2500, 3300};

QString cellText(const Dataset &ds, int row, int column)
{
    return displayText(ds.valueAt(row, column), ds.columns()[column].kind);
}

// The left edges of the seven bet columns, then the right edge of the last.
QList<int> columnEdges(int pageWidth)
{
    const double w = pageWidth - 2 * kMargin;
    QList<int> edges{kMargin};
    for (double share : {0.1, 0.3, 0.55, 0.8, 0.85, 0.9})
        edges << static_cast<int>(std::lround(share * w));
    edges << pageWidth - kMargin;
    return edges;
}

class TicketsLayout
{
public:
    explicit TicketsLayout(QSize area) : m_area(area), m_edges(columnEdges(area.width())) { newPage(); }

    void bet(const QStringList &values)
    {
        makeRoom();
        for (int c = 0; c + 1 < m_edges.size(); ++c) {
            const QRect box(m_edges[c], m_y, m_edges[c + 1] - m_edges[c], kLine);
            page().frames << box;
            page().texts << DrawnText{box.adjusted(kTextRight, kTextDown, 0, 0), values.value(c), 7, false};
        }
        m_y += kLine;
    }

    void summary(const QStringList &money)
    {
        static const char *const kLabels[] = {"Stake: ", "Fee: ", "Total Price: ", "Payout: ", "Profit: "};
        makeRoom();
        const int right = m_area.width() - kMargin;
        page().frames << QRect(kMargin, m_y, right - kMargin, kLine);
        for (int i = 0; i < 5; ++i) {
            const int end = i + 1 < 5 ? kMoneyX[i + 1] : right;
            page().texts << DrawnText{QRect(kMoneyX[i], m_y + kTextDown, end - kMoneyX[i], kLine - kTextDown),
                                      QString::fromLatin1(kLabels[i]) + money.value(i), 7, false};
        }
        m_y += kLine;
    }

    void emptyLine() { m_y += kLine; }
    QList<DrawnPage> pages() const { return m_pages; }

private:
    DrawnPage &page() { return m_pages.last(); }

    // A line that would run past the paper's end goes on a new page.
    void makeRoom()
    {
        if (m_y + kLine > m_area.height())
            newPage();
    }

    void newPage()
    {
        m_pages.append(DrawnPage{});
        const int right = m_area.width() - kMargin;
        page().frames << QRect(kMargin, kHeadingTop, right - kMargin, kTitlesTop - kHeadingTop);
        page().texts << DrawnText{QRect(100, 225, right - 100, kTitlesTop - 225), QStringLiteral("Tickets"),
                                  12, true};
        const QList<GridColumn> &titles = betGridColumns();
        for (int c = 0; c + 1 < m_edges.size(); ++c) {
            const QRect box(m_edges[c], kTitlesTop, m_edges[c + 1] - m_edges[c],
                            kFirstLine - kLine - kTitlesTop);
            page().frames << box;
            page().texts << DrawnText{box.adjusted(kTextRight, kTextDown, 0, 0), titles.value(c).title, 7,
                                      true};
        }
        m_y = kFirstLine;
    }

    QSize m_area;
    QList<int> m_edges;
    QList<DrawnPage> m_pages;
    int m_y = kFirstLine;
};
} // namespace

QList<PrintedTicket> readPrintedTickets(TicketBook &book)
{
    Query bets(&book.ADOConnection);
    bets.setSql(
        QStringLiteral("SELECT TN, DateP, League, Home, Away, Bet, Price, Result FROM Bets ORDER BY rowid"));
    bets.open();
    QHash<qint64, QList<QStringList>> betsOf;
    for (int r = 0; r < bets.recordCount(); ++r) {
        QStringList values;
        for (int c = 1; c < bets.columnCount(); ++c)
            values << cellText(bets, r, c);
        betsOf[bets.valueAt(r, 0).toLongLong()] << values;
    }

    const Dataset &tickets = book.ADOTableTs;
    const int tn = tickets.fieldIndex(QStringLiteral("TN"));
    QList<int> money;
    for (const char *name : {"Stake", "Fee", "TPrice", "Payout", "Profit"})
        money << tickets.fieldIndex(QString::fromLatin1(name));
    QList<PrintedTicket> out;
    for (int r = 0; r < tickets.recordCount(); ++r) {
        PrintedTicket t;
        for (int c : money)
            t.money << cellText(tickets, r, c);
        t.bets = betsOf.value(tickets.valueAt(r, tn).toLongLong());
        out << t;
    }
    return out;
}

QList<DrawnPage> layoutTicketsPrintout(const QList<PrintedTicket> &tickets, QSize area)
{
    TicketsLayout layout(area);
    for (qsizetype i = 0; i < tickets.size(); ++i) {
        if (i > 0)
            layout.emptyLine();
        for (const QStringList &bet : tickets[i].bets)
            layout.bet(bet);
        layout.summary(tickets[i].money);
    }
    return layout.pages();
}

DrawnPrintout ticketsPrintout(QList<PrintedTicket> tickets)
{
    DrawnPrintout p;
    p.title = QStringLiteral("Tickets");
    p.layout = [tickets = std::move(tickets)](QSize area) { return layoutTicketsPrintout(tickets, area); };
    return p;
}

GridPrintout statisticsTablePrintout(const QList<QStringList> &cells, int gridRowHeight)
{
    GridPrintout g;
    g.title = QStringLiteral("Betting Statistics");
    g.cells = cells;
    g.gridRowHeight = gridRowHeight;
    return g;
}
