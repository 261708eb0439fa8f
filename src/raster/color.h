#pragma once
// Colours as settings store them and as the pixel formats take them.
//
// Two kinds of 32-bit value, kept apart by type so one is never painted as
// the other with red and blue swapped:
// - RPlatformColor, 0x00BBGGRR: what settings files and chart properties
//   hold; a negative value names a system colour by its low byte.
// - RColorWord, 0xTTRRGGBB: what every drawing primitive takes; TT is a
//   transparency, 0 opaque, 255 (almost) invisible.
// ColorWord() turns the first into the second, resolving system colours.

#include <cstdint>
#include <functional>
#include <string>

class RColorWord {
public:
    constexpr RColorWord() = default;
    constexpr explicit RColorWord(std::uint32_t value) : value_(value) {}
    // From channels 0..255 and a transparency 0..255.
    static constexpr RColorWord FromRgb(int red, int green, int blue, int transparency = 0)
    {
        return RColorWord((std::uint32_t(transparency & 0xFF) << 24) | (std::uint32_t(red & 0xFF) << 16)
                          | (std::uint32_t(green & 0xFF) << 8) | std::uint32_t(blue & 0xFF));
    }

    constexpr std::uint32_t Value() const { return value_; }
    // 0x00RRGGBB.
    constexpr std::uint32_t Rgb() const { return value_ & 0xFFFFFFu; }
    constexpr int Red() const { return int((value_ >> 16) & 0xFF); }
    constexpr int Green() const { return int((value_ >> 8) & 0xFF); }
    constexpr int Blue() const { return int(value_ & 0xFF); }
    constexpr int Transparency() const { return int(value_ >> 24); }
    // The same colour with transparency `tt` (0..255).
    constexpr RColorWord WithTransparency(int tt) const
    {
        return RColorWord(Rgb() | (std::uint32_t(tt & 0xFF) << 24));
    }

    friend constexpr bool operator==(RColorWord, RColorWord) = default;

private:
    std::uint32_t value_ = 0;
};

class RPlatformColor {
public:
    constexpr RPlatformColor() = default;
    constexpr explicit RPlatformColor(std::int32_t value) : value_(value) {}
    static constexpr RPlatformColor FromRgb(int red, int green, int blue)
    {
        return RPlatformColor(std::int32_t((std::uint32_t(blue & 0xFF) << 16) | (std::uint32_t(green & 0xFF) << 8)
                                           | std::uint32_t(red & 0xFF)));
    }

    constexpr std::int32_t Value() const { return value_; }
    constexpr bool IsSystem() const { return value_ < 0; }
    // The system colour index of a negative value.
    constexpr int SystemIndex() const { return value_ & 0xFF; }

    friend constexpr bool operator==(RPlatformColor, RPlatformColor) = default;

private:
    std::int32_t value_ = 0;
};

// The platform colour (0x00BBGGRR) of system colour `index` (the low byte of
// a negative colour value): a fixed table of the classic desktop scheme,
// window text black, button face light grey, window white. Unknown indexes
// give black.
std::uint32_t SystemColor(int index);

// The opaque colour word of a platform colour, system colours resolved.
RColorWord ColorWord(RPlatformColor color);

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
    void SetColor(RPlatformColor color) { SetColor(color.Value()); }
    // Setting a raw value from code: the type becomes ctRGBA.
    void SetRGBA(std::int32_t color);

    // The platform colour to draw with (0xTTBBGGRR): system colours resolved;
    // a raw value keeps its top byte as a transparency.
    std::uint32_t Effective() const;
    // Effective() as the colour word the primitives take.
    RColorWord Word() const;
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
