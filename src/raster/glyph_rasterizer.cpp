#include "raster/glyph_rasterizer.h"

#include "container/text_codec.h"
#include "raster/bitmap_gray_core.h"
#include "raster/font_data.h"
#include "raster/raster_error.h"
#include "raster/raster_lock.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <numbers>
#include <string>
#include <tuple>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

namespace {

std::atomic<int> g_dpi{96};
std::atomic<bool> g_fontMade{false};

FT_Library Library()
{
    // Called under the raster lock.
    static FT_Library library = [] {
        FT_Library made = nullptr;
        if (FT_Init_FreeType(&made) != 0)
            throw RRasterError({.Kind = RRasterErrorKind::FreeTypeUnavailable});
        return made;
    }();
    return library;
}

struct FaceFile {
    std::string path;
    int index = 0;
};

// The raster engine's own fontconfig configuration, loaded on first use and
// released at exit (the library's implicit default one never is).
class FontConfig {
public:
    FontConfig() : config_(FcInitLoadConfigAndFonts()) {}
    ~FontConfig()
    {
        if (config_)
            FcConfigDestroy(config_);
    }
    FcConfig* Get() const { return config_; }

private:
    FcConfig* config_;
};

// Name, weight and italic to a font file through fontconfig; remembered,
// since the answer does not change while the program runs.
FaceFile ResolveFace(const RFont& font)
{
    static const FontConfig config;
    static std::map<std::tuple<std::string, int, bool>, FaceFile> known;
    const auto key = std::tuple(font.Name, font.Weight, font.Italic);
    if (const auto found = known.find(key); found != known.end())
        return found->second;

    const std::string family = TextCodec::Cp1251ToUtf8(font.Name);
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    const int weight = font.Weight <= 0 ? 400 : std::clamp(font.Weight * 100, 1, 1000);
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, font.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config.Get(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = config.Get() ? FcFontMatch(config.Get(), pattern, &result) : nullptr;
    FcPatternDestroy(pattern);
    FaceFile face;
    if (match) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
            face.path = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(match, FC_INDEX, 0, &face.index);
        FcPatternDestroy(match);
    }
    if (face.path.empty())
        throw RRasterError({.Kind = RRasterErrorKind::FontNotFound, .Name = family});
    known.emplace(key, face);
    return face;
}

// Work squares by side, made on first request and kept for the process.
RBitmapGrayCore& WorkSquare(int side)
{
    std::lock_guard guard(RasterLock());
    static std::map<int, std::unique_ptr<RBitmapGrayCore>> squares;
    auto& square = squares[side];
    if (!square)
        square = std::make_unique<RBitmapGrayCore>(side, side);
    return *square;
}

int RoundScaled(long value, int pixels, int unitsPerEm)
{
    return static_cast<int>(std::lround(static_cast<double>(value) * pixels / unitsPerEm));
}

}  // namespace

int RasterDpi() { return g_dpi.load(); }

bool SetRasterDpi(int dpi)
{
    std::lock_guard guard(RasterLock());
    if (g_fontMade.load() || dpi < 24 || dpi > 1200)
        return false;
    g_dpi.store(dpi);
    return true;
}

int WorkSquareSide(int size, int dpi)
{
    int side = static_cast<int>(std::int64_t{size} * 2 * dpi / 72);
    side = std::max(side, 4);
    side = (side + 3) / 4 * 4;
    if (side > 32)
        side |= 4;
    if (side > 128)
        side |= 8;
    return side;
}

struct RGlyphRasterizer::Face {
    RFont font;
    RFontMode mode = RFontMode::Grey;
    int side = 4;
    FT_Face face = nullptr;  // none for sizes that draw nothing
    int pixelHeight = 0;
    int ascent = 0, descent = 0;
    double cosA = 1, sinA = 0;
    int underlineOffset = 0, underlineThickness = 1;  // centre below the baseline
    int strikeOffset = 0, strikeThickness = 1;        // centre above the baseline
};

