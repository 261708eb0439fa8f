// Text drawing and measuring on bitmaps, and fonts taken from a container.

#include "container/data_container.h"
#include "container/text_codec.h"
#include "raster/bitmap32.h"
#include "raster/font_data.h"
#include "raster/font_raster_container.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr RColorWord kWhite(0xFFFFFF), kBlack(0x000000);

struct InkBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int pixels = 0;
};

InkBox FindInk(const RBitmap32& bitmap)
{
    InkBox box;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Util().ReadPixel(x, y).Value() != kWhite.Value()) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
                ++box.pixels;
            }
    return box;
}

// A bitmap on white paper with a font selected.
struct WhiteBitmap : RBitmap32 {
    WhiteBitmap(int width, int height, const RFont& font) : RBitmap32(width, height)
    {
        FillRect(0, 0, width, height, kWhite);
        SetFont(font);
    }
};

}  // namespace

TEST(MeasureText, TabIsASpaceAndControlCodesTakeNoRoom)
{
    WhiteBitmap bitmap(10, 10, RFont("Arial", 8));
    const RTextExtent spaced = bitmap.MeasureText("a b");
    EXPECT_EQ(bitmap.MeasureText("a\tb").width, spaced.width);
    EXPECT_EQ(bitmap.MeasureText("a\x01\x1b b").width, spaced.width);
    EXPECT_EQ(spaced.height, 12);
    const RTextExtent twoLines = bitmap.MeasureText("wide line\nab");
    EXPECT_EQ(twoLines.width, bitmap.MeasureText("wide line").width);
    EXPECT_EQ(twoLines.height, 24);
    EXPECT_EQ(twoLines.extentY, 24 * 256);
}

TEST(MeasureText, RotatedTextExtentRunsUpwards)
{
    WhiteBitmap bitmap(10, 10, RFont("Arial", 8, 4, false, false, false, 900));
    const RTextExtent extent = bitmap.MeasureText("Gamma");
    WhiteBitmap upright(10, 10, RFont("Arial", 8));
    EXPECT_EQ(extent.height, upright.MeasureText("Gamma").width);
    EXPECT_EQ(extent.width, 12);
    EXPECT_LT(extent.extentY, 0);
    EXPECT_GT(extent.extentX, 0);
}

TEST(DrawText, TabDrawsLikeASpaceAndControlCodesNothing)
{
    WhiteBitmap tab(100, 30, RFont("Arial", 8)), space(100, 30, RFont("Arial", 8));
    tab.DrawText(5, 5, "a\tb\x02", kBlack);
    space.DrawText(5, 5, "a b", kBlack);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(tab.Util().ReadPixel(x, y).Value(), space.Util().ReadPixel(x, y).Value()) << x << "," << y;
}

TEST(DrawText, FullInkIsOpaqueAndTransparencyLightens)
{
    WhiteBitmap bitmap(60, 60, RFont("Arial", 24, 7));
    bitmap.DrawText(5, 5, "I", kBlack);
    const InkBox box = FindInk(bitmap);
    ASSERT_GT(box.pixels, 0);
    EXPECT_EQ(bitmap.Util().ReadPixel((box.left + box.right) / 2, (box.top + box.bottom) / 2).Value(), 0u);

    WhiteBitmap faint(60, 60, RFont("Arial", 24, 7));
    faint.DrawText(5, 5, "I", RColorWord(0x80000000));
    const std::uint32_t pixel = faint.Util().ReadPixel((box.left + box.right) / 2, (box.top + box.bottom) / 2).Value();
    EXPECT_NEAR(int(pixel & 0xFF), 128, 3);
}

TEST(DrawText, CyrillicBytesAreLettersNotControlCodes)
{
    WhiteBitmap bitmap(60, 30, RFont("Arial", 10));
    bitmap.DrawText(2, 2, TextCodec::Utf8ToCp1251("Д"), kBlack);
    EXPECT_GT(FindInk(bitmap).pixels, 10);
}

TEST(DrawText, GlyphsAreClippedInRowsAndColumns)
{
    WhiteBitmap full(80, 40, RFont("Arial", 12)), clipped(80, 40, RFont("Arial", 12));
    full.DrawText(0, 0, "WWWW", kBlack);
    clipped.Util().SetClip(10, 5, 20, 8);
    clipped.DrawText(0, 0, "WWWW", kBlack);
    const InkBox box = FindInk(clipped);
    ASSERT_GT(box.pixels, 0);
    EXPECT_GE(box.left, 10);
    EXPECT_LT(box.right, 30);
    EXPECT_GE(box.top, 5);
    EXPECT_LT(box.bottom, 13);
    for (int y = 5; y < 13; ++y)
        for (int x = 10; x < 30; ++x)
            EXPECT_EQ(clipped.Util().ReadPixel(x, y).Value(), full.Util().ReadPixel(x, y).Value());
    // Far off the bitmap: nothing, and no overflow.
    clipped.DrawText(2147483000, -2147483000, "WWWW", kBlack);
    EXPECT_EQ(FindInk(clipped).pixels, box.pixels);
}

