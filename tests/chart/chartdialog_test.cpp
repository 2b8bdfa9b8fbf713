// The chart window run as a page runs it, on Qt's offscreen platform with scripted answers: its
// menus, what it keeps between runs, the title readout, the chart definition file and the
// outputs.
#include "chart/chartcanvas.h"
#include "chart/chartdialog.h"
#include "chart/chartreadout.h"
#include "scheme/schemefile.h"
#include "tests/support/scriptedinteraction.h"
#include "widgets/settings.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// Readable failures of QString comparisons.
void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

const char* const kUsda = GRANUM_SCHEMES_DIR "/usda.dat";
const char* const kTwoZone = GRANUM_TEST_DATA_DIR "/twozone/twozone.dat";

class ChartWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mFolder.isValid());
        settings::Open(settings::kChartDialogGroup)->remove("");
    }

    // A chart of the USDA scheme with two labelled samples, or of a range polygon, before it is
    // shown.
    std::unique_ptr<ChartDialog> Chart(bool samples = true,
                                       const std::string& schemeFile = kUsda) {
        auto chart = std::make_unique<ChartDialog>(mUser);
        EXPECT_EQ(LoadSchemeFile(kUsda, &chart->mScheme), SchemeLoadStatus::Loaded);
        chart->mSchemeFile = schemeFile;
        chart->mXName = "Sand";
        chart->mYName = "Clay";
        chart->mZName = "Silt";
        if (samples) {
            chart->mPoints = {{40, 20}, {10, 80}};
            chart->mLabels = {"A", "B"};
        } else {
            chart->mPoints = {{20, 10}, {40, 10}, {40, 30}, {20, 30}};
            chart->mbSamples = 0;
        }
        return chart;
    }

    std::unique_ptr<ChartDialog> Shown(bool samples = true) {
        std::unique_ptr<ChartDialog> chart = Chart(samples);
        chart->show();
        return chart;
    }

    QString Path(const QString& name) const { return mFolder.filePath(name); }

    ScriptedInteraction mUser;
    QTemporaryDir mFolder;
};

QAction* Item(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions())
        if (action->text() == text)
            return action;
    ADD_FAILURE() << "no item " << text.toStdString();
    static QAction none;
    return &none;
}

// Opens the menu as the user would, so that its check marks and greying are brought up to date.
QAction* Opened(QMenu& menu, const QString& text) {
    emit menu.aboutToShow();
    return Item(menu, text);
}

QByteArray FileStart(const QString& path, int size) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(size) : QByteArray();
}

} // namespace

TEST_F(ChartWindow, FirstRunOpensEnlargedWithEveryViewShown) {
    std::unique_ptr<ChartDialog> chart = Chart();
    chart->mbGridLines = chart->mbLegend = 0; // as a page never leaves them, to see them read
    chart->show();
    for (int ChartModel::*flag :
         {&ChartModel::mbTriaxial, &ChartModel::mbAxisTitle, &ChartModel::mbAxisValues,
          &ChartModel::mbDataLabels, &ChartModel::mbGridLines, &ChartModel::mbLegend,
          &ChartModel::mbTextureClasses})
        EXPECT_EQ((*chart).*flag, 1);
    const QSize smallest = chart->minimumSize();
    EXPECT_GE(smallest.width(), 600);
    EXPECT_GE(smallest.height(), 349);
    EXPECT_EQ(chart->size(), smallest * 7 / 5);
    EXPECT_EQ(chart->windowTitle(), "USDA Chart");
    EXPECT_FALSE(chart->windowIcon().isNull());
}

