#pragma once
// RBitmapLineStyle: a dash pattern (segment lengths in pixels, alternately
// drawn and skipped) with a scale in percent. After a reset the pattern has
// one element and the scale is 100. The chart draws solid strokes; the style
// is kept with each bitmap for callers that dash their own lines.

#include <vector>

class RBitmapLineStyle {
public:
    RBitmapLineStyle() { Reset(); }

    void Reset()
    {
        pattern_.assign(1, 1);
        scale_ = 100;
    }

    const std::vector<int>& Pattern() const { return pattern_; }
    // An empty pattern is stored as the reset one.
    void SetPattern(std::vector<int> pattern)
    {
        pattern_ = std::move(pattern);
        if (pattern_.empty())
            pattern_.assign(1, 1);
    }
    double Scale() const { return scale_; }
    void SetScale(double scale) { scale_ = scale; }

private:
    std::vector<int> pattern_;
    double scale_ = 100;
};
