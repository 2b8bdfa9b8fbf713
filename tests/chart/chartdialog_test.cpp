// The chart window run as a page runs it, on Qt's offscreen platform with scripted answers.
#include "chart/chartcanvas.h"
#include "chart/chartdialog.h"
#include "chart/chartreadout.h"
#include "chart/chartsettings.h"
#include "scheme/schemefile.h"
#include "tests/support/scriptedinteraction.h"
#include "widgets/settings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

const char* const kUsda = GRANUM_SCHEMES_DIR "/usda.dat";
const QByteArray kEmfStart("\x01\0\0\0", 4);

// Keys as the window saves them.
void Store(std::initializer_list<std::pair<const char*, int>> values) {
    const auto store = settings::Open(settings::kChartDialogGroup);
    for (const auto& [key, value] : values)
        store->setValue(key, value);
    store->sync();
}

class ChartWindow : public ::testing::Test {
protected:
    void SetUp() override { settings::Open(settings::kChartDialogGroup)->remove(""); }

    // A shown USDA chart with three labelled samples, or of a range polygon.
    std::unique_ptr<ChartDialog> Chart(bool samples = true, const std::string& scheme = kUsda) {
        auto chart = std::make_unique<ChartDialog>(mUser);
        EXPECT_EQ(LoadSchemeFile(kUsda, &chart->mScheme), SchemeLoadStatus::Loaded);
        chart->mSchemeFile = scheme;
        chart->mPoints = {{20, 10}, {40, 10}, {40, 30}};
        chart->mbSamples = samples;
        if (samples)
            chart->mLabels = {"A", "B", "C"};
        chart->show();
        return chart;
    }

    QString Path(const QString& name) const { return mFolder.filePath(name); }

    ScriptedInteraction mUser;
    QTemporaryDir mFolder;
};

// The item as the user finds it on opening the menu (check marks and greying brought up to date).
QAction* Opened(QMenu& menu, const QString& text) {
    emit menu.aboutToShow();
    for (QAction* action : menu.actions())
        if (action->text() == text)
            return action;
    ADD_FAILURE() << "no item " << text.toStdString();
    static QAction none;
    return &none;
}

} // namespace

TEST_F(ChartWindow, MenusCheckAndGreyAsTheFlagsSay) {
    std::unique_ptr<ChartDialog> chart = Chart();
    QMenu& view = chart->ViewMenu();
    Opened(view, "as &Bi-axial")->trigger();
    EXPECT_EQ(chart->mbTriaxial, 0);
    EXPECT_FALSE(Opened(view, "as T&ri-axial")->isChecked());
    // Without the classes, Legend is greyed but keeps its flag and check mark.
    Opened(view, "&Texture Classes")->trigger();
    EXPECT_FALSE(Opened(view, "&Legend")->isEnabled());
    EXPECT_TRUE(Opened(view, "&Legend")->isChecked());
    // The right button's menu has the same commands and the same state.
    Opened(chart->ContextMenu(), "Axis Values")->trigger();
    EXPECT_FALSE(Opened(view, "Axis &Values")->isChecked());
    // A range has no labels: greyed, with the check mark of the flag.
    std::unique_ptr<ChartDialog> range = Chart(false);
    EXPECT_FALSE(Opened(range->ViewMenu(), "&Data Labels")->isEnabled());
    EXPECT_TRUE(Opened(range->ViewMenu(), "&Data Labels")->isChecked());
}

// Every way of closing keeps the view and the placement for the next run. Closing a menu with
// Escape once left the menu bar holding the keys, so Escape no longer closed the window: the keys
// are pressed after a menu was used.
TEST_F(ChartWindow, EveryWayOfClosingKeepsFlagsAndPlacement) {
    const QRect placed(40, 50, 700, 500);
    for (const int way : {0, 1, 2, 3}) { // Close command, close box, Enter, Escape
        SCOPED_TRACE(way);
        std::unique_ptr<ChartDialog> chart = Chart();
        Opened(chart->ViewMenu(), "&Legend")->trigger();
        chart->setGeometry(placed);
        if (way == 1) // reopens maximized with its normal size
            chart->setWindowState(Qt::WindowMaximized);
        if (way == 0)
            Opened(chart->ChartMenu(), "&Close")->trigger();
        if (way == 1)
            chart->close();
        if (way >= 2) {
            QApplication::setActiveWindow(chart.get());
            auto* bar = chart->findChild<QMenuBar*>();
            QTest::mouseClick(bar, Qt::LeftButton, {},
                              bar->actionGeometry(bar->actions()[0]).center());
            QTest::qWait(50);
            ASSERT_NE(QApplication::activePopupWidget(), nullptr);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTest::qWait(100);
            // Keys go where the focus is, or to the window itself when no widget has it.
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : chart.get(),
                            way == 2 ? Qt::Key_Return : Qt::Key_Escape);
        }
        EXPECT_FALSE(chart->isVisible());
        chart.reset();
        chart = Chart();
        EXPECT_EQ(chart->mbLegend, 0);
        EXPECT_EQ(chart->normalGeometry(), placed);
        EXPECT_EQ(chart->isMaximized(), way == 1);
        chart.reset();
        SetUp();
    }
}