RGlyphRasterizer::RGlyphRasterizer(const RFont& font, RFontMode mode) : face_(std::make_unique<Face>())
{
    std::lock_guard guard(RasterLock());
    g_fontMade.store(true);
    Face& f = *face_;
    f.font = font;
    f.mode = mode;
    const int dpi = RasterDpi();
    const bool drawable = font.Size >= 1 && font.Size <= kMaxFontSize;
    f.side = drawable ? WorkSquareSide(font.Size, dpi) : 4;
    const double angle = font.Angle * std::numbers::pi / 1800;
    f.cosA = std::cos(angle);
    f.sinA = std::sin(angle);
    if (!drawable)
        return;

    const FaceFile file = ResolveFace(font);
    if (FT_New_Face(Library(), file.path.c_str(), file.index, &f.face) != 0)
        throw RRasterError({.Kind = RRasterErrorKind::FontFileUnreadable, .Path = file.path});
    f.pixelHeight = (font.Size * dpi + 36) / 72;
    FT_Set_Pixel_Sizes(f.face, 0, static_cast<FT_UInt>(f.pixelHeight));
    const int em = f.face->units_per_EM > 0 ? f.face->units_per_EM : 2048;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f.face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        f.ascent = RoundScaled(os2->usWinAscent, f.pixelHeight, em);
        f.descent = RoundScaled(os2->usWinDescent, f.pixelHeight, em);
    } else {
        f.ascent = static_cast<int>((f.face->size->metrics.ascender + 32) >> 6);
        f.descent = static_cast<int>((-f.face->size->metrics.descender + 32) >> 6);
    }
    f.underlineThickness = std::max(1, RoundScaled(f.face->underline_thickness, f.pixelHeight, em));
    f.underlineOffset = RoundScaled(-f.face->underline_position, f.pixelHeight, em);
    if (f.underlineOffset <= 0)
        f.underlineOffset = std::max(1, f.descent / 2);
    if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
        f.strikeThickness = std::max(1, RoundScaled(os2->yStrikeoutSize, f.pixelHeight, em));
        f.strikeOffset = RoundScaled(os2->yStrikeoutPosition - os2->yStrikeoutSize / 2, f.pixelHeight, em);
    } else {
        f.strikeThickness = f.underlineThickness;
        f.strikeOffset = f.ascent * 3 / 10;
    }
}

RGlyphRasterizer::~RGlyphRasterizer()
{
    if (face_->face) {
        std::lock_guard guard(RasterLock());
        FT_Done_Face(face_->face);
    }
}

int RGlyphRasterizer::Side() const { return face_->side; }

int RGlyphRasterizer::CellHeight() const { return face_->ascent + face_->descent; }

