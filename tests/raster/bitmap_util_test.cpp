#include "raster/bitmap_util.h"

#include <gtest/gtest.h>

#include <climits>

TEST(BitmapUtil, SizesBelowOneAreStoredAsOne)
{
    RBitmapUtil util(4);
    util.SetSize(0, -5);
    EXPECT_EQ(util.Width(), 1);
    EXPECT_EQ(util.Height(), 1);
    EXPECT_EQ(util.Stride(), 4);
    util.SetPixel(0, 0, RColorWord(0x00ABCDEF));
    EXPECT_EQ(util.ReadPixel(0, 0).Value(), 0xABCDEFu);
}

TEST(BitmapUtil, StrideRoundsRowsUpToFourBytes)
{
    RBitmapUtil grey(1);
    grey.SetSize(5, 3);
    EXPECT_EQ(grey.Stride(), 8);
    RBitmapUtil wide(4);
    wide.SetSize(5, 3);
    EXPECT_EQ(wide.Stride(), 20);
    // Rows are top-down.
    wide.SetPixel(2, 1, RColorWord(0x00010203));
    EXPECT_EQ(wide.Row(1)[8], 0x03);
}

TEST(BitmapUtil, ClipBoxIsCutToTheBitmapAndCanBeEmpty)
{
    RBitmapUtil util(4);
    util.SetSize(100, 50);
    EXPECT_EQ(util.Clip().right, 100);
    EXPECT_EQ(util.Clip().bottom, 50);
    util.SetClip(-10, 10, 30, 1000);
    EXPECT_EQ(util.Clip().left, 0);
    EXPECT_EQ(util.Clip().right, 20);
    EXPECT_EQ(util.Clip().top, 10);
    EXPECT_EQ(util.Clip().bottom, 50);
    util.SetClip(INT_MAX, INT_MAX, INT_MAX, INT_MAX);  // no overflow
    EXPECT_TRUE(util.Clip().Empty());
    util.SetClip(10, 10, 0, 5);
    EXPECT_TRUE(util.Clip().Empty());
    util.ResetClip();
    EXPECT_EQ(util.ClipWidth(), 65536);
    util.SetSize(40, 40);  // resizing re-derives the box
    EXPECT_EQ(util.Clip().right, 40);
}
