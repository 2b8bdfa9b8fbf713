// The Range Lookup page driven through its own commands and keys: lookups over the usda and
// two-zone schemes, refused fields and ranges, resets, scheme loads and the chart's inputs.
#include "tests/pages/chartcapture.h"
#include "pages/rangefield.h"
#include "pages/texrange.h"
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

struct Limits {
    QString xmin, xmax, ymin, ymax, zmin, zmax;
};

class RangePage : public ::testing::Test {
protected:
    void Start(const QString& scheme) {
        mPage.Scheme().SetSchemePath(scheme);
        mPage.show();
        QApplication::setActiveWindow(&mPage);
        mPage.Activate();
    }

    void Set(const Limits& l) {
        const QString texts[] = {l.xmin, l.xmax, l.ymin, l.ymax, l.zmin, l.zmax};
        for (Axis axis : {kX, kY, kZ}) {
            mPage.MinField(axis).SetText(texts[2 * axis]);
            mPage.MaxField(axis).SetText(texts[2 * axis + 1]);
        }
    }

    QStringList Fields() const {
        QStringList texts;
        for (Axis axis : {kX, kY, kZ})
            texts << mPage.MinField(axis).Text() << mPage.MaxField(axis).Text();
        return texts;
    }

    // Everything the page shows as the result of a lookup.
    QStringList Results() const {
        return {mPage.CountText(), mPage.ClassText(), mPage.CoordText()};
    }

    ScriptedInteraction mUser;
    CTexRange mPage{mUser};
};

TEST_F(RangePage, DefaultRangesListEveryClassOnceWithTheCorners) {
    Start(kUsda);
    ASSERT_TRUE(mUser.messages.empty());
    const soiltex& scheme = mPage.Scheme().Scheme();
    std::set<QString> names;
    for (const TextureClass& c : scheme.Classes())
        names.insert(QString::fromStdString(c.name));
    const QStringList shown = mPage.ClassText().split('\n');
    EXPECT_EQ(std::set<QString>(shown.begin(), shown.end()), names);
    EXPECT_EQ(shown.size(), int(names.size())) << "a class listed twice";
    EXPECT_EQ(mPage.CountText(), QString("%1 texture classes").arg(names.size()));
    EXPECT_EQ(mPage.CoordText(), "(0.00,\t0.00,\t100.00)\n(100.00,\t0.00,\t0.00)\n"
                                 "(0.00,\t100.00,\t0.00)");
    EXPECT_EQ(mPage.SchemeNameText(), QString::fromStdString(scheme.GetName()));
}

struct LookupCase {
    const char* name;
    Limits limits;
    const char* count;
    const char* classes;
    const char* coordinates;
};

// Cases print as their names.
template <typename Case> void PrintCase(const Case& c, std::ostream* os) {
    *os << c.name;
}
void PrintTo(const LookupCase& c, std::ostream* os) {
    PrintCase(c, os);
}

class RangeLookupCases : public RangePage, public ::testing::WithParamInterface<LookupCase> {};

TEST_P(RangeLookupCases, ShowsClassesCountAndPolygon) {
    Start(kTwoZone);
    const LookupCase& c = GetParam();
    Set(c.limits);
    mPage.LookupRange();
    EXPECT_TRUE(mUser.messages.empty());
    EXPECT_EQ(Results(), QStringList({c.count, c.classes, c.coordinates}));
}

