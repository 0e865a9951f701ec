#include "analysis/PredictionHistory.h"

#include "analysis/Settlement.h"
#include "data/Numbers.h"
#include "entry/Odds.h"

#include <utility>

namespace
{

// The flat stake on the row's verdict at its stored odds; std::nullopt when the verdict is no bet.
std::optional<BetResult> judgeBet(const Match &row, int wager, const QLocale &locale)
{
    return settleVerdict(row.prediction.verdict, row.outcome(), row.homePrice, row.drawPrice, row.awayPrice,
                         wager, locale);
}

// Whether the row's verdict is one the view's month table judges.
bool viewTakesVerdict(HistoryView view, const QString &verdict)
{
    switch (view) {
    case HistoryView::Predictions1X2:
        return true; // judgeBet itself passes over "?"
    case HistoryView::HomeWins:
        return verdict == QLatin1String("1");
    case HistoryView::Draws:
        return verdict == QLatin1String("X");
    case HistoryView::AwayWins:
        return verdict == QLatin1String("2");
    case HistoryView::UnderOver:
    case HistoryView::CorrectScore:
        return false;
    }
    return false;
}

// Only a call ("Over ..." or "Under ...") is judged, never the bare line; a total on the line misses.
std::optional<bool> underOverCall(const Match &row)
{
    if (!row.prediction.underOver.contains(QLatin1Char('r')))
        return std::nullopt;
    return underOverHit(row.prediction.predictedTotal, row.homeScore + row.awayScore, row.line);
}

const QStringList &monthTitles()
{
    static const QStringList titles{QString(),
                                    QStringLiteral("January"),
                                    QStringLiteral("February"),
                                    QStringLiteral("March"),
                                    QStringLiteral("April"),
                                    QStringLiteral("May"),
                                    QStringLiteral("June"),
                                    QStringLiteral("July"),
                                    QStringLiteral("August"),
                                    QStringLiteral("September"),
                                    QStringLiteral("October"),
                                    QStringLiteral("November"),
                                    QStringLiteral("December"),
                                    QStringLiteral("Total")};
    return titles;
}

const QStringList &measureTitles()
{
    static const QStringList titles{QStringLiteral("Correct"),     QStringLiteral("Incorrect"),
                                    QStringLiteral("Predictions"), QStringLiteral("Hit Rate (%)"),
                                    QStringLiteral("Profit"),      QStringLiteral("Profit (%)")};
    return titles;
}

const QString &drawRowTitle()
{
    static const QString title = QStringLiteral("Draw");
    return title;
}

const QString &totalRowTitle()
{
    static const QString title = QStringLiteral("Total");
    return title;
}

} // namespace

const QStringList &historyViewNames()
{
    static const QStringList names{
        QStringLiteral("1, X, 2 Predictions"), QStringLiteral("Home Wins"),  QStringLiteral("Draws"),
        QStringLiteral("Away Wins"),           QStringLiteral("Under/Over"), QStringLiteral("Correct Score")};
    return names;
}

std::optional<HistoryView> historyViewFromName(const QString &name)
{
    const qsizetype index = historyViewNames().indexOf(name);
    if (index < 0)
        return std::nullopt;
    return static_cast<HistoryView>(index);
}

void PredictionHistory::Tally::add(bool won, double amount)
{
    ++(won ? correct : incorrect);
    // Each sum is rounded as it grows, not only at the end.
    profit = Numbers::round2(profit + amount);
}

void PredictionHistory::Tally::settle(int startingBalance)
{
    if (predictions == 0)
        return;
    hitRate = Numbers::roundHalfEven(100.0 * correct / predictions);
    profitPercent = Numbers::round2(100.0 * profit / startingBalance);
}

PredictionHistory::PredictionHistory(QStringList teams, HistoryView view, int startingBalance, int wager,
                                     const QLocale &locale)
    : m_teams(std::move(teams)), m_view(view), m_startingBalance(startingBalance), m_wager(wager),
      m_locale(locale), m_months(MonthColumns), m_teamRows(m_teams.size() + 2)
{
    Q_ASSERT(startingBalance >= 1);
}

