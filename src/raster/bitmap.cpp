#include "raster/bitmap.h"

#include "container/data_container.h"
#include "raster/font_data.h"
#include "raster/font_raster_container.h"

#include <algorithm>
#include <cstdlib>

namespace {

RFontRasterContainer& CacheFor(RFontMode mode)
{
    return mode == RFontMode::Grey ? RFontRasterContainer::TrueColor() : RFontRasterContainer::TwoLevel();
}

bool IsLineBreak(unsigned char code) { return code == '\n' || code == 0; }

// The glyph a text byte draws: a tab advances like a space, other control
// codes draw nothing (-1).
int GlyphCode(unsigned char code) { return code == '\t' ? ' ' : code < 32 ? -1 : code; }

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t quotient = value / divisor;
    return quotient - (value % divisor != 0 && value < 0);
}

}  // namespace

RBitmap::RBitmap(int bytesPerPixel, int width, int height) : util_(bytesPerPixel)
{
    util_.SetSize(width, height);
}

RBitmap::~RBitmap() = default;

void RBitmap::SetFont(const RFont& font)
{
    font_ = font;
    fontData_ = nullptr;
}

void RBitmap::SetFontContainer(RDataContainer* container)
{
    fontContainer_ = container;
    privateFonts_.clear();
    fontData_ = nullptr;
}

void RBitmap::BuildFonts(RDataContainer& container)
{
    struct Detach {
        RBitmap& bitmap;
        ~Detach() { bitmap.SetFontContainer(nullptr); }
    } detach{*this};
    SetFontContainer(&container);
    CacheFor(FontMode()).SaveToNode(container);
}

RFontData& RBitmap::CurrentFontData()
{
    if (fontData_)
        return *fontData_;
    if (!fontContainer_) {
        fontData_ = CacheFor(FontMode()).Select(font_);
        return *fontData_;
    }
    for (const auto& font : privateFonts_) {
        if (font->Font() == font_) {
            fontData_ = font.get();
            return *fontData_;
        }
    }
    auto font = std::make_unique<RFontData>(font_, FontMode());
    if (const RDCNode* node = fontContainer_->NodeByPath(font->NodePath()))
        font->LoadFromNode(*node);
    privateFonts_.push_back(std::move(font));
    fontData_ = privateFonts_.back().get();
    return *fontData_;
}

RTextExtent RBitmap::MeasureText(std::string_view text)
{
    RFontData& data = CurrentFontData();
    std::int64_t widestX = 0, widestY = 0, lineX = 0, lineY = 0;
    std::int64_t lines = 1;
    const auto closeLine = [&] {
        if (std::llabs(lineX) > std::llabs(widestX))
            widestX = lineX;
        if (std::llabs(lineY) > std::llabs(widestY))
            widestY = lineY;
        lineX = lineY = 0;
    };
    for (const char byte : text) {
        const auto code = static_cast<unsigned char>(byte);
        if (IsLineBreak(code)) {
            closeLine();
            ++lines;
            continue;
        }
        const int glyphCode = GlyphCode(code);
        if (glyphCode < 0)
            continue;
        const RGlyph& glyph = data.Glyph(static_cast<unsigned char>(glyphCode));
        lineX += glyph.advanceX;
        lineY += glyph.advanceY;
    }
    closeLine();
    RTextExtent extent;
    const std::int64_t blockX = lines * data.LineAdvanceX(), blockY = lines * data.LineAdvanceY();
    extent.extentX = widestX + blockX;
    extent.extentY = widestY + blockY;
    extent.width = static_cast<int>(std::min<std::int64_t>((std::llabs(widestX) + std::llabs(blockX)) / 256, 1 << 30));
    extent.height = static_cast<int>(std::min<std::int64_t>((std::llabs(widestY) + std::llabs(blockY)) / 256, 1 << 30));
    return extent;
}

