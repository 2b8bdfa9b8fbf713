// The chart window run as a page runs it, on Qt's offscreen platform with scripted answers: its
// menus, what it keeps between runs, the title readout, the chart definition file and the
// outputs.
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
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
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

std::unique_ptr<QSettings> ChartSettings() {
    return settings::Open(settings::kChartDialogGroup);
}

// Keys as the window saves them.
void Store(std::initializer_list<std::pair<const char*, int>> values) {
    const auto store = ChartSettings();
    for (const auto& [key, value] : values)
        store->setValue(key, value);
    store->sync();
}

class ChartWindow : public ::testing::Test {
protected:
    void SetUp() override { ChartSettings()->remove(""); }

    // A USDA chart with two labelled samples, or of a range polygon, shown unless told not to.
    std::unique_ptr<ChartDialog> Chart(bool samples = true, const std::string& schemeFile = kUsda,
                                       bool show = true) {
        auto chart = std::make_unique<ChartDialog>(mUser);
        EXPECT_EQ(LoadSchemeFile(kUsda, &chart->mScheme), SchemeLoadStatus::Loaded);
        chart->mSchemeFile = schemeFile;
        chart->mPoints = {{20, 10}, {40, 10}, {40, 30}};
        chart->mbSamples = samples;
        if (samples)
            chart->mLabels = {"A", "B", "C"};
        if (show)
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

// The first run's size: two fifths larger than the smallest each way, as far as the screen goes.
QSize EnlargedOnScreen(const QWidget& chart) {
    return (chart.minimumSize() * 7 / 5)
        .boundedTo(QGuiApplication::primaryScreen()->availableGeometry().size());
}

QByteArray FileStart(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
}

} // namespace

TEST_F(ChartWindow, FirstRunOpensEnlargedWithEveryViewShown) {
    std::unique_ptr<ChartDialog> chart = Chart(true, kUsda, false);
    chart->mbGridLines = chart->mbLegend = 0; // to see the flags read, not only constructed
    chart->show();
    EXPECT_EQ(chart->mbGridLines + chart->mbLegend + chart->mbTriaxial, 3);
    EXPECT_GE(chart->minimumSize().width(), 600);
    EXPECT_EQ(chart->size(), EnlargedOnScreen(*chart));
    EXPECT_EQ(chart->windowTitle(), "USDA Chart");
}

TEST_F(ChartWindow, MenusCheckAndGreyAsTheFlagsSay) {
    std::unique_ptr<ChartDialog> chart = Chart();
    QMenu& view = chart->ViewMenu();
    Opened(view, "as &Bi-axial")->trigger();
    EXPECT_EQ(chart->mbTriaxial, 0);
    EXPECT_TRUE(Opened(view, "as &Bi-axial")->isChecked());
    EXPECT_FALSE(Opened(view, "as T&ri-axial")->isChecked());

    // Without the classes, Legend is greyed but keeps its flag and check mark.
    Opened(view, "&Texture Classes")->trigger();
    EXPECT_FALSE(Opened(view, "&Legend")->isEnabled());
    EXPECT_TRUE(Opened(view, "&Legend")->isChecked());
    Opened(view, "&Texture Classes")->trigger();
    EXPECT_TRUE(Opened(view, "&Legend")->isEnabled());

    // The right button's menu has the same commands and the same state.
    Opened(chart->ContextMenu(), "Axis Values")->trigger();
    EXPECT_EQ(chart->mbAxisValues, 0);
    EXPECT_FALSE(Opened(view, "Axis &Values")->isChecked());
    EXPECT_TRUE(Opened(chart->ContextMenu(), "Data Labels")->isEnabled());

    // A range has no labels: greyed, with the check mark of the flag.
    std::unique_ptr<ChartDialog> range = Chart(false);
    EXPECT_FALSE(Opened(range->ViewMenu(), "&Data Labels")->isEnabled());
    EXPECT_TRUE(Opened(range->ViewMenu(), "&Data Labels")->isChecked());
}

// Every way of closing keeps the view and the placement for the next run. Closing a menu with
// Escape once left the menu bar holding the keys, so Escape no longer closed the window: the keys
// are pressed after a menu was used.
class ChartWindowClosing : public ChartWindow, public ::testing::WithParamInterface<int> {};

TEST_P(ChartWindowClosing, KeepsFlagsAndPlacement) {
    const QRect placed(40, 50, 700, 500);
    {
        std::unique_ptr<ChartDialog> chart = Chart();
        Opened(chart->ViewMenu(), "&Legend")->trigger();
        chart->setGeometry(placed);
        if (GetParam() == 0)
            Opened(chart->ChartMenu(), "&Close")->trigger();
        if (GetParam() == 1)
            chart->close();
        if (GetParam() >= 2) {
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
                            GetParam() == 2 ? Qt::Key_Return : Qt::Key_Escape);
        }
        EXPECT_FALSE(chart->isVisible());
    }
    std::unique_ptr<ChartDialog> chart = Chart();
    EXPECT_EQ(chart->mbLegend, 0);
    EXPECT_EQ(chart->geometry(), placed);
}