void PredictionHistory::run(const QList<Match> &rows)
{
    reset();
    for (const Match &row : rows)
        add(row);
    finish();
}

void PredictionHistory::reset()
{
    m_months = QList<Tally>(MonthColumns);
    m_teamRows = QList<Tally>(m_teams.size() + 2);
}

void PredictionHistory::add(const Match &row)
{
    judgeMonth(row);
    bookTeam(row);
}

void PredictionHistory::finish()
{
    finishMonths();
}

void PredictionHistory::judgeMonth(const Match &row)
{
    // A month column whatever the year; a row without a valid date has no column.
    const int month = row.date.month();
    if (month < 1 || month > 12)
        return;
    Tally &column = m_months[month - 1];
    switch (m_view) {
    case HistoryView::UnderOver:
        if (const std::optional<bool> hit = underOverCall(row))
            column.add(*hit, 0.0);
        return;
    case HistoryView::CorrectScore:
        column.add(row.result == row.prediction.predictedScore, 0.0);
        return;
    default:
        if (!viewTakesVerdict(m_view, row.prediction.verdict))
            return;
        if (const std::optional<BetResult> bet = judgeBet(row, m_wager, m_locale))
            column.add(bet->won, bet->profit);
        return;
    }
}

void PredictionHistory::bookTeam(const Match &row)
{
    // Every bet is judged, so a bad odds text stops the run in every view, even for a team without a row.
    const std::optional<BetResult> bet = judgeBet(row, m_wager, m_locale);
    if (!bet)
        return;
    const QString &verdict = row.prediction.verdict;
    const QString &name = verdict == QLatin1String("1")   ? row.homeTeam
                          : verdict == QLatin1String("2") ? row.awayTeam
                                                          : drawRowTitle();
    const int index = teamRowOf(name);
    if (index < 0)
        return; // a name the team list does not hold books nothing, not even on "Total"
    for (Tally *tally : {&m_teamRows[index], &m_teamRows.last()}) {
        tally->add(bet->won, bet->profit);
        ++tally->predictions;
        tally->settle(m_startingBalance);
    }
}

int PredictionHistory::teamRowOf(const QString &name) const
{
    // The first row whose title matches exactly, among the teams and then "Draw".
    const qsizetype index = m_teams.indexOf(name);
    if (index >= 0)
        return static_cast<int>(index);
    return name == drawRowTitle() ? static_cast<int>(m_teams.size()) : -1;
}

void PredictionHistory::finishMonths()
{
    Tally &total = m_months[TotalColumn];
    for (int m = 0; m < TotalColumn; ++m) {
        Tally &month = m_months[m];
        total.correct += month.correct;
        total.incorrect += month.incorrect;
        total.profit = Numbers::round2(total.profit + month.profit);
        month.predictions = month.correct + month.incorrect;
        month.settle(m_startingBalance);
    }
    total.predictions = total.correct + total.incorrect;
    total.settle(m_startingBalance);
}

QStringList PredictionHistory::tallyTexts(const Tally &tally) const
{
    return {QString::number(tally.correct),
            QString::number(tally.incorrect),
            QString::number(tally.predictions),
            QString::number(tally.hitRate),
            Numbers::formatGeneral(tally.profit, m_locale),
            Numbers::formatGeneral(tally.profitPercent, m_locale)};
}

HistoryTables PredictionHistory::tables() const
{
    HistoryTables out;

    // The month table is stored by column and shown by row.
    out.months.append(monthTitles());
    QList<QStringList> columns;
    for (const Tally &month : m_months)
        columns.append(tallyTexts(month));
    for (int r = 0; r < measureTitles().size(); ++r) {
        QStringList line{measureTitles().at(r)};
        for (const QStringList &column : columns)
            line.append(column.at(r));
        out.months.append(line);
    }

    out.teams.append(QStringList{QString()} + measureTitles());
    for (int r = 0; r < m_teamRows.size(); ++r) {
        const QString title = r < m_teams.size()    ? m_teams.at(r)
                              : r == m_teams.size() ? drawRowTitle()
                                                    : totalRowTitle();
        out.teams.append(QStringList{title} + tallyTexts(m_teamRows.at(r)));
    }
    return out;
}
