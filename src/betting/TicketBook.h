#pragma once
// The ticket manager's own connection to a ticket file and its three tables, independent of the
// league's data module.  The bets table always shows the bets of the current ticket only, and deleting
// a ticket deletes its bets first.

#include "data/Database.h"
#include "data/Table.h"

#include <QObject>

class TicketBook : public QObject
{
    Q_OBJECT
public:
    explicit TicketBook(QObject *parent = nullptr);
    ~TicketBook() override;

    Database ADOConnection;
    Table ADOTableTs;    // Tickets
    Table ADOTableBets;  // Bets, filtered to the current ticket
    Table ADOTableTeams; // the remembered competitors

    // Connects to a ticket file and opens the three tables; refuses (DatabaseError) a file that is not
    // a ticket file, leaving none open and the file untouched.
    void openFile(const QString &path);
    void closeFile();
    bool isOpen() const { return ADOConnection.isOpen(); }
    QString path() const;

    // The current ticket's number; -1 when there is none.
    int currentTicket();
    // The filter text of the bets of a ticket: "TN = 12"; "TN = -1" for none.
    static QString betFilterText(int ticketNumber);
    // Points the bets table at the current ticket's bets.
    void followCurrentTicket();

private:
    void deleteBetsOf(int ticketNumber);
};
