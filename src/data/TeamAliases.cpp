#include "data/TeamAliases.h"

#include "data/Database.h"
#include "data/TextCompare.h"

namespace
{
const QString kTable = QStringLiteral("TeamAliases");

bool exists(Database &league)
{
    return league.tableNames().contains(kTable, Qt::CaseInsensitive);
}
} // namespace

namespace TeamAliases
{

void store(Database &league, const QString &alias, const QString &team)
{
    league.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS TeamAliases (Alias TEXT(30), Team TEXT(30))"));
    QList<QPair<QString, QString>> rows;
    {
        Statement st = league.prepare(QStringLiteral("SELECT Alias, Team FROM TeamAliases"));
        while (st.step())
            rows.append({st.value(0).toString(), st.value(1).toString()});
    }
    for (const auto &[a, t] : rows) {
        if (TextCompare::equalNoCase(a, alias)) // an older meaning of the alias goes
            league.execute(QStringLiteral("DELETE FROM TeamAliases WHERE Alias = ?1"), {a});
        else if (TextCompare::equalNoCase(t, alias)) // names merged into the merged team follow it
            league.execute(QStringLiteral("UPDATE TeamAliases SET Team = ?1 WHERE Alias = ?2"), {team, a});
    }
    league.execute(QStringLiteral("INSERT INTO TeamAliases (Alias, Team) VALUES (?1, ?2)"), {alias, team});
}

QHash<QString, QString> readAll(Database &league)
{
    QHash<QString, QString> all;
    if (!exists(league))
        return all;
    Statement st = league.prepare(QStringLiteral("SELECT Alias, Team FROM TeamAliases"));
    while (st.step())
        all.insert(TextCompare::foldedKey(st.value(0).toString()), st.value(1).toString());
    return all;
}

} // namespace TeamAliases
