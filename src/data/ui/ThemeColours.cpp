#include "data/ui/ThemeColours.h"

namespace
{
// The palette role that stands for a neutral colour, or none for a signal colour.
std::optional<QPalette::ColorRole> neutralRole(const Rgb &colour)
{
    if (colour == Colours::White)
        return QPalette::Base;
    if (colour == Colours::Silver)
        return QPalette::Window;
    return std::nullopt;
}
} // namespace

QColor plainColour(const Rgb &colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

QColor groundColour(const Rgb &ground, const QPalette &palette)
{
    const std::optional<QPalette::ColorRole> role = neutralRole(ground);
    return role ? palette.color(*role) : plainColour(ground);
}

QColor stripedRowGround(int row, const QPalette &palette)
{
    return row % 2 == 0 ? palette.color(QPalette::Base) : palette.color(QPalette::AlternateBase);
}

QColor textColour(const Rgb &ground, const Rgb &text, const QPalette &palette)
{
    const std::optional<QPalette::ColorRole> role = neutralRole(ground);
    if (!role || text != Colours::Black)
        return plainColour(text);
    return palette.color(*role == QPalette::Base ? QPalette::Text : QPalette::WindowText);
}
