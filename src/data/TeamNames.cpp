#include "data/TeamNames.h"

#include "data/Database.h"

QStringList readTeamNamesByName(Database &league)
{
    Statement st =
        league.prepare(QStringLiteral("SELECT Team FROM Teams ORDER BY Team COLLATE UNOCASE, rowid"));
    QStringList names;
    while (st.step())
        names << st.value(0).toString();
    return names;
}
