#pragma once
// The arbitrage finder's list of matches: every match of the league by date, or only those not yet
// played, or only those with a positive return, and the same list sorted by one of its columns.  The
// window and the command line list their matches through here, so both apply one filter.

#include "betting/Arbitrage.h"

#include <QList>
#include <QVariant>
#include <functional>

class Database;

struct ArbitrageFilter {
    bool upcomingOnly = false; // only the matches not yet played
    bool positiveOnly = false; // only the matches whose return (Retrn) is above 0
};

// One match of the list: the stored values it shows, and what the stake computation needs (its
// multiplier is the caller's).
struct ArbitrageRow {
    qint64 rowid = 0;               // which stored row it is
    QVariant ID, DateP, Rnd, Retrn; // as stored; NULL stays NULL
    QString result;
    ArbitrageInput input;
};

bool passesArbitrageFilter(const ArbitrageRow &row, const ArbitrageFilter &filter);

// Each match that passes the filter in turn, by date (one day's matches in stored order): for lists
// far bigger than the league, written as they are read.
void forEachArbitrageRow(Database &league, const ArbitrageFilter &filter,
                         const std::function<void(const ArbitrageRow &)> &visit);
QList<ArbitrageRow> readArbitrageRows(Database &league, const ArbitrageFilter &filter);

// The list's columns, left to right.
enum class ArbitrageColumn { Date, Round, Home, Away, HomeOdds, DrawOdds, AwayOdds, Return, Count };

// Sorts the rows by a column, keeping their order among equal values: dates, rounds, prices and
// returns as numbers (a price by its decimal value, whatever its notation), team names ignoring letter
// case.  A row without a value (no price, a price that does not read, no return) comes before every
// value when ascending and after every value when descending.
void sortArbitrageRows(QList<ArbitrageRow> &rows, ArbitrageColumn column, Qt::SortOrder order,
                       const QLocale &locale = QLocale());
