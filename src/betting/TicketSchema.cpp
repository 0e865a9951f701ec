#include "betting/TicketSchema.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/LeagueSchema.h"

namespace
{
ColumnInfo column(const char *name, ColumnKind kind, int width = 0)
{
    return ColumnInfo{QString::fromLatin1(name), kind, width};
}

// The tables in the order they are created.
const std::pair<const char *, const ColumnList *> *tables()
{
    static const std::pair<const char *, const ColumnList *> all[] = {
        {"Tickets", &TicketSchema::ticketsColumns()},
        {"Bets", &TicketSchema::betsColumns()},
        {"Teams", &TicketSchema::teamsColumns()}};
    return all;
}
constexpr int kTables = 3;
} // namespace

namespace TicketSchema
{

const ColumnList &ticketsColumns()
{
    using K = ColumnKind;
    static const ColumnList c = {column("TN", K::Real),     column("DateP", K::Date),
                                 column("Stake", K::Real),  column("Fee", K::Real),
                                 column("TPrice", K::Real), column("PayOut", K::Real),
                                 column("Profit", K::Real), column("Status", K::Text, 9)};
    return c;
}

const ColumnList &betsColumns()
{
    using K = ColumnKind;
    static const ColumnList c = {column("TN", K::Real),         column("DateP", K::Date),
                                 column("League", K::Text, 30), column("Home", K::Text, 30),
                                 column("Away", K::Text, 30),   column("Bet", K::Text, 2),
                                 column("Price", K::Text, 6),   column("Result", K::Text, 9)};
    return c;
}

const ColumnList &teamsColumns()
{
    static const ColumnList c = {column("League", ColumnKind::Text, 30),
                                 column("Team", ColumnKind::Text, 30)};
    return c;
}

QStringList tableNames()
{
    QStringList names;
    for (int i = 0; i < kTables; ++i)
        names << QString::fromLatin1(tables()[i].first);
    return names;
}

void createFile(const QString &path)
{
    Database::create(path);
    Database db;
    db.open(path);
    Transaction tx(db);
    for (int i = 0; i < kTables; ++i)
        db.execute(LeagueSchema::createTableSql(QString::fromLatin1(tables()[i].first), *tables()[i].second));
    tx.commit();
}

void check(Database &db)
{
    const QStringList present = db.tableNames();
    for (int i = 0; i < kTables; ++i) {
        const QString table = QString::fromLatin1(tables()[i].first);
        if (!present.contains(table, Qt::CaseInsensitive))
            throw DatabaseError(
                QStringLiteral("This is not a ticket file: the table %1 is missing.").arg(table));
        const auto columns = db.tableColumns(table);
        for (const ColumnInfo &c : *tables()[i].second) {
            bool found = false;
            for (const auto &p : columns)
                found = found || p.first.compare(c.name, Qt::CaseInsensitive) == 0;
            if (!found)
                throw DatabaseError(
                    QStringLiteral("This is not a ticket file: the table %1 has no column %2.")
                        .arg(table, c.name));
        }
    }
}

} // namespace TicketSchema
