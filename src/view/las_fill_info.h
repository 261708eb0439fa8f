#pragma once
// RLasFillInfo: one fill to paint on the log chart, derived from the views
// when a document is prepared.

#include "view/curve_view.h"

#include <cstdint>

struct RLasFillInfo {
    std::int32_t SeriesIndex = 0;   // chart series of the filled curve
    RFillType FillType = RFillType::Constant;  // never None here
    RFillCondition Condition = RFillCondition::Above;
    std::int32_t OtherSeries = -1;  // series of the reference curve; -1 for FillType 1
    double Constant = 0.0;          // reference value of FillType 1; 0 for FillType 2
    RPlatformColor Color;           // 0 or more

    bool operator==(const RLasFillInfo&) const = default;
};
