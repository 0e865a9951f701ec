#include "analysis/HistoryTableLook.h"

TextCellLook monthCellLook(int column, int row)
{
    TextCellLook look;
    if (column == 0 || row == 0) {
        look.ground = CellGround::Title;
        look.alignment = Qt::AlignLeft | Qt::AlignVCenter;
        look.leftMargin = 3;
    }
    return look;
}

TextCellLook teamCellLook(int column, int row)
{
    const bool title = column == 0 || row == 0;
    TextCellLook look;
    look.ground = title || row % 2 == 1 ? CellGround::ButtonFace : CellGround::White;
    look.alignment = (title ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
    look.leftMargin = 3;
    return look;
}
