// The Limits tab of Scheme Details: the same class table as granum-cli classes.
#include "pages/schemedetailsdialog.h"
#include "scheme/schemefile.h"

#include <gtest/gtest.h>

namespace {

TEST(SchemeDetailsLimits, OneRowPerClassNameInTheSchemesAxisOrder) {
    soiltex usda;
    ASSERT_EQ(LoadSchemeFile(GRANUM_SCHEMES_DIR "/usda.dat", &usda), SchemeLoadStatus::Loaded);
    const SchemeDetailsDialog dialog("", {}, usda.Classes(), nullptr, {"Sand", "Clay", "Silt"});
    const QStringList lines = dialog.LimitLines();
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines.front(), "Sand|85–100|0–10|0–15|(92.15, 3.93, 3.92)|(85, 0, 15) (100, 0, 0) "
                             "(90, 10, 0)");
    EXPECT_TRUE(lines.filter("Silt loam|").front().startsWith("Silt loam|0–50|0–27|50–88|"));
}

} // namespace
