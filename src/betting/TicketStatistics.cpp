#include "betting/TicketStatistics.h"

#include "betting/TicketAmounts.h"
#include "data/Database.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/Numbers.h"
#include "entry/Odds.h"

#include <QHash>
#include <array>

namespace
{

// ---- what a row counts for

bool settledWon(const QString &s)
{
    return s == QLatin1String("Won");
}

bool settledLost(const QString &s)
{
    return s == QLatin1String("Lost");
}

// Counts and money of one column of a table, or of one group of rows in it.
struct Tally {
    int won = 0, lost = 0;
    double profit = 0;
    int total() const { return won + lost; }
};

int percentage(int part, int whole)
{
    // part * 100 / whole, not part / whole * 100: a half stays a half (12.5 goes to the even 12).
    return whole == 0 ? 0 : static_cast<int>(Numbers::roundHalfEven(part * 100.0 / whole));
}

QString money(double x)
{
    return x == 0 ? QStringLiteral("0") : Numbers::formatGeneral(x);
}

// A bet as the statistics book it: whether it counts, whether it was won, and its money.
class BetBooking
{
public:
    explicit BetBooking(const StatsRows &rows)
    {
        for (const StatsTicket &t : rows.tickets)
            m_tickets.insert(t.number, &t);
    }
    // The bet's ticket when the bet counts; nullptr otherwise.
    const StatsTicket *ticketOf(const StatsBet &b) const
    {
        if (!settledWon(b.result) && !settledLost(b.result))
            return nullptr;
        return m_tickets.value(b.ticket, nullptr);
    }
    static double moneyOf(const StatsBet &b, const StatsTicket &t)
    {
        if (settledLost(b.result))
            return -t.stake - t.fee;
        return Odds::OddsToDecimal(b.price) * t.stake - t.stake - t.fee;
    }

private:
    QHash<int, const StatsTicket *> m_tickets;
};

// A ticket whose stored money its fields could not take (a file written before they were checked) would
// turn every sum it enters into nonsense, or into no number at all: it is refused, named.
void checkMoney(const StatsTicket &t)
{
    const std::pair<const char *, double> amounts[] = {
        {"Stake", t.stake}, {"Fee", t.fee}, {"Profit", t.profit}};
    for (const auto &[column, value] : amounts)
        if (const std::optional<QString> why = TicketAmounts::refusal(QString::fromLatin1(column), value))
            throw QuorvaneError(
                QStringLiteral("Ticket %1: %2 Correct it in the ticket dialog.").arg(t.number).arg(*why));
}

void book(Tally &tally, bool won, double amount, bool roundAfterWon)
{
    if (won) {
        ++tally.won;
        tally.profit += amount;
        if (roundAfterWon)
            tally.profit = Numbers::round2(tally.profit);
    } else {
        ++tally.lost;
        tally.profit += amount;
    }
}

// ---- month tables

// Columns opened in date order whenever the month or the year changes, each with one tally per group.
class MonthColumns
{
public:
    explicit MonthColumns(int groups) : m_groups(groups) {}
    // The column of a row read in date order.
    std::vector<Tally> &columnFor(const QDate &date)
    {
        if (m_columns.empty() || date.month() != m_month || date.year() != m_year) {
            m_month = date.month();
            m_year = date.year();
            m_titles << QString::number(m_month) + QLatin1Char('/') + QString::number(m_year);
            m_columns.emplace_back(m_groups);
        }
        return m_columns.back();
    }
    // The month columns and then "Total", each column's tallies.
    QStringList titles() const { return m_titles + QStringList{QStringLiteral("Total")}; }
    std::vector<std::vector<Tally>> withTotal() const
    {
        std::vector<std::vector<Tally>> all = m_columns;
        std::vector<Tally> total(m_groups);
        for (const auto &column : m_columns)
            for (int g = 0; g < m_groups; ++g) {
                total[g].won += column[g].won;
                total[g].lost += column[g].lost;
                total[g].profit += column[g].profit;
            }
        all.push_back(total);
        return all;
    }

private:
    int m_groups;
    int m_month = 0, m_year = 0;
    QStringList m_titles;
    std::vector<std::vector<Tally>> m_columns;
};

// The six row headings of a group.
struct GroupHeadings {
    QString won, wonPct, lost, lostPct, total, profit;
};

GroupHeadings plainHeadings(const QString &what)
{
    return {what + QStringLiteral(" Won"),   what + QStringLiteral(" Won (%)"),
            what + QStringLiteral(" Lost"),  what + QStringLiteral(" Lost (%)"),
            QStringLiteral("Total ") + what, QStringLiteral("Profit")};
}

GroupHeadings typeHeadings(const QString &type)
{
    return {type + QStringLiteral(" - Won"),   type + QStringLiteral(" - Won (%)"),
            type + QStringLiteral(" - Lost"),  type + QStringLiteral(" - Lost (%)"),
            type + QStringLiteral(" - Total"), type + QStringLiteral(" - Profit")};
}

// Heading row, then six rows a group, one column a tally column.
StatsTable gridOf(const QStringList &columnTitles, const std::vector<std::vector<Tally>> &columns,
                  const QList<GroupHeadings> &groups)
{
    StatsTable grid;
    grid << (QStringList{QString()} + columnTitles);
    for (int g = 0; g < groups.size(); ++g) {
        const GroupHeadings &h = groups[g];
        QStringList won{h.won}, wonPct{h.wonPct}, lost{h.lost}, lostPct{h.lostPct}, total{h.total},
            profit{h.profit};
        for (const auto &column : columns) {
            const Tally &t = column[g];
            won << QString::number(t.won);
            wonPct << QString::number(percentage(t.won, t.total()));
            lost << QString::number(t.lost);
            lostPct << QString::number(percentage(t.lost, t.total()));
            total << QString::number(t.total());
            profit << money(t.profit);
        }
        grid << won << wonPct << lost << lostPct << total << profit;
    }
    return grid;
}

// ---- price ranges

constexpr int kRanges = 9;
constexpr std::array<double, kRanges + 1> kEdges = {1.01, 1.25, 1.50, 1.75, 2.00,
                                                    2.25, 2.50, 2.75, 3.00, 1000};

// The range holding a decimal price (above its lower edge, up to its upper edge); -1 for none.
int rangeOf(double price)
{
    for (int r = 0; r < kRanges; ++r)
        if (price > kEdges[r] && price <= kEdges[r + 1])
            return r;
    return -1;
}

QStringList rangeTitles(PriceLabels labels)
{
    switch (labels) {
    case PriceLabels::UK:
        return {QStringLiteral("1/100 - 1/4"), QStringLiteral("1/4 - 1/2"), QStringLiteral("1/2 - 3/4"),
                QStringLiteral("3/4 - 1/1"),   QStringLiteral("1/1 - 5/4"), QStringLiteral("5/4 - 3/2"),
                QStringLiteral("3/2 - 7/4"),   QStringLiteral("7/4 - 2/1"), QStringLiteral("> 2/1 ")};
    case PriceLabels::US:
        return {QStringLiteral("-10000 - -400"), QStringLiteral("-400 - -200"), QStringLiteral("-200 - -133"),
                QStringLiteral("-133 - 100"),    QStringLiteral("100 - 125"),   QStringLiteral("125 - 150"),
                QStringLiteral("150 - 175"),     QStringLiteral("175 - 200"),   QStringLiteral("> 200 ")};
    case PriceLabels::EU:
        break;
    }
    return {QStringLiteral("1.01 - 1.25"), QStringLiteral("1.25 - 1.50"), QStringLiteral("1.50 - 1.75"),
            QStringLiteral("1.75 - 2.00"), QStringLiteral("2.00 - 2.25"), QStringLiteral("2.25 - 2.50"),
            QStringLiteral("2.50 - 2.75"), QStringLiteral("2.75 - 3.00"), QStringLiteral("> 3.00 ")};
}

// ---- charts

// Running counts and money, one bar after the last row of each date.
class RunningBars
{
public:
    explicit RunningBars(ChartValue value) : m_value(value) {}
    void count(bool won, double amount) { book(m_tally, won, amount, false); }
    void endOfDate(const QDate &date) { m_bars.append({date, current()}); }
    QList<ChartBar> bars() const { return m_bars; }

private:
    double current() const
    {
        switch (m_value) {
        case ChartValue::Profit:
            return Numbers::round2(m_tally.profit);
        case ChartValue::Won:
            return m_tally.won;
        case ChartValue::Lost:
            return m_tally.lost;
        case ChartValue::Total:
            return m_tally.total();
        case ChartValue::PercentageWon:
            return percentage(m_tally.won, m_tally.total());
        }
        return 0;
    }
    ChartValue m_value;
    Tally m_tally;
    QList<ChartBar> m_bars;
};

template <typename Row> bool lastOfDate(const std::vector<Row> &rows, size_t i)
{
    return i + 1 == rows.size() || rows[i + 1].date != rows[i].date;
}

Statement rangeQuery(Database &db, const QString &select, const std::optional<DateRange> &range)
{
    QString sql = select;
    if (range)
        sql += QStringLiteral(" WHERE DateP >= ?1 AND DateP <= ?2");
    sql += QStringLiteral(" ORDER BY DateP, rowid");
    Statement st = db.prepare(sql);
    if (range) {
        st.bind(1, Dates::toStored(range->first));
        st.bind(2, Dates::toStored(range->last));
    }
    return st;
}

} // namespace

