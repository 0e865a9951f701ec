#pragma once
// The text a grid shows for a stored value: reals in general number format, dates as the locale's short
// date, yes/no columns as True or False, decimal prices with two decimals.  The grids, printing and export
// all show values through here.

#include "data/ColumnInfo.h"

#include <QString>
#include <QVariant>
#include <optional>

QString displayText(const QVariant &value, ColumnKind kind);

// The text columns that hold a bookmaker's price as typed: "1", "X" and "2" of a match (O1, OX, O2), the
// price of a bet (Price).  Letter case ignored.
bool isPriceColumn(const QString &column);

// A stored price in decimal notation ("2.1", "2,10", whichever decimal mark it was typed with) as its
// number; nothing for a fractional or American price, for no odds ("", "-") and for anything else.
std::optional<double> decimalPrice(const QVariant &value);

// The text a grid shows for a value of the given column: a price in decimal notation with two decimals in
// the locale's notation ("2.10"; "2,10" in a "," locale), other prices as typed, everything else as
// displayText.
QString cellText(const QVariant &value, const ColumnInfo &column);
