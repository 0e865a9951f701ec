#include "predict/MatchTip.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/Messenger.h"
#include "data/Numbers.h"
#include "data/Sports.h"
#include "data/Standings.h"
#include "data/TDataMod.h"
#include "data/Table.h"
#include "data/TextCompare.h"
#include "predict/LeagueHistories.h"
#include "predict/PlayedMatches.h"

namespace
{

int rounded(double x)
{
    return static_cast<int>(Numbers::roundHalfEven(x));
}

} // namespace

std::optional<TipPrediction> PredictTip(const PredictionOptions &options, const QString &homeTeam,
                                        const QString &awayTeam, int homeVenueRating, int homeOverallRating,
                                        int awayVenueRating, int awayOverallRating,
                                        const History &homeHistory, const History &awayHistory,
                                        const QString &sport, double handicapHome, double handicapAway,
                                        const TipStrengths &s)
{
    const int g0 = GetSportConstants(sport).typicalScore;
    const OutcomeWeights w = GetOutcomeWeights(sport);
    const bool v = options.venueStats;
    ShiftedTeamForm h = CollectShiftedTeamForm(homeTeam, true, homeHistory, options.lastMatches, v,
                                               handicapHome, handicapAway);
    ShiftedTeamForm a = CollectShiftedTeamForm(awayTeam, false, awayHistory, options.lastMatches, v,
                                               handicapHome, handicapAway);
    h.rV = homeVenueRating;
    h.rAll = homeOverallRating;
    a.rV = awayVenueRating;
    a.rAll = awayOverallRating;
    CompleteTeamForms(h, a, g0);

    const qint64 hw = v ? h.wV : h.wAll, hd = v ? h.dV : h.dAll, hl = v ? h.lV : h.lAll,
                 hr = v ? h.rV : h.rAll;
    const qint64 aw = v ? a.wV : a.wAll, ad = v ? a.dV : a.dAll, al = v ? a.lV : a.lAll,
                 ar = v ? a.rV : a.rAll;
    const double hxg = v ? h.xgV : h.xgAll, axg = v ? a.xgV : a.xgAll;

    // The bracketed products are whole numbers; the rest goes left to right in floating point.
    const qint64 homeBase = (hw + al + 3) * hr * s.playersHome;
    const qint64 drawBase = (hr + ar) * (hd + ad + 3) * (s.playersHome + s.playersAway);
    const qint64 awayBase = (aw + hl + 3) * ar * s.playersAway;
    const double sh = double(homeBase) * (hxg + 1) * s.teamHome * w.home;
    const double sd = ((hxg + axg) / 2 + 1) * double(drawBase) * (s.teamHome + s.teamAway) / 8 * w.draw;
    const double sa = double(awayBase) * (axg + 1) * s.teamAway * w.away;
    const std::optional<OutcomePercentages> pct = outcomePercentages(sh, sd, sa);
    if (!pct)
        return std::nullopt;

    TipPrediction p;
    p.HP = pct->HP;
    p.DP = pct->DP;
    p.AP = pct->AP;
    p.CF = ComputeConfidence(h, a, p.HP, p.DP, p.AP);
    p.verdict = verdictOf(options, p.HP, p.DP, p.AP, p.CF);
    // The expected goals came from shifted scores: the handicap comes off again for the score shown.
    p.homeGoals = rounded(hxg - handicapHome);
    p.awayGoals = rounded(axg - handicapAway);
    p.total = p.homeGoals + p.awayGoals;
    return p;
}

int PlayerStrength(const PlayerLineup &lineup)
{
    qint64 avgIn = 1, avgAll = 1;
    if (lineup.inCount > 0) {
        avgIn = lineup.inRatings / lineup.inCount; // remainder dropped
        avgAll = lineup.allRatings / lineup.inCount;
    }
    // Every rating 0 leaves nothing to compare the line-up with: the team counts at full strength.
    if (avgAll == 0)
        return 100;
    return rounded(double(avgIn) * 100 / double(avgAll));
}

PlayerLineup readPlayerLineup(Database &league, const QString &team)
{
    PlayerLineup l;
    Statement st =
        league.prepare(QStringLiteral("SELECT PR, IN_OUT FROM Players WHERE Team = ?1 COLLATE UNOCASE"));
    st.bind(1, team);
    while (st.step()) {
        const int pr = Numbers::wholeNumber(st.value(0));
        l.allRatings += pr;
        if (st.value(1).toString() == QLatin1String("IN")) {
            ++l.inCount;
            l.inRatings += pr;
        }
    }
    return l;
}

int shownStrength(int teamStrength, int playerStrength)
{
    return rounded(double(teamStrength) * playerStrength / 100);
}

bool handicapKeyAccepted(const QString &text, int caret, QChar key, const QLocale &locale)
{
    if (key.isDigit())
        return true;
    const QChar separator = Numbers::decimalSeparator(locale);
    if (key == QLatin1Char('.') || key == separator)
        return !text.contains(QLatin1Char('.')) && !text.contains(separator);
    if (key == QLatin1Char('+') || key == QLatin1Char('-'))
        return caret == 0 && !text.contains(key);
    return false;
}

