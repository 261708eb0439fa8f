#include "view/las_fill_painter.h"

#include "chart/chart.h"
#include "raster/bitmap32.h"

#include <algorithm>
#include <cmath>

namespace {

// Walks a depth-ascending series down the rows of the chart, giving the
// curve's value at each row's depth.
class SeriesWalk {
public:
    explicit SeriesWalk(const RChartDataSeries& data) : data_(data) {}

    // Starts at the point a little above `top`, found by bisection.
    void Seek(double top)
    {
        int lo = 0, hi = data_.Count() - 1;
        while (hi - lo > 2) {
            const int mid = (lo + hi) / 2;
            if (data_.Y(mid) >= top)
                hi = mid;
            else
                lo = mid;
        }
        index_ = lo;
    }

    enum class Step { Value, Break, End };

    // The value at `depth`, which must not lie above the previous one.
    Step At(double depth, double& value)
    {
        while (index_ + 1 < data_.Count() && data_.Y(index_ + 1) <= depth)
            ++index_;
        if (index_ + 1 >= data_.Count())
            return Step::End;
        if (data_.Break(index_ + 1))
            return Step::Break;
        const double y0 = data_.Y(index_), y1 = data_.Y(index_ + 1);
        const double x0 = data_.X(index_), x1 = data_.X(index_ + 1);
        value = y1 > y0 ? x0 + (x1 - x0) * (depth - y0) / (y1 - y0) : x0;
        return Step::Value;
    }

private:
    const RChartDataSeries& data_;
    int index_ = 0;
};

// A value's pixel column on `axis`, held inside `extent`; NaN when the
// axis cannot show the value.
double Column(const RChartAxis& axis, double value, const RChartRect& extent)
{
    const double pixel = axis.ValueToPixel(value);
    if (std::isnan(pixel))
        return pixel;
    return std::clamp(pixel, static_cast<double>(extent.left), static_cast<double>(extent.right - 1));
}

void PaintFill(const RChart& chart, RBitmap32& bitmap, const RLasFillInfo& fill)
{
    const RChartSeries* filled = chart.Series().At(fill.SeriesIndex);
    if (!filled || !filled->VisibleChart || filled->Data().Count() < 2)
        return;
    const RChartAxis* xAxis = filled->XAxis();
    const RChartAxis* yAxis = filled->YAxis();
    if (!xAxis || !yAxis || xAxis->ScreenRect().Empty() || xAxis->Extent().Empty() || !yAxis->LaidOut())
        return;
    const RChartSeries* reference = nullptr;
    const RChartAxis* referenceX = nullptr;
    const RChartAxis* referenceY = nullptr;
    if (fill.FillType == RFillType::Curve) {
        reference = chart.Series().At(fill.OtherSeries);
        if (!reference || reference->Data().Count() < 2)
            return;
        referenceX = reference->XAxis();
        referenceY = reference->YAxis();
        if (!referenceX || !referenceY || !referenceX->LaidOut() || !referenceY->LaidOut())
            return;
    } else if (fill.FillType != RFillType::Constant) {
        return;
    }

    const RChartRect extent = xAxis->Extent();
    double top = yAxis->VisibleMin();
    const double bottom = yAxis->VisibleMax();
    SeriesWalk curve(filled->Data());
    curve.Seek(top);
    SeriesWalk other(reference ? reference->Data() : filled->Data());
    if (reference)
        other.Seek(referenceY->VisibleMin());
    top = std::max(top, filled->Data().Y(0));
    if (reference)
        top = std::max(top, reference->Data().Y(0));
    if (!(top <= bottom))
        return;

    // Rows in double, cut to the bitmap before any conversion, walked from
    // the top depth's row towards the bottom depth's (down the bitmap when
    // depth grows downwards).
    const double firstRow = yAxis->ValueToPixel(top), lastRow = yAxis->ValueToPixel(bottom);
    if (!std::isfinite(firstRow) || !std::isfinite(lastRow))
        return;
    const double direction = lastRow >= firstRow ? 1.0 : -1.0;
    const double lowRow = std::max(std::ceil(std::min(firstRow, lastRow)), 0.0);
    const double highRow = std::min(std::floor(std::max(firstRow, lastRow)), static_cast<double>(bitmap.Height() - 1));
    if (lowRow > highRow)
        return;
    const double constantColumn = fill.FillType == RFillType::Constant ? Column(*xAxis, fill.Constant, extent) : 0.0;
    const RColorWord color = ColorWord(fill.Color).WithTransparency(kFillTransparency);

    for (double row = direction > 0 ? lowRow : highRow; row >= lowRow && row <= highRow; row += direction) {
        const double depth = lastRow == firstRow ? top : top + (bottom - top) * (row - firstRow) / (lastRow - firstRow);
        double value = 0.0;
        const SeriesWalk::Step step = curve.At(depth, value);
        if (step == SeriesWalk::Step::End)
            return;
        if (step == SeriesWalk::Step::Break)
            continue;
        const double o = Column(*xAxis, value, extent);
        double b = constantColumn;
        if (reference) {
            double referenceValue = 0.0;
            const SeriesWalk::Step referenceStep = other.At(depth, referenceValue);
            if (referenceStep == SeriesWalk::Step::End)
                return;
            if (referenceStep == SeriesWalk::Step::Break)
                continue;
            b = Column(*referenceX, referenceValue, extent);
        }
        if (std::isnan(o) || std::isnan(b))
            continue;
        // Columns, not values, are compared: the crossover convention.
        const long left = std::lround(std::min(o, b)), right = std::lround(std::max(o, b));
        const bool paint = fill.Condition == RFillCondition::Between
                           || (fill.Condition == RFillCondition::Below && o <= b)
                           || (fill.Condition == RFillCondition::Above && o >= b);
        if (paint)
            bitmap.FillRect(static_cast<int>(left), static_cast<int>(row), static_cast<int>(right - left + 1), 1, color);
    }
}

}  // namespace

void PaintLasFills(const RChart& chart, RBitmap32& bitmap, const std::vector<RLasFillInfo>& fills)
{
    for (auto fill = fills.rbegin(); fill != fills.rend(); ++fill) {
        try {
            PaintFill(chart, bitmap, *fill);
        } catch (...) {
            // A fill that cannot be painted must not stop the curves drawing.
        }
    }
}
