// Block transfers between bitmaps: cutting to both bitmaps and the clip box,
// overlapping copies within one bitmap, grey onto colour.

#include "raster/bitmap32.h"
#include "raster/bitmap_copy.h"
#include "raster/bitmap_gray_core.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Every pixel a colour of its own: 0x00XXYY.
void Number(RBitmap32& bitmap)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.Util().SetPixel(x, y, RColorWord(std::uint32_t(x << 8 | y)));
}

}  // namespace

TEST(BitmapCopy, CopiesABlockAsItIs)
{
    RBitmap32 source(10, 8), target(20, 20);
    Number(source);
    target.FillRect(0, 0, 20, 20, RColorWord(0xFFFFFF));
    CopyBitmapBlock(source.Util(), 2, 3, 4, 2, target.Util(), 5, 6);
    EXPECT_EQ(target.Util().ReadPixel(5, 6).Value(), 0x0203u);
    EXPECT_EQ(target.Util().ReadPixel(8, 7).Value(), 0x0504u);
    EXPECT_EQ(target.Util().ReadPixel(9, 7).Value(), 0xFFFFFFu);
    EXPECT_EQ(target.Util().ReadPixel(5, 8).Value(), 0xFFFFFFu);
    EXPECT_EQ(target.Util().ReadPixel(4, 6).Value(), 0xFFFFFFu);
}

TEST(BitmapCopy, BlocksAreCutToBothBitmapsAndTheClipBox)
{
    RBitmap32 source(10, 8), target(12, 12);
    Number(source);
    target.FillRect(0, 0, 12, 12, RColorWord(0xFFFFFF));
    // Starting left of and above the target: the block's visible part lands at 0, 0.
    CopyBitmap(source, target, -3, -2);
    EXPECT_EQ(target.Util().ReadPixel(0, 0).Value(), 0x0302u);
    EXPECT_EQ(target.Util().ReadPixel(6, 5).Value(), 0x0907u);
    EXPECT_EQ(target.Util().ReadPixel(7, 5).Value(), 0xFFFFFFu);

    target.FillRect(0, 0, 12, 12, RColorWord(0xFFFFFF));
    target.Util().SetClip(4, 4, 2, 2);
    CopyBitmap(source, target, 0, 0);
    target.Util().ResetClip();
    int painted = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            painted += target.Util().ReadPixel(x, y).Value() != 0xFFFFFF;
    EXPECT_EQ(painted, 4);
    EXPECT_EQ(target.Util().ReadPixel(4, 4).Value(), 0x0404u);

    // Far-off corners and empty blocks copy nothing and never overflow.
    CopyBitmapBlock(source.Util(), INT_MAX - 1, 0, INT_MAX, 5, target.Util(), 0, 0);
    CopyBitmapBlock(source.Util(), 0, 0, INT_MAX, INT_MAX, target.Util(), INT_MIN, INT_MAX);
    CopyBitmapBlock(source.Util(), 0, 0, 0, 5, target.Util(), 0, 0);
    EXPECT_EQ(target.Util().ReadPixel(0, 0).Value(), 0xFFFFFFu);
}

TEST(BitmapCopy, OverlappingCopyWithinOneBitmapReadsTheOldPixels)
{
    RBitmap32 bitmap(10, 10), original(10, 10);
    Number(bitmap);
    Number(original);
    CopyBitmapBlock(bitmap.Util(), 0, 0, 6, 6, bitmap.Util(), 2, 3);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(bitmap.Util().ReadPixel(x + 2, y + 3), original.Util().ReadPixel(x, y)) << x << "," << y;
}

TEST(BitmapCopy, GreyOntoColourAndBack)
{
    RBitmapGrayCore grey(4, 4);
    grey.FillRect(0, 0, 4, 4, RColorWord(0x404040));
    RBitmap32 colour(4, 4);
    CopyBitmap(grey, colour);
    EXPECT_EQ(colour.Util().ReadPixel(3, 3).Value(), 0x404040u);
    colour.FillRect(0, 0, 4, 4, RColorWord(0xFF0000));  // red: (255 + 0 + 0) / 3
    CopyBitmap(colour, grey);
    EXPECT_EQ(grey.Util().ReadPixel(1, 1).Value(), 0x555555u);
}
