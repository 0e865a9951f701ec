#pragma once
// Rows of a table of the league file written as aligned text, CSV or JSON.

#include "data/ColumnInfo.h"

#include <QByteArray>
#include <QList>
#include <QVariant>
#include <optional>

class Dataset;

enum class OutputFormat { Text, Csv, Json };
// "text", "csv" or "json"; nothing for any other name.
std::optional<OutputFormat> outputFormatOf(const QString &name);

// Columns and values as the file holds them (see ColumnInfo.h); pictures are left out.
struct Grid {
    ColumnList columns;
    QList<QVariantList> rows;
};

// The rows of the dataset in its current order, every column but the pictures.
Grid gridOf(const Dataset &dataset);

// Text: a header line and aligned columns, numbers to the right, in the user's locale.
// CSV: a header row, numbers with ".", fields quoted when they need it.
// JSON: an array of objects, the column names as keys in column order; numbers as numbers, dates
// YYYY-MM-DD, texts as stored, an empty column as null.  Dates are YYYY-MM-DD in all three.
QByteArray render(const Grid &grid, OutputFormat format);