TEST_F(ChartWindow, MenusFollowTheFlags) {
    std::unique_ptr<ChartDialog> chart = Shown();
    QMenu& view = chart->ViewMenu();
    EXPECT_TRUE(Opened(view, "as T&ri-axial")->isChecked());
    EXPECT_FALSE(Item(view, "as &Bi-axial")->isChecked());
    Item(view, "as &Bi-axial")->trigger();
    EXPECT_EQ(chart->mbTriaxial, 0);
    EXPECT_TRUE(Opened(view, "as &Bi-axial")->isChecked());
    EXPECT_FALSE(Item(view, "as T&ri-axial")->isChecked());

    // Without the classes, Legend is greyed but keeps its flag and check mark.
    Item(view, "&Texture Classes")->trigger();
    EXPECT_EQ(chart->mbTextureClasses, 0);
    EXPECT_FALSE(Opened(view, "&Legend")->isEnabled());
    EXPECT_TRUE(Item(view, "&Legend")->isChecked());
    EXPECT_EQ(chart->mbLegend, 1);
    Item(view, "&Texture Classes")->trigger();
    EXPECT_TRUE(Opened(view, "&Legend")->isEnabled());

    Item(view, "&Grid Lines")->trigger();
    EXPECT_FALSE(Opened(view, "&Grid Lines")->isChecked());
    EXPECT_TRUE(Item(view, "&Data Labels")->isEnabled());
}

TEST_F(ChartWindow, ContextMenuHoldsTheViewCommands) {
    std::unique_ptr<ChartDialog> chart = Shown();
    QStringList texts;
    for (QAction* action : chart->ContextMenu().actions())
        texts << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(texts, QStringList({"as Bi-axial", "as Tri-axial", "-", "Axis Title", "Axis Values",
                                  "Data Labels", "Grid Lines", "Legend", "Texture Classes"}));
    Opened(chart->ContextMenu(), "Axis Values")->trigger();
    EXPECT_EQ(chart->mbAxisValues, 0);
    EXPECT_FALSE(Opened(chart->ViewMenu(), "Axis &Values")->isChecked());
}

TEST_F(ChartWindow, RangeChartGreysDataLabelsAndKeepsTheirFlag) {
    settings::Open(settings::kChartDialogGroup)->setValue("mbDataLabels", 0);
    {
        std::unique_ptr<ChartDialog> chart = Shown(false);
        QAction* labels = Opened(chart->ViewMenu(), "&Data Labels");
        EXPECT_FALSE(labels->isEnabled());
        EXPECT_FALSE(labels->isChecked());
        chart->accept();
    }
    EXPECT_EQ(settings::Open(settings::kChartDialogGroup)->value("mbDataLabels").toInt(), 0);
}

// Closing by "&Close" and by the window's close box both keep the view and the placement.
class ChartWindowClosing : public ChartWindow, public ::testing::WithParamInterface<bool> {};

TEST_P(ChartWindowClosing, KeepsFlagsAndPlacementForTheNextRun) {
    const QRect placed(40, 50, 900, 620);
    {
        std::unique_ptr<ChartDialog> chart = Shown();
        Item(chart->ViewMenu(), "as &Bi-axial")->trigger();
        Item(chart->ViewMenu(), "&Legend")->trigger();
        chart->setGeometry(placed);
        if (GetParam())
            Item(chart->ChartMenu(), "&Close")->trigger();
        else
            chart->close();
        EXPECT_FALSE(chart->isVisible());
    }
    std::unique_ptr<ChartDialog> chart = Shown();
    EXPECT_EQ(chart->mbTriaxial, 0);
    EXPECT_EQ(chart->mbLegend, 0);
    EXPECT_EQ(chart->mbGridLines, 1);
    EXPECT_EQ(chart->geometry(), placed);
    EXPECT_EQ(settings::Open(settings::kChartDialogGroup)->value("(check)").toInt(), 32639);
}

INSTANTIATE_TEST_SUITE_P(Both, ChartWindowClosing, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "CloseCommand" : "CloseBox"; });

TEST_F(ChartWindow, InterruptedPlacementSaveIsIgnoredButFlagsAreRead) {
    {
        const auto store = settings::Open(settings::kChartDialogGroup);
        for (const auto& [key, value] : {std::pair<const char*, int>{"(check)", -32640},
                                         {"Left", 10}, {"Top", 10}, {"Right", 1000},
                                         {"Bottom", 800}, {"State", 1}, {"mbGridLines", 0}})
            store->setValue(key, value);
    }
    std::unique_ptr<ChartDialog> chart = Shown();
    EXPECT_EQ(chart->mbGridLines, 0);
    EXPECT_EQ(chart->size(), chart->minimumSize() * 7 / 5);
}

