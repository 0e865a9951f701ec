#include "output/report/ReportFont.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>

QString reportFontFamily()
{
    return QStringLiteral("Liberation Sans");
}

QFont reportFont(double points, bool bold)
{
    QFont f(reportFontFamily());
    f.setStyleHint(QFont::SansSerif);
    // No shaping: no ligatures (the PDF keeps one glyph per letter) and no kerning, which the column
    // widths were not measured with.
    f.setStyleStrategy(QFont::PreferNoShaping);
    // Unhinted, the metrics scale with the size: measured at one resolution, a text fits at every other.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setBold(bold);
    f.setPixelSize(static_cast<int>(std::lround(points * kReportUnitsPerInch / 72)));
    return f;
}

QFont resizedReportFont(const QFont &font, int pixels)
{
    QFont f(font);
    f.setPixelSize(std::max(1, pixels));
    return f;
}

bool reportFontInstalled()
{
    return QFontDatabase::families().contains(reportFontFamily(), Qt::CaseInsensitive);
}
