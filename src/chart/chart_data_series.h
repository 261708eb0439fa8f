#pragma once
// RChartDataSeries: a series' name and its points, parallel arrays of X,
// Y and a break flag (1: no line from the previous point to this one).
//
// In a data-container node, object 0 holds the X values and object 1 the Y
// values (one double per point), object 2 value 0 the name, object 3 the
// break flags (one integer per point). Loading takes as many points as
// both value arrays hold; a missing flag reads 0.

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

class RDCNode;

class RChartDataSeries {
public:
    std::string Name;

    int Count() const { return static_cast<int>(x_.size()); }
    // Sets the number of points: new points are (0, 0) without a break.
    // A negative count reads 0.
    void SetCount(int count);
    // Reserves room for `capacity` points without changing the count.
    void SetCapacity(int capacity);
    void Clear() { SetCount(0); }

    void AppendPoint(std::uint8_t breakFlag, double x, double y);
    // Appends min(xs.size(), ys.size()) points without breaks.
    void AppendPoints(std::span<const double> xs, std::span<const double> ys);
    // Out-of-range indexes are ignored.
    void SetPoint(int index, std::uint8_t breakFlag, double x, double y);

    // Out-of-range indexes read 0.
    double X(int index) const { return InRange(index) ? x_[std::size_t(index)] : 0.0; }
    double Y(int index) const { return InRange(index) ? y_[std::size_t(index)] : 0.0; }
    std::uint8_t Break(int index) const { return InRange(index) ? breaks_[std::size_t(index)] : 0; }
    const std::vector<double>& Xs() const { return x_; }
    const std::vector<double>& Ys() const { return y_; }
    const std::vector<std::uint8_t>& Breaks() const { return breaks_; }

    // Colour values, one per point: what a gradient of the series' markers
    // runs over (a cross-plot's depths; see RMarkerGradient). They count
    // only while there is one per point; SetCount and Clear drop them, and
    // they are not saved to a node.
    void SetColorValues(std::vector<double> values) { colorValues_ = std::move(values); }
    const std::vector<double>& ColorValues() const { return colorValues_; }
    bool HasColorValues() const { return !x_.empty() && colorValues_.size() == x_.size(); }

    // True when the Y values never decrease (NaN counts as unsorted). The
    // answer is cached until the points change; a sorted series lets the
    // chart find the visible window by bisection.
    bool YAscending() const;
    bool XAscending() const;

    void SaveToNode(RDCNode& node) const;
    void LoadFromNode(const RDCNode& node);

private:
    bool InRange(int index) const { return index >= 0 && index < Count(); }
    void Changed() { ascendingKnown_ = 0; }

    std::vector<double> x_, y_;
    std::vector<std::uint8_t> breaks_;
    std::vector<double> colorValues_;
    mutable int ascendingKnown_ = 0;  // bit 0: X known, bit 1: Y known
    mutable bool xAscending_ = false, yAscending_ = false;
};
