#include "analysis/ui/ComparisonChartView.h"

#include "analysis/ChartLayout.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QScopedValueRollback>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace
{
const QColor kColours[2] = {QColor(0, 0, 213), QColor(213, 0, 0)};
constexpr qreal kBarWidth = 0.6; // of a category, shared by the two bars

// Steps: each value holds until the next match, where the line rises or falls straight up or down.
QList<QPointF> stairPoints(const QList<QPoint> &points)
{
    QList<QPointF> out;
    for (qsizetype i = 0; i < points.size(); ++i) {
        if (i > 0)
            out << QPointF(points[i].x(), points[i - 1].y());
        out << QPointF(points[i]);
    }
    return out;
}

// The Match axis: labels at match 1 and at every step-th match, few enough to be read on a long
// season.  Bars stand at their index (match - 1), lines and points at the match.
QCategoryAxis *matchAxis(int count, bool bars)
{
    auto *axis = new QCategoryAxis;
    axis->setTitleText(QStringLiteral("Match"));
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const qreal shift = bars ? 1 : 0;
    if (bars)
        axis->setRange(-0.5, std::max(count, 1) - 0.5);
    else
        axis->setRange(0, std::max(count, 1) + 1);
    axis->setStartValue(axis->min());
    int step = 1;
    for (const int nice : {1, 2, 5, 10, 20, 50, 100, 200, 500})
        if (count / nice <= 25) {
            step = nice;
            break;
        }
    // An empty chart still labels its one slot: an axis without labels would lose its title's place.
    for (int m = 1; m <= std::max(count, 1); m = m == 1 && step > 1 ? step : m + step)
        axis->append(QString::number(m), m - shift);
    return axis;
}

const ComparisonSeries &seriesOf(const ComparisonChart &c, int i)
{
    return i == 0 ? c.series1 : c.series2;
}

// Bars are narrow over a long season: their values stand upright there.
bool uprightBarLabels(int count)
{
    return count > 25;
}

// The text a value label shows.
QString labelText(qreal value)
{
    return QString::number(qRound(value));
}

// A value label centred above a point, as wide and high as its text.
QRectF labelAt(const QPointF &at, const QSizeF &size, qreal offset)
{
    return QRectF(at.x() - size.width() / 2, at.y() - offset - size.height(), size.width(), size.height());
}

struct PointLabel {
    QRectF rect;
    QXYSeries *series;
    int point;
};
} // namespace

ComparisonChartView::ComparisonChartView(QWidget *parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("DBChart"));
    setRenderHint(QPainter::Antialiasing);
    QChart *c = chart();
    // The background (white, the title on a silver band) and the depth of the 3D view are painted
    // behind the chart's items, so the series cover the depth as near faces cover far ones.
    c->setBackgroundVisible(false);
    QFont titleFont = c->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    c->setTitleFont(titleFont);
    c->setTitleBrush(QBrush(Qt::black));
    c->legend()->setAlignment(Qt::AlignTop);
    c->legend()->setLabelColor(Qt::black);
    c->setTitle(comparisonChartTitle(ComparisonType::Points));
    m_data.series1.title = QStringLiteral("Team 1");
    m_data.series2.title = QStringLiteral("Team 2");
    // Resizing gives the labels more or less room.
    connect(c, &QChart::plotAreaChanged, this, &ComparisonChartView::placeLabels);
    rebuild();
}

void ComparisonChartView::setSeriesData(const ComparisonChart &data)
{
    m_data = data;
    rebuild();
}

void ComparisonChartView::setTitles(const QString &chartTitle, const QString &axisTitle)
{
    chart()->setTitle(chartTitle);
    m_axisTitle = axisTitle;
    rebuild();
}

void ComparisonChartView::setSeriesStyle(ComparisonStyle style)
{
    m_style = style;
    rebuild();
}

void ComparisonChartView::setThreeD(bool on)
{
    m_threeD = on;
    rebuild();
}

void ComparisonChartView::setLabelsVisible(bool on)
{
    m_labels = on;
    rebuild();
}