StatsRows ReadStatsRows(Database &db, const std::optional<DateRange> &range)
{
    StatsRows rows;
    {
        Statement st = rangeQuery(
            db, QStringLiteral("SELECT TN, DateP, Stake, Fee, Profit, Status FROM Tickets"), range);
        while (st.step()) {
            rows.tickets.push_back({Numbers::wholeNumber(st.value(0)),
                                    Dates::fromStored(st.value(1).toString()), st.value(2).toDouble(),
                                    st.value(3).toDouble(), st.value(4).toDouble(), st.value(5).toString()});
            checkMoney(rows.tickets.back());
        }
    }
    Statement st = rangeQuery(db, QStringLiteral("SELECT TN, DateP, Bet, Price, Result FROM Bets"), range);
    while (st.step())
        rows.bets.push_back({Numbers::wholeNumber(st.value(0)), Dates::fromStored(st.value(1).toString()),
                             st.value(2).toString(), st.value(3).toString(), st.value(4).toString()});
    return rows;
}

double TotalProfit(const StatsRows &rows)
{
    double sum = 0;
    for (const StatsTicket &t : rows.tickets)
        sum += t.profit;
    return Numbers::round2(sum);
}

QString TotalProfitText(const StatsRows &rows)
{
    return money(TotalProfit(rows)) + QStringLiteral("  ");
}

