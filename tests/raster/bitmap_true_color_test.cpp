// Primitives of the true-colour bitmaps: rectangles, lines, rings, arcs and
// the coverage layer.

#include "raster/bitmap32.h"
#include "raster/bitmap_gray_core.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr RColorWord kWhite(0xFFFFFF), kBlack(0x000000);

// A bitmap on white paper.
struct WhiteBitmap : RBitmap32 {
    WhiteBitmap(int width, int height) : RBitmap32(width, height) { FillRect(0, 0, width, height, kWhite); }
};

int CountNot(const RBitmap32& bitmap, RColorWord rgb)
{
    int count = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            count += bitmap.Util().ReadPixel(x, y).Value() != rgb.Value();
    return count;
}

// Green channel darkness 0..255 of a pixel drawn black on white.
int Ink(const RBitmap32& bitmap, int x, int y) { return 255 - int((bitmap.Util().ReadPixel(x, y).Value() >> 8) & 0xFF); }

}  // namespace

TEST(Bitmap, NewBitmapsAndDefaults)
{
    RBitmap32 bitmap;
    EXPECT_EQ(bitmap.Width(), 300);
    EXPECT_EQ(bitmap.Height(), 200);
    EXPECT_EQ(bitmap.LineDrawMethod(), bldmAntiAliasingRounds);
    EXPECT_EQ(bitmap.RingDrawMethod(), brdmAntiAliasing);
    bitmap.SetSize(0, -5);
    EXPECT_EQ(bitmap.Width(), 1);
    EXPECT_EQ(bitmap.Height(), 1);
}

TEST(FillRect, ClipsAndIgnoresEmptySizes)
{
    WhiteBitmap bitmap(20, 20);
    bitmap.Util().SetClip(5, 5, 10, 10);
    bitmap.FillRect(0, 0, 8, 8, kBlack);  // starts left of the box
    EXPECT_EQ(CountNot(bitmap, kWhite), 9);
    EXPECT_EQ(bitmap.Util().ReadPixel(5, 5).Value(), 0u);
    EXPECT_EQ(bitmap.Util().ReadPixel(4, 4).Value(), kWhite.Value());
    bitmap.FillRect(16, 0, 4, 20, kBlack);  // wholly outside
    bitmap.FillRect(6, 6, 0, 5, kBlack);
    bitmap.FillRect(6, 6, 5, -1, kBlack);
    bitmap.FillRect(INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX, kBlack);
    EXPECT_EQ(CountNot(bitmap, kWhite), 9);
}

TEST(FrameRect, WritesEachOutlinePixelOnce)
{
    // Half-transparent: a pixel written twice would come out darker.
    WhiteBitmap bitmap(20, 20);
    bitmap.FrameRect(2, 3, 6, 5, RColorWord(0x80000000));
    const std::uint32_t once = bitmap.Util().ReadPixel(2, 3).Value();
    EXPECT_NE(once, kWhite.Value());
    int outline = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const std::uint32_t pixel = bitmap.Util().ReadPixel(x, y).Value();
            if (pixel != kWhite.Value()) {
                ++outline;
                EXPECT_EQ(pixel, once) << x << "," << y;
            }
        }
    EXPECT_EQ(outline, 2 * 6 + 2 * 3);
    EXPECT_EQ(bitmap.Util().ReadPixel(4, 5).Value(), kWhite.Value());

    WhiteBitmap row(20, 20);
    row.FrameRect(2, 3, 6, 1, kBlack);
    EXPECT_EQ(CountNot(row, kWhite), 6);
    WhiteBitmap column(20, 20);
    column.FrameRect(2, 3, 1, 6, kBlack);
    EXPECT_EQ(CountNot(column, kWhite), 6);
    column.FrameRect(2, 3, 0, 6, kBlack);
    column.FrameRect(2, 3, 6, -1, kBlack);
    EXPECT_EQ(CountNot(column, kWhite), 6);
}

TEST(DrawLine, SimpleLinesDrawBothEndsAndStayInTheBox)
{
    WhiteBitmap bitmap(20, 20);
    bitmap.SetLineDrawMethod(bldmSimple);
    bitmap.DrawLine(2, 2, 10, 5, kBlack, 99);
    EXPECT_EQ(CountNot(bitmap, kWhite), 11);
    EXPECT_EQ(bitmap.Util().ReadPixel(2, 2).Value(), 0u);
    EXPECT_EQ(bitmap.Util().ReadPixel(12, 7).Value(), 0u);
    // A line along the box's far edge and beyond: cut to the last column.
    WhiteBitmap edge(20, 20);
    edge.SetLineDrawMethod(bldmSimple);
    edge.DrawLine(19, -100, 0, 300, kBlack, 8);
    EXPECT_EQ(CountNot(edge, kWhite), 20);
    edge.DrawLine(-100, -100, INT_MAX, INT_MAX, kBlack, 8);  // far ends, no overflow
    EXPECT_EQ(edge.Util().ReadPixel(10, 10).Value(), 0u);
    edge.DrawLine(-50, 5, 10, 30, kBlack, 8);  // passes outside the corner
}

