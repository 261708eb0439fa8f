#include "support/file_curves.h"
#include "support/irregular_curves.h"
#include "view/las_core.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kNull = -999.25;

class LasCoreTest : public ::testing::Test {
protected:
    RLasCurve& AddCurve(const std::string& name, std::vector<double> values, double first = 1000.0,
                        double step = 0.5)
    {
        return AddFileCurve(*core.Data, name, first, step, values, kNull);
    }
    RCurveView& View(const std::string& name, std::int32_t track = 0, bool visible = true)
    {
        auto view = std::make_unique<RCurveView>();
        view->Track = track;
        view->Visible = visible;
        RCurveView& stored = *view;
        core.Settings->SetView(name, std::move(view));
        return stored;
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& curve : core.Data->Curves())
            names.push_back(curve->Mnemonic);
        return names;
    }
    std::vector<bool> Redundant(std::size_t curve) const
    {
        std::vector<bool> marks;
        const RLasCurveData& data = core.Data->Curves()[curve]->Data;
        for (std::size_t k = 0; k < data.Samples.size(); ++k)
            marks.push_back(RLasCurveDataWrapper::IsRedundant(data, k));
        return marks;
    }

    RLasCore core;
};

TEST_F(LasCoreTest, UniqueNamesAreStableAcrossPreparations)
{
    for (const char* name : {"GR", "GR", "GR (2)", "X(7)", "A (x)", "A (x)"})
        AddCurve(name, {1, 2});
    core.Prepare(RPrepareMode::Changed);
    const std::vector<std::string> expected = {"GR", "GR (2)", "GR (3)", "X(7)", "A (x)", "A (x) (2)"};
    EXPECT_EQ(Names(), expected);
    core.Prepare(RPrepareMode::Changed);
    EXPECT_EQ(Names(), expected);
}

// A curve takes its stem when no earlier curve holds it, else the first free
// "stem (k)": names the file already holds, or a stem that itself reads like
// a numbered name, are skipped over, never given twice.
TEST_F(LasCoreTest, UniqueNamesSkipNamesTakenByEarlierCurves)
{
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
        {{"GR (2)", "GR", "GR"}, {"GR", "GR (2)", "GR (3)"}},
        {{"GR (2) (5)", "GR", "GR", "GR"}, {"GR (2)", "GR", "GR (3)", "GR (4)"}},
        {{"GR", "GR", "GR (2) (9)", "GR (2) (9)", "GR"}, {"GR", "GR (2)", "GR (2) (2)", "GR (2) (3)", "GR (3)"}},
        {{"GR", "SP", "GR", "SP", "GR"}, {"GR", "SP", "GR (2)", "SP (2)", "GR (3)"}},
        {{"GR (02)", "GR (+2)", "GR (-1)", "GR (1234567890)"}, {"GR", "GR (2)", "GR (3)", "GR (1234567890)"}},
        {{"gr", "GR", "gr"}, {"gr", "GR", "gr (2)"}},
    };
    for (const auto& [names, expected] : cases) {
        core.SetData(nullptr);
        for (const std::string& name : names)
            AddCurve(name, {1, 2});
        core.Prepare(RPrepareMode::Changed);
        EXPECT_EQ(Names(), expected) << names.front() << " ...";
    }
}

TEST_F(LasCoreTest, UniqueNamesOfAFileFullOfOneName)
{
    constexpr std::size_t kCurves = 65535;
    for (std::size_t c = 0; c < kCurves; ++c)
        AddCurve(c == 1 ? "GR (3)" : "GR", {1, 2});
    core.Prepare(RPrepareMode::Opened);
    const std::vector<std::string> names = Names();
    ASSERT_EQ(names.size(), kCurves);
    EXPECT_EQ(names[0], "GR");
    EXPECT_EQ(names[1], "GR (2)");  // its stem is GR, and GR (2) is free
    EXPECT_EQ(names[2], "GR (3)");
    EXPECT_EQ(names[kCurves - 1], "GR (65535)");
    core.Prepare(RPrepareMode::Changed);
    EXPECT_EQ(Names(), names);
}

TEST_F(LasCoreTest, TracksAreDenseWithNumberedTracksFirst)
{
    for (const char* name : {"A", "B", "C", "D", "E", "F"})
        AddCurve(name, {1, 2});
    View("A", 2);
    View("B", 0);
    View("C", 2);
    View("D", 5);
    View("E", 2000000000);  // above the automatic numbers, still before them
    View("F", 3, false);
    core.Prepare(RPrepareMode::Changed);
    EXPECT_EQ(core.Settings->Tracks, (std::vector<std::int32_t>{0, 3, 0, 1, 2, -1}));
    EXPECT_EQ(core.Views[5], core.Settings->GetView("F"));
}

TEST_F(LasCoreTest, DepthRangeOfShownFileCurves)
{
    core.Prepare(RPrepareMode::Changed);
    EXPECT_EQ(core.Settings->MinDepth, 0.0);
    EXPECT_EQ(core.Settings->MaxDepth, 1.0);

    AddCurve("UP", {1, 2, 3}, 1200.0, -0.5);  // runs from 1200 up to 1199
    AddCurve("HID", {1, 2}, 500.0);
    View("HID", 0, false);
    core.Prepare(RPrepareMode::Changed);
    EXPECT_EQ(core.Settings->MinDepth, 1199.0);
    EXPECT_EQ(core.Settings->MaxDepth, 1200.0);
}

