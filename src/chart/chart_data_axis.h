#pragma once
// RChartDataAxis: an axis's ordered category names (string axes label
// point k with name k).

#include <span>
#include <string>
#include <string_view>
#include <vector>

class RChartDataAxis {
public:
    int Count() const { return static_cast<int>(names_.size()); }
    // The name at `index`; empty out of range.
    std::string_view Name(int index) const;
    void Append(std::string_view name) { names_.emplace_back(name); }
    void Append(std::span<const std::string> names) { names_.insert(names_.end(), names.begin(), names.end()); }
    void Clear() { names_.clear(); }

private:
    std::vector<std::string> names_;
};
