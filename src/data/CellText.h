#pragma once
// The text a grid shows for a stored value: reals in general number format, dates as the locale's short
// date, yes/no columns as True or False.  The grids, printing and export all show values through here.

#include "data/ColumnInfo.h"

#include <QString>
#include <QVariant>

QString displayText(const QVariant &value, ColumnKind kind);
