#pragma once
// RFont: a font description as the chart stores it. Sizes are in points,
// the weight in hundreds (4 normal, 7 bold), the angle in tenths of a degree
// counter-clockwise (900: text running upwards). Name is the face name as
// 8-bit Windows-1251 text; "Arial" resolves through fontconfig to a
// metric-compatible face (Liberation Sans).

#include <functional>
#include <string>

// How glyphs are rasterised: two levels (ink or paper) for bitmaps without
// blending, 256 grey levels for true-colour bitmaps.
enum class RFontMode { TwoLevel = 0, Grey = 1 };

class RFont {
public:
    RFont() = default;
    RFont(std::string name, int size, int weight = 4, bool italic = false, bool underline = false,
          bool strikeOut = false, int angle = 0)
        : Name(std::move(name)), Size(size), Weight(weight), Italic(italic), Underline(underline),
          StrikeOut(strikeOut), Angle(angle)
    {
    }
    RFont(const RFont& other) { CopyFields(other); }
    // Copies the description (not the listener) and notifies.
    RFont& operator=(const RFont& other)
    {
        CopyFields(other);
        if (OnChange)
            OnChange();
        return *this;
    }

    // The cache key: every field, the name compared exactly.
    bool operator==(const RFont& other) const
    {
        return Size == other.Size && Name == other.Name && Weight == other.Weight
               && Italic == other.Italic && Underline == other.Underline
               && StrikeOut == other.StrikeOut && Angle == other.Angle;
    }

    std::string Name = "Arial";
    int Size = 10;
    int Weight = 4;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Angle = 0;

    std::function<void()> OnChange;

private:
    void CopyFields(const RFont& other)
    {
        Name = other.Name;
        Size = other.Size;
        Weight = other.Weight;
        Italic = other.Italic;
        Underline = other.Underline;
        StrikeOut = other.StrikeOut;
        Angle = other.Angle;
    }
};