TEST(DrawLine, AntiAliasedWidthRules)
{
    // Rounds with Width 4 falls back to squares: a half-pixel stroke.
    WhiteBitmap rounds(30, 10);
    rounds.DrawLine(5, 5, 20, 0, kBlack, 4);
    EXPECT_NEAR(Ink(rounds, 10, 5), 128, 2);
    EXPECT_EQ(Ink(rounds, 4, 5), 0);  // no round cap
    // Squares with Width 1 draws Width 2: a quarter of the row.
    WhiteBitmap squares(30, 10);
    squares.SetLineDrawMethod(bldmAntiAliasingSquares);
    squares.DrawLine(5, 5, 20, 0, kBlack, 1);
    EXPECT_NEAR(Ink(squares, 10, 5), 64, 2);
    // Full coverage of an opaque colour is exactly the colour.
    WhiteBitmap full(30, 10);
    full.DrawLine(5, 5, 20, 0, RColorWord(0x00996633), 8);
    EXPECT_EQ(full.Util().ReadPixel(10, 5).Value(), 0x996633u);
}

TEST(DrawLine, EndsFarOutsideStillDrawWhereTheLineCrosses)
{
    WhiteBitmap bitmap(100, 100);
    bitmap.Util().SetClip(10, 10, 80, 80);
    bitmap.DrawLine(-290, 50, 680, 0, kBlack, 8);  // ends 300 px outside
    EXPECT_EQ(bitmap.Util().ReadPixel(50, 50).Value(), 0u);
    EXPECT_EQ(bitmap.Util().ReadPixel(10, 50).Value(), 0u);
    EXPECT_EQ(bitmap.Util().ReadPixel(9, 50).Value(), kWhite.Value());
    EXPECT_EQ(bitmap.Util().ReadPixel(90, 50).Value(), kWhite.Value());
    // A thinned straight run 70,000 px long on both sides.
    bitmap.DrawLine(-70000, 30, 140000, 0, kBlack, 10);
    EXPECT_EQ(bitmap.Util().ReadPixel(50, 30).Value(), 0u);
    bitmap.DrawLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kBlack, 10);
    bitmap.DrawLine(0, 0, 0, 0, kBlack, INT_MAX);  // a huge dot covers the box
    EXPECT_EQ(bitmap.Util().ReadPixel(89, 89).Value(), 0u);
}

TEST(Primitives, EmptyClipBoxDrawsNothing)
{
    WhiteBitmap bitmap(40, 40);
    bitmap.Util().SetClip(10, 10, 0, 20);
    bitmap.FillRect(0, 0, 40, 40, kBlack);
    bitmap.FrameRect(0, 0, 40, 40, kBlack);
    for (const auto method : {bldmSimple, bldmAntiAliasingSquares, bldmAntiAliasingRounds}) {
        bitmap.SetLineDrawMethod(method);
        bitmap.DrawLine(0, 0, 40, 40, kBlack, 16);
    }
    bitmap.DrawRing(20, 20, kBlack, 10, 0);
    bitmap.DrawArc(20, 20, kBlack, 10, 0, 0.1, 0.2);
    bitmap.DrawText(10, 10, "text", kBlack);
    EXPECT_EQ(CountNot(bitmap, kWhite), 0);
}

TEST(Primitives, ClipBoxWhoseIntegersWrapDrawsNothing)
{
    // Left plus width is -4e9, which wrapped to a positive int.
    WhiteBitmap bitmap(40, 30);
    bitmap.Util().SetClip(-2000000000, 0, -2000000000, 30);
    bitmap.FillRect(0, 0, 40, 30, kBlack);
    bitmap.FrameRect(0, 0, 40, 30, kBlack);
    bitmap.DrawRing(20, 15, kBlack, 10, 0);
    EXPECT_EQ(CountNot(bitmap, kWhite), 0);
}