void RBitmap::DrawText(int x, int y, std::string_view text, RColorWord color, bool centred)
{
    if (util_.Clip().Empty() || text.empty())
        return;
    if (centred) {
        // Half the signed extent, so rotated blocks centre on their point too;
        // halving truncates toward zero.
        const RTextExtent extent = MeasureText(text);
        x = static_cast<int>(std::clamp<std::int64_t>(x - extent.extentX / 256 / 2, INT32_MIN / 2, INT32_MAX / 2));
        y = static_cast<int>(std::clamp<std::int64_t>(y - extent.extentY / 256 / 2, INT32_MIN / 2, INT32_MAX / 2));
    }
    const RColorWord word = color;
    WithFormat([&](auto format) { PaintText<decltype(format)>(x, y, text, word); });
}

template <class Format>
void RBitmap::PaintText(int x, int y, std::string_view text, RColorWord word)
{
    RFontData& data = CurrentFontData();
    const RClipBox& clip = util_.Clip();
    const RFontMode mode = data.Mode();
    const int opacity = mode == RFontMode::Grey ? 255 - word.Transparency() : 255;
    // The level's ink (0..256) times the opacity gives the run's transparency.
    RColorWord words[256];
    for (int level = 0; level < 256; ++level) {
        const int ink = (255 - level) + ((255 - level) >> 7);
        words[level] = word.WithTransparency(255 - ((ink * opacity) >> 8));
    }
    const bool twoLevel = mode == RFontMode::TwoLevel;

    std::int64_t lineStartX = data.LineAdvanceX() / 2, lineStartY = data.LineAdvanceY() / 2;
    std::int64_t penX = lineStartX, penY = lineStartY;
    for (const char byte : text) {
        const auto code = static_cast<unsigned char>(byte);
        if (IsLineBreak(code)) {
            lineStartX += data.LineAdvanceX();
            lineStartY += data.LineAdvanceY();
            penX = lineStartX;
            penY = lineStartY;
            continue;
        }
        const int glyphCode = GlyphCode(code);
        if (glyphCode < 0)
            continue;
        const RGlyph& glyph = data.Glyph(static_cast<unsigned char>(glyphCode));
        const std::int64_t nextX = penX + glyph.advanceX, nextY = penY + glyph.advanceY;
        // Floor divisions: truncating toward zero would move every glyph of
        // even advance a pixel back wherever the pen runs into negative
        // numbers (text at Angle 900 or 1800), so the letters crowd and gap.
        // Where the pen is positive (upright text) this is the same number.
        const std::int64_t left = x + FloorDiv(FloorDiv(penX, 256) + FloorDiv(nextX, 256) + 1, 2) - glyph.originX;
        const std::int64_t top = y + FloorDiv(FloorDiv(penY, 256) + FloorDiv(nextY, 256) + 1, 2) - glyph.originY;
        penX = nextX;
        penY = nextY;
        if (glyph.runs.empty() || top >= clip.bottom || top + glyph.height <= clip.top
            || left >= clip.right || left + glyph.width <= clip.left)
            continue;
        const std::uint16_t* item = glyph.runs.data();
        for (int row = 0; row < glyph.height; ++row) {
            const std::int64_t rowY = top + row;
            if (rowY < clip.top) {
                while (*item++ != 0) {
                }
                continue;
            }
            if (rowY >= clip.bottom)
                break;
            std::uint8_t* pixels = util_.Row(static_cast<int>(rowY));
            std::int64_t runX = left;
            for (; *item != 0; ++item) {
                const int length = *item >> 8, level = *item & 0xFF;
                const std::int64_t from = std::max<std::int64_t>(runX, clip.left);
                const std::int64_t to = std::min<std::int64_t>(runX + length, clip.right);
                runX += length;
                if (to <= from || level == 255 || (twoLevel && level != 0))
                    continue;
                const int n = static_cast<int>(to - from);
                if (n == 1)
                    Format::SetPixel(pixels, static_cast<int>(from), words[level]);
                else
                    Format::FillSpan(pixels, static_cast<int>(from), n, words[level]);
            }
            ++item;  // the row's closing 0
        }
    }
}
