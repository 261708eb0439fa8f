#include "view/las_settings.h"

#include "container/data_container.h"
#include "support/files.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Settings touching every field: views, a method, tracks, range and fills.
RLasSettings FullSettings()
{
    RLasSettings settings;
    auto gr = std::make_unique<RCurveView>();
    gr->Color = RPlatformColor(0x0000FF);
    gr->Track = 2;
    gr->LogAxis = true;
    gr->FillType = RFillType::Constant;
    gr->FillCondition = RFillCondition::Below;
    gr->FillConst = -0.5;
    gr->FillColor = RPlatformColor(0x00FFFF);
    settings.SetView("GR", std::move(gr));
    auto rhob = std::make_unique<RCurveView>();
    rhob->Visible = false;
    rhob->FillType = RFillType::Curve;
    rhob->FillCurve = "NPHI";
    rhob->Color = RPlatformColor(-16);  // a system colour
    settings.SetView("RHOB", std::move(rhob));
    settings.SetCalcMethod("VSH", std::make_unique<RCurveCalcMethod>("(GR-20)/(120-20)"));
    settings.Tracks = {0, 1, -1};
    settings.MinDepth = 1000.0;
    settings.MaxDepth = 1002.5;
    settings.Fills = {{0, RFillType::Constant, RFillCondition::Below, -1, -0.5, RPlatformColor(0x00FFFF)}, {1, RFillType::Curve, RFillCondition::Between, 0, 0.0, RPlatformColor(255)}};
    return settings;
}

TEST(LasSettingsTest, SaveAndLoadReproduceEveryField)
{
    const RLasSettings source = FullSettings();
    RDataContainer container;
    source.SaveToNode(container);
    RLasSettings loaded;
    loaded.LoadFromNode(container);

    ASSERT_EQ(loaded.Views().size(), 2u);
    EXPECT_EQ(*loaded.GetView("GR"), *source.GetView("GR"));
    EXPECT_EQ(*loaded.GetView("RHOB"), *source.GetView("RHOB"));
    EXPECT_EQ(loaded.GetView("GR")->FillConst, -0.5);
    EXPECT_EQ(loaded.GetView("GR")->FillCurve, "");
    EXPECT_EQ(loaded.GetCalcMethod("VSH")->Formula, "(GR-20)/(120-20)");
    EXPECT_EQ(loaded.Tracks, source.Tracks);
    EXPECT_EQ(loaded.MinDepth, 1000.0);
    EXPECT_EQ(loaded.MaxDepth, 1002.5);
    EXPECT_EQ(loaded.Fills, source.Fills);
}

// The file is compared byte for byte with a golden copy; with
// LOGGARD_UPDATE_GOLDEN=1 the test writes the golden copy instead.
TEST(LasSettingsTest, FileMatchesGoldenBytes)
{
    const std::string golden = std::string(LOGGARD_TEST_DATA_DIR) + "/view/settings.dat";
    const TempDir dir;
    FullSettings().SaveToFile(dir.File("settings.dat"));
    const std::string bytes = ReadWholeFile(dir.File("settings.dat"));
    if (const char* update = std::getenv("LOGGARD_UPDATE_GOLDEN"); update && std::string(update) == "1")
        WriteWholeFile(golden, bytes);
    EXPECT_EQ(bytes, ReadWholeFile(golden));

    // Insertion order does not matter: the maps write in name order.
    RLasSettings reordered;
    reordered.SetCalcMethod("VSH", std::make_unique<RCurveCalcMethod>("(GR-20)/(120-20)"));
    const RLasSettings full = FullSettings();
    reordered.SetView("RHOB", std::make_unique<RCurveView>(*full.GetView("RHOB")));
    reordered.SetView("GR", std::make_unique<RCurveView>(*full.GetView("GR")));
    reordered.Tracks = full.Tracks;
    reordered.MinDepth = full.MinDepth;
    reordered.MaxDepth = full.MaxDepth;
    reordered.Fills = full.Fills;
    reordered.SaveToFile(dir.File("reordered.dat"));
    EXPECT_EQ(ReadWholeFile(dir.File("reordered.dat")), bytes);
}

TEST(LasSettingsTest, LayoutUnderLasSettings)
{
    RDataContainer container;
    FullSettings().SaveToNode(container);
    ASSERT_EQ(container.ChildCount(), 1);
    const RDCNode& root = *container.ChildAt(0);
    EXPECT_EQ(root.Name(), "LasSettings");
    ASSERT_EQ(root.ChildCount(), 4);
    EXPECT_EQ(root.ChildAt(0)->Name(), "View");
    EXPECT_EQ(root.ChildAt(1)->Name(), "CalcMethod");
    EXPECT_EQ(root.ChildAt(2)->Name(), "Tracks");
    EXPECT_EQ(root.ChildAt(3)->Name(), "Fill");
    EXPECT_EQ(root.ChildAt(0)->ChildAt(0)->Name(), "GR");
    const RDCNode& fill = *root.ChildAt(3);
    ASSERT_EQ(fill.ObjectCount(), 2);
    EXPECT_EQ(fill.ObjectAt(1)->ValueAt(1)->Type(), RDCType::Integer);
    EXPECT_EQ(fill.ObjectAt(1)->ValueAt(4)->Type(), RDCType::Double);
    EXPECT_EQ(root.ChildAt(2)->ObjectAt(1)->ValueAt(1)->AsDouble(), 1002.5);
}

TEST(LasSettingsTest, ClearKeepsTheDepthRange)
{
    RLasSettings settings = FullSettings();
    settings.Clear();
    EXPECT_TRUE(settings.Views().empty());
    EXPECT_TRUE(settings.CalcMethods().empty());
    EXPECT_TRUE(settings.Tracks.empty());
    EXPECT_TRUE(settings.Fills.empty());
    EXPECT_EQ(settings.MinDepth, 1000.0);
    EXPECT_EQ(settings.MaxDepth, 1002.5);
}

TEST(LasSettingsTest, RemoveFillsOfASeries)
{
    RLasSettings settings;
    settings.Fills = {{3, RFillType::Constant, RFillCondition::Above, -1, 0.0, RPlatformColor(1)}, {1, RFillType::Curve, RFillCondition::Above, 3, 0.0, RPlatformColor(2)}, {5, RFillType::Constant, RFillCondition::Above, -1, 0.0, RPlatformColor(3)}, {4, RFillType::Curve, RFillCondition::Below, 6, 0.0, RPlatformColor(4)}};
    settings.RemoveFillsOf(3);
    ASSERT_EQ(settings.Fills.size(), 2u);
    EXPECT_EQ(settings.Fills[0].SeriesIndex, 5);
    EXPECT_EQ(settings.Fills[1].SeriesIndex, 4);
    EXPECT_EQ(settings.Fills[1].OtherSeries, 6);
}

}  // namespace
