#pragma once
// RLasFillInfo: one fill to paint on the log chart, derived from the views
// when a document is prepared.

#include <cstdint>

struct RLasFillInfo {
    std::int32_t SeriesIndex = 0;   // chart series of the filled curve
    std::uint8_t FillType = 1;      // 1 against a constant, 2 against a curve
    std::uint8_t Condition = 1;     // as RCurveView::FillCondition
    std::int32_t OtherSeries = -1;  // series of the reference curve; -1 for FillType 1
    double Constant = 0.0;          // reference value of FillType 1; 0 for FillType 2
    std::int32_t Color = 0;         // fill colour; 0 or more

    bool operator==(const RLasFillInfo&) const = default;
};