void ComparisonChartView::rebuild()
{
    QChart *c = chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes()) {
        c->removeAxis(axis); // the chart gives the axis back
        delete axis;
    }
    int count = 0;
    int low = 0, high = 0;
    for (int i = 0; i < 2; ++i)
        for (const QPoint &p : seriesOf(m_data, i).points) {
            count = std::max(count, p.x());
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }

    // Whole steps only: values are whole numbers, and a step of a fraction would label several ticks
    // alike.  One more above the highest value leaves room for its label.
    const WholeNumberAxis range = wholeNumberAxis(low, count > 0 && high > 0 ? high + 1 : high);
    auto *y = new QValueAxis;
    y->setTitleText(m_axisTitle);
    y->setRange(range.min, range.max);
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(range.min);
    y->setTickInterval(range.step);
    y->setLabelFormat(QStringLiteral("%d"));
    c->addAxis(y, Qt::AlignLeft);

    const QString labelFormat = QStringLiteral("@yPoint");
    if (m_style == ComparisonStyle::Bar) {
        auto *series = new QBarSeries;
        series->setBarWidth(kBarWidth);
        for (int i = 0; i < 2; ++i) {
            const ComparisonSeries &s = seriesOf(m_data, i);
            auto *set = new QBarSet(s.title);
            set->setColor(kColours[i]);
            set->setBorderColor(kColours[i].darker(130));
            set->setLabelColor(Qt::black);
            for (const QPoint &p : s.points)
                *set << p.y();
            series->append(set);
        }
        series->setLabelsVisible(m_labels);
        series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
        series->setLabelsPrecision(15);
        // Upright values would run into each other over a season of narrow bars.
        if (uprightBarLabels(count))
            series->setLabelsAngle(-90);
        c->addSeries(series);
        QCategoryAxis *x = matchAxis(count, true);
        c->addAxis(x, Qt::AlignBottom);
        series->attachAxis(x);
        series->attachAxis(y);
    } else {
        QCategoryAxis *x = matchAxis(count, false);
        c->addAxis(x, Qt::AlignBottom);
        for (int i = 0; i < 2; ++i) {
            const ComparisonSeries &s = seriesOf(m_data, i);
            QXYSeries *series = nullptr;
            if (m_style == ComparisonStyle::Point) {
                auto *scatter = new QScatterSeries;
                scatter->setMarkerSize(9);
                scatter->setBorderColor(kColours[i].darker(130));
                series = scatter;
                for (const QPoint &p : s.points)
                    series->append(QPointF(p));
            } else {
                series = new QLineSeries;
                QPen pen(kColours[i]);
                pen.setWidth(lineWidth(m_threeD));
                series->setPen(pen);
                series->append(m_style == ComparisonStyle::Stair
                                   ? stairPoints(s.points)
                                   : QList<QPointF>(s.points.begin(), s.points.end()));
            }
            series->setName(s.title);
            series->setColor(kColours[i]);
            series->setPointLabelsFormat(labelFormat);
            series->setPointLabelsColor(Qt::black);
            series->setPointLabelsClipping(false);
            series->setPointLabelsVisible(m_labels);
            // A stair's corner points are not matches: only the matches carry a label.
            if (m_style == ComparisonStyle::Stair && m_labels)
                for (qsizetype p = 1; p < series->count(); p += 2)
                    series->setPointConfiguration(int(p), QXYSeries::PointConfiguration::LabelVisibility,
                                                  false);
            c->addSeries(series);
            series->attachAxis(x);
            series->attachAxis(y);
        }
    }
    placeLabels();
    viewport()->update();
}

void ComparisonChartView::placeLabels()
{
    if (m_placingLabels)
        return;
    const QScopedValueRollback placing(m_placingLabels, true);
    m_labelsShown.clear();
    const QList<QAbstractSeries *> all = chart()->series();
    if (all.isEmpty())
        return;
    if (auto *bars = qobject_cast<QBarSeries *>(all.constFirst())) {
        if (!m_labels || bars->barSets().isEmpty())
            return;
        // A bar series shows the labels of all its bars or of none.
        QList<QRectF> rects = barLabelRects(bars->barSets().constFirst()->labelFont());
        std::stable_sort(rects.begin(), rects.end(),
                         [](const QRectF &a, const QRectF &b) { return a.left() < b.left(); });
        const QList<bool> shown = labelsClearOfEachOther(rects);
        const bool allFit = std::all_of(shown.cbegin(), shown.cend(), [](bool b) { return b; });
        bars->setLabelsVisible(allFit);
        if (allFit)
            m_labelsShown = rects;
        return;
    }
    if (!m_labels)
        return;
    QList<PointLabel> labels;
    for (QAbstractSeries *s : all) {
        auto *xy = qobject_cast<QXYSeries *>(s);
        if (!xy)
            continue;
        const QFontMetricsF metrics(xy->pointLabelsFont());
        auto *scatter = qobject_cast<QScatterSeries *>(xy);
        const qreal offset = (scatter ? scatter->markerSize() : xy->pen().widthF()) / 2 + 2;
        // A stair's corner points carry no label.
        const int step = m_style == ComparisonStyle::Stair ? 2 : 1;
        for (int p = 0; p < xy->count(); p += step) {
            const QPointF value = xy->at(p);
            const QSizeF size(metrics.horizontalAdvance(labelText(value.y())), metrics.height());
            labels.append({labelAt(chart()->mapToPosition(value, xy), size, offset), xy, p});
        }
    }
    // From left to right, the two series' labels taking turns where they meet.
    std::stable_sort(labels.begin(), labels.end(),
                     [](const PointLabel &a, const PointLabel &b) { return a.rect.left() < b.rect.left(); });
    QList<QRectF> rects;
    for (const PointLabel &l : labels)
        rects << l.rect;
    const QList<bool> shown = labelsClearOfEachOther(rects);
    for (qsizetype k = 0; k < labels.size(); ++k) {
        labels[k].series->setPointConfiguration(labels[k].point,
                                                QXYSeries::PointConfiguration::LabelVisibility, shown[k]);
        if (shown[k])
            m_labelsShown << rects[k];
    }
}

