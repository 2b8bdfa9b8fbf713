// The Range Lookup page driven through its own commands and keys: lookups over the usda and
// two-zone schemes, refused fields and ranges, resets, scheme loads and the chart's inputs.
#include "pages/rangefield.h"
#include "pages/texrange.h"
#include "tests/pages/chartcapture.h"
#include "tests/support/scriptedinteraction.h"

#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <random>
#include <set>

// Readable failures of QString comparisons.
void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kUsda = GRANUM_SCHEMES_DIR "/usda.dat";
const QString kTwoZone = GRANUM_TEST_DATA_DIR "/twozone/twozone.dat";
const QString kNoTexture = GRANUM_TEST_DATA_DIR "/cli-schemes/notexture.dat";
using Axis = CTexRange::Axis;
constexpr Axis kX = CTexRange::kX, kY = CTexRange::kY, kZ = CTexRange::kZ;

class RangePage : public ::testing::Test {
protected:
    void Start(const QString& scheme) {
        mPage.Scheme().SetSchemePath(scheme);
        mPage.show();
        QApplication::setActiveWindow(&mPage);
        mPage.Activate();
    }

    // The six fields as "xmin,xmax,ymin,ymax,zmin,zmax".
    void Set(const QString& limits) {
        const QStringList texts = limits.split(',');
        for (Axis axis : {kX, kY, kZ}) {
            mPage.MinField(axis).SetText(texts.value(2 * axis));
            mPage.MaxField(axis).SetText(texts.value(2 * axis + 1));
        }
    }

    QString Fields() const {
        QStringList texts;
        for (Axis axis : {kX, kY, kZ})
            texts << mPage.MinField(axis).Text() << mPage.MaxField(axis).Text();
        return texts.join(',');
    }

    // Everything the page shows as the result of a lookup.
    QStringList Results() const {
        return {mPage.CountText(), mPage.ClassText(), mPage.CoordText()};
    }

    ScriptedInteraction mUser;
    CTexRange mPage{mUser};
};

// The startup lookup over the whole triangle, then random ranges: each class is listed once, the
// count says how many, and the coordinates are the polygon's vertices, never with a "-0.00".
TEST_F(RangePage, EveryLookupListsEachClassOnceAndThePolygon) {
    Start(kUsda);
    const QStringList all = mPage.ClassText().split('\n');
    EXPECT_EQ(std::set<QString>(all.begin(), all.end()).size(), 12u); // USDA's class names
    EXPECT_EQ(all.size(), 12);
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> tenth(0, 1000);
    for (int i = 0; i < 200; ++i) {
        QStringList limits;
        for (int axis = 0; axis < 3; ++axis) {
            const int p = tenth(rng), q = tenth(rng);
            limits << QString::number(std::min(p, q) / 10.0)
                   << QString::number(std::min(100.0, std::max(p, q) / 10.0 + 0.1));
        }
        Set(limits.join(','));
        mPage.LookupRange();
        const QString coords = mPage.CoordText();
        ASSERT_FALSE(coords.contains("-")) << coords.toStdString();
        const QStringList classes = mPage.ClassText().split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(std::set<QString>(classes.begin(), classes.end()).size(), classes.size());
        EXPECT_EQ(mPage.CountText().section(' ', 0, 0).toInt(), classes.size());
        if (mPage.RangePolygon().Size() == 0)
            EXPECT_EQ(coords, "{ fail }");
        else
            EXPECT_EQ(coords.split('\n').size(), mPage.RangePolygon().Size());
    }
    EXPECT_TRUE(mUser.messages.empty()) << mUser.MessageTexts().join('\n').toStdString();
}

TEST_F(RangePage, MinNotBelowMaxNamesTheFirstSuchAxisAndKeepsTheResults) {
    Start(kTwoZone);
    const QStringList before = Results();
    const struct {
        const char* limits;
        const char* message;
        Axis focus;
    } cases[] = {
        {"40.0000005,40,0,100,0,100", "first: Min value must be smaller than Max value", kX},
        {"0,100,60,50,70,20", "second: Min value must be smaller than Max value", kY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limits);
        mUser.messages.clear();
        Set(c.limits);
        mPage.LookupRange();
        ASSERT_EQ(mUser.messages.size(), 1u);
        EXPECT_EQ(mUser.messages[0].caption, "Problem in range");
        EXPECT_EQ(mUser.messages[0].text, c.message);
        EXPECT_EQ(QApplication::focusWidget(), &mPage.MinField(c.focus));
        EXPECT_EQ(Results(), before);
    }
}

