#pragma once
// RBitmap: a bitmap's pixels (RBitmapUtil), its line style, its current
// font and text drawing. The 32-bit and grey bitmaps derive from it through
// RBitmapTrueColor; the window side (showing it, mouse events) lives in the
// application.
//
// Text is 8-bit Windows-1251, read as unsigned bytes. A tab counts as a
// space, line feed and NUL start a new line, other codes below 32 are
// skipped. The pen runs in 1/256 pixel and starts half a line advance in, so
// (x, y) is the top-left of the text block for upright text; each glyph is
// centred on the midpoint of its advance.

#include "raster/bitmap_line_style.h"
#include "raster/bitmap_util.h"
#include "raster/font.h"
#include "raster/pixel_format.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class RDataContainer;
class RFontData;

// A text block's size in pixels and its signed extent vector in 1/256 pixel
// (the widest line plus one line advance per line).
struct RTextExtent {
    int width = 0, height = 0;
    std::int64_t extentX = 0, extentY = 0;
};

class RBitmap {
public:
    virtual ~RBitmap();
    RBitmap(const RBitmap&) = delete;
    RBitmap& operator=(const RBitmap&) = delete;

    RBitmapUtil& Util() { return util_; }
    const RBitmapUtil& Util() const { return util_; }
    int Width() const { return util_.Width(); }
    int Height() const { return util_.Height(); }
    // Sizes below 1 are stored as 1.
    void SetSize(int width, int height) { util_.SetSize(width, height); }
    RBitmapLineStyle& LineStyle() { return lineStyle_; }

    const RFont& Font() const { return font_; }
    // Makes `font` current; it is looked up (and rasterised if need be) on
    // first use.
    void SetFont(const RFont& font);

    // With a container the bitmap takes its fonts from it (fonts.dat)
    // instead of the process cache: each font is loaded from its node into a
    // private list, glyphs absent there are rasterised on first use. The
    // bitmap does not own the container; pass none to detach it.
    RDataContainer* FontContainer() const { return fontContainer_; }
    void SetFontContainer(RDataContainer* container);

    // The hidden fonts build: gives the bitmap `container`, saves every font
    // of the bitmap's process cache into it, and detaches it again (also on
    // failure), so the caller may free it.
    void BuildFonts(RDataContainer& container);

    // Draws `text` in a colour word (0xTTRRGGBB) with its top-left at
    // (x, y), or centred on (x, y). Raises RError when the font cannot be
    // opened.
    void DrawText(int x, int y, std::string_view text, RColorWord color, bool centred = false);
    RTextExtent MeasureText(std::string_view text);

    // The current font's raster, selecting it now if need be.
    RFontData& CurrentFontData();

protected:
    explicit RBitmap(int bytesPerPixel, int width, int height);

    virtual RFontMode FontMode() const { return RFontMode::TwoLevel; }

    // Calls f with the pixel-format policy of this bitmap.
    template <class F>
    void WithFormat(F&& f)
    {
        if (util_.BytesPerPixel() == 4)
            f(RPixelFormat32{});
        else
            f(RPixelFormatGray{});
    }

    RBitmapUtil util_;
    RBitmapLineStyle lineStyle_;

private:
    template <class Format>
    void PaintText(int x, int y, std::string_view text, RColorWord word);

    RFont font_;
    RFontData* fontData_ = nullptr;
    RDataContainer* fontContainer_ = nullptr;
    std::vector<std::unique_ptr<RFontData>> privateFonts_;
};
