// The "Bundled Schemes" submenus of the main window: a pick loads on its own page only, is
// checked, and the settings keep its portable path.
#include "app/sheet.h"
#include "pages/samplesheet.h"
#include "pages/texpoint.h"
#include "pages/texrange.h"
#include "tests/support/scriptedinteraction.h"
#include "widgets/settings.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

QMenu* BundledMenu(QMenu& menu) {
    for (QAction* item : menu.actions()) {
        if (item->text() == "&Bundled Schemes")
            return item->menu();
    }
    return nullptr;
}

// The status tips (scheme paths) of the menu's checked items as it opens.
QString Checked(QMenu& menu) {
    emit menu.aboutToShow();
    QStringList tips;
    for (const QAction* item : menu.actions())
        if (item->isChecked())
            tips << item->statusTip();
    return tips.join(' ');
}

void Pick(QMenu& menu, const QString& path) {
    for (QAction* item : menu.actions()) {
        if (item->statusTip() == path)
            return item->trigger();
    }
    ADD_FAILURE() << "no item for " << path.toStdString();
}

} // namespace

TEST(BundledSchemeMenus, PickLoadsOnItsPageOnlyAndIsKeptInTheSettings) {
    settings::Open(settings::kSettingsGroup)->remove("");
    ScriptedInteraction user;
    {
        CSheet sheet(user);
        sheet.RangePage().Activate(); // its scheme loads when it is first shown
        QMenu* point = BundledMenu(sheet.PointMenu());
        QMenu* range = BundledMenu(sheet.RangeMenu());
        ASSERT_TRUE(point != nullptr && range != nullptr);

        EXPECT_EQ(Checked(*point), "schemes/usda.dat");
        Pick(*point, "schemes/de-ka5.dat");
        EXPECT_TRUE(user.messages.empty());
        EXPECT_EQ(sheet.PointPage().Sheet().headerData(SampleSheet::kX, Qt::Horizontal), "Clay");
        EXPECT_EQ(Checked(*point), "schemes/de-ka5.dat");
        EXPECT_EQ(Checked(*range), "schemes/usda.dat");
        EXPECT_EQ(sheet.RangePage().RangeTitle(CTexRange::kX), "Sand (range)");

        Pick(*range, "schemes/hypres.dat");
        EXPECT_EQ(sheet.RangePage().SchemeNameText(), "HYPRES / European Soil Map texture classes");
        EXPECT_EQ(sheet.PointPage().Scheme().SchemePath(), "schemes/de-ka5.dat");
        sheet.show();
        EXPECT_TRUE(sheet.close());
    }
    const auto store = settings::Open(settings::kSettingsGroup);
    EXPECT_EQ(store->value("Point scheme").toString(), "schemes/de-ka5.dat");
    EXPECT_EQ(store->value("Range scheme").toString(), "schemes/hypres.dat");
}
