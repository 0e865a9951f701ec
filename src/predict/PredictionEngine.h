#pragma once
// The per-match prediction: percentages, confidence, predicted score, under/over call and verdict,
// computed from two teams' recent played matches and ratings.  Plain arithmetic: no database, no window.

#include <QLocale>
#include <QString>

#include <cstddef>
#include <optional>
#include <span>

// One played match of a history.
struct MatchRecord {
    QString home, away;
    int F = 0, A = 0;      // home and away score
    bool overtime = false; // decided in overtime: counts as a draw whatever the score
};

// A team's played matches, newest first, viewed without copying: either a list already newest first,
// or an oldest-first list cut at `end` (walked from end-1 down to 0), which is what a binary search for
// "strictly before this date" gives.
class History
{
public:
    History() = default;
    static History newestFirst(std::span<const MatchRecord *const> matches);
    static History oldestFirstBefore(std::span<const MatchRecord *const> matches, std::size_t end);
    std::size_t size() const { return m_matches.size(); }
    const MatchRecord &operator[](std::size_t i) const; // 0 = newest

private:
    std::span<const MatchRecord *const> m_matches;
    bool m_reversed = false;
};

// The betting system: which verdicts may be given, the percentages and confidence they need, the
// statistics mode (venue or overall) and how many recent matches count.
struct PredictionOptions {
    bool homeWin = true, draw = false, awayWin = true;
    int homePct = 50, drawPct = 35, awayPct = 50, confidence = 50;
    bool venueStats = true;
    int lastMatches = 5;
};

// One side's counts, ratings, averages and expected goals; V = at the team's venue in the predicted
// match, All = at either venue.  Goals are whole numbers, or reals when the scores were shifted by a
// handicap.
template <typename Goals> struct BasicTeamForm {
    int nV = 0, wV = 0, dV = 0, lV = 0;
    Goals gfV = 0, gaV = 0;
    int nAll = 0, wAll = 0, dAll = 0, lAll = 0;
    Goals gfAll = 0, gaAll = 0;
    int rV = 0, rAll = 0;
    double avgForV = 0, avgAgainstV = 0, avgForAll = 0, avgAgainstAll = 0;
    double xgV = 0, xgAll = 0;
};
using TeamForm = BasicTeamForm<int>;
using ShiftedTeamForm = BasicTeamForm<double>;

struct MatchPrediction {
    int HP = 0, DP = 0, AP = 0, CF = 0;
    int homeGoals = 0, awayGoals = 0;
    QString PResult; // "2:1"
    int Ttl = 0;
    QString Verdict; // "1", "X", "2" or "?"
    QString UOP;     // "Over 2.5", "Under 2.5" or the line alone
};

// A stored rating (already read as a whole number) as the engine uses it: divided by 100, remainder
// dropped (1299 -> 12, 99 -> 0).
int predictionRating(int storedRating);

// The counted fields of a TeamForm (n, w, d, l, gf, ga at the venue and overall); the rest stays 0.
TeamForm CollectTeamForm(const QString &team, bool playsAtHome, const History &history, int lastMatches,
                         bool venueStats);

// The same with every match's scores shifted before it is counted: homeShift added to its home side's
// score and awayShift to its away side's, whichever side the team played.  A match is level only when
// the shifted scores are exactly equal (or it went to overtime).
ShiftedTeamForm CollectShiftedTeamForm(const QString &team, bool playsAtHome, const History &history,
                                       int lastMatches, bool venueStats, double homeShift, double awayShift);

// Fills in both sides' averages and expected goals from their counts; goalPrior is the sport's typical
// score, mixed in when a side has fewer than two matches.
template <typename Goals>
void CompleteTeamForms(BasicTeamForm<Goals> &home, BasicTeamForm<Goals> &away, int goalPrior);

// The share of simple comparisons between the teams that agree with the most likely outcome.
template <typename Goals>
int ComputeConfidence(const BasicTeamForm<Goals> &home, const BasicTeamForm<Goals> &away, int HP, int DP,
                      int AP);

// HP, DP and AP from the three outcome scores, each rounded on its own (they need not add up to 100);
// nothing when the scores add up to 0.
struct OutcomePercentages {
    int HP = 0, DP = 0, AP = 0;
};
std::optional<OutcomePercentages> outcomePercentages(double home, double draw, double away);

// The betting system's call: "1", "X", "2" or "?".
QString verdictOf(const PredictionOptions &options, int HP, int DP, int AP, int CF);

// The whole prediction of one match.  Ratings are already divided (see predictionRating).  std::nullopt
// when the three outcome scores add up to 0 (both ratings of the chosen mode 0): such a match gets no
// prediction and the caller goes on with the next one.
std::optional<MatchPrediction> PredictMatch(const PredictionOptions &options, const QString &homeTeam,
                                            const QString &awayTeam, int homeVenueRating,
                                            int homeOverallRating, int awayVenueRating, int awayOverallRating,
                                            const History &homeHistory, const History &awayHistory,
                                            const QString &sport, double line,
                                            const QLocale &locale = QLocale());