// The style and the font size come back as they were left; a missing style is the classic
// chart, and a stored size out of range is the style's own. The samples are grouped by their
// Sample ID prefix, and the scheme's abbreviations are read for the class names.
TEST_F(ChartWindow, StyleAndFontSizeRoundTripThroughTheSettings) {
    const struct {
        std::vector<std::pair<const char*, int>> stored;
        int publication, fontSize;
    } cases[] = {{{}, 0, 0},
                 {{{"mbPublication", 1}, {"FontSize", 12}}, 1, 12},
                 {{{"mbPublication", 0}, {"FontSize", 1000}}, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetUp();
        const auto store = settings::Open(settings::kChartDialogGroup);
        for (const auto& [key, value] : c.stored)
            store->setValue(key, value);
        store->sync();
        std::unique_ptr<ChartDialog> chart = Chart();
        EXPECT_EQ(chart->mbPublication, c.publication);
        EXPECT_EQ(chart->mFontSize, c.fontSize);
    }
    std::unique_ptr<ChartDialog> chart = Chart();
    Opened(chart->ViewMenu(), "&Publication Style")->trigger();
    QMenu* sizes = chart->ViewMenu().findChild<QMenu*>();
    ASSERT_NE(sizes, nullptr);
    Opened(*sizes, "10")->trigger();
    chart.reset();
    chart = Chart();
    EXPECT_EQ(chart->mbPublication, 1);
    EXPECT_EQ(chart->mFontSize, 10);
    EXPECT_TRUE(Opened(*chart->ViewMenu().findChild<QMenu*>(), "10")->isChecked());
    EXPECT_FALSE(chart->mMetadata.abbreviations.empty());
    EXPECT_EQ(chart->mGroupNames, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(chart->mGroups, (std::vector<int>{0, 1, 2}));
}

TEST(ChartPlacement, FitsWholeOnTheScreenItOverlapsMost) {
    const std::vector<QRect> screens = {QRect(0, 0, 800, 600), QRect(800, 0, 1920, 1080)};
    const QRect cases[][2] = {
        {{10, 10, 1000, 800}, {0, 0, 800, 600}},        // larger than the screen
        {{1500, 100, 900, 600}, {1500, 100, 900, 600}}, // mostly on the second
        {{2500, 900, 400, 300}, {2320, 780, 400, 300}}, // hanging off the second
        {{5000, 5000, 700, 500}, {100, 100, 700, 500}}, // on a screen that is gone
    };
    for (const auto& [wanted, fitted] : cases)
        EXPECT_EQ(chartsettings::FitOnScreens(wanted, screens), fitted) << &wanted - cases[0];
    EXPECT_EQ(chartsettings::FitOnScreens({1, 2, 3, 4}, {}), QRect(1, 2, 3, 4));
}

// An interrupted or damaged stored placement opened the window out of sight; the flags are read
// all the same. A placement not used opens the first run's size: two fifths larger than the
// smallest each way, as far as the screen allows.
TEST_F(ChartWindow, StoredPlacementIsIgnoredOrKeptOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int far = 2147483647;
    for (const auto& [check, near, right] :
         {std::array{-32640, 10, 500}, {32639, 400, -400}, {32639, -far, far}}) {
        SCOPED_TRACE(near);
        Store({{"(check)", check}, {"Left", near}, {"Top", near}, {"Right", right}});
        Store({{"Bottom", right}, {"State", 1}, {"mbGridLines", 0}});
        std::unique_ptr<ChartDialog> chart = Chart();
        EXPECT_EQ(chart->mbGridLines, 0);
        const QRect placed = chart->geometry(); // the platform may still move it by its frame
        if (right != far) {
            EXPECT_EQ(placed.size(), (chart->minimumSize() * 7 / 5).boundedTo(screen.size()));
        }
        EXPECT_TRUE(screen.intersects(placed));
        EXPECT_LE(placed.width(), screen.width());
        EXPECT_LE(placed.height(), screen.height());
    }
}

// The readout went stale after a layout switch and stayed after the mouse left.
TEST_F(ChartWindow, TitleShowsTheCompositionUnderTheMouse) {
    std::unique_ptr<ChartDialog> chart = Chart();
    ASSERT_EQ(chart->Canvas().logicalDpiX(), 96);
    chart->mChartRect = {0, 0, 600, 400}; // the worked example's client area
    chart->ShowReadout({346, 252});
    EXPECT_EQ(chart->windowTitle().toStdString(), "USDA Chart (x=20, y=30, z=50)");
    chart->ShowLayout(0);
    EXPECT_EQ(chart->windowTitle().toStdString(), "USDA Chart (x=67, y=30)");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&chart->Canvas(), &leave);
    EXPECT_EQ(chart->windowTitle().toStdString(), "USDA Chart");
}

TEST(ChartReadout, RoundsEachValueAndStopsAtTheTriangle) {
    const struct {
        double x, y;
        bool triaxial;
        const char* title;
    } cases[] = {
        {33.4, 33.4, true, "S Chart (x=33, y=33, z=33)"},    // shown values need not add to 100
        {-0.0000005, 50, true, "S Chart (x=0, y=50, z=50)"}, // within the tolerance, no "-0"
        {50, 50.0000005, false, "S Chart (x=50, y=50)"},
        {-0.01, 50, true, "S Chart"},
        {50.2, 50, true, "S Chart"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadoutTitle("S", {c.x, c.y}, c.triaxial), c.title) << c.x << ", " << c.y;
}

// The chart definition file beside the page's scheme replaces the drawn scheme, or is reported
// and the page's scheme drawn. Read-only files are read like any other.
TEST_F(ChartWindow, ChartDefinitionFileReplacesTheSchemeOrIsReported) {
    const struct {
        QString content;     // a file to copy, or the text itself
        const char* message; // none: the file's scheme is drawn
    } cases[] = {
        {GRANUM_TEST_DATA_DIR "/twozone/twozone.dat", nullptr},
        {"just some words\r\n", "Unable to load the chart definition"},
        {GRANUM_TEST_DATA_DIR "/cli-schemes/overlap.dat",
         "in the chart definition file is invalid"},
    };
    QFile::copy(kUsda, Path("scheme.dat"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content.toStdString());
        mUser.messages.clear();
        QFile::remove(Path("scheme.cha"));
        QFile file(Path("scheme.cha"));
        if (!QFile::copy(c.content, file.fileName()) && file.open(QIODevice::WriteOnly))
            file.write(c.content.toLatin1()), file.close();
        file.setPermissions(QFileDevice::ReadOwner);
        std::unique_ptr<ChartDialog> chart = Chart(true, Path("scheme.dat").toStdString());
        EXPECT_EQ(chart->windowTitle(), "USDA Chart");
        if (!c.message) {
            EXPECT_TRUE(mUser.messages.empty());
            chart->ShowReadout({0, 0}); // the title follows at the first mouse move
            EXPECT_EQ(chart->windowTitle(), "Two-zone demonstration Chart");
            continue;
        }
        ASSERT_EQ(mUser.messages.size(), 1u);
        EXPECT_TRUE(mUser.messages[0].text.contains(c.message));
        EXPECT_EQ(chart->mScheme.GetClassCount(), 13) << "the page's scheme is drawn";
    }
}

TEST_F(ChartWindow, SavesCopiesAndPrintsAtTheWindowsSizeOrSaysWhyNot) {
    std::unique_ptr<ChartDialog> chart = Chart();
    chart->resize(1000, 700);
    mUser.saveFileNames = {Path("c.png"), Path("c"), "", Path("no-folder/c.emf"), Path("c.jpg")};
    for (int k = 0; k < 5; ++k)
        chart->SaveToFile();
    EXPECT_EQ(QImage(Path("c.png")).size(), chart->Canvas().size());
    QFile emf(Path("c"));
    EXPECT_TRUE(emf.open(QIODevice::ReadOnly) && emf.read(4) == kEmfStart) << "no extension: EMF";
    ASSERT_EQ(mUser.messages.size(), 4u) << "a cancelled save says nothing";
    EXPECT_EQ(mUser.messages[1].text, "Chart saved");
    EXPECT_EQ(mUser.messages[2].caption, "Problem");
    EXPECT_TRUE(mUser.messages[2].text.startsWith("Unable to save the chart to "));
    EXPECT_TRUE(mUser.messages[3].text.contains(".jpg is not a kind of picture"));
    EXPECT_FALSE(QFile::exists(Path("c.jpg"))) << "no metafile under another kind's name";

    mUser.messages.clear();
    QGuiApplication::clipboard()->clear();
    chart->CopyToClipboard();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data("image/x-emf").startsWith(kEmfStart));
    EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), chart->Canvas().size());
    EXPECT_EQ(mUser.MessageTexts(), QStringList({"Chart copied to clipboard"}));

    chart->repaint();
    const ChartRect before = chart->mChartRect;
    mUser.printToPdf = {Path("chart.pdf"), ""};
    chart->Print();
    chart->Print(); // cancelled
    QFile pdf(Path("chart.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(pdf.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")),
              1);
    EXPECT_EQ(chart->mChartRect.right, before.right);
    EXPECT_EQ(chart->mChartRect.bottom, before.bottom);
}
