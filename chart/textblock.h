#pragma once

#include "chart/drawtarget.h"

#include <string>
#include <vector>

// The lines of a text block as it is drawn in a box of the given width: the text's own lines
// ("\r\n" or "\n" between them), each broken at spaces where it would run past the width. A
// word longer than the width stays whole on its own line; tabs become spaces to the next stop of
// eight characters.
std::vector<std::string> WrapText(const DrawTarget& target, const std::string& text, int width);
