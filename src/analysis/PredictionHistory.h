#pragma once
// Judges the predictions stored with a league's played matches: whether each verdict was right, what a
// flat stake on it would have won or lost at the stored odds, and the under/over calls and predicted
// scores.  The results are summed into a table by calendar month and a table by team, held as numbers
// and formatted only when the cell texts are asked for.  Runs without any window or database.

#include "data/Match.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

// What the month table judges; the team table is the same for every view.
enum class HistoryView { Predictions1X2, HomeWins, Draws, AwayWins, UnderOver, CorrectScore };

// The view chooser's items in the order of HistoryView: "1, X, 2 Predictions", "Home Wins", "Draws",
// "Away Wins", "Under/Over", "Correct Score".
const QStringList &historyViewNames();

// The view of a chooser item (exact text); std::nullopt for any other text.
std::optional<HistoryView> historyViewFromName(const QString &name);

// The two grids' cell texts, titles included.
struct HistoryTables {
    QList<QStringList> months; // 7 rows x 14 columns; cell [0][0] empty
    QList<QStringList> teams;  // (teams + 3) rows x 7 columns; cell [0][0] empty
};

class PredictionHistory
{
public:
    // teams: the league's team names in the order the team table lists them.  startingBalance is at
    // least 1 (the profit percentages divide by it).
    PredictionHistory(QStringList teams, HistoryView view, int startingBalance, int wager,
                      const QLocale &locale = QLocale());

    // Resets every sum and judges the played matches that carry a prediction in order.  An odds text of
    // a judged bet that does not convert throws ConversionError; the sums booked before it stay readable
    // through tables(), the month table's derived rows and its "Total" column then still showing 0.
    void run(const QList<Match> &rows);
    // The same one match at a time, for a walk that streams them: reset, add each, finish.
    void reset();
    void add(const Match &row);
    void finish();

    // The cell texts exactly as the grids show them.
    HistoryTables tables() const;

private:
    // One column of the month table or one row of the team table.
    struct Tally {
        int correct = 0;
        int incorrect = 0;
        int predictions = 0;
        qint64 hitRate = 0;
        double profit = 0;
        double profitPercent = 0;

        void add(bool won, double amount);
        void settle(int startingBalance);
    };

    static constexpr int MonthColumns = 13; // January..December, then "Total"
    static constexpr int TotalColumn = 12;

    void judgeMonth(const Match &row);
    void bookTeam(const Match &row);
    void finishMonths();
    int teamRowOf(const QString &name) const;
    QStringList tallyTexts(const Tally &tally) const;

    QStringList m_teams;
    HistoryView m_view;
    int m_startingBalance;
    int m_wager;
    QLocale m_locale;

    QList<Tally> m_months;   // MonthColumns entries
    QList<Tally> m_teamRows; // teams, then "Draw", then "Total"
};
