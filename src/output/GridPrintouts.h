#pragma once
// The drawn grid printouts (cross table, streak table, betting statistics) laid out box by box in
// 600-dpi units: a heading box with the title, then every cell of the grid as a framed box, column by
// column, all on one page.

#include "output/ReportLayout.h"

DrawnPage layoutGridPrintout(const GridPrintout &grid);