const QStringList &chartValueItems()
{
    static const QStringList items = {QStringLiteral("Profit"), QStringLiteral("Won"), QStringLiteral("Lost"),
                                      QStringLiteral("Total"), QStringLiteral("Percentage Won")};
    return items;
}

ChartTitles chartTitles(ChartSubject subject, ChartValue value)
{
    const bool tickets = subject == ChartSubject::Tickets;
    const QString what = tickets ? QStringLiteral("Tickets") : QStringLiteral("Bets");
    switch (value) {
    case ChartValue::Profit:
        return {QStringLiteral("Profit"),
                tickets ? QStringLiteral("Profit / Ticket") : QStringLiteral("Profit")};
    case ChartValue::Won:
        return {what, what + QStringLiteral(" Won")};
    case ChartValue::Lost:
        return {what, what + QStringLiteral(" Lost")};
    case ChartValue::Total:
        return {what, QStringLiteral("Total ") + what};
    case ChartValue::PercentageWon:
        return {QStringLiteral("Percentage"),
                QStringLiteral("Percentage of ") + what + QStringLiteral(" Won")};
    }
    return {};
}

QList<ChartBar> BuildChart(const StatsRows &rows, ChartSubject subject, ChartValue value)
{
    RunningBars bars(value);
    if (subject == ChartSubject::Tickets) {
        for (size_t i = 0; i < rows.tickets.size(); ++i) {
            const StatsTicket &t = rows.tickets[i];
            if (settledWon(t.status) || settledLost(t.status))
                bars.count(settledWon(t.status), t.profit);
            if (lastOfDate(rows.tickets, i))
                bars.endOfDate(t.date);
        }
    } else {
        const BetBooking booking(rows);
        for (size_t i = 0; i < rows.bets.size(); ++i) {
            const StatsBet &b = rows.bets[i];
            if (const StatsTicket *t = booking.ticketOf(b))
                bars.count(settledWon(b.result), BetBooking::moneyOf(b, *t));
            if (lastOfDate(rows.bets, i))
                bars.endOfDate(b.date);
        }
    }
    return bars.bars();
}

