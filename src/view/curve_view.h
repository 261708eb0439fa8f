#pragma once
// RCurveView: how one curve is drawn (visibility, colour, track, axis, fill).
// Views are stored per curve name, so a curve called GR in any file gets the
// view stored under "GR".

#include <cstdint>
#include <string>

class RDCNode;

class RCurveView {
public:
    // FillType values.
    static constexpr std::uint8_t kNoFill = 0;
    static constexpr std::uint8_t kFillConstant = 1;
    static constexpr std::uint8_t kFillCurve = 2;
    // FillCondition values.
    static constexpr std::uint8_t kFillBelow = 0;    // curve <= reference
    static constexpr std::uint8_t kFillAbove = 1;    // curve >= reference
    static constexpr std::uint8_t kFillBetween = 2;  // everywhere between them

    // Object 0 of `node`, values 0 to 8: Visible, Color, Track, LogAxis,
    // FillType, FillCondition, FillConst, FillCurve, FillColor. A missing or
    // mistyped value reads as false, 0, 0.0 or "" (not as the creation
    // default).
    void LoadFromNode(const RDCNode& node);
    void SaveToNode(RDCNode& node) const;

    bool operator==(const RCurveView&) const = default;

    std::int32_t Color = 0;  // platform colour value 0x00BBGGRR; negative: a system colour
    std::int32_t Track = 0;  // 0 or less: an own track after the numbered ones
    bool LogAxis = false;
    bool Visible = true;
    std::uint8_t FillType = kNoFill;
    std::uint8_t FillCondition = kFillAbove;
    std::string FillCurve;   // reference curve of FillType 2
    double FillConst = 0.0;  // reference value of FillType 1, in the curve's units
    std::int32_t FillColor = 0;
};