TEST(DrawText, CentringUsesTheSignedExtent)
{
    for (const int angle : {0, 900}) {
        WhiteBitmap bitmap(120, 120, RFont("Arial", 10, 4, false, false, false, angle));
        bitmap.DrawText(60, 60, "Caption", kBlack, true);
        const InkBox box = FindInk(bitmap);
        EXPECT_NEAR((box.left + box.right) / 2.0, 60, 3) << angle;
        EXPECT_NEAR((box.top + box.bottom) / 2.0, 60, 3) << angle;
    }
}

TEST(DrawText, RotatedTextRunsUpwardsAndLinesStepRight)
{
    WhiteBitmap bitmap(80, 120, RFont("Arial", 10, 4, false, false, false, 900));
    bitmap.DrawText(10, 110, "Rising", kBlack);
    const InkBox one = FindInk(bitmap);
    EXPECT_GT(one.bottom - one.top, one.right - one.left);
    EXPECT_LE(one.bottom, 110);
    bitmap.DrawText(10, 110, "\nSecond", kBlack);
    EXPECT_GT(FindInk(bitmap).right, one.right + 8);
}

TEST(DrawText, TextTurnedHalfRoundKeepsItsLetterSpacing)
{
    // Glyphs of odd and even advance mixed: text at Angle 1800 is the upright
    // text turned about its centre, letter for letter, where the pen runs
    // into negative numbers as well as where it stays positive.
    const char* text = "lolmin Rotated";
    WhiteBitmap upright(140, 40, RFont("Arial", 8));
    upright.DrawText(10, 10, text, kBlack);
    WhiteBitmap turned(140, 40, RFont("Arial", 8, 4, false, false, false, 1800));
    turned.DrawText(130, 30, text, kBlack);
    const InkBox a = FindInk(upright), b = FindInk(turned);
    ASSERT_EQ(a.right - a.left, b.right - b.left);
    ASSERT_EQ(a.bottom - a.top, b.bottom - b.top);
    int worst = 0;
    for (int y = 0; y <= a.bottom - a.top; ++y)
        for (int x = 0; x <= a.right - a.left; ++x) {
            const int one = static_cast<int>(upright.Util().ReadPixel(a.left + x, a.top + y).Value() & 0xFF);
            const int other = static_cast<int>(turned.Util().ReadPixel(b.right - x, b.bottom - y).Value() & 0xFF);
            worst = std::max(worst, std::abs(one - other));
        }
    EXPECT_LE(worst, 24) << "a letter of the turned text sits a pixel off";
}

TEST(FontContainer, BitmapLoadsFontsFromItAndDrawsTheSame)
{
    const RFont font("Arial", 8);
    WhiteBitmap cached(120, 20, font);
    cached.DrawText(2, 2, "Depth 1500 m", kBlack);

    RDataContainer fonts;
    RBitmap32 builder(10, 10);
    builder.SetFont(font);
    builder.CurrentFontData();
    builder.BuildFonts(fonts);
    EXPECT_EQ(builder.FontContainer(), nullptr);  // detached before the caller frees it
    ASSERT_NE(fonts.NodeByPath("Arial\\8\\4\\000\\0"), nullptr);

    // Through the file and back, then drop one glyph: it is rasterised on first use.
    TempDir dir;
    fonts.SaveToFile(dir.File("fonts.dat"));
    fonts.Clear();
    ASSERT_TRUE(fonts.LoadFromFile(dir.File("fonts.dat")));
    fonts.NodeByPath("Arial\\8\\4\\000\\0")->Object('D' - 31)->SetValueCount(0);
    WhiteBitmap loaded(120, 20, font);
    loaded.SetFontContainer(&fonts);
    loaded.DrawText(2, 2, "Depth 1500 m", kBlack);
    EXPECT_EQ(RFontRasterContainer::TrueColor().Find(font), &cached.CurrentFontData());
    EXPECT_NE(&loaded.CurrentFontData(), &cached.CurrentFontData());
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(loaded.Util().ReadPixel(x, y).Value(), cached.Util().ReadPixel(x, y).Value()) << x << "," << y;
}
