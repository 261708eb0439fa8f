#include "raster/bitmap_util.h"

#include "container/error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>

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

TEST(BitmapUtil, ClipBoxStaysInsideTheBitmapWhateverTheIntegers)
{
    RBitmapUtil util(4);
    util.SetSize(40, 30);
    const int values[] = {INT_MIN, -2000000000, -65536, -1, 0, 1, 20, 40, 65536, 2000000000, INT_MAX};
    for (const int left : values)
        for (const int width : values) {
            util.SetClip(left, left, width, width);
            const RClipBox& clip = util.Clip();
            ASSERT_TRUE(0 <= clip.left && clip.left <= clip.right && clip.right <= 40) << left << " " << width;
            ASSERT_TRUE(0 <= clip.top && clip.top <= clip.bottom && clip.bottom <= 30) << left << " " << width;
            ASSERT_EQ(clip.Empty(), std::int64_t{left} + width <= std::max(left, 0) || left >= 30)
                << left << " " << width;
        }
}

TEST(BitmapUtil, SizesWhoseRowLengthOverflowsAreRefused)
{
    RBitmapUtil util(4);
    util.SetSize(7, 3);
    // 2^29 pixels of 4 bytes make a row of 2^31 bytes, past the int range.
    EXPECT_THROW(util.SetSize(1 << 29, 1), RError);
    EXPECT_THROW(util.SetSize(INT_MAX, 1), RError);
    EXPECT_EQ(util.Width(), 7);  // unchanged
    EXPECT_EQ(util.Height(), 3);
    EXPECT_EQ(util.Stride(), 28);

    RBitmapUtil grey(1);
    EXPECT_THROW(grey.SetSize(INT_MAX, 1), RError);
    EXPECT_THROW(grey.SetSize(INT_MAX - 2, 1), RError);  // rounding the row up to 4 bytes overflows
}