INSTANTIATE_TEST_SUITE_P(
    TwoZone, RangeLookupCases,
    ::testing::Values(
        LookupCase{"Hexagon",
                   {"10", "60", "10", "60", "10", "60"},
                   "2 texture classes",
                   "Low\nHigh",
                   "(30.00,\t10.00,\t60.00)\n(60.00,\t10.00,\t30.00)\n(60.00,\t30.00,\t10.00)\n"
                   "(30.00,\t60.00,\t10.00)\n(10.00,\t60.00,\t30.00)\n(10.00,\t30.00,\t60.00)"},
        LookupCase{"OneClass",
                   {"0", "10", "0", "10", "0", "100"},
                   "1 texture class",
                   "Low",
                   "(0.00,\t0.00,\t100.00)\n(10.00,\t0.00,\t90.00)\n(10.00,\t10.00,\t80.00)\n"
                   "(0.00,\t10.00,\t90.00)"},
        LookupCase{"OutsideTheTriangle",
                   {"60", "100", "60", "100", "0", "100"},
                   "0 texture class",
                   "",
                   "{ fail }"},
        // Decimal corners on the hypotenuse sum to 100 only up to rounding: z is 0.00 there,
        // never -0.00.
        LookupCase{"CornersOnTheHypotenuse",
                   {"33.3", "100", "66.6", "100", "0", "100"},
                   "1 texture class",
                   "High",
                   "(33.30,\t66.60,\t0.10)\n(33.40,\t66.60,\t0.00)\n(33.30,\t66.70,\t0.00)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RangePage, CoordinatesNeverShowNegativeZeroAndMatchThePolygon) {
    Start(kUsda);
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> tenth(0, 1000);
    for (int i = 0; i < 200; ++i) {
        double v[6];
        for (int a = 0; a < 3; ++a) {
            const int p = tenth(rng), q = tenth(rng);
            v[2 * a] = std::min(p, q) / 10.0;
            v[2 * a + 1] = std::min(100.0, std::max(p, q) / 10.0 + 0.1);
        }
        Set({QString::number(v[0]), QString::number(v[1]), QString::number(v[2]),
             QString::number(v[3]), QString::number(v[4]), QString::number(v[5])});
        mPage.LookupRange();
        const QString coords = mPage.CoordText();
        ASSERT_FALSE(coords.contains("-")) << coords.toStdString();
        const QStringList classes = mPage.ClassText().split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(mPage.CountText().section(' ', 0, 0).toInt(), classes.size());
        if (mPage.RangePolygon().Size() == 0)
            EXPECT_EQ(coords, "{ fail }");
        else
            EXPECT_EQ(coords.split('\n').size(), mPage.RangePolygon().Size());
    }
    EXPECT_TRUE(mUser.messages.empty()) << mUser.MessageTexts().join('\n').toStdString();
}

struct RefusedRange {
    const char* name;
    Limits limits;
    const char* message;
    Axis focusAxis;
};

void PrintTo(const RefusedRange& c, std::ostream* os) {
    PrintCase(c, os);
}

class RefusedRanges : public RangePage, public ::testing::WithParamInterface<RefusedRange> {};

TEST_P(RefusedRanges, ShowFirstFailingAxisAndKeepResults) {
    Start(kTwoZone);
    const QStringList before = Results();
    const RefusedRange& c = GetParam();
    Set(c.limits);
    mPage.LookupRange();
    ASSERT_EQ(mUser.messages.size(), 1u);
    EXPECT_EQ(mUser.messages[0].caption, "Problem in range");
    EXPECT_EQ(mUser.messages[0].text, c.message);
    EXPECT_EQ(QApplication::focusWidget(), &mPage.MinField(c.focusAxis));
    EXPECT_EQ(Results(), before);
}

INSTANTIATE_TEST_SUITE_P(
    MinNotBelowMax, RefusedRanges,
    ::testing::Values(RefusedRange{"Equal",
                                   {"40", "40", "0", "100", "0", "100"},
                                   "first: Min value must be smaller than Max value",
                                   kX},
                      RefusedRange{"EqualWithinTolerance",
                                   {"40.0000005", "40", "0", "100", "0", "100"},
                                   "first: Min value must be smaller than Max value",
                                   kX},
                      RefusedRange{"OnlyFirstAxisReported",
                                   {"50", "40", "60", "50", "0", "100"},
                                   "first: Min value must be smaller than Max value",
                                   kX},
                      RefusedRange{"ZAxis",
                                   {"0", "100", "0", "100", "70", "20"},
                                   "third: Min value must be smaller than Max value",
                                   kZ}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedField {
    const char* name;
    Limits limits;
    Axis axis;
    bool maximum;
};

void PrintTo(const RefusedField& c, std::ostream* os) {
    PrintCase(c, os);
}

class RefusedFields : public RangePage, public ::testing::WithParamInterface<RefusedField> {
protected:
    void ExpectRefused(const QStringList& fields, const QStringList& results) {
        const RefusedField& c = GetParam();
        RangeField& field = c.maximum ? mPage.MaxField(c.axis) : mPage.MinField(c.axis);
        ASSERT_EQ(mUser.messages.size(), 1u) << mUser.MessageTexts().join('\n').toStdString();
        EXPECT_TRUE(mUser.messages[0].text.contains(c.maximum ? "maximum" : "minimum"));
        EXPECT_EQ(QApplication::focusWidget(), &field);
        EXPECT_EQ(Fields(), fields);
        EXPECT_EQ(Results(), results);
    }
};

TEST_P(RefusedFields, StopTheLookup) {
    Start(kTwoZone);
    const QStringList before = Results();
    Set(GetParam().limits);
    const QStringList fields = Fields();
    mPage.LookupRange();
    ExpectRefused(fields, before);
}

TEST_P(RefusedFields, StopEveryResetOnce) {
    Start(kTwoZone);
    const QStringList before = Results();
    Set(GetParam().limits);
    const QStringList fields = Fields();
    mPage.ResetAllRanges();
    ExpectRefused(fields, before);
    mUser.messages.clear();
    mPage.ResetYRange();
    ExpectRefused(fields, before);
}

TEST_P(RefusedFields, StopTheChart) {
    Start(kTwoZone);
    int charts = 0;
    mUser.onDialog = [&](QDialog&) { return ++charts, 0; };
    Set(GetParam().limits);
    mPage.PlotChart();
    EXPECT_EQ(charts, 0);
    EXPECT_EQ(mUser.messages.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RefusedFields,
    ::testing::Values(RefusedField{"AboveHundred", {"0", "101", "0", "100", "0", "100"}, kX, true},
                      RefusedField{"NotANumber", {"0", "100", "0", "100", "abc", "100"}, kZ, false},
                      RefusedField{"Empty", {"0", "100", "", "100", "0", "100"}, kY, false},
                      RefusedField{"Negative", {"0", "100", "0", "100", "-1", "100"}, kZ, false},
                      RefusedField{"TrailingText", {"0", "50%", "0", "100", "0", "100"}, kX, true},
                      // The maxima come first, y before x: a bad x minimum waits its turn.
                      RefusedField{
                          "MaximaBeforeMinima", {"abc", "101", "0", "102", "0", "100"}, kY, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RangePage, ResetOfOneAxisEmptiesResultsAndKeepsOtherAxes) {
    Start(kTwoZone);
    Set({"10", "60", "10", "60", "10", "60"});
    mPage.LookupRange();
    mPage.ResetYRange();
    EXPECT_EQ(Fields(), QStringList({"10", "60", "0", "100", "10", "60"}));
    EXPECT_EQ(Results(), QStringList({"0 texture class", "", ""}));
    mPage.ResetAllRanges();
    EXPECT_EQ(Fields(), QStringList({"0", "100", "0", "100", "0", "100"}));
    EXPECT_TRUE(mUser.messages.empty());
}

TEST_F(RangePage, PlotChartHandsThePolygonWithoutLabels) {
    Start(kTwoZone);
    Set({"10", "60", "10", "60", "10", "60"});
    int shown = 0;
    InspectCharts(mUser, &shown, [&](const ChartDialog& chart) {
        EXPECT_EQ(chart.mPoints, mPage.RangePolygon().Vertices());
        EXPECT_EQ(chart.mPoints.size(), 6u);
        EXPECT_EQ(chart.mbSamples, 0);
        EXPECT_TRUE(chart.mLabels.empty());
        EXPECT_EQ(chart.mScheme.GetName(), "Two-zone demonstration");
        EXPECT_EQ(chart.mSchemeFile, kTwoZone.toStdString());
        EXPECT_EQ(chart.mYName, "second");
    });
    mPage.PlotChart();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(QApplication::focusWidget(), &mPage.MinField(kX));

    Set({"60", "100", "60", "100", "0", "100"});
    mPage.PlotChart();
    EXPECT_EQ(shown, 1) << "a chart of an empty range";
    EXPECT_EQ(mPage.CoordText(), "{ fail }");
}

TEST_F(RangePage, SchemeLoadsKeepOldSchemeOnFailureAndLookUpAgainOnSuccess) {
    Start(kUsda);
    const QString usdaX = mPage.RangeTitle(kX);
    Set({"10", "60", "10", "60", "10", "60"});
    mPage.LookupRange();
    const QStringList before = Results();

    mUser.openFileNames = {kNoTexture};
    mPage.LoadSchemeFromDialog();
    EXPECT_EQ(mUser.MessageTexts(), QStringList({"Unable to load the classification scheme file"}));
    EXPECT_EQ(Results(), before);
    EXPECT_EQ(mPage.RangeTitle(kX), usdaX);

    mUser.messages.clear();
    mUser.openFileNames = {kTwoZone};
    mPage.LoadSchemeFromDialog();
    EXPECT_TRUE(mUser.messages.empty());
    EXPECT_EQ(mPage.SchemeNameText(), "Two-zone demonstration");
    EXPECT_EQ(mPage.RangeTitle(kX), "first (range)");
    EXPECT_EQ(mPage.RangeTitle(kY), "second (range)");
    EXPECT_EQ(mPage.RangeTitle(kZ), "third (range)");
    EXPECT_EQ(mPage.ClassText(), "Low\nHigh");
}

TEST_F(RangePage, FailedStartupLoadLeavesNoSchemeAndSilentLookups) {
    Start(GRANUM_TEST_DATA_DIR "/no-such-scheme.dat");
    EXPECT_EQ(mUser.MessageTexts(), QStringList({"Unable to load the classification scheme file"}));
    EXPECT_EQ(mPage.SchemeNameText(), "none");
    EXPECT_EQ(mPage.RangeTitle(kZ), "z (range)");
    mUser.messages.clear();
    Set({"50", "40", "0", "100", "0", "100"});
    mPage.LookupRange();
    mPage.PlotChart();
    EXPECT_TRUE(mUser.messages.empty());
    EXPECT_EQ(Results(), QStringList({"0 texture class", "", ""}));
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
