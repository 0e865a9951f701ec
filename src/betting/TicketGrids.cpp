#include "betting/TicketGrids.h"

namespace
{
QString s(const char *text)
{
    return QString::fromLatin1(text);
}
} // namespace

const QList<GridColumn> &ticketGridColumns()
{
    static const QList<GridColumn> columns = {
        {s("N"), s("TN"), AlignNumber, 40},          {s("Date"), s("DateP"), AlignCentre, 100},
        {s("Stake"), s("Stake"), AlignNumber, 70},   {s("Payout"), s("Payout"), AlignNumber, 70},
        {s("Status"), s("Status"), AlignCentre, 80},
    };
    return columns;
}

const QList<GridColumn> &betGridColumns()
{
    static const QList<GridColumn> columns = {
        {s("Date"), s("DateP"), AlignText, 100},
        {s("Event"), s("League"), AlignText, 150},
        {s("Competitor 1"), s("Home"), AlignText, 150},
        {s("Competitor 2"), s("Away"), AlignText, 150},
        {s("Bet"), s("Bet"), AlignText, 40},
        {s("Price"), s("Price"), AlignText, 60},
        {s("Result"), s("Result"), AlignText, 80},
    };
    return columns;
}

bool isSettlementField(const QString &field)
{
    return field == QLatin1String("Status") || field == QLatin1String("Result");
}

Rgb settlementColour(const QString &settlement)
{
    if (settlement == QLatin1String("Won"))
        return Colours::LightGreen;
    if (settlement == QLatin1String("Lost"))
        return Colours::LightRed;
    return Colours::White;
}
