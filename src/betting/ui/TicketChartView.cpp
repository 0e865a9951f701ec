#include "betting/ui/TicketChartView.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLinearGradient>
#include <QValueAxis>

namespace
{
constexpr qsizetype kMostLabelledBars = 60;
}

TicketChartView::TicketChartView(QWidget *parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("DBChart"));
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->hide();
}

void TicketChartView::clearBars()
{
    showBars({}, {});
}

void TicketChartView::showBars(const QList<ChartBar> &bars, const ChartTitles &titles)
{
    QChart *c = chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes()) {
        c->removeAxis(axis); // the chart gives the axis back
        delete axis;
    }
    c->setTitle(titles.chart);

    auto *set = new QBarSet(titles.axis);
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, QColor(64, 64, 224));
    gradient.setColorAt(1, QColor(0, 0, 160));
    set->setBrush(gradient);
    set->setPen(QPen(QColor(0, 0, 160)));
    set->setLabelColor(Qt::black);
    QStringList dates;
    double low = 0, high = 0;
    for (const ChartBar &b : bars) {
        *set << b.value;
        dates << b.date.toString(QStringLiteral("M/d/yyyy"));
        low = std::min(low, b.value);
        high = std::max(high, b.value);
    }
    auto *series = new QBarSeries;
    series->append(set);
    series->setBarWidth(0.2);
    // Past a few dozen bars the values and dates would overlap into an unreadable band (and laying out
    // thousands of labels takes seconds): the bars alone then, with the first and last date below.
    const bool labelled = bars.size() <= kMostLabelledBars;
    series->setLabelsVisible(labelled);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsFormat(QStringLiteral("@value"));
    c->addSeries(series);

    auto *x = new QBarCategoryAxis;
    x->append(dates);
    x->setLabelsVisible(labelled);
    if (!labelled)
        x->setTitleText(dates.constFirst() + QStringLiteral(" - ") + dates.constLast());
    c->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto *y = new QValueAxis;
    y->setTitleText(titles.axis);
    y->setLabelFormat(QStringLiteral("%i"));
    y->setRange(low, high == low ? low + 1 : high + (high - low) * 0.1);
    c->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    c->legend()->hide();
}
