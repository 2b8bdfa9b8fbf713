// Telling a header line from a sample, with USDA, whose class names equal its axis names.
#include "samples/columnlayout.h"
#include "tests/scheme/schemetext.h"

#include <array>
#include <gtest/gtest.h>
#include <optional>
#include <string_view>
#include <vector>

namespace {

const soiltex& Usda() {
    static const soiltex scheme = LoadBundled("usda");
    return scheme;
}

constexpr std::size_t kNone = ColumnLayout::kNone;

// A first line whose second to fourth fields are numbers is a sample.
TEST(HeaderDetection, OwnFilesAreNotTakenForHeaders) {
    const struct {
        std::vector<std::string_view> fields;
        bool header;
        std::array<std::size_t, 5> columns{kNone, kNone, kNone, kNone, kNone}; // id x y z texture
    } cases[] = {
        {{"Silt", "20", "50", "30", "Clay"}, false},
        {{"Sample", "Sand", "other"}, false}, // one axis only
        {{"id", "", "", ""}, false},
        {{"Sand", "Silt", "Clay"}, true, {kNone, 0, 2, 1, kNone}},
        {{"Site", "Sample ID", "Depth (cm)", " SAND", "silt ", "Clay", "Notes"},
         true,
         {1, 3, 5, 4, kNone}},
        {{"\xEF\xBB\xBFid", "texture", "clay", "sand", "-"}, true, {0, 3, 2, kNone, 1}},
        {{"Sample", "Sand", "Clay", "n/a"}, true, {0, 1, 2, kNone, kNone}},
    };
    for (const auto& c : cases) {
        const std::optional<ColumnLayout> layout = HeaderLayout(c.fields, Usda());
        ASSERT_EQ(layout.has_value(), c.header) << c.fields[0] << "," << c.fields[1];
        if (!layout)
            continue;
        EXPECT_EQ((std::array{layout->id, layout->x, layout->y, layout->z, layout->texture}),
                  c.columns)
            << c.fields[0];
        EXPECT_EQ(layout->width, c.fields.size());
    }
}

} // namespace
