// Glyph rasterising through FreeType: work-square sizes, metrics, rotation.

#include "container/text_codec.h"
#include "raster/font_data.h"
#include "raster/glyph_rasterizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(WorkSquare, SideFollowsSizeAndResolution)
{
    EXPECT_EQ(WorkSquareSide(8, 96), 24);   // 21 rounded up to 24
    EXPECT_EQ(WorkSquareSide(20, 96), 60);  // 53 -> 56, then 4 added past 32
    EXPECT_EQ(WorkSquareSide(1, 96), 4);
    EXPECT_EQ(WorkSquareSide(60, 96), 172);  // 160, past 32 and 128: 4 and 8 added
    EXPECT_EQ(RasterDpi(), 96);
}

TEST(GlyphRasterizer, EightPointCellAndAdvances)
{
    RGlyphRasterizer rasterizer(RFont("Arial", 8), RFontMode::Grey);
    EXPECT_FALSE(SetRasterDpi(120));  // fixed once a font was made
    EXPECT_EQ(rasterizer.Side(), 24);
    // 11 px em: Liberation Sans's win ascent and descent round to 10 + 2.
    EXPECT_EQ(rasterizer.CellHeight(), 12);
    RGlyph zero, space;
    rasterizer.Rasterise('0', zero);
    rasterizer.Rasterise(' ', space);
    EXPECT_EQ(zero.advanceX % 256, 0);  // whole pixels
    EXPECT_EQ(zero.advanceX, 6 * 256);
    EXPECT_EQ(zero.advanceY, 0);
    EXPECT_GT(zero.height, 5);
    EXPECT_TRUE(RFontData::RunsValid(zero.runs, zero.width, zero.height));
    EXPECT_TRUE(space.runs.empty());
    EXPECT_GT(space.advanceX, 0);
}

TEST(GlyphRasterizer, HighCodesAreWindows1251Letters)
{
    RGlyphRasterizer rasterizer(RFont("Arial", 10), RFontMode::Grey);
    const std::string de = TextCodec::Utf8ToCp1251("Д");
    ASSERT_EQ(de.size(), 1u);
    EXPECT_EQ(static_cast<unsigned char>(de[0]), 0xC4);
    RGlyph glyph;
    rasterizer.Rasterise(0xC4, glyph);
    EXPECT_GT(glyph.width, 5);
    EXPECT_GT(glyph.advanceX, 0);
}

TEST(GlyphRasterizer, Angle900RunsUpwards)
{
    RGlyphRasterizer rasterizer(RFont("Arial", 8, 4, false, false, false, 900), RFontMode::Grey);
    RGlyph glyph;
    rasterizer.Rasterise('W', glyph);
    EXPECT_EQ(glyph.advanceX, 0);
    EXPECT_LT(glyph.advanceY, 0);
    EXPECT_GT(glyph.height, glyph.width);  // a wide letter stands on its side
}

TEST(GlyphRasterizer, ModeZeroHasTwoLevels)
{
    RGlyphRasterizer rasterizer(RFont("Arial", 10), RFontMode::TwoLevel);
    RGlyph glyph;
    rasterizer.Rasterise('A', glyph);
    ASSERT_FALSE(glyph.runs.empty());
    for (const std::uint16_t item : glyph.runs)
        EXPECT_LE(item & 0xFF, 1);
}

TEST(GlyphRasterizer, UnderlineIsABarAsLongAsTheAdvance)
{
    RGlyphRasterizer plain(RFont("Arial", 10), RFontMode::Grey), underlined(RFont("Arial", 10, 4, false, true), RFontMode::Grey);
    RGlyph a, b;
    plain.Rasterise('i', a);
    underlined.Rasterise('i', b);
    EXPECT_EQ(b.width, b.advanceX / 256);
    EXPECT_GT(b.height, a.height);
}

namespace {

// The grey levels of a glyph, row by row (255 white, 0 full ink).
std::vector<std::vector<int>> Levels(const RGlyph& glyph)
{
    std::vector<std::vector<int>> rows(static_cast<std::size_t>(glyph.height));
    std::size_t item = 0;
    for (auto& row : rows) {
        for (; glyph.runs[item] != 0; ++item)
            row.insert(row.end(), glyph.runs[item] >> 8, glyph.runs[item] & 0xFF);
        ++item;
    }
    return rows;
}

}  // namespace

// A space draws nothing but the bar. Turned a quarter, a half or three
// quarters, the bar must stay as thick and as solid as upright: a bar whose
// centre sat on a pixel edge came out two grey pixels wide.
TEST(GlyphRasterizer, RotatedUnderlineAndStrikeOutAreSolidBarsAsThickAsUpright)
{
    // Bars 1 and 2 pixels thick at 10 and 24 pt, 3 and 4 at 40 pt.
    for (const int size : {10, 24, 40}) {
        for (const bool strikeOut : {false, true}) {
            RGlyph upright;
            RGlyphRasterizer(RFont("Arial", size, 4, false, !strikeOut, strikeOut), RFontMode::Grey).Rasterise(' ', upright);
            ASSERT_TRUE(RFontData::RunsValid(upright.runs, upright.width, upright.height));
            const int thickness = upright.height, length = upright.width;
            ASSERT_GE(length, 2);
            for (const int angle : {0, 900, 1800, 2700}) {
                SCOPED_TRACE(std::to_string(size) + " pt, " + std::to_string(angle)
                             + (strikeOut ? ", strike-out" : ", underline"));
                RGlyph bar;
                RGlyphRasterizer(RFont("Arial", size, 4, false, !strikeOut, strikeOut, angle), RFontMode::Grey).Rasterise(' ', bar);
                ASSERT_TRUE(RFontData::RunsValid(bar.runs, bar.width, bar.height));
                const bool across = angle == 900 || angle == 2700;
                EXPECT_EQ(across ? bar.width : bar.height, thickness);
                EXPECT_EQ(across ? bar.height : bar.width, length);
                int partlyInked = 0;
                for (const auto& row : Levels(bar))
                    for (const int level : row)
                        partlyInked += level != 0;
                EXPECT_EQ(partlyInked, 0);
            }
        }
    }
}

TEST(GlyphRasterizer, OutOfRangeSizesDrawNothing)
{
    for (const int size : {0, -8, kMaxFontSize + 1}) {
        RGlyphRasterizer rasterizer(RFont("Arial", size), RFontMode::Grey);
        RGlyph glyph;
        rasterizer.Rasterise('A', glyph);
        EXPECT_TRUE(glyph.runs.empty());
        EXPECT_EQ(glyph.advanceX, 0);
    }
}
