// The main window: settings, the pages' menus, the Point shortcuts and closing.
#include "app/sheet.h"
#include "pages/samplegrid.h"
#include "pages/texpoint.h"
#include "pages/texrange.h"
#include "tests/support/scriptedinteraction.h"
#include "widgets/settings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kTwoZone = GRANUM_TEST_DATA_DIR "/twozone/twozone.dat";
constexpr int kId = SampleSheet::kSampleId;

class MainSheet : public ::testing::Test {
protected:
    void SetUp() override { Store()->remove(""); }

    static std::unique_ptr<QSettings> Store() { return settings::Open(settings::kSettingsGroup); }

    ScriptedInteraction mUser;
};

} // namespace

TEST_F(MainSheet, SettingsAreReadAtStartAndWrittenAtClose) {
    Store()->setValue("Always on top", 1);
    Store()->setValue("Point scheme", kTwoZone);
    Store()->setValue("Range scheme", "range/scheme.dat");
    {
        CSheet sheet(mUser);
        EXPECT_TRUE(sheet.windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(sheet.menuBar()->actions().at(0)->menu()->actions().at(0)->isChecked());
        EXPECT_EQ(sheet.PointPage().Scheme().SchemeName(), "Two-zone demonstration");
        sheet.ToggleAlwaysOnTop();
        EXPECT_FALSE(sheet.windowFlags() & Qt::WindowStaysOnTopHint);
        sheet.show();
        EXPECT_TRUE(sheet.close());
    }
    EXPECT_EQ(Store()->value("Always on top").toInt(), 0);
    EXPECT_EQ(Store()->value("Point scheme").toString(), kTwoZone);
    EXPECT_EQ(Store()->value("Range scheme").toString(), "range/scheme.dat");
}

// The option and its error come back as they were left; a damaged error keeps the default.
TEST_F(MainSheet, CertaintySettingsRoundTrip) {
    const struct {
        const char *show, *model, *size;
        bool shown;
        ErrorModel read;
        double readSize;
    } cases[] = {
        {"1", "normal", "1.5", true, ErrorModel::Normal, 1.5},
        {"0", "uniform", "3", false, ErrorModel::Uniform, 3},
        {"1", "uniform", "-2", true, ErrorModel::Uniform, 2},
        {"x", "cauchy", "1e9", false, ErrorModel::Uniform, 2},
        {"", "", "", false, ErrorModel::Uniform, 2}, // a first start
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.show) + " " + c.model + " " + c.size);
        Store()->setValue("Show certainty", c.show);
        Store()->setValue("Lab error model", c.model);
        Store()->setValue("Lab error", c.size);
        {
            CSheet sheet(mUser);
            const CTexPoint& page = sheet.PointPage();
            EXPECT_EQ(page.ShowsCertainty(), c.shown);
            EXPECT_EQ(page.CertaintyError().model, c.read);
            EXPECT_EQ(page.CertaintyError().size, c.readSize);
            QAction* item = nullptr;
            for (QAction* a : sheet.menuBar()->actions().at(1)->menu()->actions())
                if (a->text().remove('&') == "Show Certainty")
                    item = a;
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->isChecked(), c.shown);
            item->trigger(); // the menu turns it over
            sheet.show();
            EXPECT_TRUE(sheet.close());
        }
        CSheet again(mUser);
        EXPECT_EQ(again.PointPage().ShowsCertainty(), !c.shown);
        EXPECT_EQ(again.PointPage().CertaintyError().model, c.read);
        EXPECT_EQ(again.PointPage().CertaintyError().size, c.readSize);
    }
}

// The Point menu's editing items at a cell as "XCVDIR" (cut, copy, paste, delete, insert row,
// delete row), with "-" for each greyed item.
TEST_F(MainSheet, PointMenuItemsFollowTheFocusCellAndTheClipboard) {
    CSheet sheet(mUser);
    const auto itemsAt = [&sheet](int row, int column) {
        sheet.PointPage().Grid().SetFocusCell(row, column);
        emit sheet.PointMenu().aboutToShow();
        const QStringList texts = {"C&ut\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V",
                                   "&Delete\tDel", "&Insert Row",   "Delete Ro&w"};
        std::string items;
        for (const QAction* item : sheet.PointMenu().actions()) {
            if (const int i = texts.indexOf(item->text()); i >= 0)
                items += item->isEnabled() ? "XCVDIR"[i] : '-';
        }
        return items;
    };
    SampleSheet& cells = sheet.PointPage().Sheet();
    QApplication::clipboard()->setText("12");
    cells.setData(cells.index(0, kId), "a");
    cells.setData(cells.index(1, SampleSheet::kX), "40");
    cells.setData(cells.index(1, SampleSheet::kY), "40"); // row 2 is Clay
    EXPECT_EQ(itemsAt(1, kId), "XCVDIR");
    EXPECT_EQ(itemsAt(1, SampleSheet::kX), "--V-IR");       // empty cell
    EXPECT_EQ(itemsAt(2, SampleSheet::kTexture), "-C--IR"); // not editable
    EXPECT_EQ(itemsAt(3, kId), "--V---");                   // after the last data row
    QApplication::clipboard()->setText("not a number");
    EXPECT_EQ(itemsAt(1, SampleSheet::kX), "----IR");
    cells.Fill(std::vector<SampleFields>(SampleSheet::kRows, SampleFields{"s", "", "", ""}));
    EXPECT_EQ(itemsAt(1000, kId), "XCVD-R"); // a full sheet has no room for a row
}

