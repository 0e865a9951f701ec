#include "data/LeagueDocument.h"

#include "data/TDataMod.h"

QString LeagueDocument::path() const
{
    return ConnectedFileName(m_dm.ADOConnection);
}

void LeagueDocument::open(const QString &path)
{
    m_dm.openLeague(path);
}

void LeagueDocument::close()
{
    m_closed = true;
    m_dm.closeLeague();
}

void LeagueDocument::storePendingEdits()
{
    ::storePendingEdits(m_dm.ADOConnection, {&m_dm.ADOTableTeams, &m_dm.ADOTablePlayers});
}

void writeLeagueFile(const QString &path, const std::function<void(TDataMod &)> &fill)
{
    TDataMod dm;
    CreateLeagueFile(dm.ADOConnection, dm.ADOTableLeague, path);
    if (fill)
        fill(dm);
    dm.closeLeague(); // a closed file is complete on disk
}

void buildLeagueFile(const QString &target, ExistingFile existing,
                     const std::function<void(TDataMod &)> &fill)
{
    buildFile(target, existing, [&](const QString &path) { writeLeagueFile(path, fill); });
}