TEST_F(LasCoreTest, FillsNeedAShownReferenceInTheSameTrack)
{
    for (const char* name : {"GR", "SP", "HID", "OWN1", "OWN2", "RHOB"})
        AddCurve(name, {1, 2});
    RCurveView& gr = View("GR", 1);
    gr.FillType = RFillType::Curve;
    gr.FillCurve = "SP";
    gr.FillColor = RPlatformColor(0x00FF00);
    View("SP", 1);
    RCurveView& hidden = View("HID", 1, false);
    hidden.FillType = RFillType::Constant;  // hidden curves fill nothing
    RCurveView& own1 = View("OWN1", 0);      // automatic tracks never share
    own1.FillType = RFillType::Curve;
    own1.FillCurve = "OWN2";
    View("OWN2", 0);
    RCurveView& rhob = View("RHOB", 2);
    rhob.FillType = RFillType::Constant;
    rhob.FillCondition = RFillCondition::Below;
    rhob.FillConst = 2.2;
    rhob.FillColor = RPlatformColor(-5);  // a system colour fills black
    core.Prepare(RPrepareMode::Changed);

    // Series indexes skip the hidden curve; fills run from the last curve.
    ASSERT_EQ(core.Settings->Fills.size(), 2u);
    const RLasFillInfo& constant = core.Settings->Fills[0];
    EXPECT_EQ(constant.SeriesIndex, 4);
    EXPECT_EQ(constant.OtherSeries, -1);
    EXPECT_EQ(constant.Constant, 2.2);
    EXPECT_EQ(constant.Condition, RFillCondition::Below);
    EXPECT_EQ(constant.Color, RPlatformColor(0));
    const RLasFillInfo& between = core.Settings->Fills[1];
    EXPECT_EQ(between.SeriesIndex, 0);
    EXPECT_EQ(between.OtherSeries, 1);
    EXPECT_EQ(between.FillType, RFillType::Curve);
    EXPECT_EQ(between.Color, RPlatformColor(0x00FF00));

    View("SP", 3);  // the reference moves to another track
    core.Prepare(RPrepareMode::Changed);
    EXPECT_EQ(core.Settings->Fills.size(), 1u);
}

TEST_F(LasCoreTest, RedundantPointsWithinRunsKeepEveryRunsEnds)
{
    // A straight line, a gap, a constant run, a gap, a bend.
    AddCurve("GR", {1, 2, 3, 4, kNull, 7, 7, 7, 7, kNull, 1, 2, 3, 10, 11});
    core.Prepare(RPrepareMode::Changed);
    const std::vector<bool> expected = {false, true, true, false, false, false, true, true, false,
                                        false, false, true, false, false, false};
    EXPECT_EQ(Redundant(0), expected);
}

TEST_F(LasCoreTest, RedundantPointsOnAnIrregularIndexAreCollinearInDepth)
{
    // Rows at 1000, 1001, 1003, 1004, 1006. Values 1, 2, 3 lie on a line by
    // index but bend at 1001; 3, 4, 6 lie on a line in depth only.
    const auto depths = DepthIndex({1000.0, 1001.0, 1003.0, 1004.0, 1006.0});
    AddIrregularFileCurve(*core.Data, "GR", depths, {1, 2, 3, 4, 6}, kNull);
    AddIrregularFileCurve(*core.Data, "UP", DepthIndex({1006.0, 1004.0, 1003.0, 1001.0, 1000.0}), {6, 4, 3, 2, 1}, kNull);
    core.Prepare(RPrepareMode::Changed);
    EXPECT_EQ(Redundant(0), (std::vector<bool>{false, false, false, true, false}));
    EXPECT_EQ(Redundant(1), (std::vector<bool>{false, true, false, false, false}));
    // The range runs from the top row to the bottom one whichever way the rows go.
    EXPECT_EQ(core.Settings->MinDepth, 1000.0);
    EXPECT_EQ(core.Settings->MaxDepth, 1006.0);
}

TEST_F(LasCoreTest, StoredMethodsMakeCalculatedCurvesOnlyInModeOne)
{
    AddCurve("GR", {10, 20});
    core.Settings->SetCalcMethod("GR2", std::make_unique<RCurveCalcMethod>("GR*2"));
    core.Prepare(RPrepareMode::Changed);
    EXPECT_EQ(core.Data->Curves().size(), 1u);
    core.Prepare(RPrepareMode::Opened);
    ASSERT_EQ(core.Data->Curves().size(), 2u);
    EXPECT_TRUE(RLasCore::IsCalculated(*core.Data->Curves()[1]));
    EXPECT_EQ(core.Data->CheckInvariant(), "");
    // A calculated curve takes no part in the depth range.
    EXPECT_EQ(core.Settings->MaxDepth, 1000.5);
}

}  // namespace
