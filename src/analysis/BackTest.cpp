#include "analysis/BackTest.h"

#include "analysis/Settlement.h"
#include "analysis/SystemMetrics.h"

#include "data/ClosingPrices.h"
#include "data/Database.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/Numbers.h"
#include "data/TDataMod.h"
#include "entry/Odds.h"
#include "predict/PlayedMatches.h"

#include <sqlite3.h>

namespace
{
int percent(int part, int whole)
{
    return whole == 0 ? 0 : static_cast<int>(Numbers::roundHalfEven(100.0 * part / whole));
}

QString yesNo(bool b)
{
    return b ? QStringLiteral("YES") : QStringLiteral("NO");
}

// The prediction's own probability of an outcome.
double probabilityOf(const MatchPrediction &p, MatchOutcome o)
{
    return (o == MatchOutcome::HomeWin ? p.HP : o == MatchOutcome::Draw ? p.DP : p.AP) / 100.0;
}
// The detail rows of a back-test, written through one prepared statement with the values bound as they
// are (a text without a value as an empty text, a match without a date as NULL).
class DetailRows
{
public:
    explicit DetailRows(Database &systems) : m_systems(systems)
    {
        static const char *const sql = "INSERT INTO Results (ID, Home, Away, Result, DateP, Rnd, F, A, HP, "
                                       "DP, AP, CF, PResult, Ttl, Verdict, "
                                       "UOV, UOP, O1, OX, O2, Balance) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, "
                                       "?8, ?9, ?10, ?11, ?12, ?13, ?14, "
                                       "?15, ?16, ?17, ?18, ?19, ?20, ?21)";
        if (sqlite3_prepare_v2(systems.handle(), sql, -1, &m_insert, nullptr) != SQLITE_OK) {
            sqlite3_finalize(m_insert);
            systems.fail();
        }
    }
    ~DetailRows() { sqlite3_finalize(m_insert); }
    DetailRows(const DetailRows &) = delete;
    DetailRows &operator=(const DetailRows &) = delete;

    void add(const Match &m, const MatchPrediction &p, double balance)
    {
        sqlite3_stmt *st = m_insert;
        const QByteArray texts[] = {m.homeTeam.toUtf8(),  m.awayTeam.toUtf8(),  m.result.toUtf8(),
                                    p.PResult.toUtf8(),   p.Verdict.toUtf8(),   p.UOP.toUtf8(),
                                    m.homePrice.toUtf8(), m.drawPrice.toUtf8(), m.awayPrice.toUtf8()};
        const int textColumns[] = {2, 3, 4, 13, 15, 17, 18, 19, 20};
        for (int i = 0; i < 9; ++i)
            sqlite3_bind_text64(st, textColumns[i], texts[i].constData(), sqlite3_uint64(texts[i].size()),
                                SQLITE_STATIC, SQLITE_UTF8);
        const QByteArray date = m.date.isValid() ? Dates::toStored(m.date).toUtf8() : QByteArray();
        if (m.date.isValid())
            sqlite3_bind_text64(st, 5, date.constData(), sqlite3_uint64(date.size()), SQLITE_STATIC,
                                SQLITE_UTF8);
        else
            sqlite3_bind_null(st, 5);
        const std::pair<int, int> wholes[] = {{1, m.id},        {6, m.round}, {7, m.homeScore},
                                              {8, m.awayScore}, {9, p.HP},    {10, p.DP},
                                              {11, p.AP},       {12, p.CF},   {14, p.Ttl}};
        for (const auto &[column, value] : wholes)
            sqlite3_bind_int64(st, column, value);
        sqlite3_bind_double(st, 16, m.line);
        sqlite3_bind_double(st, 21, balance);
        const int rc = sqlite3_step(st);
        sqlite3_reset(st);
        if (rc != SQLITE_DONE)
            m_systems.fail();
    }

private:
    Database &m_systems;
    sqlite3_stmt *m_insert = nullptr;
};

} // namespace

QVariantList MethodsRow::values() const
{
    return {ID, League, Crt, Ict, Tot, CrtP, Profit, UOP, SCP, HP, DP, AP, CF, Home, Draw, Away, TS, LM};
}

BackTest::BackTest(const BettingSystem &system, TDataMod &league, Database &systemsFile,
                   HistorySource *histories)
    : m_system(system), m_league(league), m_systems(systemsFile), m_histories(histories)
{
}

QStringList BackTest::statusTexts(int position, int total)
{
    return {QStringLiteral("Status: Testing betting system"),
            QStringLiteral("Current Match: %1").arg(position), QStringLiteral("Total Matches: %1").arg(total),
            QStringLiteral("Tested: %1%").arg(percent(position, total))};
}

