#pragma once

#include "scheme/soiltex.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

// Which fields of an input record are the sample id, x, y and z, and where the texture goes.
struct ColumnLayout {
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    bool header = false;
    std::size_t id = 0;
    std::size_t x = 1;
    std::size_t y = 2;
    std::size_t z = 3;
    // A header's own "texture" column, filled in place; kNone: the texture is added after the
    // header's last column. Sample files always get it as their fifth field.
    std::size_t texture = kNone;
    // Fields every output row has before the texture (short rows are padded with empty ones).
    std::size_t width = 4;

    // How many of x, y, z have a column.
    int AxisColumns() const;
};

// Column and axis names are the same name: equal but for case and surrounding blanks (and a
// UTF-8 byte order mark); an empty name matches nothing.
bool SameColumnName(std::string_view a, std::string_view b);

// The layout of a sample file: Sample ID, x, y, z, and fields from the fifth on ignored.
ColumnLayout SampleFileLayout();

// The layout that a header record names (names compared ignoring case and surrounding blanks):
// the first column named after each axis is that value (kNone when none is), the first named
// "id", "sample" or "sample id" the id, and the first named "texture" receives the texture.
ColumnLayout NamedLayout(const std::vector<std::string_view>& fields, const soiltex& scheme);

// True when the second to fourth fields are numbers or empty, at least one a number: a sample,
// whatever its other fields say (a class name may equal an axis name).
bool IsSampleRecord(const std::vector<std::string_view>& fields);

// The layout of a first record that is a header: it is no sample record and names two or more
// of the scheme's axes. nullopt when the record is a sample.
std::optional<ColumnLayout> HeaderLayout(const std::vector<std::string_view>& fields,
                                         const soiltex& scheme);
