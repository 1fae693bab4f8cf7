#pragma once

namespace common {

// The window's layout is given in twips (1440 to the inch) and its artwork in
// pixels of a 96 dots-per-inch screen; both become device pixels here, with
// the screen's real resolution.
struct Scale {
    int dpi = 96;

    // Rounded to the nearest pixel: 15 twips are one pixel at 96 dpi.
    int twips(int value) const { return divideRounded(value * dpi, 1440); }
    // A length drawn for a 96-dpi screen.
    int design(int value) const { return divideRounded(value * dpi, 96); }
    // A font size in points as a character height for LOGFONT (negative).
    int fontHeight(int points) const { return -divideRounded(points * dpi, 72); }

private:
    static int divideRounded(int numerator, int denominator) {
        return numerator >= 0 ? (numerator + denominator / 2) / denominator
                              : -((-numerator + denominator / 2) / denominator);
    }
};

} // namespace common
