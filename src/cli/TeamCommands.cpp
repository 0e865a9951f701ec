#include "cli/TeamCommands.h"

#include "cli/LeagueFile.h"
#include "cli/PrintedText.h"
#include "data/TDataMod.h"
#include "entry/TeamMerge.h"

namespace
{

void runMergeTeams(const Arguments &a, Messenger &)
{
    if (!a.has(QStringLiteral("--keep")) || !a.has(QStringLiteral("--merge")))
        throw UsageError{QStringLiteral("merge-teams needs --keep TEAM and --merge TEAM.")};
    const QString keep = a.value(QStringLiteral("--keep"));
    const QString merge = a.value(QStringLiteral("--merge"));
    TDataMod dm;
    openLeagueFile(dm, a.positional(0), LeagueTables::leagueRowOnly()); // checks that it is a league file
    MergeTeams(dm.ADOConnection, keep, merge);
    writeStdout(QStringLiteral("%1 merged into %2.\n").arg(merge, keep));
}

} // namespace

QList<Command> teamCommands()
{
    return {{QStringLiteral("merge-teams"),
             QStringLiteral("merge-teams FILE --keep TEAM --merge TEAM"),
             {{QStringLiteral("--keep"), 1}, {QStringLiteral("--merge"), 1}},
             1,
             1,
             runMergeTeams}};
}
