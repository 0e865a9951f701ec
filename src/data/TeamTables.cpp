#include "data/TeamTables.h"

#include "data/TDataMod.h"

QString teamColumnPrefix(TeamTable table)
{
    return table == TeamTable::Home   ? QStringLiteral("H")
           : table == TeamTable::Away ? QStringLiteral("A")
                                      : QStringLiteral("T");
}

QString defaultTeamSort(TeamTable table)
{
    return QStringLiteral("%1Pts DESC, %1Dif DESC, %1W DESC").arg(teamColumnPrefix(table));
}

void RenumberInHomeOrder(TDataMod &dm)
{
    const TeamTable shown = dm.positionsTable();
    dm.setPositionsTable(TeamTable::Home);
    dm.RenumberPositions();
    dm.setPositionsTable(shown);
}