TEST(DrawRing, SimpleAndAntiAliasedAgreeOnTheShape)
{
    WhiteBitmap simple(60, 60), smooth(60, 60);
    simple.SetRingDrawMethod(brdmSimple);
    simple.DrawRing(30, 30, kBlack, 20, 10);
    smooth.DrawRing(30, 30, kBlack, 20, 10);
    for (RBitmap32* bitmap : {&simple, &smooth}) {
        EXPECT_EQ(bitmap->Util().ReadPixel(30, 30).Value(), kWhite.Value());
        EXPECT_EQ(bitmap->Util().ReadPixel(30, 15).Value(), 0u);
        EXPECT_EQ(bitmap->Util().ReadPixel(30, 5).Value(), kWhite.Value());
    }
    const int area = CountNot(simple, kWhite);
    EXPECT_NEAR(area, 3.14159 * 300, 30);
}

TEST(DrawRing, BadRadiiDrawNothing)
{
    WhiteBitmap bitmap(60, 60);
    for (const auto method : {brdmSimple, brdmAntiAliasing}) {
        bitmap.SetRingDrawMethod(method);
        bitmap.DrawRing(30, 30, kBlack, 10, 11);
        bitmap.DrawRing(30, 30, kBlack, 10, -1);
        bitmap.DrawArc(30, 30, kBlack, 10, 11, 0, 0.5);
    }
    EXPECT_EQ(CountNot(bitmap, kWhite), 0);
    bitmap.DrawRing(INT_MAX, INT_MAX, kBlack, INT_MAX, 0);
    bitmap.DrawArc(30, INT_MIN, kBlack, INT_MAX, 0, 0, 0);
    bitmap.DrawArc(30, INT_MAX, kBlack, INT_MAX, 5, 0.5, 0.5);
    bitmap.SetRingDrawMethod(brdmSimple);
    bitmap.DrawRing(INT_MIN, 0, kBlack, INT_MAX, INT_MAX - 1);
}

TEST(DrawArc, FractionsSectorsAndRadialStrokes)
{
    WhiteBitmap whole(60, 60), ring(60, 60);
    whole.DrawArc(30, 30, kBlack, 20, 5, 1, 0);
    ring.DrawRing(30, 30, kBlack, 20, 5);
    EXPECT_EQ(CountNot(whole, kWhite), CountNot(ring, kWhite));

    WhiteBitmap half(60, 60);
    half.DrawArc(30, 30, kBlack, 20, 0, 0, 0.5);  // right half
    EXPECT_EQ(half.Util().ReadPixel(40, 30).Value(), 0u);
    EXPECT_EQ(half.Util().ReadPixel(20, 30).Value(), kWhite.Value());

    WhiteBitmap up(60, 60);
    up.DrawArc(30, 30, kBlack, 20, 5, 0.00000001, 0);  // both count as 0: a radial stroke up
    EXPECT_EQ(CountNot(up, kWhite), 15);
    EXPECT_EQ(up.Util().ReadPixel(30, 10).Value(), 0u);

    WhiteBitmap slanted(60, 60);
    slanted.DrawArc(30, 30, kBlack, 20, 5, 0.125, 0.125);
    EXPECT_GT(Ink(slanted, 38, 22), 100);  // up and to the right
    EXPECT_EQ(Ink(slanted, 22, 38), 0);
}

TEST(Layer, PaintsThroughTheMaskAndOnlyAtTheSameSize)
{
    WhiteBitmap bitmap(20, 20);
    RBitmapGrayCore* layer = bitmap.CreateLayer();
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->Util().ReadPixel(7, 7).Value(), 0xFFFFFFu);
    layer->FillRect(2, 2, 4, 1, RColorWord(0x000000));  // full coverage
    layer->FillRect(2, 4, 1, 1, RColorWord(0x808080));  // half
    bitmap.ApplyLayer(RColorWord(0xFF0000));
    EXPECT_EQ(bitmap.Util().ReadPixel(3, 2).Value(), 0xFF0000u);
    const std::uint32_t half = bitmap.Util().ReadPixel(2, 4).Value();
    EXPECT_EQ(half >> 16, 0xFFu);
    EXPECT_NEAR(int(half & 0xFF), 0x80, 2);
    EXPECT_EQ(bitmap.Util().ReadPixel(10, 10).Value(), kWhite.Value());

    bitmap.SetSize(30, 30);
    bitmap.FillRect(0, 0, 30, 30, kWhite);
    bitmap.ApplyLayer(RColorWord(0xFF0000));  // the layer is still 20 x 20
    EXPECT_EQ(CountNot(bitmap, kWhite), 0);

    RBitmapGrayCore grey(10, 10);
    EXPECT_EQ(grey.CreateLayer(), nullptr);
    grey.ApplyLayer(RColorWord(0));
}
