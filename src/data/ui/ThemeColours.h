#pragma once
// Where the program's colours meet the desktop theme.  The neutral colours (white cells, silver grounds)
// are the palette's roles, so a dark theme stays readable; the signal colours (light green, red, yellow,
// cyan, navy) keep their RGB values, with black text on them.

#include "data/Colours.h"

#include <QColor>
#include <QPalette>

#include <optional>

// The colour as it is, for the signal colours and for pictures that look the same in every theme.
QColor plainColour(const Rgb &colour);

// A cell's or panel's ground: white is the palette's base, silver its window, anything else itself.
QColor groundColour(const Rgb &ground, const QPalette &palette);

// The ground of a data grid's row without a colour of its own, striped in the desktop's colours: odd row
// numbers (1-based) the base colour, even ones the alternate base.
QColor stripedRowGround(int row, const QPalette &palette);

// Text on that ground: black on a neutral ground is the theme's text for it, other texts stay as they are.
QColor textColour(const Rgb &ground, const Rgb &text, const QPalette &palette);
