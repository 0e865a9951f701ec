#pragma once
// The paper a printout takes unless the user chose one in the print set-up: the one of the locale's
// country.  Letter in the Americas' Letter countries and the Philippines, A4 everywhere else; the "C"
// locale, which names no country, keeps Letter, the paper the layouts were first drawn for.

#include <QLocale>
#include <QPageSize>

QPageSize localePaper(const QLocale &locale = QLocale());
