#pragma once
// Names a league has merged into another team, in a table of their own (TeamAliases: Alias, Team), so
// that a later import of a file with the old spelling enters the kept team.  A league file without the
// table has no aliases; the table is made when the first merge is stored.

#include <QHash>
#include <QString>

class Database;

namespace TeamAliases
{

// Remembers that alias now means team (replacing what alias meant before), and points the aliases of
// alias to team too, so that a chain of merges ends at the team that is left.
void store(Database &league, const QString &alias, const QString &team);

// The kept team of every alias, keyed by TextCompare::foldedKey of the alias; empty without the table.
QHash<QString, QString> readAll(Database &league);

} // namespace TeamAliases
