#pragma once

#include "scheme/textureclass.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How one sample row (three cells of text) becomes a classified composition, shared by the
// sample sheet and the batch tool so that both give the same answer for the same row.

// Texture text of a row whose composition no class holds.
inline constexpr std::string_view kFailText = "{ fail }";
// Between the names of several classes in a texture text.
inline constexpr std::string_view kClassSeparator = " / ";

struct Composition {
    double x;
    double y;
    double z;
};

// True when the text is wholly a number within 0 to 100 (tolerance 1e-6), or empty: what a
// sheet cell or a sample file field must be to be accepted.
bool IsValidComposition(std::string_view text);

// The value of a cell: the number when the whole text is one, else -1 (missing). A negative
// number is missing too, as every negative value means "not given".
double CellValue(std::string_view text);

// Completes a row whose values are x, y and z (negative: missing) as the sheet does: nothing
// when two or more are missing, else one missing value becomes 100 minus the other two.
std::optional<Composition> CompleteRow(double x, double y, double z);
// The same, after scaling three given values that add up to 100 within the tolerance (when
// there is one) to a sum of exactly 100: the batch tool's --normalise.
std::optional<Composition> CompleteRow(double x, double y, double z,
                                       std::optional<double> normaliseTolerance);

// The names of the classes joined by " / ", or "{ fail }" for none.
std::string TextureText(const std::vector<TextureClass>& classes);

// True when a completed row goes onto the chart: every value at least 0 and the sum 100.
bool IsPlottable(const Composition& c);

// A plotted row's label: its Sample ID, or "no. " and its row number when the ID is empty.
std::string ChartLabel(std::string_view sampleId, std::size_t row);
