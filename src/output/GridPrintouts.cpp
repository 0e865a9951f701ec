#include "output/GridPrintouts.h"

#include <algorithm>

namespace
{
constexpr int kGridWidth = 6300;
constexpr int kHeadingTop = 250, kHeadingBottom = 400;
constexpr int kBoxHeight = 125, kTextInset = 20;
} // namespace

DrawnPage layoutGridPrintout(const GridPrintout &grid)
{
    DrawnPage page;
    page.frames << QRect(0, kHeadingTop, kGridWidth, kHeadingBottom - kHeadingTop);
    page.texts << DrawnText{
        QRect(kTextInset, kHeadingTop + 10, kGridWidth - 2 * kTextInset, kHeadingBottom - kHeadingTop - 10),
        grid.title, 12, true};
    const int rows = static_cast<int>(grid.cells.size());
    int columns = 0;
    for (const QStringList &r : grid.cells)
        columns = std::max(columns, static_cast<int>(r.size()));
    if (columns == 0)
        return page;
    // The columns share the width equally, but for the header column, which may take several shares.
    const int headerShares = std::max(1, grid.headerColumnShares);
    const int w = kGridWidth / (columns - 1 + headerShares);
    const int step = 5 * grid.gridRowHeight + 25;
    for (int c = 0; c < columns; ++c) {
        const int left = c == 0 ? 0 : (headerShares + c - 1) * w;
        const int width = c == 0 ? headerShares * w : w;
        for (int r = 0; r < rows; ++r) {
            const QRect box(left, kHeadingBottom + r * step, width, kBoxHeight);
            if (grid.blackDiagonal && c == r && c > 0) {
                page.fills << box;
                continue;
            }
            page.frames << box;
            if (grid.cells[r].value(c).isEmpty())
                continue;
            // A cell's text keeps clear of the frame; a long one shrinks or wraps.
            DrawnText text{box.adjusted(kTextInset, kTextInset, -kTextInset / 2, -kTextInset / 2),
                           grid.cells[r].value(c), 7, r == 0 || c == 0};
            text.wrap = true;
            page.texts << text;
        }
    }
    return page;
}
