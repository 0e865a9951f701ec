#include "data/Standings.h"

#include "data/Dataset.h"
#include "data/Errors.h"
#include "data/Excerpt.h"
#include "data/MatchOutcome.h"
#include "data/Numbers.h"
#include "data/Sports.h"
#include "data/Table.h"

#include <QHash>

#include <array>
#include <cmath>
#include <limits>

namespace
{
// The standings count a match by its score alone and give an overtime decision its own points, so the
// outcome here ignores "OT".  Seen from the team counted: HomeWin is its win, AwayWin its loss.
using Outcome = MatchOutcome;

Outcome outcomeByScore(int scored, int conceded)
{
    return matchOutcome(scored, conceded, false);
}

struct Points {
    int PW, PD, PL, PWO, PDO, PLO;
};

Points readPoints(Table &league)
{
    league.first();
    return {league.field(QStringLiteral("PW")).asInteger(),  league.field(QStringLiteral("PD")).asInteger(),
            league.field(QStringLiteral("PL")).asInteger(),  league.field(QStringLiteral("PWO")).asInteger(),
            league.field(QStringLiteral("PDO")).asInteger(), league.field(QStringLiteral("PLO")).asInteger()};
}

bool findTeam(Table &teams, const QString &name)
{
    return teams.locate(QStringLiteral("Team"), {name}, Dataset::CaseInsensitive);
}

// Counts, goals and points are whole numbers of the int range the program reads them in; a value
// past it is refused with the team and the column, never wrapped round.
int fitting(Table &t, const QString &column, qint64 value)
{
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw QuorvaneError(QStringLiteral("The standings of %1 cannot take this match: %2 would come to %3, "
                                           "beyond %4 to %5.")
                                .arg(excerpt(t.field(QStringLiteral("Team")).asString()), column)
                                .arg(value)
                                .arg(std::numeric_limits<int>::min())
                                .arg(std::numeric_limits<int>::max()));
    return static_cast<int>(value);
}

// A column name as a QString, made once per literal: a match looks up some eighty of them.
const QString &nameOf(const char *column)
{
    thread_local QHash<const char *, QString> names;
    auto it = names.constFind(column);
    if (it == names.constEnd())
        it = names.insert(column, QString::fromLatin1(column));
    return *it;
}

int get(Table &t, const char *column)
{
    return t.field(nameOf(column)).asInteger();
}

void set(Table &t, const char *column, qint64 value)
{
    const QString &name = nameOf(column);
    t.field(name).setInteger(fitting(t, name, value));
}

void add(Table &t, const char *column, qint64 delta)
{
    set(t, column, qint64(get(t, column)) + delta);
}

// The columns of one side of a team row: home (H...) or away (A...).
struct Side {
    const char *W, *D, *L, *P, *F, *A, *Dif, *Pts;
};
const Side kHome = {"HW", "HD", "HL", "HP", "HF", "HA", "HDif", "HPts"};
const Side kAway = {"AW", "AD", "AL", "AP", "AF", "AA", "ADif", "APts"};

// Adds (sign +1) or takes out (sign -1) one match on one side of the current team row.
// `result` is the match from this side's own view.
void count(Table &teams, const Side &s, Outcome result, bool overtime, const Points &p, qint64 scored,
           qint64 conceded, qint64 sign)
{
    switch (result) {
    case Outcome::HomeWin:
        add(teams, overtime ? s.D : s.W, sign);
        add(teams, s.Pts, sign * (overtime ? p.PWO : p.PW));
        break;
    case Outcome::Draw:
        add(teams, s.D, sign);
        add(teams, s.Pts, sign * (overtime ? p.PDO : p.PD));
        break;
    case Outcome::AwayWin:
        add(teams, overtime ? s.D : s.L, sign);
        add(teams, s.Pts, sign * (overtime ? p.PLO : p.PL));
        break;
    }
    set(teams, s.P, qint64(get(teams, s.W)) + get(teams, s.D) + get(teams, s.L));
    add(teams, s.F, sign * scored);
    add(teams, s.A, sign * conceded);
    set(teams, s.Dif, qint64(get(teams, s.F)) - get(teams, s.A));
}

Outcome mirrored(Outcome o)
{
    return o == Outcome::HomeWin   ? Outcome::AwayWin
           : o == Outcome::AwayWin ? Outcome::HomeWin
                                   : Outcome::Draw;
}
} // namespace

