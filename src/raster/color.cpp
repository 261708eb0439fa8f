#include "raster/color.h"

#include <array>
#include <cstdio>

namespace {

// Classic desktop scheme, platform colours 0x00BBGGRR, by system colour index.
constexpr std::array<std::uint32_t, 31> kSystemColors = {
    0xC8D0D4,  // 0 scroll bar
    0x984E00,  // 1 desktop
    0x6A240A,  // 2 active caption
    0x808080,  // 3 inactive caption
    0xC8D0D4,  // 4 menu
    0xFFFFFF,  // 5 window
    0x000000,  // 6 window frame
    0x000000,  // 7 menu text
    0x000000,  // 8 window text
    0xFFFFFF,  // 9 caption text
    0xC8D0D4,  // 10 active border
    0xC8D0D4,  // 11 inactive border
    0x808080,  // 12 application workspace
    0x6A240A,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xC8D0D4,  // 15 button face
    0x808080,  // 16 button shadow
    0x808080,  // 17 grey text
    0x000000,  // 18 button text
    0xC8D0D4,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x404040,  // 21 3D dark shadow
    0xC8D0D4,  // 22 3D light
    0x000000,  // 23 tooltip text
    0xE1FFFF,  // 24 tooltip background
    0xB5B5B5,  // 25 (unused slot)
    0x800000,  // 26 hot-track
    0xF0CAA6,  // 27 active caption gradient
    0xC0C0C0,  // 28 inactive caption gradient
    0x6A240A,  // 29 menu highlight
    0xC8D0D4,  // 30 menu bar
};

}  // namespace

std::uint32_t SystemColor(int index)
{
    if (index < 0 || index >= static_cast<int>(kSystemColors.size()))
        return 0;
    return kSystemColors[static_cast<std::size_t>(index)];
}

namespace {

// 0x??BBGGRR -> 0x??RRGGBB, the top byte passing through.
constexpr RColorWord SwapRedBlue(std::uint32_t value)
{
    return RColorWord((value & 0xFF00FF00u) | ((value & 0xFFu) << 16) | ((value >> 16) & 0xFFu));
}

}  // namespace

RColorWord ColorWord(RPlatformColor color)
{
    if (color.IsSystem())
        return SwapRedBlue(SystemColor(color.SystemIndex()));
    return SwapRedBlue(static_cast<std::uint32_t>(color.Value()) & 0xFFFFFFu);
}

RColor& RColor::operator=(const RColor& other)
{
    type_ = other.type_;
    color_ = other.color_;
    Changed();
    return *this;
}

void RColor::SetColorType(RColorType type)
{
    type_ = type;
    Changed();
}

void RColor::SetColor(std::int32_t color)
{
    color_ = color;
    Changed();
}

void RColor::SetRGBA(std::int32_t color)
{
    type_ = RColorType::ctRGBA;
    color_ = color;
    Changed();
}

std::uint32_t RColor::Effective() const
{
    if (type_ == RColorType::ctRGBA || color_ >= 0)
        return static_cast<std::uint32_t>(color_);
    return SystemColor(color_ & 0xFF);
}

RColorWord RColor::Word() const
{
    return SwapRedBlue(Effective());
}

std::string RColor::HexColor() const
{
    const std::uint32_t value = Effective();
    char text[8];
    std::snprintf(text, sizeof text, "#%.2x%.2x%.2x", value & 0xFF, (value >> 8) & 0xFF,
                  (value >> 16) & 0xFF);
    return text;
}