MethodsRow BackTest::run()
{
    const PredictionOptions &o = m_system.options;
    const double wager = m_system.wager;
    double balance = m_system.startingBalance;
    int won = 0, lost = 0, uoHits = 0, uoTested = 0, scoreHits = 0, scoreTested = 0;

    Table &leagueRow = m_league.ADOTableLeague;
    leagueRow.first();
    const QString sport = leagueRow.field(QStringLiteral("Sport")).asString();
    const QLocale locale; // the line's text in the under/over call
    const QString leagueName = leagueRow.field(QStringLiteral("League")).asString();

    Transaction tx(m_systems);
    m_systems.execute(QStringLiteral("DELETE FROM Results"));
    const QHash<qint64, ClosingPriceSet> closing = ClosingPrices::readAll(m_league.ADOConnection);
    MetricsAccumulator metrics(balance);
    m_curve = {QPointF(0, balance)};
    m_metrics = BetMetrics();
    DetailRows details(m_systems);

    const auto test = [&](const Match &m, const History &homeHistory, const History &awayHistory,
                          int position, int total) {
        if (m_progress)
            m_progress(position, total);
        const std::optional<MatchPrediction> p = PredictMatch(
            o, m.homeTeam, m.awayTeam, predictionRating(m.homeRating), predictionRating(m.homeTotalRating),
            predictionRating(m.awayRating), predictionRating(m.awayTotalRating), homeHistory, awayHistory,
            sport, m.line, locale);
        if (!p)
            return; // both ratings 0: no prediction, so nothing to test

        const MatchOutcome happened = m.outcome();
        if (const std::optional<MatchOutcome> backed = backedOutcome(p->Verdict)) {
            const double price =
                Odds::OddsToDecimal(oddsTextOf(*backed, m.homePrice, m.drawPrice, m.awayPrice));
            const double stake = m_system.staking.stake(wager, balance, price, probabilityOf(*p, *backed));
            if (stake > 0) {
                const BetResult bet = settleAt(*backed, happened, price, stake);
                bet.won ? ++won : ++lost;
                balance += bet.profit;
                const auto c = closing.constFind(m.id);
                metrics.add({*backed, bet.won, price, price > 0 ? stake : 0.0, bet.profit,
                             c == closing.cend() ? 0.0 : (*c)[outcomeIndex(*backed)]});
            }
        }
        m_curve.append(QPointF(position, balance));
        ++scoreTested;
        if (m.result == p->PResult)
            ++scoreHits;
        ++uoTested;
        if (underOverHit(p->homeGoals + p->awayGoals, m.homeScore + m.awayScore, m.line))
            ++uoHits;

        details.add(m, *p, Numbers::round2(balance));
    };
    try {
        walkPlayedMatches(m_league.ADOConnection, MatchId | MatchRound | MatchPrices, m_histories, test);
    } catch (const ConversionError &) {
        tx.commit(); // the detail rows written so far stay
        throw;
    }

    MethodsRow row;
    const std::optional<double> maxId = [&] {
        const QVariant v = m_systems.scalar(QStringLiteral("SELECT max(ID) FROM Methods"));
        return v.isValid() ? std::optional<double>(v.toDouble()) : std::nullopt;
    }();
    row.ID = maxId ? static_cast<int>(Numbers::roundHalfEven(*maxId)) + 1 : 0;
    row.League = leagueName;
    row.Crt = won;
    row.Ict = lost;
    row.Tot = won + lost;
    row.CrtP = percent(won, won + lost);
    row.Profit = Numbers::round2((balance - m_system.startingBalance) / m_system.startingBalance * 100.0);
    row.UOP = percent(uoHits, uoTested);
    row.SCP = percent(scoreHits, scoreTested);
    row.HP = o.homePct;
    row.DP = o.drawPct;
    row.AP = o.awayPct;
    row.CF = o.confidence;
    row.Home = yesNo(o.homeWin);
    row.Draw = yesNo(o.draw);
    row.Away = yesNo(o.awayWin);
    row.TS = o.venueStats ? QStringLiteral("HA") : QStringLiteral("OV");
    row.LM = o.lastMatches;
    QStringList marks;
    for (int i = 1; i <= 18; ++i)
        marks << QStringLiteral("?%1").arg(i);
    m_systems.execute(QStringLiteral("INSERT INTO Methods VALUES (%1)").arg(marks.join(QLatin1Char(','))),
                      row.values());
    m_metrics = metrics.result();
    SystemMetrics::store(m_systems, row.ID, m_system.staking, m_metrics);
    tx.commit();
    return row;
}
