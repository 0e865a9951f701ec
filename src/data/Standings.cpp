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
#include <vector>

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

bool findTeam(Table &teams, const QString &name)
{
    return teams.locate(QStringLiteral("Team"), {name}, Dataset::CaseInsensitive);
}

// Counts, goals and points are whole numbers of the int range the program reads them in; a value
// past it is refused with the team and the column, never wrapped round.
int fitting(Table &t, int column, qint64 value)
{
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw QuorvaneError(
            QStringLiteral("The standings of %1 cannot take this match: %2 would come to %3, "
                           "beyond %4 to %5.")
                .arg(excerpt(t.field(QStringLiteral("Team")).asString()), t.columns()[column].name)
                .arg(value)
                .arg(std::numeric_limits<int>::min())
                .arg(std::numeric_limits<int>::max()));
    return static_cast<int>(value);
}

// A match touches some eighty columns: each is found by its literal's address, not by its name.
int get(Table &t, const char *column)
{
    return t.field(t.literalFieldIndex(column)).asInteger();
}

void set(Table &t, const char *column, qint64 value)
{
    const int c = t.literalFieldIndex(column);
    t.field(c).setInteger(fitting(t, c, value));
}

void add(Table &t, const char *column, qint64 delta)
{
    set(t, column, qint64(get(t, column)) + delta);
}

Points readPoints(Table &league)
{
    league.first();
    return {get(league, "PW"),  get(league, "PD"),  get(league, "PL"),
            get(league, "PWO"), get(league, "PDO"), get(league, "PLO")};
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
int ratingFactorOf(Table &league)
{
    league.first();
    return GetSportConstants(league.field(QStringLiteral("Sport")).asString()).ratingFactor;
}

// One team's new rating, rounded and floored at 100.
qint64 newRating(int ratingFactor, int ownScore, int opponentScore, int ownRating, int opponentRating)
{
    const long double x =
        Standings::ratingAfter(ownScore, opponentScore, ownRating, opponentRating, ratingFactor);
    const qint64 rating = std::isfinite(x) && std::fabs(x) < 1e18L ? Numbers::roundHalfEven(x)
                                                                   : std::numeric_limits<qint64>::max();
    return std::max<qint64>(rating, 100);
}

// The overall columns of the team row being edited from its home and away columns.
void sumTotals(Table &teams)
{
    for (const auto &[total, home, away] : {std::array<const char *, 3>{"TL", "HL", "AL"},
                                            {"TD", "HD", "AD"},
                                            {"TW", "HW", "AW"},
                                            {"TP", "HP", "AP"},
                                            {"TF", "HF", "AF"},
                                            {"TA", "HA", "AA"},
                                            {"TDif", "HDif", "ADif"},
                                            {"TPts", "HPts", "APts"}})
        set(teams, total, qint64(get(teams, home)) + get(teams, away));
}
} // namespace

namespace
{
// 10^(difference / 400).  Ratings are whole numbers, so the same few thousand differences come back
// match after match: each whole one is worked out once, by the same powl as any other, so the result
// is the same to the last bit.
long double tenToThe(long double difference)
{
    constexpr int kSpan = 4000;
    thread_local std::vector<long double> known(2 * kSpan + 1, -1.0L);
    const bool whole = std::fabs(difference) <= kSpan && difference == std::trunc(difference);
    if (!whole)
        return std::pow(10.0L, difference / 400.0L);
    long double &g = known[static_cast<size_t>(static_cast<int>(difference) + kSpan)];
    if (g < 0)
        g = std::pow(10.0L, difference / 400.0L);
    return g;
}
} // namespace

namespace Standings
{

long double ratingAfter(int ownScore, int opponentScore, long double R, long double Q, int ratingFactor)
{
    const long double K = ratingFactor;
    const long double d = ownScore - opponentScore;
    if (d > 0) {
        const long double g = tenToThe(Q - R);
        return (d - d / (g + 1.0L)) * K + R;
    }
    if (d < 0) {
        const long double g = tenToThe(R - Q);
        return (d - d / (g + 1.0L)) * K + R;
    }
    const long double g1 = tenToThe(Q - R);
    const long double y = (1.0L - 1.0L / (g1 + 1.0L)) * K + R + R;
    const long double g2 = tenToThe(R - Q);
    return (y - (1.0L - 1.0L / (g2 + 1.0L)) * K) / 2.0L;
}

void UpdateRating(Table &teams, Table &league, int ownScore, int opponentScore, int ownRating,
                  int opponentRating, const QString &column, const QString &team)
{
    const qint64 rating =
        newRating(ratingFactorOf(league), ownScore, opponentScore, ownRating, opponentRating);
    if (!findTeam(teams, team))
        return;
    teams.edit();
    const int c = teams.fieldIndex(column);
    teams.field(c).setInteger(fitting(teams, c, rating));
    teams.post();
}

void SumTotals(Table &teams)
{
    teams.edit();
    sumTotals(teams);
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
    const bool rated = homeFound && awayFound;
    const int K = rated ? ratingFactorOf(league) : 0;
    const Points points = readPoints(league);

    // Each team's row is written once: its new ratings (both teams measured against the other's rating
    // from before the match; only when both are known), its side of the match and its totals.  When
    // both sides name one row, the away side's ratings are the ones that stay, as when each rating was
    // written on its own in the order home, away.
    if (homeFound && findTeam(teams, homeTeam)) {
        teams.edit();
        if (rated) {
            set(teams, "TRT", newRating(K, homeScore, awayScore, homeTRT, awayTRT));
            set(teams, "TRH", newRating(K, homeScore, awayScore, homeTRH, awayTRA));
        }
        count(teams, kHome, outcome, overtime, points, homeScore, awayScore, +1);
        sumTotals(teams);
        teams.post();
    }
    if (awayFound && findTeam(teams, awayTeam)) {
        teams.edit();
        if (rated) {
            set(teams, "TRT", newRating(K, awayScore, homeScore, awayTRT, homeTRT));
            set(teams, "TRA", newRating(K, awayScore, homeScore, awayTRA, homeTRH));
        }
        count(teams, kAway, mirrored(outcome), overtime, points, awayScore, homeScore, +1);
        sumTotals(teams);
        teams.post();
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
        sumTotals(teams);
        teams.post();
    }
    if (findTeam(teams, away)) {
        teams.edit();
        count(teams, kAway, mirrored(outcome), overtime, points, A, F, -1);
        restore("TRA", tra);
        restore("TRT", trat);
        sumTotals(teams);
        teams.post();
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
