#include "data/TeamTables.h"

#include "data/TDataMod.h"

QString defaultTeamSort(TeamTable table)
{
    const QChar side = table == TeamTable::Home   ? QLatin1Char('H')
                       : table == TeamTable::Away ? QLatin1Char('A')
                                                  : QLatin1Char('T');
    return QStringLiteral("%1Pts DESC, %1Dif DESC, %1W DESC").arg(side);
}

void RenumberInHomeOrder(TDataMod &dm)
{
    SortKept kept(dm.ADOTableTeams);
    dm.ADOTableTeams.setSort(defaultTeamSort(TeamTable::Home));
    dm.RenumberPositions();
}
