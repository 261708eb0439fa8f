#pragma once
// Colours as the chart stores them and as the pixel formats take them.
//
// A platform colour is 0x00BBGGRR (what settings files hold); a negative
// value names a system colour by its low byte. Every drawing primitive takes
// a colour word 0xTTRRGGBB instead, where TT is a transparency: 0 opaque,
// 255 (almost) invisible. ColorWord() turns one into the other by swapping
// the red and blue bytes; the top byte passes through as the transparency.

#include <cstdint>
#include <functional>
#include <string>

using RColorWord = std::uint32_t;

// 0x??BBGGRR -> 0x??RRGGBB.
constexpr RColorWord ColorWord(std::uint32_t platformColor)
{
    return (platformColor & 0xFF00FF00u) | ((platformColor & 0xFFu) << 16)
           | ((platformColor >> 16) & 0xFFu);
}

constexpr int Transparency(RColorWord word) { return static_cast<int>(word >> 24); }

// The platform colour (0x00BBGGRR) of system colour `index` (the low byte of
// a negative colour value): a fixed table of the classic desktop scheme,
// window text black, button face light grey, window white. Unknown indexes
// give black.
std::uint32_t SystemColor(int index);

enum class RColorType { ctStandart, ctRGBA };

class RColor {
public:
    RColor() = default;
    RColor(RColorType type, std::int32_t color) : type_(type), color_(color) {}
    RColor(const RColor& other) : type_(other.type_), color_(other.color_) {}
    // Copies type and value (not the listener) and notifies.
    RColor& operator=(const RColor& other);

    RColorType ColorType() const { return type_; }
    void SetColorType(RColorType type);
    std::int32_t Color() const { return color_; }
    void SetColor(std::int32_t color);
    // Setting a raw value from code: the type becomes ctRGBA.
    void SetRGBA(std::int32_t color);

    // The platform colour to draw with: system colours resolved.
    std::uint32_t Effective() const;
    // "#rrggbb" of the effective colour, lower-case.
    std::string HexColor() const;

    // Called after every change of type or value, and on assignment; the
    // owning chart object invalidates itself from here.
    std::function<void()> OnChange;

private:
    void Changed()
    {
        if (OnChange)
            OnChange();
    }

    RColorType type_ = RColorType::ctStandart;
    std::int32_t color_ = 0;
};