double handicapOf(const QString &text, const QLocale &locale)
{
    return Numbers::parseReal(text, locale);
}

QString handicapText(double home, double away, const QLocale &locale)
{
    return Numbers::formatGeneral(home, locale) + QLatin1Char(':') + Numbers::formatGeneral(away, locale);
}

const QStringList &tipStatTitles()
{
    static const QStringList titles = {
        QStringLiteral("Rating"),   QStringLiteral("Position"),     QStringLiteral("Wins"),
        QStringLiteral("Draws"),    QStringLiteral("Losses"),       QStringLiteral("For"),
        QStringLiteral("Against"),  QStringLiteral("Difference"),   QStringLiteral("Points"),
        QStringLiteral("For Avg."), QStringLiteral("Against Avg."), QStringLiteral("Score Avg.")};
    return titles;
}

Rgb tipStatColour(TipStat stat, double own, double facing)
{
    if (stat == TipStat::Draws || own == facing)
        return Colours::LightYellow;
    const bool smallerIsBetter = stat == TipStat::Position || stat == TipStat::Losses ||
                                 stat == TipStat::Against || stat == TipStat::AgainstAvg;
    const bool better = smallerIsBetter ? own < facing : own > facing;
    return better ? Colours::LightGreen : Colours::LightRed;
}

namespace
{

QString ratingColumnOf(TeamTable table)
{
    return QStringLiteral("TR") + teamColumnPrefix(table);
}

} // namespace

QString tipTableSort(TeamTable table)
{
    // Goals scored decide among teams level on the table's own keys.
    return defaultTeamSort(table) + QStringLiteral(", %1F DESC").arg(teamColumnPrefix(table));
}

void showTipLeagueTable(Table &teams, TeamTable table)
{
    Transaction tx(*teams.database());
    teams.setSort(tipTableSort(table));
    Standings::RenumberPositions(teams);
    tx.commit();
    teams.first();
}

std::optional<Rgb> tipTableRowColour(const QString &team, const QString &homeTeam, const QString &awayTeam)
{
    if (TextCompare::equalNoCase(team, homeTeam) || TextCompare::equalNoCase(team, awayTeam))
        return Colours::LightCyan;
    return std::nullopt;
}

Rgb tipScoreRowColour(const QString &team, const QString &home, int homeScore, int awayScore)
{
    if (homeScore == awayScore)
        return Colours::LightYellow;
    const bool atHome = TextCompare::equalNoCase(team, home);
    const bool won = atHome ? homeScore > awayScore : awayScore > homeScore;
    return won ? Colours::LightGreen : Colours::LightRed;
}

QString tipScoresSql()
{
    MatchSelection s;
    s.which = MatchChoice::Played;
    s.order = MatchOrder::NewestFirst;
    s.team = QString(); // the team is bound as ?1 by the caller
    s.fields = MatchDate | MatchRound | MatchTeams | MatchResult | MatchScores;
    return MatchStore::selectSql(s);
}

QString tipPlayersSql(bool in)
{
    // A player without any status is out, as the options dialog lists him.
    const QString status =
        in ? QStringLiteral("IN_OUT = 'IN'") : QStringLiteral("(IN_OUT IS NULL OR IN_OUT <> 'IN')");
    return QStringLiteral("SELECT N, Player, Pos, PR FROM Players WHERE Team = ?1 COLLATE UNOCASE AND ") +
           status + QStringLiteral(" ORDER BY PR DESC, rowid");
}

QString tipVerdictText(const QString &verdict, const QString &home, const QString &away)
{
    QString middle = QStringLiteral("Risky");
    if (verdict == QLatin1String("1"))
        middle = home;
    else if (verdict == QLatin1String("X"))
        middle = QStringLiteral("Draw");
    else if (verdict == QLatin1String("2"))
        middle = away;
    return QStringLiteral("Verdict -> ") + middle + QStringLiteral(" <- Verdict");
}

