#pragma once
// The money metrics of a back-test or of the stored predictions as the commands print them.

#include "analysis/BetMetrics.h"

#include <QString>

// {"turnover": X, "profit": X, "yield": X, "max_drawdown": X, "max_drawdown_pct": X,
//  "longest_losing_run": N, "longest_winning_run": N, "bets": {"1": N, "X": N, "2": N},
//  "mean_price": {"1": X, "X": X, "2": X}, "clv_mean_pct": X or null, "beat_close_pct": X or null}
QString metricsJson(const BetMetrics &m);

// The same as lines of "Name: value", amounts with two decimals, in the user's locale.
QString metricsText(const BetMetrics &m);
