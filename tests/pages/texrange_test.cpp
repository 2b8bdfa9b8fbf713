// The Range Lookup page through its commands and keys: refusals, resets, scheme loads, chart.
#include "pages/rangefield.h"
#include "pages/texrange.h"
#include "tests/pages/chartcapture.h"
#include "tests/support/scriptedinteraction.h"

#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const QString kTwoZone = GRANUM_TEST_DATA_DIR "/twozone/twozone.dat";
using Axis = CTexRange::Axis;
constexpr Axis kX = CTexRange::kX, kY = CTexRange::kY, kZ = CTexRange::kZ;

class RangePage : public ::testing::Test {
protected:
    // The page sits in a dialog, where Enter and Escape would end it.
    void Start(const QString& scheme) {
        (new QVBoxLayout(&mHost))->addWidget(&mPage);
        mPage.Scheme().SetSchemePath(scheme);
        mHost.show();
        QApplication::setActiveWindow(&mHost);
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
    QDialog mHost;
    CTexRange& mPage = *new CTexRange(mUser, &mHost);
};

// Commands stop at the first refused field, once, changing nothing; a minimum not below its
// maximum stops lookup and chart (not the resets) and clears the last results.
TEST_F(RangePage, RefusedFieldsStopEveryCommand) {
    Start(kTwoZone);
    const QStringList before = Results();
    const struct {
        const char* limits;
        RangeField* field;
        const char* message; // part of it
        int commands;        // how many of the commands below refuse
        bool clears;         // the results of the last lookup go
    } cases[] = {
        {"0,100,0,100,-1,100", &mPage.MinField(kZ), "minimum", 4, false},
        {"abc,101,0,102,0,100", &mPage.MaxField(kY), "maximum", 4, false}, // maxima, y, x first
        {"0,100,60,50,70,20", &mPage.MinField(kY), "second: Min value must be smaller", 2, true},
    };
    CTexRange& page = mPage;
    const std::array<std::function<void()>, 4> commands = {
        [&page] { page.LookupRange(); }, [&page] { page.PlotChart(); },
        [&page] { page.ResetAllRanges(); }, [&page] { page.ResetYRange(); }};
    int charts = 0;
    mUser.onDialog = [&](QDialog&) { return ++charts, 0; };
    for (const auto& c : cases) {
        Set(c.limits);
        const QString fields = Fields();
        for (int i = 0; i < c.commands; ++i) {
            SCOPED_TRACE(std::string(c.limits) + " command " + std::to_string(i));
            mUser.messages.clear();
            commands[std::size_t(i)]();
            ASSERT_EQ(mUser.messages.size(), 1u) << mUser.MessageTexts().join('\n').toStdString();
            EXPECT_TRUE(mUser.messages[0].text.contains(c.message));
            EXPECT_EQ(mUser.messages[0].caption, "Problem in range");
            EXPECT_EQ(mUser.messages[0].icon, MessageIcon::None);
            EXPECT_EQ(QApplication::focusWidget(), c.field);
            EXPECT_EQ(Fields(), fields);
            EXPECT_EQ(Results(), c.clears ? QStringList({"0 texture class", "", ""}) : before);
        }
        if (c.clears) { // the next case starts from a lookup's results again
            Set("0,100,0,100,0,100");
            mPage.LookupRange();
        }
    }
    EXPECT_EQ(charts, 0);
}

// The two-zone hexagon, a reset of one axis, then a range outside the triangle.
TEST_F(RangePage, LookupChartAndResetShowTheRangePolygonOrFail) {
    Start(kTwoZone);
    Set("10,60,10,60,10,60");
    int shown = 0;
    InspectCharts(mUser, &shown, [&](const ChartDialog& chart) {
        EXPECT_EQ(chart.mPoints, mPage.RangePolygon().Vertices());
        EXPECT_EQ(chart.mbSamples, 0);
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
    mPage.ResetYRange();
    EXPECT_EQ(Fields(), "10,60,0,100,10,60");
    EXPECT_EQ(Results(), QStringList({"0 texture class", "", ""}));
    mPage.ResetAllRanges();
    EXPECT_EQ(Fields(), "0,100,0,100,0,100");

    Set("60,100,60,100,0,100");
    mPage.PlotChart();
    EXPECT_EQ(shown, 1) << "a chart of an empty range";
    EXPECT_EQ(Results(), QStringList({"0 texture class", "", "{ fail }"}));
    EXPECT_TRUE(mUser.messages.empty());
}

// From no scheme at startup, where lookups say nothing, to a loaded one.
TEST_F(RangePage, SchemeLoadLooksUpAgain) {
    Start(GRANUM_TEST_DATA_DIR "/no-such-scheme.dat");
    EXPECT_EQ(mPage.SchemeNameText() + ", " + mPage.RangeTitle(kZ), "none, z (range)");
    Set("50,40,0,100,0,100");
    mPage.LookupRange();
    mPage.PlotChart();
    EXPECT_EQ(mUser.messages.size(), 1u); // only the startup's
    // No count that reads as a lookup's answer before there was one.
    EXPECT_EQ(Results(), QStringList({"0 texture class(es)", "", ""}));

    Set("10,60,10,60,10,60");
    mUser.openFileNames = {kTwoZone};
    mPage.LoadSchemeFromDialog();
    EXPECT_EQ(mUser.messages.size(), 1u);
    EXPECT_EQ(QStringList({mPage.SchemeNameText(), mPage.RangeTitle(kZ), mPage.ClassText()}),
              QStringList({"Two-zone demonstration", "third (range)", "Low\nHigh"}));
}

TEST_F(RangePage, EnterLooksUpFromAnyControlAndEscapeClosesNothing) {
    Start(kTwoZone);
    Set("0,10,0,10,0,100");
    QTest::keyClick(&mPage.MaxField(kY), Qt::Key_Return);
    EXPECT_EQ(mPage.CountText(), "1 texture class");
    mPage.MaxField(kY).SetText("100");
    auto* classBox = mPage.findChildren<QPlainTextEdit*>().first();
    classBox->setFocus();
    QTest::keyClick(classBox, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(mPage.CountText(), "2 texture classes");
    QTest::keyClick(&mPage.MinField(kZ), Qt::Key_Escape);
    EXPECT_TRUE(mHost.isVisible());
    EXPECT_TRUE(mUser.messages.empty());
}

TEST(RangeFieldSteps, StepTheWholeNumberWithinZeroToHundred) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"40.6", 1, "41"}, {"100", 1, "100"}, {"abc", 1, "1"}, {"250", -1, "99"}, {"-5", 2, "2"}};
    for (const auto& [text, steps, result] : cases) {
        RangeField field;
        field.SetText(text);
        field.stepBy(steps);
        EXPECT_EQ(field.Text(), result) << text << " by " << steps;
    }
}

} // namespace
