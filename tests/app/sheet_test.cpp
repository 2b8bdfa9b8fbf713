// The main window: settings in and out, the menus of each page, where the Point commands go,
// and what closing it asks.
#include "app/sheet.h"
#include "pages/samplegrid.h"
#include "pages/texpoint.h"
#include "pages/texrange.h"
#include "tests/support/scriptedinteraction.h"
#include "widgets/settings.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kTwoZone = GRANUM_TEST_DATA_DIR "/twozone/twozone.dat";

QStringList ItemTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts << (action->isSeparator() ? "-" : action->text());
    return texts;
}

QAction* Item(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    ADD_FAILURE() << "no item " << text.toStdString();
    return nullptr;
}

class MainSheet : public ::testing::Test {
protected:
    void SetUp() override { Store()->remove(""); }

    static std::unique_ptr<QSettings> Store() { return settings::Open(settings::kSettingsGroup); }

    // Puts a Sample ID into the Point sheet, as typing would.
    static void Change(CSheet& sheet) {
        SampleSheet& cells = sheet.PointPage().Sheet();
        cells.setData(cells.index(0, SampleSheet::kSampleId), "S1");
    }

    ScriptedInteraction mUser;
};

} // namespace

TEST_F(MainSheet, SettingsAreReadAtStartAndWrittenAtClose) {
    Store()->setValue("Always on top", 1);
    Store()->setValue("Point scheme", kTwoZone);
    Store()->setValue("Range scheme", "range/scheme.dat");
    {
        CSheet sheet(mUser);
        EXPECT_TRUE(sheet.AlwaysOnTop());
        EXPECT_TRUE(sheet.windowFlags() & Qt::WindowStaysOnTopHint);
        QMenu* application = sheet.menuBar()->actions().at(0)->menu();
        EXPECT_TRUE(Item(*application, "&Always On Top")->isChecked());
        EXPECT_EQ(sheet.PointPage().Scheme().SchemeName(), "Two-zone demonstration");
        EXPECT_EQ(sheet.RangePage().Scheme().SchemePath(), "range/scheme.dat");

        sheet.ToggleAlwaysOnTop();
        EXPECT_FALSE(Item(*application, "&Always On Top")->isChecked());
        EXPECT_FALSE(sheet.windowFlags() & Qt::WindowStaysOnTopHint);
        sheet.show();
        EXPECT_TRUE(sheet.close());
    }
    EXPECT_EQ(Store()->value("Always on top").toInt(), 0);
    EXPECT_EQ(Store()->value("Point scheme").toString(), kTwoZone);
    EXPECT_EQ(Store()->value("Range scheme").toString(), "range/scheme.dat");
}

TEST_F(MainSheet, MissingSettingsGiveTheDefaults) {
    CSheet sheet(mUser);
    EXPECT_FALSE(sheet.AlwaysOnTop());
    EXPECT_EQ(sheet.PointPage().Scheme().SchemePath(), "schemes/usda.dat");
    EXPECT_EQ(sheet.PointPage().Scheme().SchemeName(), "USDA"); // found from any folder
    EXPECT_EQ(sheet.RangePage().Scheme().SchemePath(), "schemes/usda.dat");
    EXPECT_TRUE(mUser.messages.empty());
}

TEST_F(MainSheet, MenusHoldTheCommandsInOrder) {
    CSheet sheet(mUser);
    QStringList titles;
    for (const QAction* menu : sheet.menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles, QStringList({"&Application", "&Point", "&Range", "&Help"}));
    EXPECT_EQ(ItemTexts(sheet.PointMenu()),
              QStringList({"&New\tCtrl+N", "&Open...\tCtrl+O", "-", "&Save\tCtrl+S",
                           "Save &As...", "-", "Prin&t...\tCtrl+P",
                           "C&hart Plot...", "-", "C&ut\tCtrl+X", "&Copy\tCtrl+C",
                           "&Paste\tCtrl+V", "&Delete\tDel", "-", "&Insert Row", "Dele&te Row",
                           "Compact &Rows", "&Go to Last Row", "-", "&Load Scheme...",
                           "Sch&eme Details"}));
    EXPECT_EQ(Item(sheet.PointMenu(), "Compact &Rows")->statusTip(), "Deletes all empty rows");
    EXPECT_EQ(ItemTexts(sheet.RangeMenu()).size(), 10);
}

