#include "betting/TicketBook.h"

#include "betting/TicketSchema.h"
#include "data/FileSteps.h"
#include "data/GridCommands.h"

TicketBook::TicketBook(QObject *parent)
    : QObject(parent), ADOTableTs(&ADOConnection, QStringLiteral("Tickets")),
      ADOTableBets(&ADOConnection, QStringLiteral("Bets")),
      ADOTableTeams(&ADOConnection, QStringLiteral("Teams"))
{
    // The bets of a ticket go with it, inside the delete's own transaction.
    ADOTableTs.setBeforeDelete(
        [this](Dataset &tickets) { deleteBetsOf(tickets.field(QStringLiteral("TN")).asInteger()); });
    connect(&ADOTableTs, &Dataset::currentChanged, this, &TicketBook::followCurrentTicket);
    connect(&ADOTableTs, &Dataset::layoutChanged, this, &TicketBook::followCurrentTicket);
}

TicketBook::~TicketBook()
{
    closeFile();
}

void TicketBook::openFile(const QString &path)
{
    closeFile();
    ADOConnection.open(path);
    auto refused = qScopeGuard([this] { closeFile(); }); // no ticket file stays half open
    TicketSchema::check(ADOConnection);
    ADOTableTs.open();
    ADOTableBets.open();
    ADOTableTeams.open();
    ADOTableTs.first();
    followCurrentTicket();
    refused.dismiss();
}

void TicketBook::closeFile()
{
    ADOConnection.close();
}

QString TicketBook::path() const
{
    return ConnectedFileName(ADOConnection);
}

int TicketBook::currentTicket()
{
    if (!ADOTableTs.isActive() || ADOTableTs.isEmpty())
        return -1;
    return ADOTableTs.field(QStringLiteral("TN")).asInteger();
}

QString TicketBook::betFilterText(int ticketNumber)
{
    return QStringLiteral("TN = ") + QString::number(ticketNumber);
}

void TicketBook::followCurrentTicket()
{
    if (!ADOTableBets.isActive() || ADOTableTs.controlsDisabled())
        return;
    const QString text = betFilterText(currentTicket());
    if (ADOTableBets.filtered() && ADOTableBets.filter() == text)
        return;
    SetTableFilter(ADOTableBets, text);
}

void TicketBook::deleteBetsOf(int ticketNumber)
{
    ADOTableBets.cancel();
    ADOConnection.execute(QStringLiteral("DELETE FROM Bets WHERE TN = ?1"), {ticketNumber});
    ADOTableBets.reload(true);
}
