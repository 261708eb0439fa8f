#include "raster/font_data.h"

#include "container/dc_node.h"
#include "raster/glyph_rasterizer.h"
#include "raster/raster_lock.h"

#include <cmath>
#include <mutex>
#include <numbers>

namespace {

constexpr int kGlyphValues = 7;  // runs, OriginX, OriginY, width, height, AdvanceX, AdvanceY

// |value| <= limit for a limit of 0 or more, written so that no value
// (INT_MIN included) is negated.
bool Within(int value, int limit) { return value >= -limit && value <= limit; }

bool IntegerValue(const RDCObject& object, int index, int& out)
{
    const RDCValue* value = object.ValueAt(index);
    if (!value || value->Type() != RDCType::Integer)
        return false;
    out = value->AsInteger();
    return true;
}

}  // namespace

RFontData::RFontData(const RFont& font, RFontMode mode)
    : font_(font), mode_(mode),
      side_(font.Size >= 1 && font.Size <= kMaxFontSize ? WorkSquareSide(font.Size, RasterDpi()) : 4)
{
}

const RGlyph& RFontData::Glyph(unsigned char code)
{
    const int index = code < kFirstCode ? 0 : code - kFirstCode;
    RGlyph& glyph = glyphs_[static_cast<std::size_t>(index)];
    if (!glyph.present.load(std::memory_order_acquire))
        RasteriseMissing();
    return glyph;
}

bool RFontData::AllPresent() const
{
    for (const RGlyph& glyph : glyphs_)
        if (!glyph.present.load(std::memory_order_acquire))
            return false;
    return true;
}

void RFontData::RasteriseMissing()
{
    std::lock_guard guard(RasterLock());
    if (lineAdvanceKnown_ && AllPresent())
        return;  // another thread was first
    RGlyphRasterizer rasterizer(font_, mode_);
    if (!lineAdvanceKnown_) {
        const double angle = font_.Angle * std::numbers::pi / 1800;
        const int cell = rasterizer.CellHeight();
        lineAdvanceX_ = static_cast<int>(std::lround(cell * 256.0 * std::sin(angle)));
        lineAdvanceY_ = static_cast<int>(std::lround(cell * 256.0 * std::cos(angle)));
        lineAdvanceKnown_ = true;
    }
    for (int i = 0; i < kGlyphCount; ++i) {
        RGlyph& glyph = glyphs_[static_cast<std::size_t>(i)];
        if (glyph.present.load(std::memory_order_relaxed))
            continue;
        rasterizer.Rasterise(static_cast<unsigned char>(kFirstCode + i), glyph);
        glyph.present.store(true, std::memory_order_release);
    }
}

void RFontData::ComputeLineAdvance()
{
    std::lock_guard guard(RasterLock());
    RGlyphRasterizer rasterizer(font_, mode_);
    const double angle = font_.Angle * std::numbers::pi / 1800;
    const int cell = rasterizer.CellHeight();
    lineAdvanceX_ = static_cast<int>(std::lround(cell * 256.0 * std::sin(angle)));
    lineAdvanceY_ = static_cast<int>(std::lround(cell * 256.0 * std::cos(angle)));
    lineAdvanceKnown_ = true;
}

std::string RFontData::NodePath() const
{
    return font_.Name + "\\" + std::to_string(font_.Size) + "\\" + std::to_string(font_.Weight) + "\\"
           + (font_.Italic ? "1" : "0") + (font_.Underline ? "1" : "0") + (font_.StrikeOut ? "1" : "0")
           + "\\" + std::to_string(font_.Angle);
}