namespace Standings
{

long double ratingAfter(int ownScore, int opponentScore, long double R, long double Q, int ratingFactor)
{
    const long double K = ratingFactor;
    const long double d = ownScore - opponentScore;
    if (d > 0) {
        const long double g = std::pow(10.0L, (Q - R) / 400.0L);
        return (d - d / (g + 1.0L)) * K + R;
    }
    if (d < 0) {
        const long double g = std::pow(10.0L, (R - Q) / 400.0L);
        return (d - d / (g + 1.0L)) * K + R;
    }
    const long double g1 = std::pow(10.0L, (Q - R) / 400.0L);
    const long double y = (1.0L - 1.0L / (g1 + 1.0L)) * K + R + R;
    const long double g2 = std::pow(10.0L, (R - Q) / 400.0L);
    return (y - (1.0L - 1.0L / (g2 + 1.0L)) * K) / 2.0L;
}

void UpdateRating(Table &teams, Table &league, int ownScore, int opponentScore, int ownRating,
                  int opponentRating, const QString &column, const QString &team)
{
    league.first();
    const QString sport = league.field(QStringLiteral("Sport")).asString();
    const long double x = ratingAfter(ownScore, opponentScore, ownRating, opponentRating,
                                      GetSportConstants(sport).ratingFactor);
    qint64 rating = std::isfinite(x) && std::fabs(x) < 1e18L ? Numbers::roundHalfEven(x)
                                                             : std::numeric_limits<qint64>::max();
    if (rating < 100)
        rating = 100;
    if (!findTeam(teams, team))
        return;
    teams.edit();
    teams.field(column).setInteger(fitting(teams, column, rating));
    teams.post();
}

void SumTotals(Table &teams)
{
    teams.edit();
    for (const auto &[total, home, away] : {std::array<const char *, 3>{"TL", "HL", "AL"},
                                            {"TD", "HD", "AD"},
                                            {"TW", "HW", "AW"},
                                            {"TP", "HP", "AP"},
                                            {"TF", "HF", "AF"},
                                            {"TA", "HA", "AA"},
                                            {"TDif", "HDif", "ADif"},
                                            {"TPts", "HPts", "APts"}})
        set(teams, total, qint64(get(teams, home)) + get(teams, away));
    teams.post();
}

void ApplyResult(Table &teams, Table &league, bool overtime, int awayScore, int homeScore,
                 const QString &awayTeam, const QString &homeTeam)
{
    const Outcome outcome = outcomeByScore(homeScore, awayScore);

    const bool homeFound = findTeam(teams, homeTeam);
    const int homeTRH = homeFound ? get(teams, "TRH") : 0;
    const int homeTRT = homeFound ? get(teams, "TRT") : 0;
    const bool awayFound = findTeam(teams, awayTeam);
    const int awayTRA = awayFound ? get(teams, "TRA") : 0;
    const int awayTRT = awayFound ? get(teams, "TRT") : 0;

    // Both teams are measured against the other's rating from before the match.
    if (homeFound && awayFound) {
        UpdateRating(teams, league, homeScore, awayScore, homeTRT, awayTRT, QStringLiteral("TRT"), homeTeam);
        UpdateRating(teams, league, awayScore, homeScore, awayTRT, homeTRT, QStringLiteral("TRT"), awayTeam);
        UpdateRating(teams, league, homeScore, awayScore, homeTRH, awayTRA, QStringLiteral("TRH"), homeTeam);
        UpdateRating(teams, league, awayScore, homeScore, awayTRA, homeTRH, QStringLiteral("TRA"), awayTeam);
    }

    const Points points = readPoints(league);
    if (findTeam(teams, homeTeam)) {
        teams.edit();
        count(teams, kHome, outcome, overtime, points, homeScore, awayScore, +1);
        teams.post();
        SumTotals(teams);
    }
    if (findTeam(teams, awayTeam)) {
        teams.edit();
        count(teams, kAway, mirrored(outcome), overtime, points, awayScore, homeScore, +1);
        teams.post();
        SumTotals(teams);
    }
}

void RemoveResult(Table &results, Table &teams, Table &league)
{
    const int F = results.field(QStringLiteral("F")).asInteger();
    const int A = results.field(QStringLiteral("A")).asInteger();
    const bool overtime = isOvertime(results.field(QStringLiteral("Result")).asString());
    const Outcome outcome = outcomeByScore(F, A);
    const QString home = results.field(QStringLiteral("Home")).asString();
    const QString away = results.field(QStringLiteral("Away")).asString();
    // Read the snapshot now: the lookups below move other tables only, but keep the values at hand.
    const Field snapTRH = results.field(QStringLiteral("TRH"));
    const Field snapTRHT = results.field(QStringLiteral("TRHT"));
    const Field snapTRA = results.field(QStringLiteral("TRA"));
    const Field snapTRAT = results.field(QStringLiteral("TRAT"));
    const QVariant trh = snapTRH.isNull() ? QVariant() : QVariant(snapTRH.asInteger());
    const QVariant trht = snapTRHT.isNull() ? QVariant() : QVariant(snapTRHT.asInteger());
    const QVariant tra = snapTRA.isNull() ? QVariant() : QVariant(snapTRA.asInteger());
    const QVariant trat = snapTRAT.isNull() ? QVariant() : QVariant(snapTRAT.asInteger());
    const Points points = readPoints(league);

    auto restore = [&teams](const char *column, const QVariant &snapshot) {
        if (snapshot.isValid())
            set(teams, column, snapshot.toInt());
    };

    if (findTeam(teams, home)) {
        teams.edit();
        count(teams, kHome, outcome, overtime, points, F, A, -1);
        restore("TRH", trh);
        restore("TRT", trht);
        teams.post();
        SumTotals(teams);
    }
    if (findTeam(teams, away)) {
        teams.edit();
        count(teams, kAway, mirrored(outcome), overtime, points, A, F, -1);
        restore("TRA", tra);
        restore("TRT", trat);
        teams.post();
        SumTotals(teams);
    }
}

void RenumberPositions(Table &teams)
{
    if (!teams.isActive() || teams.isEmpty())
        return;
    ControlsDisabled quiet(teams);
    // Take the order first: writing Pos must not disturb the walk, whatever the sort.
    std::vector<Dataset::Bookmark> order;
    order.reserve(teams.recordCount());
    for (teams.first(); !teams.eof(); teams.next())
        order.push_back(teams.bookmark());
    for (size_t i = 0; i < order.size(); ++i) {
        teams.gotoBookmark(order[i]);
        if (teams.field(QStringLiteral("Pos")).isNull() ||
            teams.field(QStringLiteral("Pos")).asInteger() != int(i + 1)) {
            teams.edit();
            teams.field(QStringLiteral("Pos")).setInteger(static_cast<qint64>(i + 1));
            teams.post();
        }
    }
    teams.first();
}

} // namespace Standings
