#pragma once
// The money metrics and the calibration scores as the windows and the command line show them: a name
// and a value per figure, amounts and percentages with two decimals, scores with four, in the locale
// given.

#include "analysis/BetMetrics.h"
#include "analysis/Calibration.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

struct MetricLine {
    QString name;
    QString value;
};

// Turnover, profit, yield, the maximum drawdown, the longest runs, the bets and mean price on each
// outcome ("-" for the price when none of them had one), and the two closing-price figures ("no closing
// prices" when no bet had one).
QList<MetricLine> metricLines(const BetMetrics &m, const QLocale &locale);

// A title row (empty, "Brier", "RPS", "Log loss"), then "Model" and "Market" ("-" without any match).
QList<QStringList> calibrationScoreRows(const CalibrationReport &r, const QLocale &locale);