StatsTable TicketsTable(const StatsRows &rows)
{
    MonthColumns months(1);
    for (const StatsTicket &t : rows.tickets) {
        std::vector<Tally> &column = months.columnFor(t.date);
        if (settledWon(t.status) || settledLost(t.status))
            book(column[0], settledWon(t.status), t.profit, false);
    }
    return gridOf(months.titles(), months.withTotal(), {plainHeadings(QStringLiteral("Tickets"))});
}

const QStringList &betsViewItems()
{
    static const QStringList items = {QStringLiteral("All"), QStringLiteral("Single Chance"),
                                      QStringLiteral("Double Chance")};
    return items;
}

StatsTable BetsTable(const StatsRows &rows, BetsView view)
{
    QStringList types;
    if (view == BetsView::SingleChance)
        types = {QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("2")};
    else if (view == BetsView::DoubleChance)
        types = {QStringLiteral("1X"), QStringLiteral("X2"), QStringLiteral("12")};
    const int groups = types.isEmpty() ? 1 : static_cast<int>(types.size());

    const BetBooking booking(rows);
    MonthColumns months(groups);
    for (const StatsBet &b : rows.bets) {
        std::vector<Tally> &column = months.columnFor(b.date);
        const StatsTicket *t = booking.ticketOf(b);
        if (!t)
            continue;
        const int group = types.isEmpty() ? 0 : static_cast<int>(types.indexOf(b.bet));
        if (group < 0)
            continue;
        book(column[group], settledWon(b.result), BetBooking::moneyOf(b, *t), true);
    }

    QList<GroupHeadings> headings;
    if (types.isEmpty())
        headings << plainHeadings(QStringLiteral("Bets"));
    for (const QString &type : types)
        headings << typeHeadings(type);
    return gridOf(months.titles(), months.withTotal(), headings);
}

const QStringList &priceLabelItems()
{
    static const QStringList items = {QStringLiteral("EU"), QStringLiteral("UK"), QStringLiteral("US")};
    return items;
}

StatsTable PriceRangeTable(const StatsRows &rows, PriceLabels labels)
{
    const BetBooking booking(rows);
    std::vector<std::vector<Tally>> columns(kRanges + 1, std::vector<Tally>(1));
    for (const StatsBet &b : rows.bets) {
        const StatsTicket *t = booking.ticketOf(b);
        if (!t)
            continue;
        const int range = rangeOf(Odds::OddsToDecimal(b.price));
        if (range < 0)
            continue;
        const bool won = settledWon(b.result);
        const double amount = BetBooking::moneyOf(b, *t);
        book(columns[range][0], won, amount, true);
        book(columns[kRanges][0], won, amount, true);
    }
    return gridOf(rangeTitles(labels) + QStringList{QStringLiteral("Total")}, columns,
                  {plainHeadings(QStringLiteral("Bets"))});
}
