#include "output/report/ReportPaper.h"

#include <algorithm>

QPageSize localePaper(const QLocale &locale)
{
    // The countries that print on Letter (as the common locale data lists them).
    static const QLocale::Territory letter[] = {
        QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,   QLocale::Philippines,
        QLocale::Belize,       QLocale::Chile,     QLocale::Colombia, QLocale::CostaRica,
        QLocale::Guatemala,    QLocale::Nicaragua, QLocale::Panama,   QLocale::PuertoRico,
        QLocale::ElSalvador,   QLocale::Venezuela};
    const bool isLetter =
        locale.language() == QLocale::C ||
        std::find(std::begin(letter), std::end(letter), locale.territory()) != std::end(letter);
    return QPageSize(isLetter ? QPageSize::Letter : QPageSize::A4);
}
