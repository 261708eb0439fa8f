#pragma once
// RCurveView: how one curve is drawn (visibility, colour, track, axis, fill).
// Views are stored per curve name, so a curve called GR in any file gets the
// view stored under "GR".

#include "raster/color.h"

#include <cstdint>
#include <string>

class RDCNode;

// Stored as a byte; a value read from a file may be outside the names.
enum class RFillType : std::uint8_t {
    None = 0,
    Constant = 1,  // against a constant
    Curve = 2,     // against another curve
};

enum class RFillCondition : std::uint8_t {
    Below = 0,    // where the curve <= the reference
    Above = 1,    // where the curve >= the reference
    Between = 2,  // everywhere between them
};

class RCurveView {
public:

    // Object 0 of `node`, values 0 to 8: Visible, Color, Track, LogAxis,
    // FillType, FillCondition, FillConst, FillCurve, FillColor. A missing or
    // mistyped value reads as false, 0, 0.0 or "" (not as the creation
    // default).
    void LoadFromNode(const RDCNode& node);
    void SaveToNode(RDCNode& node) const;

    bool operator==(const RCurveView&) const = default;

    RPlatformColor Color;
    std::int32_t Track = 0;  // 0 or less: an own track after the numbered ones
    bool LogAxis = false;
    bool Visible = true;
    RFillType FillType = RFillType::None;
    RFillCondition FillCondition = RFillCondition::Above;
    std::string FillCurve;   // reference curve of FillType 2
    double FillConst = 0.0;  // reference value of FillType 1, in the curve's units
    RPlatformColor FillColor;
};
