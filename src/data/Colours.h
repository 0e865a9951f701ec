#pragma once
// The colours that carry one meaning throughout the program, as plain RGB so the core can decide them
// and the windows only apply them.

struct Rgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Rgb &) const = default;
};

namespace Colours
{
constexpr Rgb LightGreen{128, 255, 128};  // a prediction that came true, a win, a positive amount
constexpr Rgb LightRed{255, 128, 128};    // one that did not, a loss, a non-positive amount
constexpr Rgb LightYellow{255, 255, 128}; // a draw, equal values
constexpr Rgb LightCyan{128, 255, 255};   // the odds of what happened, highlighted teams
constexpr Rgb Navy{0, 0, 128};            // highlighted headers (with white text)
constexpr Rgb White{255, 255, 255};
constexpr Rgb Black{0, 0, 0};
constexpr Rgb Silver{192, 192, 192};
} // namespace Colours
