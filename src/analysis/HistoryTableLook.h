#pragma once
// How the prediction history's two tables draw their cells: the month table's figures black on white,
// right-aligned; the team table striped by row with its titles left and its figures right.  Row 0 and
// column 0 hold the titles.

#include <Qt>

// A cell's ground: the grid's own title drawing, white, or the system's button-face colour.
enum class CellGround { Title, White, ButtonFace };

struct TextCellLook {
    CellGround ground = CellGround::White;
    Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter;
    int leftMargin = 0, rightMargin = 3, topMargin = 3; // pixels inside the cell
};

// The month table (StringGridPH): data cells black on white, right-aligned with 3 pixels at the right
// and the top; title cells keep the grid's drawing.
TextCellLook monthCellLook(int column, int row);

// The team table (StringGridTeams): titles and odd data rows on button face, even data rows white;
// titles left-aligned, figures right-aligned; 3 pixels at the left, the right and the top.
TextCellLook teamCellLook(int column, int row);
