#include "analysis/TeamComparison.h"

#include "data/Database.h"
#include "data/MatchOutcome.h"
#include "data/MatchStore.h"
#include "data/Numbers.h"
#include "data/TextCompare.h"

namespace
{
template <typename E> std::optional<E> itemOf(const QStringList &items, const QString &text)
{
    const int i = TextCompare::indexOfNoCase(items, text);
    if (i < 0)
        return std::nullopt;
    return static_cast<E>(i);
}

// Points for a win, a draw and a loss: the overtime ones for a match decided in overtime.
struct PointsPerOutcome {
    int win = 0, draw = 0, loss = 0;
};

struct LeaguePoints {
    PointsPerOutcome regular, overtime;
};

LeaguePoints readLeaguePoints(Database &league)
{
    LeaguePoints p;
    Statement st =
        league.prepare(QStringLiteral("SELECT PW, PD, PL, PWO, PDO, PLO FROM League ORDER BY rowid LIMIT 1"));
    if (st.step()) {
        p.regular = {Numbers::wholeNumber(st.value(0)), Numbers::wholeNumber(st.value(1)),
                     Numbers::wholeNumber(st.value(2))};
        p.overtime = {Numbers::wholeNumber(st.value(3)), Numbers::wholeNumber(st.value(4)),
                      Numbers::wholeNumber(st.value(5))};
    }
    return p;
}

MatchSelection matchesOf(const QString &team, ComparisonVenue venue, ComparisonType type)
{
    MatchSelection s;
    s.which = MatchChoice::Played;
    s.order = MatchOrder::ByDate;
    s.team = team;
    s.side = venue == ComparisonVenue::Away   ? TeamSide::Away
             : venue == ComparisonVenue::Home ? TeamSide::Home
                                              : TeamSide::Either;
    // The ratings only for their chart: a rating that does not read stops no other chart.
    s.fields = MatchTeams | MatchScores | MatchResult |
               (type == ComparisonType::TeamRating ? MatchFields(MatchRatings) : MatchFields(0));
    return s;
}
} // namespace

const QStringList &comparisonVenueItems()
{
    static const QStringList items = {QStringLiteral("Away"), QStringLiteral("Home"),
                                      QStringLiteral("Total")};
    return items;
}

const QStringList &comparisonViewItems()
{
    static const QStringList items = {QStringLiteral("Both"), QStringLiteral("Team 1"),
                                      QStringLiteral("Team 2")};
    return items;
}

const QStringList &comparisonTypeItems()
{
    static const QStringList items = {
        QStringLiteral("Team Rating"), QStringLiteral("Wins"),   QStringLiteral("Draws"),
        QStringLiteral("Losses"),      QStringLiteral("For"),    QStringLiteral("Against"),
        QStringLiteral("Difference"),  QStringLiteral("Points"), QStringLiteral("Performance")};
    return items;
}

const QStringList &comparisonStyleItems()
{
    static const QStringList items = {QStringLiteral("Bar"), QStringLiteral("Line"), QStringLiteral("Point"),
                                      QStringLiteral("Stair")};
    return items;
}

std::optional<ComparisonVenue> comparisonVenueOf(const QString &text)
{
    return itemOf<ComparisonVenue>(comparisonVenueItems(), text);
}

std::optional<ComparisonView> comparisonViewOf(const QString &text)
{
    return itemOf<ComparisonView>(comparisonViewItems(), text);
}

std::optional<ComparisonType> comparisonTypeOf(const QString &text)
{
    return itemOf<ComparisonType>(comparisonTypeItems(), text);
}

std::optional<ComparisonStyle> comparisonStyleOf(const QString &text)
{
    return itemOf<ComparisonStyle>(comparisonStyleItems(), text);
}

QString comparisonAxisTitle(ComparisonType type)
{
    return comparisonTypeItems().at(static_cast<int>(type));
}

QString comparisonChartTitle(ComparisonType type)
{
    return comparisonAxisTitle(type) + QStringLiteral(" Chart");
}

QList<QPoint> comparisonPoints(Database &league, const QString &team, ComparisonVenue venue,
                               ComparisonType type)
{
    const LeaguePoints leaguePoints = readLeaguePoints(league);
    QList<QPoint> points;
    int running = 0;
    forEachMatch(league, matchesOf(team, venue, type), [&](const Match &m) {
        const PointsPerOutcome &pts = m.overtime() ? leaguePoints.overtime : leaguePoints.regular;
        const bool atHome = TextCompare::equalNoCase(m.homeTeam, team);
        const int own = atHome ? m.homeScore : m.awayScore;
        const int opponent = atHome ? m.awayScore : m.homeScore;
        // By the score alone: a match decided in overtime is a win or a loss here.
        const bool won = own > opponent;
        const bool drawn = own == opponent;
        int value = running;
        switch (type) {
        case ComparisonType::TeamRating: // the rating stored with the match: the one before it
            if (venue == ComparisonVenue::Away)
                value = m.awayRating;
            else if (venue == ComparisonVenue::Home)
                value = m.homeRating;
            else
                value = atHome ? m.homeTotalRating : m.awayTotalRating;
            break;
        case ComparisonType::Wins:
            value = running + (won ? 1 : 0);
            break;
        case ComparisonType::Draws:
            value = running + (drawn ? 1 : 0);
            break;
        case ComparisonType::Losses:
            value = running + (!won && !drawn ? 1 : 0);
            break;
        case ComparisonType::For:
            value = own;
            break;
        case ComparisonType::Against:
            value = opponent;
            break;
        case ComparisonType::Difference:
            value = own - opponent;
            break;
        case ComparisonType::Points:
            value = running + (won ? pts.win : drawn ? pts.draw : pts.loss);
            break;
        case ComparisonType::Performance:
            value = running + (won ? 1 : drawn ? 0 : -1);
            break;
        }
        running = value;
        points.append(QPoint(int(points.size()) + 1, value));
    });
    return points;
}

ComparisonChart compareTeams(Database &league, const ComparisonChoices &choices)
{
    ComparisonChart chart;
    chart.series1.title = choices.team1.isEmpty() ? QStringLiteral("Team 1") : choices.team1;
    chart.series2.title = choices.team2.isEmpty() ? QStringLiteral("Team 2") : choices.team2;
    if (choices.view != ComparisonView::Team2)
        chart.series1.points = comparisonPoints(league, choices.team1, choices.venue1, choices.type);
    if (choices.view != ComparisonView::Team1)
        chart.series2.points = comparisonPoints(league, choices.team2, choices.venue2, choices.type);
    return chart;
}