INSTANTIATE_TEST_SUITE_P(Ways, ChartWindowClosing, ::testing::Range(0, 4), [](const auto& info) {
    return std::string(std::array{"CloseCommand", "CloseBox", "Enter", "Escape"}[info.param]);
});

TEST_F(ChartWindow, InterruptedPlacementSaveIsIgnoredButFlagsAreRead) {
    Store({{"(check)", -32640}, {"Left", 10}, {"Top", 10}, {"Right", 1000}, {"Bottom", 800}});
    Store({{"mbGridLines", 0}});
    std::unique_ptr<ChartDialog> chart = Chart();
    EXPECT_EQ(chart->mbGridLines, 0);
    EXPECT_EQ(chart->size(), EnlargedOnScreen(*chart));
}

TEST_F(ChartWindow, MaximizedWindowReopensMaximizedWithItsNormalSize) {
    const QRect placed(30, 30, 720, 520);
    {
        std::unique_ptr<ChartDialog> chart = Chart();
        chart->setGeometry(placed);
        chart->setWindowState(Qt::WindowMaximized);
    }
    std::unique_ptr<ChartDialog> chart = Chart();
    EXPECT_TRUE(chart->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(chart->normalGeometry(), placed);
}

TEST(ChartPlacement, FitsWholeOnTheScreenItOverlapsMost) {
    const std::vector<QRect> screens = {QRect(0, 0, 800, 600), QRect(800, 0, 1920, 1080)};
    const struct {
        const char* name;
        QRect wanted, fitted;
    } cases[] = {
        {"AlreadyOnTheFirst", {40, 50, 700, 500}, {40, 50, 700, 500}},
        {"LargerThanTheSmallScreen", {10, 10, 1000, 800}, {0, 0, 800, 600}},
        {"MostlyOnTheSecond", {1500, 100, 900, 600}, {1500, 100, 900, 600}},
        {"HangingOffTheSecond", {2500, 900, 400, 300}, {2320, 780, 400, 300}},
        {"OnAScreenThatIsGone", {5000, 5000, 700, 500}, {100, 100, 700, 500}},
        {"FarAboveAndLeft", {-16000000, -16000000, 640, 480}, {0, 0, 640, 480}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chartsettings::FitOnScreens(c.wanted, screens), c.fitted) << c.name;
    EXPECT_EQ(chartsettings::FitOnScreens({1, 2, 3, 4}, {}), QRect(1, 2, 3, 4));
}

// A placement saved on a larger or a missing screen, or a damaged one, opened the window out of
// sight.
TEST_F(ChartWindow, StoredPlacementIsKeptOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* name;
        int left, top, right, bottom;
    } cases[] = {
        {"LargerThanTheScreen", 0, 0, screen.width() + 400, screen.height() + 300},
        {"OnAScreenThatIsGone", 9000, 9000, 9800, 9600},
        {"ExtremeValues", -2147483647, -2147483647, 2147483647, 2147483647},
        {"RightOfLeft", 500, 400, 100, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Store({{"(check)", 32639}, {"Left", c.left}, {"Top", c.top}, {"Right", c.right}});
        Store({{"Bottom", c.bottom}, {"State", 1}});
        std::unique_ptr<ChartDialog> chart = Chart();
        // The platform may still move it by its frame.
        const QRect placed = chart->geometry();
        EXPECT_TRUE(screen.intersects(placed));
        EXPECT_LE(placed.width(), screen.width());
        EXPECT_LE(placed.height(), screen.height());
        chart.reset();
        ChartSettings()->remove("");
    }
}

TEST_F(ChartWindow, TitleShowsTheCompositionUnderTheMouse) {
    std::unique_ptr<ChartDialog> chart = Chart();
    ASSERT_EQ(chart->Canvas().logicalDpiX(), 96);
    chart->mChartRect = {0, 0, 600, 400}; // the worked example's client area
    const struct {
        int triaxial;
        QPoint mouse;
        const char* title;
    } cases[] = {{0, {299, 199}, "USDA Chart (x=50, y=50)"},
                 {1, {346, 252}, "USDA Chart (x=20, y=30, z=50)"},
                 {1, {10, 10}, "USDA Chart"}};
    for (const auto& c : cases) {
        chart->mbTriaxial = c.triaxial;
        chart->ShowReadout(c.mouse);
        EXPECT_EQ(chart->windowTitle().toStdString(), c.title);
    }
    // The readout went stale after a layout switch and stayed after the mouse left.
    chart->ShowReadout({346, 252});
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
// and the page's scheme drawn.
TEST_F(ChartWindow, ChartDefinitionFileReplacesTheSchemeOrIsReported) {
    const auto contents = [](const char* path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const struct {
        const char* name;
        QByteArray content;
        const char* message; // none: the file's scheme is drawn
    } cases[] = {
        {"ReadOnlyValid", contents(GRANUM_TEST_DATA_DIR "/twozone/twozone.dat"), nullptr},
        {"NoTextureSection", "just some words\r\n", "Unable to load the chart definition file"},
        {"OverlappingClasses", contents(GRANUM_TEST_DATA_DIR "/cli-schemes/overlap.dat"),
         "Classification scheme in the chart definition file is invalid"},
    };
    QFile::copy(kUsda, Path("scheme.dat"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mUser.messages.clear();
        QFile::remove(Path("scheme.cha"));
        QFile file(Path("scheme.cha"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.content);
        file.close();
        file.setPermissions(QFileDevice::ReadOwner); // read-only files are read like any other
        std::unique_ptr<ChartDialog> chart = Chart(true, Path("scheme.dat").toStdString());
        EXPECT_EQ(chart->windowTitle(), "USDA Chart");
        if (!c.message) {
            EXPECT_TRUE(mUser.messages.empty());
            EXPECT_EQ(chart->mScheme.GetName(), "Two-zone demonstration");
            chart->ShowReadout({0, 0}); // the title follows at the first mouse move
            EXPECT_EQ(chart->windowTitle(), "Two-zone demonstration Chart");
            continue;
        }
        ASSERT_EQ(mUser.messages.size(), 1u);
        EXPECT_EQ(mUser.messages[0].caption, "Problem");
        EXPECT_EQ(mUser.messages[0].text, c.message);
        EXPECT_EQ(chart->mScheme.GetClassCount(), 13) << "the page's scheme is drawn";
    }
}

TEST_F(ChartWindow, SavesThePictureAtTheWindowsSizeOrSaysWhyNot) {
    std::unique_ptr<ChartDialog> chart = Chart();
    chart->resize(1000, 700);
    mUser.saveFileNames = {Path("c.png"), Path("c"), "", Path("no-folder/c.emf"), Path("c.jpg")};
    for (int k = 0; k < 5; ++k)
        chart->SaveToFile();
    EXPECT_EQ(QImage(Path("c.png")).size(), chart->Canvas().size());
    EXPECT_EQ(FileStart(Path("c")), kEmfStart) << "no extension: the metafile";
    ASSERT_EQ(mUser.messages.size(), 4u) << "a cancelled save says nothing";
    EXPECT_EQ(mUser.messages[1].text, "Chart saved");
    for (int k : {2, 3}) {
        EXPECT_EQ(mUser.messages[k].caption, "Problem");
        EXPECT_TRUE(mUser.messages[k].text.startsWith("Unable to save the chart to "));
    }
    EXPECT_TRUE(mUser.messages[3].text.contains(".jpg is not a kind of picture"));
    EXPECT_FALSE(QFile::exists(Path("c.jpg"))) << "no metafile under another kind's name";
}

TEST_F(ChartWindow, CopiesMetafileImageAndSvgToTheClipboard) {
    std::unique_ptr<ChartDialog> chart = Chart();
    QGuiApplication::clipboard()->clear();
    chart->CopyToClipboard();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data("image/x-emf").startsWith(kEmfStart));
    EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), chart->Canvas().size());
    EXPECT_EQ(mUser.MessageTexts(), QStringList({"Chart copied to clipboard"}));
}

TEST_F(ChartWindow, PrintsOnePageAndKeepsTheWindowsLayout) {
    std::unique_ptr<ChartDialog> chart = Chart();
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
