#pragma once
// The arbitrage finder's computation for one match: how to split a stake between the home win, the
// draw and the away win at the stored odds so that every outcome pays the same, with the total stake
// and the sure profit (or loss).  The window only feeds it the selected row and the multiplier and
// shows what comes back.

#include "data/Colours.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class Messenger;

// One match as stored, and the stake multiplier.  Index 0 is the home win, 1 the draw, 2 the away win.
struct ArbitrageInput {
    QString homeTeam, awayTeam;
    std::array<QString, 3> odds;       // O1, OX, O2 exactly as stored
    std::array<QString, 3> bookmakers; // O1B, OXB, O2B
    double multiplier = 100;           // the field's preset
};

// The unrounded values.  Without a draw its stake and winnings are 0.
struct ArbitrageSplit {
    double inverseSum = 0; // the sum of the prices' inverses
    bool hasDraw = false;
    std::array<double, 3> stakes{};
    std::array<double, 3> winnings{};
    double total = 0;
    double profit = 0; // home winnings - total stake
};

// Rows of the stake grid (each row holds 4 cells: the row heading, then home, draw, away).
enum ArbitrageGridRow {
    ArbitrageHeadingRow,
    ArbitrageBookmakerRow,
    ArbitrageOddsRow,
    ArbitrageStakeRow,
    ArbitrageWinningsRow,
    ArbitrageGridRowCount
};

struct ArbitrageResult {
    QList<QStringList> grid; // ArbitrageGridRowCount rows of 4 texts, exactly as shown
    QString total;           // "Total Stake:" panel, trailing blank included
    QString profit;          // "Sure Profit:" panel, trailing blank included
    // The "Sure Profit:" panel's colour; nullopt when nothing was computed, and the panel then keeps
    // whatever colour it had.
    std::optional<Rgb> profitColour;
    std::optional<ArbitrageSplit> split; // present when computed
};

// What every refresh shows before computing: the headings, the bookmakers and the odds texts, empty
// stake and winnings rows, both panels "0 ".
ArbitrageResult blankArbitrage(const ArbitrageInput &input);

// The whole refresh for the selected match.  When the home or away text has fewer than 2 characters
// nothing is computed and the blank result comes back.  When an odds text does not convert (a price of
// 0 included) the odds warning goes through the messenger and std::nullopt is returned: the window then
// keeps showing blankArbitrage(input), as the refresh stops there.
std::optional<ArbitrageResult> computeArbitrage(const ArbitrageInput &input, Messenger &messenger,
                                                const QLocale &locale = QLocale());

// The multiplier field's text read as a whole number while it is typed (before the field clamps it):
// a text that does not read, such as the empty one, gives the field's minimum 1.
double stakeMultiplierOfText(const QString &text);

// Background of the match list's "Return (%)" cell: light green for a positive return, light red
// otherwise (also for a match without a return, read as 0).
Rgb returnColour(double retrn);

// Column widths of the stake grid for its width in pixels: 100, then three equal shares of the rest
// less 8, the remainder dropped.
std::array<int, 4> stakeGridColumnWidths(int gridWidth);
