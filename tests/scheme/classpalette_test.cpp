#include "scheme/classpalette.h"
#include "schemetext.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

// Shared-vertex touch is enough for the test: every bundled scheme is digitised on a common
// vertex set.
bool ShareVertex(const polygon& a, const polygon& b) {
    for (const point& p : a.Vertices())
        for (const point& q : b.Vertices())
            if (p == q)
                return true;
    return false;
}

TEST(ClassPalette, BundledSchemesGetOneColourPerNameAndNeighboursDiffer) {
    const std::vector<BundledSchemeFile> files = BundledSchemeFiles();
    ASSERT_FALSE(files.empty());
    const std::vector<Rgb>& palette = ClassPaletteColours();
    for (const BundledSchemeFile& file : files) {
        SCOPED_TRACE(file.id);
        const soiltex scheme = LoadedScheme(file.path);
        const std::vector<Rgb> colours = ClassColours(scheme);
        ASSERT_EQ(colours.size(), scheme.Classes().size());
        EXPECT_EQ(ClassColours(scheme), colours);
        std::map<std::string, Rgb> byName;
        for (std::size_t i = 0; i < colours.size(); ++i) {
            const TextureClass& c = scheme.Classes()[i];
            EXPECT_NE(std::find(palette.begin(), palette.end(), colours[i]), palette.end());
            EXPECT_EQ(byName.emplace(c.name, colours[i]).first->second, colours[i]) << c.name;
            for (std::size_t j = 0; j < i; ++j) {
                const TextureClass& d = scheme.Classes()[j];
                if (d.name != c.name && ShareVertex(c.region, d.region)) {
                    EXPECT_NE(colours[i], colours[j]) << c.name << " / " << d.name;
                }
            }
        }
    }
}

TEST(ClassPalette, ClassSplitInTwoAndTouchingAtAnEdgeMidpoint) {
    // "A" is split around "B"; "C" touches both only where its vertex lies on their shared edge.
    const soiltex scheme = SchemeWithClasses("A\n1\n0 0\n20 0\n0 20\n#\n"
                                             "B\n2\n20 0\n60 0\n0 60\n0 20\n#\n"
                                             "A\n3\n60 0\n100 0\n0 100\n0 60\n#\n"
                                             "C\n4\n40 20\n50 50\n30 40\n#\n");
    const std::vector<Rgb> colours = ClassColours(scheme);
    ASSERT_EQ(colours.size(), 4u);
    EXPECT_EQ(colours[0], colours[2]);
    EXPECT_NE(colours[0], colours[1]);
    EXPECT_NE(colours[3], colours[0]);
    EXPECT_NE(colours[3], colours[1]);
}

} // namespace
