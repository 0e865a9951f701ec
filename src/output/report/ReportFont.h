#pragma once
// The one font of the printed reports and printouts: Liberation Sans, asked for by name (the program's
// package depends on it), whose metrics are those the layouts were made for.  Its text is drawn without
// typographic ligatures, so that "ffi" in a saved PDF copies and searches as the three letters typed.

#include <QFont>

// Every layout of a printout is given in these units, scaled to the device when painted.
constexpr double kReportUnitsPerInch = 600;

QString reportFontFamily();
// The report font `points` high, sized in report units.
QFont reportFont(double points, bool bold);
// The same font at another size in report units (at least one), for a text that must shrink to fit.
QFont resizedReportFont(const QFont &font, int pixels);
// Whether the machine has the family; without it the platform draws with a substitute sans font.
bool reportFontInstalled();
