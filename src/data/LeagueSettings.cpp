#include "data/LeagueSettings.h"

#include "data/BusyCursor.h"
#include "data/Dates.h"
#include "data/Messenger.h"
#include "data/PendingEdit.h"
#include "data/Sports.h"
#include "data/TDataMod.h"

#include <algorithm>

namespace
{
const QString kSport = QStringLiteral("Sport");
const QString kLeague = QStringLiteral("League");

// Seasons take the years every date field accepts.
const LeagueNumberField kFields[LeagueNumberCount] = {
    {QStringLiteral("SS"), Dates::FirstYear, Dates::LastYear, 2005},
    {QStringLiteral("SE"), Dates::FirstYear, Dates::LastYear, 2006},
    {QStringLiteral("PW"), -99, 99, 3},
    {QStringLiteral("PD"), -99, 99, 1},
    {QStringLiteral("PL"), -99, 99, 0},
    {QStringLiteral("PWO"), -99, 99, 3},
    {QStringLiteral("PDO"), -99, 99, 1},
    {QStringLiteral("PLO"), -99, 99, 0},
    {QStringLiteral("HP"), 10, 90, 50},
    {QStringLiteral("DP"), 10, 90, 35},
    {QStringLiteral("AP"), 10, 90, 50},
    {QStringLiteral("CF"), 10, 90, 50},
    {QStringLiteral("LM"), 2, 10, 5},
};

struct YesNoField {
    QString column;
    bool LeagueSettings::*member;
};
const YesNoField kYesNo[] = {{QStringLiteral("HW"), &LeagueSettings::HW},
                             {QStringLiteral("DR"), &LeagueSettings::DR},
                             {QStringLiteral("AW"), &LeagueSettings::AW},
                             {QStringLiteral("HA"), &LeagueSettings::HA}};

LeagueNumber numberAt(int i)
{
    return static_cast<LeagueNumber>(i);
}
} // namespace

const LeagueNumberField &leagueNumberField(LeagueNumber n)
{
    return kFields[static_cast<int>(n)];
}

int clampLeagueNumber(LeagueNumber n, int value)
{
    const LeagueNumberField &f = leagueNumberField(n);
    return std::clamp(value, f.minimum, f.maximum);
}

LeagueSettings::LeagueSettings()
{
    for (int i = 0; i < LeagueNumberCount; ++i)
        numbers[i] = kFields[i].preset;
    const Season season = currentSeason();
    (*this)[LeagueNumber::SS] = clampLeagueNumber(LeagueNumber::SS, season.first);
    (*this)[LeagueNumber::SE] = clampLeagueNumber(LeagueNumber::SE, season.second);
}

Season currentSeason(const QDate &today)
{
    constexpr int kSeasonStartMonth = 7;
    const int first = today.month() >= kSeasonStartMonth ? today.year() : today.year() - 1;
    return {first, first + 1};
}

int secondYearAfterFirstChanged(int oldFirst, int second, int newFirst)
{
    return clampLeagueNumber(LeagueNumber::SE, second + (newFirst - oldFirst));
}

LeagueSettings ReadLeagueSettings(Table &league)
{
    LeagueSettings s;
    league.first();
    s.sport = league.field(kSport).asString();
    s.league = league.field(kLeague).asString();
    for (int i = 0; i < LeagueNumberCount; ++i)
        s[numberAt(i)] = clampLeagueNumber(numberAt(i), league.field(kFields[i].column).asInteger());
    for (const YesNoField &f : kYesNo)
        s.*f.member = league.field(f.column).asBoolean();
    return s;
}

bool ApplySportChoice(LeagueSettings &s, const QString &text, int listPosition, Messenger &messenger)
{
    if (sportPosition(text) < 0) {
        messenger.warning(QStringLiteral("No sport selected or invalid sport"));
        return false;
    }
    const SportDefaults *d = sportDefaults(listPosition);
    if (!d)
        return false;
    s[LeagueNumber::PW] = d->PW;
    s[LeagueNumber::PD] = d->PD;
    s[LeagueNumber::PL] = d->PL;
    s[LeagueNumber::PWO] = d->PWO;
    s[LeagueNumber::PDO] = d->PDO;
    s[LeagueNumber::PLO] = d->PLO;
    s[LeagueNumber::HP] = d->HP;
    s[LeagueNumber::DP] = d->DP;
    s[LeagueNumber::AP] = d->AP;
    return true;
}

bool SaveLeagueSettings(TDataMod &dm, const LeagueSettings &settings, Messenger &messenger)
{
    if (sportPosition(settings.sport) < 0) {
        messenger.warning(QStringLiteral("No sport selected or invalid sport"));
        return false;
    }
    BusyCursor busy;
    Table &league = dm.ADOTableLeague;
    // On a failure the transaction rolls back and the tables are read again from the file.
    Transaction tx(dm.ADOConnection);
    PendingEdit pending(league);
    league.first();
    if (league.isEmpty())
        league.append(); // a file without its settings row gets one
    else
        league.edit();
    league.field(kSport).setString(settings.sport);
    league.field(kLeague).setString(settings.league);
    for (int i = 0; i < LeagueNumberCount; ++i)
        league.field(kFields[i].column).setInteger(clampLeagueNumber(numberAt(i), settings[numberAt(i)]));
    for (const YesNoField &f : kYesNo)
        league.field(f.column).setBoolean(settings.*f.member);
    pending.post();
    dm.RenumberPositions();
    tx.commit();
    return true;
}

QString seasonText(Table &league)
{
    league.first();
    return league.field(QStringLiteral("SS")).asString() + QStringLiteral(" - ") +
           league.field(QStringLiteral("SE")).asString();
}