// Each bar's label: at the end of the bar, upright when the bars are narrow.
QList<QRectF> ComparisonChartView::barLabelRects(const QFont &font) const
{
    QList<QRectF> rects;
    QAbstractSeries *series = chart()->series().value(0);
    if (!series)
        return rects;
    const QFontMetricsF metrics(font);
    int count = 0;
    for (int i = 0; i < 2; ++i)
        for (const QPoint &p : seriesOf(m_data, i).points)
            count = std::max(count, p.x());
    const qreal share = kBarWidth / 2;
    for (int i = 0; i < 2; ++i) {
        const QList<QPoint> &points = seriesOf(m_data, i).points;
        for (qsizetype k = 0; k < points.size(); ++k) {
            const qreal centre = qreal(k) - kBarWidth / 2 + i * share + share / 2;
            // The label stands above the bar, also above one that reaches down from zero.
            const QPointF top = chart()->mapToPosition(QPointF(centre, std::max(points[k].y(), 0)), series);
            const qreal width = metrics.horizontalAdvance(labelText(points[k].y()));
            const QSizeF size =
                uprightBarLabels(count) ? QSizeF(metrics.height(), width) : QSizeF(width, metrics.height());
            rects << labelAt(top, size, 2);
        }
    }
    return rects;
}

void ComparisonChartView::drawBackground(QPainter *painter, const QRectF &rect)
{
    painter->save();
    painter->fillRect(rect, Qt::white);
    // The title's band, from the top down to the legend below the title.
    const QRectF chartRect = chart()->mapRectToScene(chart()->rect());
    const qreal legendTop = chart()->legend()->mapRectToScene(chart()->legend()->rect()).top();
    painter->fillRect(
        QRectF(chartRect.left(), chartRect.top(), chartRect.width(), legendTop - chartRect.top()),
        QColor(192, 192, 192));
    if (m_threeD) {
        painter->setRenderHint(QPainter::Antialiasing);
        if (m_style == ComparisonStyle::Bar)
            paintBarDepth(*painter);
        else
            paintXyDepth(*painter);
    }
    painter->restore();
}

// Behind each bar: its far face, its top and its right side, so that the bar stands out as a block.
void ComparisonChartView::paintBarDepth(QPainter &painter)
{
    const QList<QAbstractSeries *> all = chart()->series();
    if (all.isEmpty())
        return;
    QAbstractSeries *series = all.constFirst();
    const qreal share = kBarWidth / 2;
    // As deep as a bar is wide, up to the full depth, so that narrow bars do not drown in their sides.
    const qreal barPixels = chart()->mapToPosition(QPointF(share, 0), series).x() -
                            chart()->mapToPosition(QPointF(0, 0), series).x();
    const qreal depth = std::clamp(barPixels * 0.8, 2.0, qreal(kDepth));
    const QPointF off(depth, -depth);
    for (int i = 0; i < 2; ++i) {
        const QList<QPoint> &points = seriesOf(m_data, i).points;
        for (qsizetype k = 0; k < points.size(); ++k) {
            const qreal left = qreal(k) - kBarWidth / 2 + i * share;
            const QPointF a =
                chart()->mapToScene(chart()->mapToPosition(QPointF(left, points[k].y()), series));
            const QPointF b = chart()->mapToScene(chart()->mapToPosition(QPointF(left + share, 0), series));
            const QRectF front = QRectF(a, b).normalized();
            const QPolygonF top(
                {front.topLeft(), front.topLeft() + off, front.topRight() + off, front.topRight()});
            const QPolygonF side(
                {front.topRight(), front.topRight() + off, front.bottomRight() + off, front.bottomRight()});
            painter.setPen(QPen(kColours[i].darker(160), 1));
            painter.setBrush(kColours[i].lighter(140));
            painter.drawPolygon(top);
            painter.setBrush(kColours[i].darker(160));
            painter.drawPolygon(side);
        }
    }
}

// Behind each line a ribbon running back into the depth; behind each point a peg with its far mark.
void ComparisonChartView::paintXyDepth(QPainter &painter)
{
    const QList<QAbstractSeries *> all = chart()->series();
    const QPointF off(kDepth, -kDepth);
    for (int i = 0; i < all.size() && i < 2; ++i) {
        auto *xy = qobject_cast<QXYSeries *>(all[i]);
        if (!xy)
            continue;
        QList<QPointF> at;
        for (const QPointF &p : xy->points())
            at << chart()->mapToScene(chart()->mapToPosition(p, xy));
        const QColor colour = kColours[i];
        if (m_style == ComparisonStyle::Point) {
            painter.setPen(QPen(colour.darker(160), 1));
            painter.setBrush(colour.darker(160));
            for (const QPointF &p : at) {
                painter.drawLine(p, p + off);
                painter.drawEllipse(p + off, 4, 4);
            }
            continue;
        }
        painter.setPen(QPen(colour.darker(160), 1));
        painter.setBrush(colour.lighter(160));
        for (qsizetype k = 1; k < at.size(); ++k)
            painter.drawPolygon(QPolygonF({at[k - 1], at[k], at[k] + off, at[k - 1] + off}));
    }
}
