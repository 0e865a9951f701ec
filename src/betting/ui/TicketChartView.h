#pragma once
// The Chart page's chart: one bar series of dark blue bars over the dates, each bar marked with its
// value, the legend hidden.

#include "betting/TicketStatistics.h"

#include <QChartView>

class TicketChartView final : public QChartView
{
    Q_OBJECT
public:
    explicit TicketChartView(QWidget *parent = nullptr);
    void showBars(const QList<ChartBar> &bars, const ChartTitles &titles);
    void clearBars();
};
