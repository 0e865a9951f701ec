#include "predict/PredictionEngine.h"

#include "data/Numbers.h"
#include "data/Sports.h"

#include <algorithm>
#include <initializer_list>

History History::newestFirst(std::span<const MatchRecord *const> matches)
{
    History h;
    h.m_matches = matches;
    return h;
}

History History::oldestFirstBefore(std::span<const MatchRecord *const> matches, std::size_t end)
{
    History h;
    h.m_matches = matches.first(std::min(end, matches.size()));
    h.m_reversed = true;
    return h;
}

const MatchRecord &History::operator[](std::size_t i) const
{
    return *m_matches[m_reversed ? m_matches.size() - 1 - i : i];
}

int predictionRating(int storedRating)
{
    return storedRating / 100; // C++ division truncates toward zero
}

namespace
{

int rounded(double x)
{
    return static_cast<int>(Numbers::roundHalfEven(x));
}

template <typename Goals>
void addOutcome(Goals own, Goals other, bool overtime, int &won, int &drawn, int &lost)
{
    if (overtime || own == other)
        ++drawn;
    else if (own > other)
        ++won;
    else
        ++lost;
}

// Fewer than two matches say too little: the sport's typical score is mixed in as one extra match.
template <typename Goals>
void average(Goals goalsFor, Goals goalsAgainst, int n, int prior, double &avgFor, double &avgAgainst)
{
    if (n < 2) {
        avgFor = double(goalsFor + prior) / (n + 1);
        avgAgainst = double(goalsAgainst + prior) / (n + 1);
    } else {
        avgFor = double(goalsFor) / n;
        avgAgainst = double(goalsAgainst) / n;
    }
}

// Adds one comparison to h (home favoured), a (away favoured) or e (even).
template <typename T> void favour(T home, T away, int &h, int &a, int &e)
{
    if (home > away)
        ++h;
    else if (home < away)
        ++a;
    else
        ++e;
}

struct Counters {
    int h = 0, a = 0, e = 0;
};

// The seven comparisons over one set of fields; "against" and "lost" favour the side with the smaller value.
void compare(Counters &c, int rH, int rA, int wH, int wA, int lH, int lA, double forH, double forA,
             double againstH, double againstA, double diffH, double diffA, double xgH, double xgA)
{
    favour(rH, rA, c.h, c.a, c.e);
    favour(wH, wA, c.h, c.a, c.e);
    favour(lA, lH, c.h, c.a, c.e);
    favour(rounded(forH), rounded(forA), c.h, c.a, c.e);
    favour(rounded(againstA), rounded(againstH), c.h, c.a, c.e);
    favour(diffH, diffA, c.h, c.a, c.e);
    favour(rounded(xgH), rounded(xgA), c.h, c.a, c.e);
}

// The share of the comparisons that back the single most likely outcome; 50 when there is none.
int shareFor(const Counters &c, int HP, int DP, int AP)
{
    const double n = c.h + c.a + c.e;
    if (HP > DP && HP > AP)
        return rounded(c.h * 100 / n);
    if (AP > DP && AP > HP)
        return rounded(c.a * 100 / n);
    if (DP > AP && DP > HP)
        return rounded(c.e * 100 / n);
    return 50;
}

} // namespace

QString verdictOf(const PredictionOptions &o, int HP, int DP, int AP, int CF)
{
    if (o.homeWin && HP > DP && HP > AP && HP > o.homePct && CF > o.confidence)
        return QStringLiteral("1");
    if (o.draw && DP > HP && DP > AP && DP > o.drawPct && CF > o.confidence)
        return QStringLiteral("X");
    if (o.awayWin && AP > HP && AP > DP && AP > o.awayPct && CF > o.confidence)
        return QStringLiteral("2");
    return QStringLiteral("?");
}

std::optional<OutcomePercentages> outcomePercentages(double home, double draw, double away)
{
    const double t = home + draw + away;
    if (t == 0)
        return std::nullopt;
    return OutcomePercentages{rounded(home * 100 / t), rounded(draw * 100 / t), rounded(away * 100 / t)};
}

