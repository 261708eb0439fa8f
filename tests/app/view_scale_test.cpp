#include "app/view_scale.h"

#include <gtest/gtest.h>

TEST(ViewScale, NearestTakesHalvesToEven)
{
    EXPECT_EQ(ViewScale::Nearest(2.5), 2);
    EXPECT_EQ(ViewScale::Nearest(3.5), 4);
    EXPECT_EQ(ViewScale::Nearest(-2.5), -2);
    EXPECT_EQ(ViewScale::Nearest(399.4), 399);
    EXPECT_EQ(ViewScale::Nearest(1e300), INT_MAX);
}

TEST(ViewScale, TrackPositionsOfTheClickableScales)
{
    const int positions[] = {461, 530, 599, 621, 691, 760};
    for (std::size_t i = 0; i < ViewScale::kScales.size(); ++i) {
        EXPECT_EQ(ViewScale::PositionOfScale(ViewScale::kScales[i]), positions[i]);
        EXPECT_EQ(ViewScale::ScaleOfPosition(positions[i]), ViewScale::kScales[i]);
    }
}

TEST(ViewScale, SnappingTable)
{
    struct Case {
        int from, to;
    };
    const Case snapped[] = {{91, 100},    {109, 100},   {191, 200},   {209, 200},   {381, 400},
                            {419, 400},   {476, 500},   {524, 500},   {781, 800},   {799, 800},
                            {971, 1000},  {1029, 1000}, {1971, 2000}, {2029, 2000}, {2971, 3000}};
    for (const Case& c : snapped)
        EXPECT_EQ(ViewScale::Snap(c.from), c.to) << c.from;
    for (int kept : {90, 110, 190, 210, 380, 420, 475, 525, 780, 801, 970, 1030, 1097, 1100, 1510, 1970})
        EXPECT_EQ(ViewScale::Snap(kept), kept) << kept;
}

TEST(ViewScale, PositionsToScales)
{
    EXPECT_EQ(ViewScale::ScaleOfPosition(599), 400);   // e^5.99 = 399.4
    EXPECT_EQ(ViewScale::ScaleOfPosition(700), 1097);  // not 1100
}

TEST(ViewScale, ViewSizeAndScaleAreInverse)
{
    // 1000 m in a 700-pixel graph area at 1:400.
    EXPECT_DOUBLE_EQ(ViewScale::ViewSizeOfScale(400, 700, 1000), 0.08);
    EXPECT_DOUBLE_EQ(ViewScale::ScaleOfViewSize(0.08, 700, 1000), 400);
    // Held to 0.001..1.
    EXPECT_DOUBLE_EQ(ViewScale::ViewSizeOfScale(100, 100, 1e6), 0.001);
    EXPECT_DOUBLE_EQ(ViewScale::ViewSizeOfScale(2000, 700, 10), 1);
    EXPECT_DOUBLE_EQ(ViewScale::ViewSizeOfScale(0, 700, 1000), 1);
    EXPECT_DOUBLE_EQ(ViewScale::ViewSizeOfScale(400, 700, 0), 1);
    EXPECT_DOUBLE_EQ(ViewScale::ScaleOfViewSize(0.5, 0, 1000), 0);
}