namespace
{

// One team's row of Teams as a venue's league table orders it.
struct TeamStanding {
    QString name;
    int rating = 0;
    TipStatColumn column;
    QByteArray picture;
};

void setCell(TipStatColumn &c, TipStat s, double value, const QString &text)
{
    c.values[static_cast<int>(s)] = value;
    c.texts[static_cast<int>(s)] = text;
}

void setWhole(TipStatColumn &c, TipStat s, int value)
{
    setCell(c, s, value, QString::number(value));
}

void setAverage(TipStatColumn &c, TipStat s, double value)
{
    const double r = Numbers::round2(value);
    setCell(c, s, r, Numbers::formatGeneral(r));
}

// The team's place and statistics in the table of a venue; nothing when Teams has no such team.
std::optional<TeamStanding> readStanding(Database &league, TeamTable table, const QString &team)
{
    const QString p = teamColumnPrefix(table);
    const QString sql = QStringLiteral("SELECT Team, %1, %2W, %2D, %2L, %2F, %2A, %2Dif, %2Pts, %2P, TPic "
                                       "FROM Teams ORDER BY %3, rowid")
                            .arg(ratingColumnOf(table), p, tipTableSort(table));
    Statement st = league.prepare(sql);
    int position = 0;
    while (st.step()) {
        ++position;
        if (!TextCompare::equalNoCase(st.value(0).toString(), team))
            continue;
        TeamStanding s;
        s.name = st.value(0).toString();
        s.rating = Numbers::wholeNumber(st.value(1));
        TipStatColumn &c = s.column;
        setWhole(c, TipStat::Rating, s.rating);
        setWhole(c, TipStat::Position, position);
        const TipStat counted[] = {TipStat::Wins,    TipStat::Draws,      TipStat::Losses, TipStat::For,
                                   TipStat::Against, TipStat::Difference, TipStat::Points};
        for (int i = 0; i < 7; ++i)
            setWhole(c, counted[i], Numbers::wholeNumber(st.value(2 + i)));
        const int played = Numbers::wholeNumber(st.value(9));
        if (played > 0) {
            setAverage(c, TipStat::ForAvg, c.value(TipStat::For) / played);
            setAverage(c, TipStat::AgainstAvg, c.value(TipStat::Against) / played);
        }
        s.picture = st.value(10).toByteArray();
        return s;
    }
    return std::nullopt;
}

TeamStanding standingOrWarn(Database &league, TeamTable table, const QString &team, bool home,
                            Messenger &messenger)
{
    std::optional<TeamStanding> s = readStanding(league, table, team);
    if (!s) {
        messenger.warning(home ? QStringLiteral("Cannot find home team")
                               : QStringLiteral("Cannot find away team"));
        throw Abort();
    }
    return *s;
}

// Score Avg.: this column's For Avg. with the facing column's Against Avg.
void setScoreAverage(TipStatColumn &own, const TipStatColumn &facing)
{
    setAverage(own, TipStat::ScoreAvg, (own.value(TipStat::ForAvg) + facing.value(TipStat::AgainstAvg)) / 2);
}

int playerStrengthOf(Database &league, const QString &team, bool lineups)
{
    return lineups ? PlayerStrength(readPlayerLineup(league, team)) : 100;
}

} // namespace

MatchTip ComputeMatchTip(TDataMod &dm, const TipChoice &choice, Messenger &messenger)
{
    Database &league = dm.ADOConnection;
    MatchTip tip;
    tip.home = choice.home;
    tip.away = choice.away;

    const TeamStanding homeVenue = standingOrWarn(league, TeamTable::Home, choice.home, true, messenger);
    const TeamStanding awayVenue = standingOrWarn(league, TeamTable::Away, choice.away, false, messenger);
    const TeamStanding homeAll = standingOrWarn(league, TeamTable::Overall, choice.home, true, messenger);
    const TeamStanding awayAll = standingOrWarn(league, TeamTable::Overall, choice.away, false, messenger);
    tip.homePicture = homeVenue.picture;
    tip.awayPicture = awayVenue.picture;
    tip.homeHome = homeVenue.column;
    tip.awayAway = awayVenue.column;
    tip.homeTotal = homeAll.column;
    tip.awayTotal = awayAll.column;
    setScoreAverage(tip.homeHome, awayVenue.column);
    setScoreAverage(tip.awayAway, homeVenue.column);
    setScoreAverage(tip.homeTotal, awayAll.column);
    setScoreAverage(tip.awayTotal, homeAll.column);

    TipStrengths s;
    s.teamHome = choice.strengthHome;
    s.teamAway = choice.strengthAway;
    s.playersHome = playerStrengthOf(league, homeVenue.name, choice.lineups);
    s.playersAway = playerStrengthOf(league, awayVenue.name, choice.lineups);
    tip.strengthHome = shownStrength(s.teamHome, s.playersHome);
    tip.strengthAway = shownStrength(s.teamAway, s.playersAway);

    const std::vector<Match> played = readPlayedMatches(league);
    LeagueHistories histories(played);
    const std::optional<TipPrediction> p = PredictTip(
        choice.options, homeVenue.name, awayVenue.name, predictionRating(homeVenue.rating),
        predictionRating(homeAll.rating), predictionRating(awayVenue.rating),
        predictionRating(awayAll.rating), histories.current(homeVenue.name),
        histories.current(awayVenue.name), dm.sport(), choice.handicapHome, choice.handicapAway, s);
    if (!p) {
        messenger.warning(QStringLiteral("No prediction: the ratings of both teams are 0."));
        throw Abort();
    }
    tip.prediction = *p;
    tip.handicap = handicapText(choice.handicapHome, choice.handicapAway);
    tip.verdictText = tipVerdictText(p->verdict, choice.home, choice.away);
    tip.verdictColour = p->verdict == QLatin1String("?") ? Colours::LightRed : Colours::LightGreen;
    return tip;
}
