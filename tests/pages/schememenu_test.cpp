// The "Bundled Schemes" submenus of the main window: they list every scheme shipped in schemes/,
// load the one picked on their own page only, check the page's scheme, and the settings keep the
// portable path.
#include "app/sheet.h"
#include "pages/bundledschemes.h"
#include "pages/samplesheet.h"
#include "pages/texpoint.h"
#include "pages/texrange.h"
#include "tests/support/scriptedinteraction.h"
#include "widgets/settings.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

QMenu* Submenu(QMenu& menu, const QString& text) {
    for (QAction* item : menu.actions()) {
        if (item->text() == text)
            return item->menu();
    }
    return nullptr;
}

// The page's scheme as "name, path, x, y, z".
std::string Loaded(const PageScheme& scheme) {
    return QStringList({scheme.SchemeName(), scheme.SchemePath(), scheme.XName(), scheme.YName(),
                        scheme.ZName()})
        .join(", ")
        .toStdString();
}

// The status tips (the scheme paths) of the checked items of a menu as it opens, one a line.
std::string Checked(QMenu& menu) {
    emit menu.aboutToShow();
    QStringList checked;
    for (const QAction* item : menu.actions()) {
        if (item->isChecked())
            checked << item->statusTip();
    }
    return checked.join('\n').toStdString();
}

void Pick(QMenu& menu, const QString& path) {
    for (QAction* item : menu.actions()) {
        if (item->statusTip() == path)
            return item->trigger();
    }
    ADD_FAILURE() << "no item for " << path.toStdString();
}

// The access key of an item's text: the letter after a single "&", or 0.
QChar AccessKey(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&') {
            if (text[i + 1] != '&')
                return text[i + 1].toLower();
            ++i;
        }
    }
    return QChar();
}

} // namespace

// Every *.dat of the schemes folder, by its name and country, in order, each item loading its
// own file; none falls back to a bare id, and no label gives an item an access key.
TEST(BundledSchemeList, ListsEverySchemeFileByNameAndCountry) {
    const std::vector<BundledScheme> schemes = BundledSchemes();
    QStringList ids, labels;
    for (const BundledScheme& s : schemes) {
        ids << s.id;
        labels << s.label;
        EXPECT_EQ(s.path, "schemes/" + s.id + ".dat");
        EXPECT_TRUE(QFileInfo(s.file).isFile()) << s.file.toStdString();
        EXPECT_TRUE(s.label.endsWith(')')) << s.label.toStdString();
        EXPECT_FALSE(s.label.endsWith("))")) << s.label.toStdString(); // the country's remarks
    }
    QStringList files = QDir(GRANUM_SCHEMES_DIR).entryList({"*.dat"}, QDir::Files);
    files.replaceInStrings(".dat", "");
    files.sort();
    ids.sort();
    EXPECT_EQ(ids.join(' ').toStdString(), files.join(' ').toStdString());
    EXPECT_GE(ids.size(), 24);
    QStringList sorted = labels;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    EXPECT_EQ(labels.join('\n').toStdString(), sorted.join('\n').toStdString());
    EXPECT_TRUE(labels.contains("USDA soil texture classification (United States)"));
}

class BundledSchemeMenus : public ::testing::Test {
protected:
    void SetUp() override { settings::Open(settings::kSettingsGroup)->remove(""); }

    ScriptedInteraction mUser;
};

// A pick loads on its own page only, with the page's refresh (Point headings, Range captions),
// moves the check mark, and is what the settings keep; each menu's access keys stay distinct
// from the new submenu's.
TEST_F(BundledSchemeMenus, PickLoadsOnItsPageOnlyAndIsKeptInTheSettings) {
    const std::string usda = "USDA, schemes/usda.dat, Sand, Clay, Silt";
    const std::string ka5 = "Bodenkundliche Kartieranleitung KA5: Bodenartenuntergruppen, "
                            "schemes/de-ka5.dat, Clay, Silt, Sand";
    {
        CSheet sheet(mUser);
        QMenu* point = Submenu(sheet.PointMenu(), "&Bundled Schemes");
        QMenu* range = Submenu(sheet.RangeMenu(), "&Bundled Schemes");
        ASSERT_TRUE(point != nullptr && range != nullptr);
        EXPECT_EQ(point->actions().size(), int(BundledSchemes().size()));
        sheet.RangePage().Activate(); // its scheme loads when it is first shown
        for (QMenu* menu : {&sheet.PointMenu(), &sheet.RangeMenu(), point}) {
            QList<QChar> keys;
            for (const QAction* item : menu->actions()) {
                if (!AccessKey(item->text()).isNull())
                    keys << AccessKey(item->text());
            }
            // The page menus have one "b"; the scheme names give no item an access key.
            EXPECT_EQ(keys.count('b'), menu == point ? 0 : 1);
            EXPECT_EQ(keys.isEmpty(), menu == point);
        }
        EXPECT_EQ(Checked(*point), "schemes/usda.dat");

        SampleSheet& cells = sheet.PointPage().Sheet();
        cells.setData(cells.index(0, SampleSheet::kX), "10"); // clay 10, silt 80 in KA5 order
        cells.setData(cells.index(0, SampleSheet::kY), "80");
        EXPECT_EQ(cells.Text(1, SampleSheet::kTexture), "Clay"); // sand 10, clay 80 in USDA
        Pick(*point, "schemes/de-ka5.dat");
        EXPECT_TRUE(mUser.messages.empty());
        EXPECT_EQ(Loaded(sheet.PointPage().Scheme()), ka5);
        EXPECT_EQ(cells.headerData(SampleSheet::kX, Qt::Horizontal).toString(), "Clay");
        EXPECT_EQ(cells.Text(1, SampleSheet::kTexture),
                  "schwach toniger Schluff (slightly clayey silt)");
        EXPECT_EQ(Loaded(sheet.RangePage().Scheme()), usda);
        EXPECT_EQ(Checked(*point), "schemes/de-ka5.dat");
        EXPECT_EQ(Checked(*range), "schemes/usda.dat");

        Pick(*range, "schemes/hypres.dat");
        EXPECT_EQ(sheet.RangePage().SchemeNameText(), sheet.RangePage().Scheme().SchemeName());
        EXPECT_EQ(sheet.RangePage().Scheme().SchemePath(), "schemes/hypres.dat");
        EXPECT_EQ(Loaded(sheet.PointPage().Scheme()), ka5);
        sheet.show();
        mUser.answers = {Answer::No}; // the Point sheet was edited
        EXPECT_TRUE(sheet.close());
    }
    const auto store = settings::Open(settings::kSettingsGroup);
    EXPECT_EQ(store->value("Point scheme").toString(), "schemes/de-ka5.dat");
    EXPECT_EQ(store->value("Range scheme").toString(), "schemes/hypres.dat");
}