TEST_F(MainSheet, EachPageGreysTheOtherPagesMenuAndSetsTheTitle) {
    CSheet sheet(mUser);
    EXPECT_TRUE(sheet.PointMenu().menuAction()->isEnabled());
    EXPECT_FALSE(sheet.RangeMenu().menuAction()->isEnabled());
    EXPECT_EQ(sheet.windowTitle(), "New - Granum");
    sheet.Tabs().setCurrentIndex(1);
    EXPECT_FALSE(sheet.PointMenu().menuAction()->isEnabled());
    EXPECT_TRUE(sheet.RangeMenu().menuAction()->isEnabled());
    EXPECT_EQ(sheet.windowTitle(), "Granum");
    sheet.Tabs().setCurrentIndex(0);
    EXPECT_EQ(sheet.windowTitle(), "New - Granum");
}

TEST_F(MainSheet, PointMenuItemsFollowTheFocusCell) {
    CSheet sheet(mUser);
    Change(sheet);
    sheet.PointPage().Grid().SetFocusCell(1, SampleSheet::kTexture);
    sheet.UpdatePointMenu();
    QMenu& menu = sheet.PointMenu();
    EXPECT_FALSE(Item(menu, "C&ut\tCtrl+X")->isEnabled()); // not editable
    EXPECT_FALSE(Item(menu, "&Copy\tCtrl+C")->isEnabled()); // empty
    EXPECT_TRUE(Item(menu, "&Insert Row")->isEnabled());
    sheet.PointPage().Grid().SetFocusCell(1, SampleSheet::kSampleId);
    sheet.UpdatePointMenu();
    EXPECT_TRUE(Item(menu, "C&ut\tCtrl+X")->isEnabled());
    EXPECT_TRUE(Item(menu, "&Delete\tDel")->isEnabled());
    sheet.PointPage().Grid().SetFocusCell(2, SampleSheet::kSampleId);
    sheet.UpdatePointMenu();
    EXPECT_FALSE(Item(menu, "Dele&te Row")->isEnabled());
}

TEST_F(MainSheet, PointShortcutsActOnThePointPageFromTheRangePage) {
    CSheet sheet(mUser);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    Change(sheet);
    sheet.Tabs().setCurrentIndex(1);
    mUser.answers.push_back(Answer::No);
    QTest::keyClick(&sheet, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(mUser.questions, QStringList{"Save changes first?"});
    EXPECT_EQ(sheet.Tabs().currentIndex(), 0); // shown before the question
    EXPECT_EQ(sheet.PointPage().Sheet().Text(1, SampleSheet::kSampleId), "");
}

TEST_F(MainSheet, CancelledPromptKeepsTheProgramRunning) {
    CSheet sheet(mUser);
    sheet.show();
    Change(sheet);
    sheet.Tabs().setCurrentIndex(1);
    mUser.answers = {Answer::Cancel, Answer::No};
    sheet.Exit();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.Tabs().currentIndex(), 0);
    EXPECT_FALSE(Store()->contains("Point scheme")); // settings only at the end
    sheet.Exit();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_TRUE(Store()->contains("Point scheme"));
}

TEST_F(MainSheet, EnterAndEscapeNeverCloseTheWindow) {
    CSheet sheet(mUser);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    for (const int tab : {0, 1}) {
        sheet.Tabs().setCurrentIndex(tab);
        for (QWidget* target : {static_cast<QWidget*>(&sheet), sheet.Tabs().currentWidget()}) {
            QTest::keyClick(target, Qt::Key_Escape);
            QTest::keyClick(target, Qt::Key_Return);
            QTest::keyClick(target, Qt::Key_Enter);
        }
    }
    EXPECT_TRUE(sheet.isVisible());
}
