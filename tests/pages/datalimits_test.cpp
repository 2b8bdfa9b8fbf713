// The Point page's data particle-size limits: rows looked up converted, the sheet as typed.
#include "pages/datalimits.h"
#include "pages/samplesheet.h"
#include "pages/texpoint.h"
#include "tests/support/scriptedinteraction.h"

#include <gtest/gtest.h>

namespace {

constexpr int kX = SampleSheet::kX, kTexture = SampleSheet::kTexture;

// Sand 38, clay 10, silt 52 measured with a 63 µm limit: Silt loam as typed, Loam in USDA's
// 50 µm limits (silt 48.52, sand 41.48).
TEST(PointDataLimits, RowsAreLookedUpConvertedAndTheSheetKeepsTheirValues) {
    ScriptedInteraction user;
    CTexPoint page(user);
    page.Scheme().SetSchemePath(GRANUM_SCHEMES_DIR "/usda.dat");
    page.Initialise();
    const QString values[] = {"38", "10", "52"};
    for (int k = 0; k < 3; ++k)
        page.Sheet().setData(page.Sheet().index(0, kX + k), values[k]);
    EXPECT_EQ(page.Sheet().Text(1, kTexture), "Silt loam");

    page.SetDataLimits(ParticleLimits{2, 63, 2000});
    EXPECT_EQ(page.Sheet().Text(1, kTexture), "Loam");
    EXPECT_EQ(page.Sheet().Text(1, kX), "38");
    EXPECT_EQ(page.WindowTitle(), "New [data 2/63/2000 µm converted] - Granum");
    ChartData chart{{{38, 10}}, {"a"}, true};
    page.DataSizes().Convert(&chart);
    EXPECT_NEAR(chart.points[0].x, 41.4834, 1e-4);
    EXPECT_NEAR(chart.points[0].y, 10, 1e-9);

    // The scheme's own limits chosen by their sizes: no conversion, no note.
    page.SetDataLimits(ParticleLimits{2, 50, 2000});
    EXPECT_EQ(page.WindowTitle(), "New - Granum");
    page.SetDataLimits(std::nullopt);
    EXPECT_EQ(page.Sheet().Text(1, kTexture), "Silt loam");
    EXPECT_TRUE(user.messages.empty());

    // Data that do not reach the scheme's limits: said once, rows as typed.
    page.SetDataLimits(ParticleLimits{20, 100, 1000});
    EXPECT_EQ(page.Sheet().Text(1, kTexture), "Silt loam");
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_TRUE(user.messages[0].text.contains("cannot be converted"));
}

TEST(PointDataLimits, SettingRoundTripsAndRefusesNonsense) {
    for (const std::optional<ParticleLimits>& l :
         {std::optional<ParticleLimits>(), std::optional<ParticleLimits>({2, 63, 2000}),
          std::optional<ParticleLimits>({0.5, 20, 1000})}) {
        const std::optional<ParticleLimits> back =
            DataLimits::FromSetting(DataLimits::ToSetting(l));
        ASSERT_EQ(back.has_value(), l.has_value());
        EXPECT_EQ(DataLimits::ToSetting(back), DataLimits::ToSetting(l));
    }
    for (const char* text : {"", "2,63", "63,2,2000", "a,b,c", "0,2,3"})
        EXPECT_FALSE(DataLimits::FromSetting(text)) << text;
    // The scheme's own first, then every set of limits of the bundled schemes.
    const auto choices = DataLimits::Choices();
    ASSERT_GE(choices.size(), 5u);
    EXPECT_FALSE(choices.front().second);
}

} // namespace