void RFontData::SaveToNode(RDCNode& node) const
{
    RDCObject* head = node.Object(0);
    head->Value(0)->SetInteger(lineAdvanceX_);
    head->Value(1)->SetInteger(lineAdvanceY_);
    for (int i = 0; i < kGlyphCount; ++i) {
        const RGlyph& glyph = glyphs_[static_cast<std::size_t>(i)];
        RDCObject* object = node.Object(i + 1);
        if (!glyph.present.load(std::memory_order_acquire)) {
            object->SetValueCount(0);  // not rasterised: made again on first use
            continue;
        }
        // Items little-endian, whatever the machine.
        std::uint8_t* bytes = object->Value(0)->SetBinary(glyph.runs.size() * 2);
        for (std::size_t k = 0; k < glyph.runs.size(); ++k) {
            bytes[2 * k] = static_cast<std::uint8_t>(glyph.runs[k] & 0xFF);
            bytes[2 * k + 1] = static_cast<std::uint8_t>(glyph.runs[k] >> 8);
        }
        object->Value(1)->SetInteger(glyph.originX);
        object->Value(2)->SetInteger(glyph.originY);
        object->Value(3)->SetInteger(glyph.width);
        object->Value(4)->SetInteger(glyph.height);
        object->Value(5)->SetInteger(glyph.advanceX);
        object->Value(6)->SetInteger(glyph.advanceY);
    }
}

bool RFontData::RunsValid(const std::vector<std::uint16_t>& runs, int width, int height)
{
    if (width < 1 || height < 1)
        return false;
    std::size_t position = 0;
    for (int row = 0; row < height; ++row) {
        int sum = 0;
        for (;;) {
            if (position >= runs.size())
                return false;
            const std::uint16_t item = runs[position++];
            if (item == 0)
                break;
            const int length = item >> 8;
            if (length == 0)
                return false;
            sum += length;
            if (sum > width)
                return false;
        }
        if (sum != width)
            return false;
    }
    return position == runs.size();
}

void RFontData::LoadFromNode(const RDCNode& node)
{
    // Bounds that any glyph drawn in the work square keeps; a file that
    // claims more is damaged, and the glyph is made again instead.
    const int side = side_;
    const int advanceLimit = 4 * side * 256;
    int lineX = 0, lineY = 0;
    const RDCObject* head = node.ObjectAt(0);
    if (head && IntegerValue(*head, 0, lineX) && IntegerValue(*head, 1, lineY)
        && Within(lineX, advanceLimit) && Within(lineY, advanceLimit)) {
        lineAdvanceX_ = lineX;
        lineAdvanceY_ = lineY;
        lineAdvanceKnown_ = true;
    } else {
        ComputeLineAdvance();
    }

    for (int i = 0; i < kGlyphCount; ++i) {
        RGlyph& glyph = glyphs_[static_cast<std::size_t>(i)];
        if (glyph.present.load(std::memory_order_acquire))
            continue;
        const RDCObject* object = node.ObjectAt(i + 1);
        if (!object || object->ValueCount() < kGlyphValues)
            continue;
        const RDCValue* data = object->ValueAt(0);
        if (!data || data->Type() != RDCType::Binary || data->Size() % 2 != 0)
            continue;
        int values[kGlyphValues - 1];
        bool ok = true;
        for (int k = 1; k < kGlyphValues; ++k)
            ok = ok && IntegerValue(*object, k, values[k - 1]);
        if (!ok)
            continue;
        const auto [originX, originY, width, height, advanceX, advanceY] =
            std::tuple(values[0], values[1], values[2], values[3], values[4], values[5]);
        if (!Within(advanceX, advanceLimit) || !Within(advanceY, advanceLimit))
            continue;
        const auto bytes = data->AsBinary();
        std::vector<std::uint16_t> runs(bytes.size() / 2);
        for (std::size_t k = 0; k < runs.size(); ++k)
            runs[k] = static_cast<std::uint16_t>(bytes[2 * k] | bytes[2 * k + 1] << 8);
        if (runs.empty()) {
            glyph.width = glyph.height = glyph.originX = glyph.originY = 0;
        } else {
            if (width > side || height > side || !Within(originX, side) || !Within(originY, side)
                || !RunsValid(runs, width, height))
                continue;
            glyph.width = width;
            glyph.height = height;
            glyph.originX = originX;
            glyph.originY = originY;
        }
        glyph.runs = std::move(runs);
        glyph.advanceX = advanceX;
        glyph.advanceY = advanceY;
        glyph.present.store(true, std::memory_order_release);
    }
}
