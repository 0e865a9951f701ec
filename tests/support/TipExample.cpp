#include "support/TipExample.h"

#include "support/MatchRows.h"

#include <QTest>

namespace
{

void setTeam(TDataMod &dm, const QString &team, const QVariantHash &values)
{
    Table &teams = dm.ADOTableTeams;
    if (!teams.locate(QStringLiteral("Team"), {team}))
        qFatal("no team %s", qPrintable(team));
    teams.edit();
    for (auto it = values.begin(); it != values.end(); ++it)
        teams.field(it.key()).setValue(it.value());
    teams.post();
}

} // namespace

PredictionOptions tipExampleOptions()
{
    return {.homeWin = true,
            .draw = false,
            .awayWin = true,
            .homePct = 50,
            .drawPct = 35,
            .awayPct = 50,
            .confidence = 50,
            .venueStats = true,
            .lastMatches = 6};
}

const QStringList &tipExampleHomeHistory()
{
    static const QStringList lines = {
        QStringLiteral("H-X 2:0"), QStringLiteral("Y-H 1:1"), QStringLiteral("H-Z 3:1"),
        QStringLiteral("H-W 0:1"), QStringLiteral("V-H 2:0"), QStringLiteral("H-U 2:2"),
        QStringLiteral("H-T 1:0"), QStringLiteral("H-S 4:0"), QStringLiteral("H-R 1:1")};
    return lines;
}

const QStringList &tipExampleAwayHistory()
{
    static const QStringList lines = {
        QStringLiteral("A-P 1:1"), QStringLiteral("Q-A 2:1"), QStringLiteral("Z-A 0:0"),
        QStringLiteral("O-A 1:3"), QStringLiteral("A-N 2:0"), QStringLiteral("M-A 3:0"),
        QStringLiteral("L-A 1:2"), QStringLiteral("K-A 2:2"), QStringLiteral("J-A 1:0")};
    return lines;
}

TipExampleLeague::TipExampleLeague()
    : league(QStringLiteral("Football (Soccer)"),
             {QStringLiteral("H"), QStringLiteral("A"), QStringLiteral("B")})
{
    const QDate newest(2006, 5, 1);
    TDataMod &dm = league.dm();
    for (const QStringList *lines : {&tipExampleHomeHistory(), &tipExampleAwayHistory()})
        for (qsizetype i = 0; i < lines->size(); ++i)
            insertMatch(dm.ADOConnection, playedRow(lines->at(i), newest.addDays(-7 * i)));
    dm.ADOTableResults.reload();
    setTeam(dm, QStringLiteral("H"),
            {{QStringLiteral("TRH"), 1200},
             {QStringLiteral("TRT"), 1100},
             {QStringLiteral("HP"), 6},
             {QStringLiteral("HW"), 4},
             {QStringLiteral("HF"), 12},
             {QStringLiteral("HA"), 4},
             {QStringLiteral("HPts"), 13},
             {QStringLiteral("TP"), 8},
             {QStringLiteral("TF"), 13},
             {QStringLiteral("TA"), 7},
             {QStringLiteral("TPts"), 14}});
    setTeam(dm, QStringLiteral("A"),
            {{QStringLiteral("TRA"), 900},
             {QStringLiteral("TRT"), 1000},
             {QStringLiteral("AP"), 6},
             {QStringLiteral("AW"), 2},
             {QStringLiteral("AF"), 8},
             {QStringLiteral("AA"), 9},
             {QStringLiteral("APts"), 8},
             {QStringLiteral("TP"), 8},
             {QStringLiteral("TF"), 11},
             {QStringLiteral("TA"), 10},
             {QStringLiteral("TPts"), 12}});
    setTeam(dm, QStringLiteral("B"), {{QStringLiteral("APts"), 9}});
}

void TipExampleLeague::addPlayer(const QString &team, const QString &name, int rating, const QString &status)
{
    Table &players = league.dm().ADOTablePlayers;
    players.append();
    players.field(QStringLiteral("Player")).setString(name);
    players.field(QStringLiteral("Team")).setString(team);
    players.field(QStringLiteral("PR")).setInteger(rating);
    players.field(QStringLiteral("IN_OUT")).setString(status);
    players.post();
}