TEST_F(ChartWindow, MaximizedWindowReopensMaximizedWithItsNormalSize) {
    const QRect placed(30, 30, 880, 600);
    {
        std::unique_ptr<ChartDialog> chart = Shown();
        chart->setGeometry(placed);
        chart->setWindowState(Qt::WindowMaximized);
        chart->accept();
    }
    EXPECT_EQ(settings::Open(settings::kChartDialogGroup)->value("State").toInt(), 3);
    std::unique_ptr<ChartDialog> chart = Shown();
    EXPECT_TRUE(chart->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(chart->normalGeometry(), placed);
}

TEST_F(ChartWindow, EnterAndEscapeClose) {
    for (const auto& [key, result] : {std::pair{Qt::Key_Return, QDialog::Accepted},
                                      std::pair{Qt::Key_Escape, QDialog::Rejected}}) {
        std::unique_ptr<ChartDialog> chart = Shown();
        QTest::keyClick(chart.get(), key);
        EXPECT_FALSE(chart->isVisible());
        EXPECT_EQ(chart->result(), result);
    }
}

TEST_F(ChartWindow, TitleShowsTheCompositionUnderTheMouse) {
    std::unique_ptr<ChartDialog> chart = Shown();
    ASSERT_EQ(chart->Canvas().logicalDpiX(), 96);
    chart->mChartRect = {0, 0, 600, 400}; // the worked example's client area
    chart->mbTriaxial = 0;
    chart->ShowReadout({299, 199});
    EXPECT_EQ(chart->windowTitle(), "USDA Chart (x=50, y=50)");
    chart->mbTriaxial = 1;
    chart->ShowReadout({346, 252});
    EXPECT_EQ(chart->windowTitle(), "USDA Chart (x=20, y=30, z=50)");
    chart->ShowReadout({10, 10});
    EXPECT_EQ(chart->windowTitle(), "USDA Chart");
}

TEST(ChartReadout, RoundsEachValueAndStopsAtTheTriangle) {
    const struct {
        double x, y;
        bool triaxial;
        const char* title;
    } cases[] = {
        {33.4, 33.4, true, "S Chart (x=33, y=33, z=33)"}, // shown values need not add to 100
        {33.4, 33.4, false, "S Chart (x=33, y=33)"},
        {0, 100, true, "S Chart (x=0, y=100, z=0)"},
        {-0.0000005, 50, true, "S Chart (x=0, y=50, z=50)"}, // within the tolerance, no "-0"
        {50, 50.0000005, true, "S Chart (x=50, y=50, z=0)"},
        {-0.01, 50, true, "S Chart"},
        {50.2, 50, true, "S Chart"},
        {101, -1, false, "S Chart"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadoutTitle("S", {c.x, c.y}, c.triaxial), c.title) << c.x << ", " << c.y;
}

// The chart definition file beside the page's scheme replaces the drawn scheme, or is reported.
class ChartDefinitionFile : public ChartWindow {
protected:
    // The page's scheme path in a folder of its own, with "scheme.cha" holding content.
    std::string SchemeWithDefinition(const QByteArray& content) {
        QFile::copy(kUsda, Path("scheme.dat"));
        QFile file(Path("scheme.cha"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return Path("scheme.dat").toStdString();
    }

    static QByteArray Contents(const char* path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(ChartDefinitionFile, ReplacesTheSchemeAndTheTitleFollowsAtTheFirstMouseMove) {
    std::unique_ptr<ChartDialog> chart = Chart(true, SchemeWithDefinition(Contents(kTwoZone)));
    chart->show();
    EXPECT_TRUE(mUser.messages.empty());
    EXPECT_EQ(chart->mScheme.GetName(), "Two-zone demonstration");
    EXPECT_EQ(chart->windowTitle(), "USDA Chart");
    chart->ShowReadout({0, 0});
    EXPECT_EQ(chart->windowTitle(), "Two-zone demonstration Chart");
}

TEST_F(ChartDefinitionFile, ReadOnlyFileIsReadLikeAnyOther) {
    const std::string scheme = SchemeWithDefinition(Contents(kTwoZone));
    QFile::setPermissions(Path("scheme.cha"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    std::unique_ptr<ChartDialog> chart = Chart(true, scheme);
    chart->show();
    EXPECT_EQ(chart->mScheme.GetName(), "Two-zone demonstration");
}

TEST_F(ChartDefinitionFile, FailuresAreReportedAndThePagesSchemeIsDrawn) {
    const struct {
        const char* name;
        QByteArray content;
        const char* message;
    } cases[] = {
        {"NoTextureSection", "just some words\r\n", "Unable to load the chart definition file"},
        {"OverlappingClasses", Contents(GRANUM_TEST_DATA_DIR "/cli-schemes/overlap.dat"),
         "Classification scheme in the chart definition file is invalid"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mUser.messages.clear();
        std::unique_ptr<ChartDialog> chart = Chart(true, SchemeWithDefinition(c.content));
        chart->show();
        ASSERT_EQ(mUser.messages.size(), 1u);
        EXPECT_EQ(mUser.messages[0].caption, "Problem");
        EXPECT_EQ(mUser.messages[0].text, c.message);
        EXPECT_EQ(mUser.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(chart->mScheme.GetName(), "USDA");
        EXPECT_EQ(chart->mScheme.GetClassCount(), 13);
    }
}

TEST_F(ChartWindow, SavesThePictureAtTheWindowsSize) {
    std::unique_ptr<ChartDialog> chart = Shown();
    chart->resize(1000, 700);
    mUser.saveFileNames = {Path("chart.emf"), Path("chart.png"), Path("chart"), ""};
    chart->SaveToFile();
    chart->SaveToFile();
    chart->SaveToFile();
    chart->SaveToFile(); // cancelled: nothing more is said
    EXPECT_EQ(FileStart(Path("chart.emf"), 4), QByteArray("\x01\0\0\0", 4));
    EXPECT_EQ(QImage(Path("chart.png")).size(), chart->Canvas().size());
    EXPECT_EQ(FileStart(Path("chart"), 4), QByteArray("\x01\0\0\0", 4)); // no extension: EMF
    EXPECT_EQ(mUser.MessageTexts(), QStringList({"Chart saved", "Chart saved", "Chart saved"}));
    EXPECT_EQ(mUser.messages[0].caption, "Done");
    EXPECT_EQ(mUser.fileFilters[0].split(";;").first(), "Windows Enhanced Metafiles (*.emf)");
}

TEST_F(ChartWindow, SaveThatCannotBeWrittenSaysWhyAndNotSaved) {
    std::unique_ptr<ChartDialog> chart = Shown();
    mUser.saveFileNames = {Path("no-such-folder/chart.emf")};
    chart->SaveToFile();
    ASSERT_EQ(mUser.messages.size(), 1u);
    EXPECT_EQ(mUser.messages[0].caption, "Problem");
    EXPECT_TRUE(mUser.messages[0].text.startsWith("Unable to save the chart to "));
    EXPECT_FALSE(QFile::exists(Path("no-such-folder/chart.emf")));
}

TEST_F(ChartWindow, CopiesMetafileImageAndSvgToTheClipboard) {
    std::unique_ptr<ChartDialog> chart = Shown();
    QGuiApplication::clipboard()->clear();
    chart->CopyToClipboard();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data("image/x-emf").startsWith(QByteArray("\x01\0\0\0", 4)));
    EXPECT_TRUE(data->data("image/emf").startsWith(QByteArray("\x01\0\0\0", 4)));
    EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), chart->Canvas().size());
    EXPECT_EQ(mUser.MessageTexts(), QStringList({"Chart copied to clipboard"}));
    EXPECT_EQ(mUser.messages[0].caption, "Done");
}

TEST_F(ChartWindow, PrintsOnePageAndKeepsTheWindowsLayout) {
    std::unique_ptr<ChartDialog> chart = Shown();
    chart->repaint();
    const ChartRect before = chart->mChartRect;
    mUser.printToPdf = {Path("chart.pdf"), ""};
    chart->Print();
    chart->Print(); // cancelled
    QFile pdf(Path("chart.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(pdf.readAll());
    EXPECT_EQ(text.count(QRegularExpression("/Type\\s*/Page[^s]")), 1);
    EXPECT_EQ(chart->mChartRect.right, before.right);
    EXPECT_EQ(chart->mChartRect.bottom, before.bottom);
    EXPECT_TRUE(mUser.messages.empty());
}