void RGlyphRasterizer::Rasterise(unsigned char code, RGlyph& glyph)
{
    std::lock_guard guard(RasterLock());
    Face& f = *face_;
    glyph.runs.clear();
    glyph.width = glyph.height = glyph.originX = glyph.originY = 0;
    glyph.advanceX = glyph.advanceY = 0;
    if (!f.face)
        return;

    const FT_ULong character = TextCodec::Cp1251ToUnicode(code);
    const FT_UInt index = FT_Get_Char_Index(f.face, character);
    // Measure untransformed: the hinted advance in whole pixels.
    FT_Set_Transform(f.face, nullptr, nullptr);
    const bool upright = f.font.Angle % 3600 == 0;
    if (FT_Load_Glyph(f.face, index, upright ? FT_LOAD_RENDER : FT_LOAD_DEFAULT) != 0)
        return;
    const int w = static_cast<int>((f.face->glyph->advance.x + 32) >> 6);
    const int h = CellHeight();
    glyph.advanceX = static_cast<int>(std::lround(w * 256.0 * f.cosA));
    glyph.advanceY = -static_cast<int>(std::lround(w * 256.0 * f.sinA));
    if (!upright) {
        FT_Matrix matrix;
        matrix.xx = static_cast<FT_Fixed>(std::lround(f.cosA * 65536));
        matrix.xy = static_cast<FT_Fixed>(std::lround(-f.sinA * 65536));
        matrix.yx = static_cast<FT_Fixed>(std::lround(f.sinA * 65536));
        matrix.yy = static_cast<FT_Fixed>(std::lround(f.cosA * 65536));
        FT_Set_Transform(f.face, &matrix, nullptr);
        const FT_Error error = FT_Load_Glyph(f.face, index, FT_LOAD_RENDER);
        FT_Set_Transform(f.face, nullptr, nullptr);
        if (error != 0)
            return;
    }

    // The cell's top-left corner, so that the cell's centre is the square's.
    const int side = f.side;
    RBitmapGrayCore& square = WorkSquare(side);
    square.FillRect(0, 0, side, side, RColorWord(0xFFFFFF));
    const int cellX = static_cast<int>(std::lround(side - w * f.cosA - h * f.sinA)) / 2;
    const int cellY = static_cast<int>(std::lround(side + w * f.sinA - h * f.cosA)) / 2;
    // Pen origin on the baseline, `ascent` below the corner in the text's own frame.
    const double baseX = cellX + f.ascent * f.sinA, baseY = cellY + f.ascent * f.cosA;
    const FT_Bitmap& bitmap = f.face->glyph->bitmap;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.buffer) {
        const int left = static_cast<int>(std::lround(baseX)) + f.face->glyph->bitmap_left;
        const int top = static_cast<int>(std::lround(baseY)) - f.face->glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const int y = top + static_cast<int>(row);
            if (y < 0 || y >= side)
                continue;
            const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
            std::uint8_t* target = square.Util().Row(y);
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const int x = left + static_cast<int>(column);
                if (x < 0 || x >= side || source[column] == 0)
                    continue;
                target[x] = std::min<std::uint8_t>(target[x], static_cast<std::uint8_t>(255 - source[column]));
            }
        }
    }
    // Underline and strike-out: bars along the advance, centred `offset`
    // below the baseline (negative: above). Upright, the bar covers the
    // pixel rows from offset - thickness / 2 below the baseline, so its
    // centre line lies half a pixel further down when the thickness is odd;
    // turned, the stroke's centre line must lie there too, or a bar one
    // pixel thick straddles a pixel edge as two grey half-covered pixels.
    const auto bar = [&](int offset, int thickness) {
        if (upright) {
            square.FillRect(static_cast<int>(std::lround(baseX)),
                            static_cast<int>(std::lround(baseY)) + offset - thickness / 2, w, thickness, RColorWord(0));
            return;
        }
        const double centre = offset - thickness / 2 + thickness / 2.0;  // pixels below the baseline
        const double x0 = baseX + centre * f.sinA, y0 = baseY + centre * f.cosA;
        const double x1 = x0 + w * f.cosA, y1 = y0 - w * f.sinA;
        square.DrawStroke16(x0 * 16, y0 * 16, x1 * 16, y1 * 16, thickness * 8.0, false, RColorWord(0));
    };
    if (f.font.Underline)
        bar(f.underlineOffset, f.underlineThickness);
    if (f.font.StrikeOut)
        bar(-f.strikeOffset, f.strikeThickness);

    // The box of non-white pixels, encoded row by row.
    int boxLeft = side, boxRight = -1, boxTop = side, boxBottom = -1;
    for (int y = 0; y < side; ++y) {
        const std::uint8_t* row = square.Util().Row(y);
        for (int x = 0; x < side; ++x) {
            if (row[x] != 255) {
                boxLeft = std::min(boxLeft, x);
                boxRight = std::max(boxRight, x);
                boxTop = std::min(boxTop, y);
                boxBottom = std::max(boxBottom, y);
            }
        }
    }
    if (boxRight < 0)
        return;  // an empty glyph
    glyph.width = boxRight - boxLeft + 1;
    glyph.height = boxBottom - boxTop + 1;
    glyph.originX = side / 2 - boxLeft;
    glyph.originY = side / 2 - boxTop;
    for (int y = boxTop; y <= boxBottom; ++y) {
        const std::uint8_t* row = square.Util().Row(y);
        int runLevel = -1, runLength = 0;
        for (int x = boxLeft; x <= boxRight; ++x) {
            int level = row[x];
            if (f.mode == RFontMode::TwoLevel)
                level = level < 192 ? 0 : 1;
            if (level != runLevel || runLength == 255) {
                if (runLength > 0)
                    glyph.runs.push_back(static_cast<std::uint16_t>(runLength << 8 | runLevel));
                runLevel = level;
                runLength = 0;
            }
            ++runLength;
        }
        glyph.runs.push_back(static_cast<std::uint16_t>(runLength << 8 | runLevel));
        glyph.runs.push_back(0);
    }
}
