// Glyph runs and the fonts.dat node layout, including damaged nodes.

#include "container/data_container.h"
#include "raster/font_data.h"
#include "raster/font_raster_container.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

TEST(GlyphRuns, ValidationChecksRowsWidthsAndTerminators)
{
    // Two rows of width 3: "2 x level 0, 1 x level 255".
    const std::vector<std::uint16_t> good = {0x0200, 0x01FF, 0, 0x0300, 0};
    EXPECT_TRUE(RFontData::RunsValid(good, 3, 2));
    EXPECT_FALSE(RFontData::RunsValid(good, 3, 1));  // items left over
    EXPECT_FALSE(RFontData::RunsValid(good, 3, 3));  // a row missing
    EXPECT_FALSE(RFontData::RunsValid(good, 4, 2));  // row too short
    EXPECT_FALSE(RFontData::RunsValid({0x0200, 0x01FF, 0, 0x0300}, 3, 2));  // no final 0
    EXPECT_FALSE(RFontData::RunsValid({0x0005, 0x0300, 0}, 3, 1));          // zero-length run
    EXPECT_FALSE(RFontData::RunsValid({0x0400, 0}, 3, 1));                  // row too long
    EXPECT_FALSE(RFontData::RunsValid({}, 0, 0));
}

TEST(FontNode, PathNamesEveryKeyField)
{
    EXPECT_EQ(RFontData(RFont("Arial", 8), RFontMode::Grey).NodePath(), "Arial\\8\\4\\000\\0");
    EXPECT_EQ(RFontData(RFont("Arial", 10, 7, true, false, true, 900), RFontMode::Grey).NodePath(),
              "Arial\\10\\7\\101\\900");
}

TEST(FontNode, SaveAndLoadGiveTheSameGlyphs)
{
    RFontData& original = *RFontRasterContainer::TrueColor().Select(RFont("Arial", 8));
    RDCNode node("font");
    original.SaveToNode(node);
    // Run items are stored little-endian.
    const RGlyph& zero = original.GlyphAt('0' - 32);
    const auto bytes = node.ObjectAt('0' - 31)->ValueAt(0)->AsBinary();
    ASSERT_EQ(bytes.size(), zero.runs.size() * 2);
    EXPECT_EQ(bytes[0], zero.runs[0] & 0xFF);
    EXPECT_EQ(bytes[1], zero.runs[0] >> 8);
    // A present empty glyph is a zero-length block.
    EXPECT_EQ(node.ObjectAt(1)->ValueAt(0)->Type(), RDCType::Binary);
    EXPECT_EQ(node.ObjectAt(1)->ValueAt(0)->Size(), 0u);

    RFontData loaded(RFont("Arial", 8), RFontMode::Grey);
    loaded.LoadFromNode(node);
    EXPECT_TRUE(loaded.AllPresent());
    EXPECT_EQ(loaded.LineAdvanceY(), original.LineAdvanceY());
    for (int i = 0; i < RFontData::kGlyphCount; ++i) {
        const RGlyph& a = original.GlyphAt(i);
        const RGlyph& b = loaded.GlyphAt(i);
        EXPECT_EQ(a.runs, b.runs) << i;
        EXPECT_EQ(a.width, b.width);
        EXPECT_EQ(a.originX, b.originX);
        EXPECT_EQ(a.originY, b.originY);
        EXPECT_EQ(a.advanceX, b.advanceX);
    }
}

TEST(FontNode, DamagedGlyphsAreMadeAgainAndMissingLineAdvanceComputed)
{
    RFontData& original = *RFontRasterContainer::TrueColor().Select(RFont("Arial", 8));
    RDCNode node("font");
    original.SaveToNode(node);
    node.Object(0)->SetValueCount(0);                                  // no line advance
    node.Object('A' - 31)->Value(3)->SetInteger(1000);                 // width beyond the square
    node.Object('B' - 31)->Value(0)->SetBinary(3, "abc");              // odd length
    node.Object('C' - 31)->Value(4)->SetInteger(1);                    // rows do not match
    node.Object('D' - 31)->Value(5)->SetString("wide");                // wrong type
    node.Object('E' - 31)->Value(0)->SetBinary(4, "\x01\x02\x00\x00"); // run of length 2, level 1: row width wrong

    RFontData loaded(RFont("Arial", 8), RFontMode::Grey);
    loaded.LoadFromNode(node);
    EXPECT_EQ(loaded.LineAdvanceX(), original.LineAdvanceX());
    EXPECT_EQ(loaded.LineAdvanceY(), original.LineAdvanceY());
    for (const char code : {'A', 'B', 'C', 'D', 'E'})
        EXPECT_FALSE(loaded.GlyphAt(code - 32).present) << code;
    EXPECT_TRUE(loaded.GlyphAt('F' - 32).present);
    // Used, they are rasterised again and equal the originals.
    EXPECT_EQ(loaded.Glyph('A').runs, original.GlyphAt('A' - 32).runs);
    EXPECT_TRUE(loaded.AllPresent());
}

TEST(FontNode, GlyphBoundsOfIntMinAreDamageNotWrappedNumbers)
{
    // A fonts.dat whose glyphs claim origins and advances of INT_MIN, the
    // one value whose magnitude an int cannot hold: read back from the
    // file, those glyphs are refused and made again, like any out of bounds.
    constexpr std::int32_t kLeast = std::numeric_limits<std::int32_t>::min();
    RFontData& original = *RFontRasterContainer::TrueColor().Select(RFont("Arial", 8));
    RDataContainer written;
    RDCNode& node = *written.NodeByPath(original.NodePath(), true);
    original.SaveToNode(node);
    node.Object(0)->Value(1)->SetInteger(kLeast);         // line advance
    node.Object('A' - 31)->Value(1)->SetInteger(kLeast);  // origin x
    node.Object('B' - 31)->Value(2)->SetInteger(kLeast);  // origin y
    node.Object('C' - 31)->Value(5)->SetInteger(kLeast);  // advance x
    node.Object('D' - 31)->Value(6)->SetInteger(kLeast);  // advance y
    TempDir dir;
    written.SaveToFile(dir.File("fonts.dat"));
    RDataContainer read;
    ASSERT_TRUE(read.LoadFromFile(dir.File("fonts.dat")));
    const RDCNode* const stored = read.NodeByPath(original.NodePath());
    ASSERT_NE(stored, nullptr);

    RFontData loaded(RFont("Arial", 8), RFontMode::Grey);
    loaded.LoadFromNode(*stored);
    EXPECT_EQ(loaded.LineAdvanceY(), original.LineAdvanceY());
    for (const char code : {'A', 'B', 'C', 'D'})
        EXPECT_FALSE(loaded.GlyphAt(code - 32).present) << code;
    EXPECT_TRUE(loaded.GlyphAt('E' - 32).present);
    EXPECT_EQ(loaded.Glyph('C').advanceX, original.GlyphAt('C' - 32).advanceX);
}
