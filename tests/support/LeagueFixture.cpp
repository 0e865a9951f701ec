#include "support/LeagueFixture.h"

#include "data/Standings.h"

#include <QTest>

LeagueFixture::LeagueFixture(const QString &sport, const QStringList &teams)
    : m_dm(std::make_unique<TDataMod>())
{
    m_path = m_dir.filePath(QStringLiteral("Test League.qvl"));
    CreateLeagueFile(m_dm->ADOConnection, m_dm->ADOTableLeague, m_path);
    m_dm->OpenLeagueTables();
    setLeague(QStringLiteral("Sport"), sport);
    for (const QString &t : teams)
        addTeam(t);
}

void LeagueFixture::setLeague(const QString &column, const QVariant &value)
{
    Table &league = m_dm->ADOTableLeague;
    league.first();
    league.edit();
    league.field(column).setValue(value);
    league.post();
}

void LeagueFixture::addTeam(const QString &name)
{
    Table &teams = m_dm->ADOTableTeams;
    teams.appendRecord(newTeamValues(name, teams.recordCount() + 1));
    m_dm->RenumberPositions();
}

MatchEntryInput LeagueFixture::input(const QString &home, const QString &away, int homeScore, int awayScore,
                                     bool overtime, const QDate &date, int round)
{
    MatchEntryInput in;
    in.mode = MatchEntryMode::Add;
    in.teamEntries = teamNames();
    in.home = home;
    in.away = away;
    in.homeScore = homeScore;
    in.awayScore = awayScore;
    in.overtime = overtime;
    in.year = date.year();
    in.month = date.month();
    in.day = date.day();
    in.round = round;
    in.underOver = QStringLiteral("2.5");
    return in;
}

bool LeagueFixture::addMatch(const QString &home, const QString &away, int homeScore, int awayScore,
                             bool overtime, const QDate &date, int round)
{
    return SaveMatch(*m_dm, input(home, away, homeScore, awayScore, overtime, date, round), messenger);
}

int LeagueFixture::team(const QString &name, const QString &column)
{
    Table &teams = m_dm->ADOTableTeams;
    if (!teams.locate(QStringLiteral("Team"), {name}, Dataset::CaseInsensitive))
        QTest::qFail(qPrintable(QStringLiteral("no team %1").arg(name)), __FILE__, __LINE__);
    return teams.field(column).asInteger();
}

QStringList LeagueFixture::teamNames()
{
    QStringList out;
    Table &teams = m_dm->ADOTableTeams;
    for (teams.first(); !teams.eof(); teams.next())
        out << teams.field(QStringLiteral("Team")).asString();
    return out;
}

void LeagueFixture::reopen()
{
    m_dm->closeLeague();
    m_dm->openLeague(m_path);
}

QStringList twentyLongTeamNames()
{
    return {QStringLiteral("AFC Bournemouth"),
            QStringLiteral("Arsenal"),
            QStringLiteral("Aston Villa"),
            QStringLiteral("Brentford"),
            QStringLiteral("Brighton & Hove Albion"),
            QStringLiteral("Chelsea"),
            QStringLiteral("Crystal Palace"),
            QStringLiteral("Everton"),
            QStringLiteral("Huddersfield Town"),
            QStringLiteral("Leicester City"),
            QStringLiteral("Liverpool"),
            QStringLiteral("Manchester City"),
            QStringLiteral("Manchester United"),
            QStringLiteral("Newcastle United"),
            QStringLiteral("Nottingham Forest"),
            QStringLiteral("Sheffield Wednesday"),
            QStringLiteral("Tottenham Hotspur"),
            QStringLiteral("West Bromwich Albion"),
            QStringLiteral("West Ham United"),
            QStringLiteral("Wolverhampton Wanderers")};
}
