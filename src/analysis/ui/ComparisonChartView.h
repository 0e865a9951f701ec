#pragma once
// The team comparison chart: two series (blue and red) in one of four styles, with value labels, a
// title on a silver band, the legend at the top and, in 3D, a drawn depth behind every bar, line and
// point.  Its value axis counts in whole steps, and value labels that would run into each other are
// left out.  It draws the point lists it is given; it computes nothing.

#include "analysis/TeamComparison.h"

#include <QChartView>

class ComparisonChartView final : public QChartView
{
    Q_OBJECT
public:
    explicit ComparisonChartView(QWidget *parent = nullptr);

    // New points and titles for both series; the style, 3D and labels stay.
    void setSeriesData(const ComparisonChart &data);
    const ComparisonChart &seriesData() const { return m_data; }
    void setTitles(const QString &chartTitle, const QString &axisTitle);
    // Changes both series to the style, keeping their points.
    void setSeriesStyle(ComparisonStyle style);
    ComparisonStyle seriesStyle() const { return m_style; }
    void setThreeD(bool on);
    bool threeD() const { return m_threeD; }
    void setLabelsVisible(bool on);
    bool labelsVisible() const { return m_labels; }
    // Where the value labels drawn now stand, in the chart's coordinates; those left out for want of
    // room are not among them.
    const QList<QRectF> &labelsShown() const { return m_labelsShown; }

    // Depth of the 3D view in pixels, up and to the right.
    static constexpr int kDepth = 10;
    // Pen width of line and stair series: thin in 3D, where the drawn depth carries them.
    static int lineWidth(bool threeD) { return threeD ? 1 : 3; }

protected:
    void drawBackground(QPainter *painter, const QRectF &rect) override;

private:
    void rebuild();
    // Shows the labels that have room and hides the others, for the plot area as it is now laid out.
    void placeLabels();
    QList<QRectF> barLabelRects(const QFont &font) const;
    void paintBarDepth(QPainter &painter);
    void paintXyDepth(QPainter &painter);

    ComparisonChart m_data;
    ComparisonStyle m_style = ComparisonStyle::Bar;
    bool m_threeD = false;
    bool m_labels = true;
    QString m_axisTitle = QStringLiteral("Points");
    QList<QRectF> m_labelsShown;
    bool m_placingLabels = false;
};
