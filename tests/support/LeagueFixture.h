#pragma once
// A fresh league file in a temporary folder, opened in a data module, for one test function.

#include "data/TDataMod.h"
#include "entry/MatchEntry.h"
#include "support/RecordingMessenger.h"

#include <QTemporaryDir>
#include <memory>

class LeagueFixture
{
public:
    // Creates "<tmp>/Test League.qvl" with the given sport and teams (added as the team dialog adds them).
    explicit LeagueFixture(const QString &sport = QStringLiteral("Football (Soccer)"),
                           const QStringList &teams = {});
    QString path() const { return m_path; }
    TDataMod &dm() { return *m_dm; }

    void setLeague(const QString &column, const QVariant &value);
    void addTeam(const QString &name);
    // Adds a match through the match entry routine; returns whether it was stored.
    bool addMatch(const QString &home, const QString &away, int homeScore, int awayScore,
                  bool overtime = false, const QDate &date = QDate(2005, 8, 1), int round = 1);
    MatchEntryInput input(const QString &home, const QString &away, int homeScore, int awayScore,
                          bool overtime = false, const QDate &date = QDate(2005, 8, 1), int round = 1);
    // A column of the team's row, as a whole number.
    int team(const QString &name, const QString &column);
    QStringList teamNames();
    // Closes and opens the file again.
    void reopen();

    RecordingMessenger messenger;

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<TDataMod> m_dm;
};

// The names of a twenty-team league whose longest names fill a printed column: for the layouts' tests.
QStringList twentyLongTeamNames();
