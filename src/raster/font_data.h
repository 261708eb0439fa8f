#pragma once
// RFontData: one font's glyph raster, as cached for the whole process and
// as stored in fonts.dat.
//
// A glyph is stored as run-length grey levels over its box, rows top to
// bottom; each row is a list of 16-bit items, high byte the run length
// (1..255 pixels), low byte the level, and ends with the item 0. In mode 1
// the level is the grey value (0 full ink, 255 background); in mode 0 it is
// 0 for ink and 1 for background. OriginX/OriginY place the work square's
// centre relative to the box's top-left corner; advances and the line
// advance are vectors in 1/256 pixel.
//
// Threads: a glyph's `present` flag is published (release) only after its
// data is complete, so readers that see it set may use the data without the
// lock; a missing glyph is rasterised under the raster lock.

#include "raster/font.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class RDCNode;

struct RGlyph {
    std::vector<std::uint16_t> runs;
    int width = 0, height = 0;
    int originX = 0, originY = 0;
    int advanceX = 0, advanceY = 0;
    std::atomic<bool> present{false};
};

class RFontData {
public:
    static constexpr int kFirstCode = 32;
    static constexpr int kGlyphCount = 224;  // codes 32..255

    RFontData(const RFont& font, RFontMode mode);

    const RFont& Font() const { return font_; }
    RFontMode Mode() const { return mode_; }
    // Side of the square the glyphs are drawn in, in pixels.
    int Side() const { return side_; }
    int LineAdvanceX() const { return lineAdvanceX_; }
    int LineAdvanceY() const { return lineAdvanceY_; }

    // The glyph of a code 32..255; a glyph not yet present is rasterised
    // first (with every other missing one). Raises RError when the font
    // cannot be opened.
    const RGlyph& Glyph(unsigned char code);
    // The glyph as it stands, present or not.
    const RGlyph& GlyphAt(int index) const { return glyphs_[static_cast<std::size_t>(index)]; }
    bool AllPresent() const;

    // Rasterises every missing glyph and the line advance, under the lock.
    void RasteriseMissing();

    // The container path of this font: Name\Size\Weight\IUS\Angle.
    std::string NodePath() const;
    void SaveToNode(RDCNode& node) const;
    // Takes every valid glyph from `node`; the others stay missing and are
    // rasterised on first use. A node without a valid object 0 gets its line
    // advance computed.
    void LoadFromNode(const RDCNode& node);

    // True when `runs` decode to exactly `height` rows of `width` pixels,
    // with runs of 1..255 and each row ended by an item 0.
    static bool RunsValid(const std::vector<std::uint16_t>& runs, int width, int height);

    // Next entry of a cache bucket; set before the entry is published.
    RFontData* next = nullptr;

private:
    void ComputeLineAdvance();

    RFont font_;
    RFontMode mode_;
    int side_;
    int lineAdvanceX_ = 0, lineAdvanceY_ = 0;
    bool lineAdvanceKnown_ = false;
    std::array<RGlyph, kGlyphCount> glyphs_;
};
