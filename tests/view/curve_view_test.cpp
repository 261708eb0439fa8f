#include "view/curve_view.h"

#include "container/data_container.h"

#include <gtest/gtest.h>

namespace {

TEST(CurveViewTest, DefaultsOnCreation)
{
    const RCurveView view;
    EXPECT_TRUE(view.Visible);
    EXPECT_EQ(view.Color.Value(), 0);
    EXPECT_EQ(view.Track, 0);
    EXPECT_FALSE(view.LogAxis);
    EXPECT_EQ(view.FillType, RFillType::None);
    EXPECT_EQ(view.FillCondition, RFillCondition::Above);
    EXPECT_EQ(view.FillCurve, "");
    EXPECT_EQ(view.FillConst, 0.0);
}

TEST(CurveViewTest, ValuesInTheirPlacesAndTypes)
{
    RCurveView view;
    view.Visible = false;
    view.Color = RPlatformColor(0x0000FF);
    view.Track = 3;
    view.LogAxis = true;
    view.FillType = RFillType::Curve;
    view.FillCondition = RFillCondition::Between;
    view.FillConst = -0.5;
    view.FillCurve = "RHOB";
    view.FillColor = RPlatformColor(0x00FF00);
    RDataContainer container;
    RDCNode& node = *container.NodeByPath("LasSettings\\View\\GR", true);
    view.SaveToNode(node);

    const RDCObject& object = *node.ObjectAt(0);
    ASSERT_EQ(object.ValueCount(), 9);
    const RDCType types[] = {RDCType::Boolean, RDCType::Integer, RDCType::Integer, RDCType::Boolean, RDCType::Integer,
                             RDCType::Integer, RDCType::Double,  RDCType::String,  RDCType::Integer};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(object.ValueAt(i)->Type(), types[i]) << i;
    EXPECT_EQ(object.ValueAt(4)->AsInteger(), 2);
    EXPECT_EQ(object.ValueAt(6)->AsDouble(), -0.5);

    RCurveView loaded;
    loaded.LoadFromNode(node);
    EXPECT_EQ(loaded, view);
}

TEST(CurveViewTest, MissingAndMistypedValuesReadAsZero)
{
    RDataContainer container;
    RDCNode& node = *container.NodeByPath("GR", true);
    RDCObject& object = *node.Object(0);
    object.Value(0)->SetBoolean(true);
    object.Value(1)->SetInteger(255);
    object.Value(2)->SetString("2");  // mistyped: reads as 0

    RCurveView view;
    view.LoadFromNode(node);
    EXPECT_TRUE(view.Visible);
    EXPECT_EQ(view.Color.Value(), 255);
    EXPECT_EQ(view.Track, 0);
    // Missing, so 0 rather than the creation default of 1.
    EXPECT_EQ(view.FillCondition, RFillCondition::Below);
    EXPECT_EQ(view.FillCurve, "");

    RCurveView empty;
    empty.LoadFromNode(*container.NodeByPath("Other", true));
    EXPECT_FALSE(empty.Visible);
}

}  // namespace