namespace
{

QString underOver(int nAll, int total, double line, const QLocale &locale)
{
    const QString lineText = Numbers::formatGeneral(line, locale);
    if (nAll <= 4)
        return lineText;
    return (total > line ? QStringLiteral("Over ") : QStringLiteral("Under ")) + lineText;
}

// Exact equality, at once when both share one copy of the text (as the histories' names do).
bool sameText(const QString &a, const QString &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

template <typename Goals>
BasicTeamForm<Goals> collectForm(const QString &team, bool playsAtHome, const History &history,
                                 int lastMatches, bool venueStats, Goals homeShift, Goals awayShift)
{
    BasicTeamForm<Goals> f;
    int k = lastMatches;
    for (std::size_t i = 0; i < history.size() && k > 0; ++i) {
        const MatchRecord &m = history[i];
        const bool wasHome = sameText(m.home, team);
        const bool atVenue = (wasHome && playsAtHome) || (!playsAtHome && sameText(m.away, team));
        const Goals homeScore = m.F + homeShift;
        const Goals awayScore = m.A + awayShift;
        const Goals own = wasHome ? homeScore : awayScore;
        const Goals other = wasHome ? awayScore : homeScore;

        ++f.nAll;
        addOutcome(own, other, m.overtime, f.wAll, f.dAll, f.lAll);
        f.gfAll += own;
        f.gaAll += other;
        if (atVenue) {
            ++f.nV;
            addOutcome(own, other, m.overtime, f.wV, f.dV, f.lV);
            f.gfV += own;
            f.gaV += other;
        }
        if (atVenue || !venueStats)
            --k;
    }
    return f;
}

} // namespace

TeamForm CollectTeamForm(const QString &team, bool playsAtHome, const History &history, int lastMatches,
                         bool venueStats)
{
    return collectForm(team, playsAtHome, history, lastMatches, venueStats, 0, 0);
}

ShiftedTeamForm CollectShiftedTeamForm(const QString &team, bool playsAtHome, const History &history,
                                       int lastMatches, bool venueStats, double homeShift, double awayShift)
{
    return collectForm(team, playsAtHome, history, lastMatches, venueStats, homeShift, awayShift);
}

template <typename Goals>
void CompleteTeamForms(BasicTeamForm<Goals> &home, BasicTeamForm<Goals> &away, int goalPrior)
{
    for (BasicTeamForm<Goals> *f : {&home, &away}) {
        average(f->gfV, f->gaV, f->nV, goalPrior, f->avgForV, f->avgAgainstV);
        average(f->gfAll, f->gaAll, f->nAll, goalPrior, f->avgForAll, f->avgAgainstAll);
    }
    home.xgV = (home.avgForV + away.avgAgainstV) / 2;
    away.xgV = (home.avgAgainstV + away.avgForV) / 2;
    home.xgAll = (home.avgForAll + away.avgAgainstAll) / 2;
    away.xgAll = (home.avgAgainstAll + away.avgForAll) / 2;
}

template <typename Goals>
int ComputeConfidence(const BasicTeamForm<Goals> &home, const BasicTeamForm<Goals> &away, int HP, int DP,
                      int AP)
{
    Counters c;
    compare(c, home.rV, away.rV, home.wV, away.wV, home.lV, away.lV, home.avgForV, away.avgForV,
            home.avgAgainstV, away.avgAgainstV, home.gfV - home.gaV, away.gfV - away.gaV, home.xgV, away.xgV);
    int CF = shareFor(c, HP, DP, AP);
    if (CF > 50) {
        compare(c, home.rAll, away.rAll, home.wAll, away.wAll, home.lAll, away.lAll, home.avgForAll,
                away.avgForAll, home.avgAgainstAll, away.avgAgainstAll, home.gfAll - home.gaAll,
                away.gfAll - away.gaAll, home.xgAll, away.xgAll);
        CF = shareFor(c, HP, DP, AP);
    }
    // Fewer than two venue matches on either side: too little to trust the comparisons.
    if (home.nV < 2 || away.nV < 2)
        CF = 25;
    return CF;
}

template void CompleteTeamForms(TeamForm &, TeamForm &, int);
template void CompleteTeamForms(ShiftedTeamForm &, ShiftedTeamForm &, int);
template int ComputeConfidence(const TeamForm &, const TeamForm &, int, int, int);
template int ComputeConfidence(const ShiftedTeamForm &, const ShiftedTeamForm &, int, int, int);

std::optional<MatchPrediction> PredictMatch(const PredictionOptions &options, const QString &homeTeam,
                                            const QString &awayTeam, int homeVenueRating,
                                            int homeOverallRating, int awayVenueRating, int awayOverallRating,
                                            const History &homeHistory, const History &awayHistory,
                                            const QString &sport, double line, const QLocale &locale)
{
    const int g0 = GetSportConstants(sport).typicalScore;
    const OutcomeWeights w = GetOutcomeWeights(sport);

    TeamForm h = CollectTeamForm(homeTeam, true, homeHistory, options.lastMatches, options.venueStats);
    TeamForm a = CollectTeamForm(awayTeam, false, awayHistory, options.lastMatches, options.venueStats);
    h.rV = homeVenueRating;
    h.rAll = homeOverallRating;
    a.rV = awayVenueRating;
    a.rAll = awayOverallRating;
    CompleteTeamForms(h, a, g0);

    const bool v = options.venueStats;
    const int hw = v ? h.wV : h.wAll, hd = v ? h.dV : h.dAll, hl = v ? h.lV : h.lAll, hr = v ? h.rV : h.rAll;
    const int aw = v ? a.wV : a.wAll, ad = v ? a.dV : a.dAll, al = v ? a.lV : a.lAll, ar = v ? a.rV : a.rAll;
    const double hxg = v ? h.xgV : h.xgAll, axg = v ? a.xgV : a.xgAll;

    // Products left to right, as the stored predictions were computed.
    const double sh = double(hw + al + 3) * hr * (hxg + 1) * w.home;
    const double sd = ((hr + ar) / 2.0) * (hd + ad + 3) * ((hxg + axg) / 2 + 1) * w.draw;
    const double sa = double(aw + hl + 3) * ar * (axg + 1) * w.away;
    const std::optional<OutcomePercentages> pct = outcomePercentages(sh, sd, sa);
    if (!pct)
        return std::nullopt; // no rating to go by: the match gets no prediction

    MatchPrediction p;
    p.HP = pct->HP;
    p.AP = pct->AP;
    p.DP = pct->DP;
    p.CF = ComputeConfidence(h, a, p.HP, p.DP, p.AP);
    p.Verdict = verdictOf(options, p.HP, p.DP, p.AP, p.CF);
    p.homeGoals = rounded(hxg);
    p.awayGoals = rounded(axg);
    p.PResult = QString::number(p.homeGoals) + QLatin1Char(':') + QString::number(p.awayGoals);
    p.Ttl = p.homeGoals + p.awayGoals;
    p.UOP = underOver(h.nAll + a.nAll, p.Ttl, line, locale);
    return p;
}
