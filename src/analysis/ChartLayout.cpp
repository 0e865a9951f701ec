#include "analysis/ChartLayout.h"

#include <algorithm>

namespace
{
// floor and ceil of a / b for a step b > 0.
int stepsBelow(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int stepsAbove(int a, int b)
{
    return a >= 0 ? (a + b - 1) / b : -(-a / b);
}
} // namespace

WholeNumberAxis wholeNumberAxis(int low, int high)
{
    low = std::min(low, 0);
    high = std::max({high, 0, low + 1});
    const qint64 span = qint64(high) - low;
    for (qint64 power = 1;; power *= 10)
        for (const qint64 factor : {1, 2, 5})
            if (const qint64 step = power * factor; span <= 10 * step) {
                const int s = int(step);
                return {stepsBelow(low, s) * s, stepsAbove(high, s) * s, s};
            }
}

QList<bool> labelsClearOfEachOther(const QList<QRectF> &labels, qreal gap)
{
    QList<bool> shown(labels.size(), false);
    QList<QRectF> kept;
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const QRectF room = labels[i].adjusted(-gap, -gap, gap, gap);
        const bool clear =
            std::none_of(kept.cbegin(), kept.cend(), [&room](const QRectF &k) { return room.intersects(k); });
        if (clear) {
            kept << labels[i];
            shown[i] = true;
        }
    }
    return shown;
}
