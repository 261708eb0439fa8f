#pragma once
// RGlyphRasterizer: draws the glyphs of one font with FreeType into a work
// square and encodes them as runs (font_data.h). Construct it under the
// raster lock; it holds the font face until it is destroyed.
//
// The face is found through fontconfig from the font's name, weight and
// italic flag and sized to Size * dpi / 72 pixels, rounded. Each glyph is
// drawn so that its character cell (hinted advance w by the font's cell
// height h, the same h for every character) is centred in the work square,
// rotated by the font's angle; underline and strike-out are bars as long as
// the advance. The resolution is fixed for the process before the first
// font is made: 96 dpi unless SetRasterDpi() said otherwise.

#include "raster/font.h"

#include <memory>

struct RGlyph;

// Points beyond this (or below 1) draw nothing: the work square of a larger
// font would be unreasonably big.
constexpr int kMaxFontSize = 400;

int RasterDpi();
// False (and no change) once a font was made, or for a value outside 24..1200.
bool SetRasterDpi(int dpi);

// Side of the work square for a font size: Size * 2 * dpi / 72 (integer
// division), at least 4, rounded up to a multiple of 4; then 4 is added in
// when it passes 32 and 8 when it passes 128.
int WorkSquareSide(int size, int dpi);

class RGlyphRasterizer {
public:
    // Raises RRasterError when no face can be opened for the font.
    RGlyphRasterizer(const RFont& font, RFontMode mode);
    ~RGlyphRasterizer();
    RGlyphRasterizer(const RGlyphRasterizer&) = delete;
    RGlyphRasterizer& operator=(const RGlyphRasterizer&) = delete;

    int Side() const;
    // The font's cell height in pixels (rounded ascender plus rounded descender).
    int CellHeight() const;
    // Rasterises the character `code` (Windows-1251) into `glyph`; does not
    // touch its present flag.
    void Rasterise(unsigned char code, RGlyph& glyph);

private:
    struct Face;
    std::unique_ptr<Face> face_;
};
