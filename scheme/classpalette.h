#pragma once

#include "scheme/soiltex.h"

#include <cstdint>
#include <vector>

// A colour as 8-bit sRGB components, so that the core can choose colours without Qt.
struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

inline bool operator==(const Rgb& a, const Rgb& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}
inline bool operator!=(const Rgb& a, const Rgb& b) {
    return !(a == b);
}

// The light, colour-blind-safe colours the classes are filled with (Paul Tol's "light" scheme),
// dark text stays readable on each of them.
const std::vector<Rgb>& ClassPaletteColours();

// One fill colour per entry of scheme.Classes(): every record of one class name gets the same
// colour, and two names whose regions touch (share a boundary point, within 1e-6 %) get
// different colours whenever the palette has enough of them. The same scheme always gets the
// same colours. Never throws for a scheme of any content (non-finite vertices touch nothing).
std::vector<Rgb> ClassColours(const soiltex& scheme);
