// The "Bundled Schemes" submenus of the main window: every scheme shipped in schemes/, by name
// and country; a pick loads on its own page only, is checked, and the settings keep its portable
// path.
#include "app/sheet.h"
#include "pages/samplesheet.h"
#include "pages/texpoint.h"
#include "pages/texrange.h"
#include "tests/support/scriptedinteraction.h"
#include "widgets/settings.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QMenu* BundledMenu(QMenu& menu) {
    for (QAction* item : menu.actions()) {
        if (item->text() == "&Bundled Schemes")
            return item->menu();
    }
    return nullptr;
}

// The status tips (scheme paths) of the menu's items, or of its checked ones as it opens.
QString Items(QMenu& menu, bool checkedOnly) {
    emit menu.aboutToShow();
    QStringList tips;
    for (const QAction* item : menu.actions()) {
        if (item->isChecked() || !checkedOnly)
            tips << item->statusTip();
    }
    return tips.join(' ');
}

void Pick(QMenu& menu, const QString& path) {
    for (QAction* item : menu.actions()) {
        if (item->statusTip() == path)
            return item->trigger();
    }
    ADD_FAILURE() << "no item for " << path.toStdString();
}

// The texts of a menu's items.
QStringList Texts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* item : menu.actions())
        texts << item->text();
    return texts;
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

        // Every file, sorted by "Name (country)", and no item with an access key of its own.
        QStringList files = QDir(GRANUM_SCHEMES_DIR).entryList({"*.dat"}, QDir::Files);
        files.replaceInStrings(QRegularExpression("^"), "schemes/");
        QStringList listed = Items(*point, false).split(' '), texts = Texts(*point);
        std::sort(listed.begin(), listed.end());
        std::sort(files.begin(), files.end());
        EXPECT_EQ(listed.join(' ').toStdString(), files.join(' ').toStdString());
        EXPECT_GE(texts.size(), 24);
        EXPECT_TRUE(
            std::is_sorted(texts.begin(), texts.end(), [](const QString& a, const QString& b) {
                return a.compare(b, Qt::CaseInsensitive) < 0;
            }));
        EXPECT_TRUE(texts.contains("USDA soil texture classification (United States)"));
        EXPECT_TRUE(texts.filter(QRegularExpression("(^|[^&])&($|[^&])")).isEmpty());
        for (QMenu* menu : {&sheet.PointMenu(), &sheet.RangeMenu()})
            EXPECT_EQ(Texts(*menu).filter("&b", Qt::CaseInsensitive).size(), 1);

        SampleSheet& cells = sheet.PointPage().Sheet();
        cells.setData(cells.index(0, SampleSheet::kX), "10");
        cells.setData(cells.index(0, SampleSheet::kY), "80");
        EXPECT_EQ(cells.Text(1, SampleSheet::kTexture), "Clay"); // sand 10, clay 80
        EXPECT_EQ(Items(*point, true), "schemes/usda.dat");
        Pick(*point, "schemes/de-ka5.dat");
        EXPECT_TRUE(user.messages.empty());
        EXPECT_EQ(cells.headerData(SampleSheet::kX, Qt::Horizontal).toString(), "Clay");
        EXPECT_EQ(cells.Text(1, SampleSheet::kTexture),
                  "schwach toniger Schluff (slightly clayey silt)"); // clay 10, silt 80
        EXPECT_EQ(Items(*point, true), "schemes/de-ka5.dat");
        EXPECT_EQ(Items(*range, true), "schemes/usda.dat");
        EXPECT_EQ(sheet.RangePage().RangeTitle(CTexRange::kX), "Sand (range)");

        Pick(*range, "schemes/hypres.dat");
        EXPECT_EQ(sheet.RangePage().SchemeNameText(), "HYPRES / European Soil Map texture classes");
        EXPECT_EQ(sheet.PointPage().Scheme().SchemePath(), "schemes/de-ka5.dat");
        sheet.show();
        user.answers = {Answer::No}; // the Point sheet was edited
        EXPECT_TRUE(sheet.close());
    }
    const auto store = settings::Open(settings::kSettingsGroup);
    EXPECT_EQ(store->value("Point scheme").toString(), "schemes/de-ka5.dat");
    EXPECT_EQ(store->value("Range scheme").toString(), "schemes/hypres.dat");
}