// Ctrl+N shows the Point page before asking; Cancel keeps running; settings are written at the end.
TEST_F(MainSheet, PointShortcutsAndExitAskAboutUnsavedChanges) {
    CSheet sheet(mUser);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    sheet.PointPage().Sheet().setData(sheet.PointPage().Sheet().index(0, kId), "S1");
    mUser.answers = {Answer::Cancel, Answer::Cancel, Answer::No};
    sheet.Tabs().setCurrentIndex(1);
    QTest::keyClick(&sheet, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(sheet.Tabs().currentIndex(), 0);
    sheet.Tabs().setCurrentIndex(1);
    sheet.Exit();
    EXPECT_EQ(sheet.Tabs().currentIndex(), 0);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.PointPage().Sheet().Text(1, kId), "S1");
    EXPECT_EQ(mUser.questions, QStringList(2, "Save changes first?"));
    EXPECT_FALSE(Store()->contains("Point scheme"));
    sheet.Exit();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_TRUE(Store()->contains("Point scheme"));
}

// Enter and Escape reach the window and its pages, but must not close it.
TEST_F(MainSheet, EachPageGreysTheOtherPagesMenuAndNoKeyClosesTheWindow) {
    CSheet sheet(mUser);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    const auto state = [&sheet] {
        return QStringList({sheet.PointMenu().menuAction()->isEnabled() ? "point" : "-",
                            sheet.RangeMenu().menuAction()->isEnabled() ? "range" : "-",
                            sheet.windowTitle()});
    };
    EXPECT_EQ(state(), QStringList({"point", "-", "New[*] - Granum"}));
    for (const int tab : {1, 0}) {
        sheet.Tabs().setCurrentIndex(tab);
        for (QWidget* target : {static_cast<QWidget*>(&sheet), sheet.Tabs().currentWidget()}) {
            for (const auto key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
                QTest::keyClick(target, key);
        }
        EXPECT_EQ(state(), tab == 1 ? QStringList({"-", "range", "Granum[*]"})
                                    : QStringList({"point", "-", "New[*] - Granum"}));
    }
    EXPECT_TRUE(sheet.isVisible());
}

// Alt+letter must reach one item only, in the menu bar and in every menu and submenu.
TEST_F(MainSheet, AccessKeysAreDistinctInEveryMenu) {
    CSheet sheet(mUser);
    std::function<void(const QString&, const QList<QAction*>&)> check =
        [&check](const QString& name, const QList<QAction*>& items) {
            QMap<QChar, QString> taken;
            for (const QAction* item : items) {
                const QString text = QString(item->text()).remove("&&");
                const qsizetype at = text.indexOf('&');
                if (at >= 0 && at + 1 < text.size()) {
                    const QChar key = text[at + 1].toLower();
                    EXPECT_FALSE(taken.contains(key))
                        << name.toStdString() << ": " << text.toStdString() << " and "
                        << taken[key].toStdString();
                    taken[key] = text;
                }
                if (item->menu() != nullptr)
                    check(text, item->menu()->actions());
            }
        };
    check("menu bar", sheet.menuBar()->actions());
}

// The title's marker and the status bar follow the Point sheet; Ctrl+Z undoes there only.
TEST_F(MainSheet, TitleMarksUnsavedChangesAndSavingSaysSoInTheStatusBar) {
    QTemporaryDir folder;
    CSheet sheet(mUser);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    SampleSheet& cells = sheet.PointPage().Sheet();
    cells.setData(cells.index(0, kId), "S1");
    EXPECT_TRUE(sheet.isWindowModified());
    sheet.Tabs().setCurrentIndex(1);
    QTest::keyClick(&sheet, Qt::Key_Z, Qt::ControlModifier); // not for the Range page
    EXPECT_EQ(cells.Text(1, kId), "S1");
    sheet.Tabs().setCurrentIndex(0);
    EXPECT_EQ(sheet.PointMenu().actions().at(9)->text(), "Undo Edit\tCtrl+Z");
    QTest::keyClick(&sheet, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cells.Text(1, kId), "");
    QTest::keyClick(&sheet, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(cells.Text(1, kId), "S1");
    mUser.saveFileNames.push_back(folder.filePath("saved.csv"));
    sheet.PointPage().SaveFile();
    EXPECT_FALSE(sheet.isWindowModified());
    EXPECT_EQ(sheet.windowTitle(), folder.filePath("saved.csv") + "[*] - Granum");
    EXPECT_EQ(sheet.statusBar()->currentMessage(), "File saved");
    EXPECT_TRUE(mUser.messages.empty());
}

// The window resizes, starts small enough for an 800x600 screen, and comes back as it was left.
TEST_F(MainSheet, WindowSizeAndColumnWidthsAreKeptAcrossRuns) {
    {
        CSheet sheet(mUser);
        EXPECT_LT(sheet.minimumSize().width(), sheet.maximumSize().width());
        EXPECT_LE(sheet.width(), 800 - 40);
        EXPECT_LE(sheet.height(), 600 - 80); // room for the frame and a panel
        EXPECT_LE(sheet.minimumSizeHint().height(), 600 - 80);
        sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
        sheet.resize(720, 430);
        sheet.PointPage().Grid().setColumnWidth(kId, 150);
        EXPECT_TRUE(sheet.close());
    }
    Store()->setValue("Sheet column widths", Store()->value("Sheet column widths").toString() +
                                                 ",junk"); // a damaged tail is ignored
    CSheet sheet(mUser);
    EXPECT_EQ(sheet.size(), QSize(720, 430));
    EXPECT_EQ(sheet.PointPage().Grid().columnWidth(kId), 150);
    EXPECT_EQ(sheet.PointPage().Grid().columnWidth(SampleSheet::kX), 80);
}
