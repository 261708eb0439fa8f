#include "chart/chart_data_series.h"

#include "container/dc_node.h"

#include <algorithm>

namespace {

bool Ascending(const std::vector<double>& values)
{
    for (std::size_t i = 1; i < values.size(); ++i)
        if (!(values[i] >= values[i - 1]))
            return false;
    return values.empty() || values[0] == values[0];
}

}  // namespace

void RChartDataSeries::SetCount(int count)
{
    const std::size_t n = std::size_t(std::max(count, 0));
    x_.resize(n);
    y_.resize(n);
    breaks_.resize(n);
    colorValues_.clear();
    Changed();
}

void RChartDataSeries::SetCapacity(int capacity)
{
    const std::size_t n = std::size_t(std::max(capacity, 0));
    x_.reserve(n);
    y_.reserve(n);
    breaks_.reserve(n);
}

void RChartDataSeries::AppendPoint(std::uint8_t breakFlag, double x, double y)
{
    x_.push_back(x);
    y_.push_back(y);
    breaks_.push_back(breakFlag ? 1 : 0);
    Changed();
}

void RChartDataSeries::AppendPoints(std::span<const double> xs, std::span<const double> ys)
{
    const std::size_t n = std::min(xs.size(), ys.size());
    x_.insert(x_.end(), xs.begin(), xs.begin() + std::ptrdiff_t(n));
    y_.insert(y_.end(), ys.begin(), ys.begin() + std::ptrdiff_t(n));
    breaks_.resize(breaks_.size() + n, 0);
    Changed();
}

void RChartDataSeries::SetPoint(int index, std::uint8_t breakFlag, double x, double y)
{
    if (!InRange(index))
        return;
    x_[std::size_t(index)] = x;
    y_[std::size_t(index)] = y;
    breaks_[std::size_t(index)] = breakFlag ? 1 : 0;
    Changed();
}

bool RChartDataSeries::XAscending() const
{
    if (!(ascendingKnown_ & 1)) {
        xAscending_ = Ascending(x_);
        ascendingKnown_ |= 1;
    }
    return xAscending_;
}

bool RChartDataSeries::YAscending() const
{
    if (!(ascendingKnown_ & 2)) {
        yAscending_ = Ascending(y_);
        ascendingKnown_ |= 2;
    }
    return yAscending_;
}

void RChartDataSeries::SaveToNode(RDCNode& node) const
{
    node.SetObjectCount(0);
    RDCObject& xs = *node.Object(0);
    RDCObject& ys = *node.Object(1);
    RDCObject& name = *node.Object(2);
    RDCObject& breaks = *node.Object(3);
    xs.SetValueCount(Count());
    ys.SetValueCount(Count());
    breaks.SetValueCount(Count());
    for (int i = 0; i < Count(); ++i) {
        xs.Value(i)->SetDouble(x_[std::size_t(i)]);
        ys.Value(i)->SetDouble(y_[std::size_t(i)]);
        breaks.Value(i)->SetInteger(breaks_[std::size_t(i)]);
    }
    name.Value(0)->SetString(Name);
}

void RChartDataSeries::LoadFromNode(const RDCNode& node)
{
    const RDCObject* xs = node.ObjectAt(0);
    const RDCObject* ys = node.ObjectAt(1);
    const RDCObject* name = node.ObjectAt(2);
    const RDCObject* breaks = node.ObjectAt(3);
    const int count = xs && ys ? std::min(xs->ValueCount(), ys->ValueCount()) : 0;
    // The counts come from values the container already holds, so the
    // arrays never outgrow what was read.
    SetCount(0);
    SetCapacity(count);
    for (int i = 0; i < count; ++i) {
        const RDCValue* flag = breaks ? breaks->ValueAt(i) : nullptr;
        const bool broken = flag && (flag->AsInteger() != 0 || flag->AsBoolean());
        AppendPoint(broken ? 1 : 0, xs->ValueAt(i)->AsDouble(), ys->ValueAt(i)->AsDouble());
    }
    const RDCValue* text = name ? name->ValueAt(0) : nullptr;
    Name = text ? std::string(text->AsString()) : std::string();
}