struct RefusedField {
    const char* name;
    const char* limits;
    Axis axis;
    bool maximum;
    friend void PrintTo(const RefusedField& c, std::ostream* os) { *os << c.name; }
};

class RefusedFields : public RangePage, public ::testing::WithParamInterface<RefusedField> {};

// Every command that reads the fields stops at the refused one, says which, and changes nothing;
// a reset says it once however many axes it resets.
TEST_P(RefusedFields, StopEveryCommand) {
    Start(kTwoZone);
    const RefusedField& c = GetParam();
    RangeField& field = c.maximum ? mPage.MaxField(c.axis) : mPage.MinField(c.axis);
    const QStringList before = Results();
    Set(c.limits);
    const QString fields = Fields();
    int charts = 0;
    mUser.onDialog = [&](QDialog&) { return ++charts, 0; };
    const std::pair<const char*, void (CTexRange::*)()> commands[] = {
        {"Lookup", &CTexRange::LookupRange},
        {"Reset all", &CTexRange::ResetAllRanges},
        {"Reset y", &CTexRange::ResetYRange},
        {"Chart", &CTexRange::PlotChart}};
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        mUser.messages.clear();
        (mPage.*command)();
        ASSERT_EQ(mUser.messages.size(), 1u) << mUser.MessageTexts().join('\n').toStdString();
        EXPECT_TRUE(mUser.messages[0].text.contains(c.maximum ? "maximum" : "minimum"));
        EXPECT_EQ(QApplication::focusWidget(), &field);
        EXPECT_EQ(Fields(), fields);
        EXPECT_EQ(Results(), before);
    }
    EXPECT_EQ(charts, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RefusedFields,
    ::testing::Values(RefusedField{"AboveHundred", "0,101,0,100,0,100", kX, true},
                      RefusedField{"Empty", "0,100,,100,0,100", kY, false},
                      RefusedField{"Negative", "0,100,0,100,-1,100", kZ, false},
                      RefusedField{"TrailingText", "0,50%,0,100,0,100", kX, true},
                      // The maxima come first, y before x: a bad x minimum waits its turn.
                      RefusedField{"MaximaBeforeMinima", "abc,101,0,102,0,100", kY, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RangePage, ResetOfOneAxisEmptiesResultsAndKeepsOtherAxes) {
    Start(kTwoZone);
    Set("10,60,10,60,10,60");
    mPage.LookupRange();
    mPage.ResetYRange();
    EXPECT_EQ(Fields(), "10,60,0,100,10,60");
    EXPECT_EQ(Results(), QStringList({"0 texture class", "", ""}));
    mPage.ResetAllRanges();
    EXPECT_EQ(Fields(), "0,100,0,100,0,100");
    EXPECT_TRUE(mUser.messages.empty());
}

// The two-zone hexagon across the class edge, then ranges outside the triangle.
TEST_F(RangePage, LookupAndChartShowTheRangePolygonOrFail) {
    Start(kTwoZone);
    Set("10,60,10,60,10,60");
    int shown = 0;
    InspectCharts(mUser, &shown, [&](const ChartDialog& chart) {
        EXPECT_EQ(chart.mPoints, mPage.RangePolygon().Vertices());
        EXPECT_EQ(chart.mbSamples, 0);
        EXPECT_TRUE(chart.mLabels.empty());
        EXPECT_EQ(chart.mScheme.GetName(), "Two-zone demonstration");
        EXPECT_EQ(chart.mSchemeFile, kTwoZone.toStdString());
        EXPECT_EQ(chart.mYName, "second");
    });
    mPage.PlotChart();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Results(), QStringList({"2 texture classes", "Low\nHigh",
                                      "(30.00,\t10.00,\t60.00)\n(60.00,\t10.00,\t30.00)\n"
                                      "(60.00,\t30.00,\t10.00)\n(30.00,\t60.00,\t10.00)\n"
                                      "(10.00,\t60.00,\t30.00)\n(10.00,\t30.00,\t60.00)"}));
    EXPECT_EQ(QApplication::focusWidget(), &mPage.MinField(kX));

    Set("60,100,60,100,0,100");
    mPage.PlotChart();
    EXPECT_EQ(shown, 1) << "a chart of an empty range";
    EXPECT_EQ(Results(), QStringList({"0 texture class", "", "{ fail }"}));
    EXPECT_TRUE(mUser.messages.empty());
}

// From no scheme at startup, where lookups say nothing, to a loaded one that a failed load keeps.
TEST_F(RangePage, SchemeLoadsLookUpAgainAndAFailedLoadKeepsTheScheme) {
    Start(GRANUM_TEST_DATA_DIR "/no-such-scheme.dat");
    const QStringList unreadable{"Unable to load the classification scheme file"};
    EXPECT_EQ(mUser.MessageTexts(), unreadable);
    EXPECT_EQ(mPage.SchemeNameText(), "none");
    EXPECT_EQ(mPage.RangeTitle(kZ), "z (range)");
    mUser.messages.clear();
    Set("50,40,0,100,0,100");
    mPage.LookupRange();
    mPage.PlotChart();
    EXPECT_TRUE(mUser.messages.empty());
    EXPECT_EQ(Results(), QStringList({"0 texture class", "", ""}));

    Set("10,60,10,60,10,60");
    mUser.openFileNames = {kTwoZone, kNoTexture};
    mPage.LoadSchemeFromDialog();
    EXPECT_TRUE(mUser.messages.empty());
    EXPECT_EQ(mPage.SchemeNameText(), "Two-zone demonstration");
    const QStringList titles{"first (range)", "second (range)", "third (range)"};
    const auto titlesShown = [this] {
        return QStringList({mPage.RangeTitle(kX), mPage.RangeTitle(kY), mPage.RangeTitle(kZ)});
    };
    EXPECT_EQ(titlesShown(), titles);
    EXPECT_EQ(mPage.ClassText(), "Low\nHigh");

    const QStringList before = Results();
    mPage.LoadSchemeFromDialog();
    EXPECT_EQ(mUser.MessageTexts(), unreadable);
    EXPECT_EQ(Results(), before);
    EXPECT_EQ(titlesShown(), titles);
}

TEST_F(RangePage, EnterLooksUpFromAnyControlAndEscapeClosesNothing) {
    QDialog host;
    auto* layout = new QVBoxLayout(&host);
    ScriptedInteraction user;
    auto* page = new CTexRange(user, &host);
    layout->addWidget(page);
    page->Scheme().SetSchemePath(kTwoZone);
    host.show();
    QApplication::setActiveWindow(&host);
    page->Activate();

    page->MaxField(kX).SetText("10");
    page->MaxField(kY).SetText("10");
    QTest::keyClick(&page->MaxField(kY), Qt::Key_Return);
    EXPECT_EQ(page->CountText(), "1 texture class");

    page->MaxField(kY).SetText("100");
    auto* classBox = page->findChildren<QPlainTextEdit*>().first();
    classBox->setFocus();
    QTest::keyClick(classBox, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(page->CountText(), "2 texture classes");

    QTest::keyClick(&page->MinField(kZ), Qt::Key_Escape);
    EXPECT_TRUE(host.isVisible());
    EXPECT_TRUE(user.messages.empty());
}

struct Step {
    const char* text;
    int steps;
    const char* result;
};

TEST(RangeFieldSteps, StepTheWholeNumberWithinZeroToHundred) {
    const Step cases[] = {{"40", 1, "41"}, {"40.6", 1, "41"}, {"100", 1, "100"},   {"0", -1, "0"},
                          {"abc", 1, "1"}, {"250", -1, "99"}, {"50", 1000, "100"}, {"-5", 2, "2"}};
    for (const Step& c : cases) {
        RangeField field;
        field.SetText(c.text);
        field.stepBy(c.steps);
        EXPECT_EQ(field.Text(), c.result) << c.text << " by " << c.steps;
    }
}

} // namespace
