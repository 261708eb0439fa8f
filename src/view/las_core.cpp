#include "view/las_core.h"

#include "chart/chart.h"
#include "container/text_codec.h"
#include "las/logging.h"
#include "las/near_equal.h"
#include "view/calculated_curves.h"
#include "view/curve_points.h"
#include "view/las_fill_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

RLasCore::RLasCore() : Data(std::make_unique<RLasData>()), Settings(std::make_unique<RLasSettings>()) {}

RLasCore::~RLasCore() = default;

void RLasCore::SetData(std::unique_ptr<RLasData> data, std::unique_ptr<RLasSettings> settings)
{
    Views.clear();
    Data = data ? std::move(data) : std::make_unique<RLasData>();
    Settings = settings ? std::move(settings) : std::make_unique<RLasSettings>();
    calculatorEntries_.Clear();
}

std::unique_ptr<RLasCore> RLasCore::Open(const std::string& lasPath, const std::string& settingsPath,
                                         const RLasLoadOptions& options)
{
    const RLogScope scope(options.Sink);
    auto settings = std::make_unique<RLasSettings>();
    if (!settingsPath.empty())
        settings->LoadFromFile(settingsPath);
    auto data = std::make_unique<RLasData>();
    data->LoadFromLas(lasPath, options);
    auto core = std::make_unique<RLasCore>();
    core->SetData(std::move(data), std::move(settings));
    core->Prepare(RPrepareMode::Opened);
    return core;
}

void RLasCore::Prepare(RPrepareMode mode)
{
    RebuildCalculatedCurves(mode);
    MakeUniqueNames();
    AssignTracks();
    BuildFills();
    MarkRedundantPoints();
}

void RLasCore::RebuildCalculatedCurves(RPrepareMode mode)
{
    if (mode == RPrepareMode::Opened) {
        ::RebuildCalculatedCurves(*Data, *Settings);
        calculatorEntries_.ListStoredMethods(*Data, *Settings);
    }
}

void RLasCore::MakeUniqueNames()
{
    // Each curve keeps its stem when no earlier curve holds it, else takes
    // the first free "stem (k)", k from 2. Names are only ever added to
    // `taken`, so a number found taken for a stem stays taken: the search of
    // the next curve of that stem resumes where the last one stopped, and
    // every name is looked up a bounded number of times.
    const auto& curves = Data->Curves();
    std::unordered_set<std::string> taken;
    taken.reserve(curves.size());
    std::unordered_map<std::string, std::uint64_t> nextNumber;  // per stem: all below are taken
    for (const auto& curve : curves) {
        std::string stem(CurveNameStem(curve->Mnemonic));
        std::string name = stem;
        if (taken.contains(name)) {
            std::uint64_t& number = nextNumber.try_emplace(stem, 2).first->second;
            do
                name = stem + " (" + std::to_string(number++) + ")";
            while (taken.contains(name));
        }
        taken.insert(name);
        curve->Mnemonic = std::move(name);
    }
}

bool RLasCore::IsShown(std::size_t curveIndex) const
{
    return curveIndex >= Views.size() || !Views[curveIndex] || Views[curveIndex]->Visible;
}

void RLasCore::AssignTracks()
{
    const auto& curves = Data->Curves();
    const std::size_t count = curves.size();
    Views.assign(count, nullptr);
    Settings->Tracks.assign(count, -1);

    // Numbered tracks first in ascending order, then one automatic track
    // per curve in data-set order, whatever number a user typed.
    using TrackKey = std::pair<bool, std::int32_t>;  // (automatic, number)
    std::vector<TrackKey> keys(count);
    std::vector<TrackKey> distinct;
    std::int32_t automatic = kFirstAutomaticTrack;
    for (std::size_t i = count; i-- > 0;) {
        Views[i] = Settings->GetView(curves[i]->Mnemonic);
        if (Views[i] && !Views[i]->Visible)
            continue;
        const std::int32_t track = Views[i] ? Views[i]->Track : 0;
        keys[i] = track > 0 ? TrackKey{false, track} : TrackKey{true, automatic--};
        distinct.push_back(keys[i]);
    }
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    for (std::size_t i = 0; i < count; ++i) {
        if (!IsShown(i))
            continue;
        Settings->Tracks[i] = static_cast<std::int32_t>(
            std::lower_bound(distinct.begin(), distinct.end(), keys[i]) - distinct.begin());
    }

    // The depth range of the shown file curves; a grid running down (STEP
    // below 0) has its first depth at the bottom.
    bool any = false;
    double top = 0.0, bottom = 1.0;
    for (std::size_t i = count; i-- > 0;) {
        const RLasCurve& curve = *curves[i];
        if (!IsShown(i) || IsCalculated(curve))
            continue;
        const double low = std::min(curve.FirstDepth, curve.LastDepth);
        const double high = std::max(curve.FirstDepth, curve.LastDepth);
        top = any ? std::min(top, low) : low;
        bottom = any ? std::max(bottom, high) : high;
        any = true;
    }
    Settings->MinDepth = top;
    Settings->MaxDepth = bottom;
}

void RLasCore::BuildFills()
{
    const auto& curves = Data->Curves();
    const std::size_t count = curves.size();
    std::vector<std::int32_t> seriesIndex(count, -1);
    std::int32_t shown = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (IsShown(i))
            seriesIndex[i] = shown++;

    const auto trackOf = [&](std::size_t i) { return i < Settings->Tracks.size() ? Settings->Tracks[i] : -1; };
    // The last curve of each name, made when the first fill against a curve
    // needs it.
    std::unordered_map<std::string_view, std::size_t> lastOfName;
    std::vector<RLasFillInfo> fills;
    for (std::size_t i = count; i-- > 0;) {
        const RCurveView* view = i < Views.size() ? Views[i] : nullptr;
        if (!view || !view->Visible || view->FillType == RFillType::None)
            continue;
        RLasFillInfo fill;
        if (view->FillType == RFillType::Curve) {
            const RCurveView* other = Settings->GetView(view->FillCurve);
            if (!other || !other->Visible || other->Track != view->Track)
                continue;
            if (lastOfName.empty())
                for (std::size_t k = 0; k < count; ++k)
                    lastOfName[curves[k]->Mnemonic] = k;
            const auto named = lastOfName.find(view->FillCurve);
            const std::size_t found = named == lastOfName.end() ? count : named->second;
            // Both curves in one track: a fill between two tracks would
            // paint across every track between them.
            if (found == count || seriesIndex[found] < 0 || trackOf(found) != trackOf(i))
                continue;
            fill.OtherSeries = seriesIndex[found];
            fill.Constant = 0.0;
        } else {
            fill.OtherSeries = -1;
            fill.Constant = view->FillConst;
        }
        fill.SeriesIndex = seriesIndex[i];
        fill.FillType = view->FillType;
        fill.Condition = view->FillCondition;
        fill.Color = view->FillColor.Value() > 0 ? view->FillColor : RPlatformColor(0);
        fills.push_back(fill);
    }
    Settings->Fills = std::move(fills);
}

void RLasCore::MarkRedundantPoints()
{
    for (const auto& owned : Data->Curves()) {
        RLasCurveData& data = owned->Data;
        // Collinearity in (depth, value): a regular grid's depths are
        // proportional to the sample indexes, which are used as they are; an
        // irregular index needs the depths themselves. An index shorter than
        // the samples (a damaged curve) marks nothing.
        const TDoubleArray* depths = owned->Depths.get();
        if (depths && depths->size() < data.Samples.size())
            continue;
        const auto null = [&](std::size_t k) { return (data.Samples[k].Flags & kSampleNull) != 0; };
        const auto value = [&](std::size_t k) -> double { return data.Samples[k].Value; };
        const auto place = [&](std::size_t k) { return depths ? (*depths)[k] : static_cast<double>(k); };
        // Each run of consecutive non-null samples on its own: its first and
        // last samples always stay, so a run between two gaps still draws.
        std::size_t end = data.Samples.size();
        while (end > 0) {
            while (end > 0 && null(end - 1))
                --end;
            std::size_t begin = end;
            while (begin > 0 && !null(begin - 1))
                --begin;
            if (end - begin >= 3) {
                // q > s > t: q the latest point kept, s the candidate.
                std::size_t q = end - 1, s = end - 2;
                for (std::size_t t = end - 2; t-- > begin;) {
                    const double a = (value(t) - value(s)) * (place(s) - place(q));
                    const double b = (value(s) - value(q)) * (place(t) - place(s));
                    if (IsNearEqual(a, b, kCollinearUnits))
                        RLasCurveDataWrapper::SetRedundant(data, s, true);
                    else
                        q = s;
                    s = t;
                }
            }
            end = begin;
        }
    }
}

namespace {

// Curve text of `data` on the chart: the raster fonts draw Windows-1251
// bytes, and the file may hold any encoding the data set knows.
std::string ChartText(std::string_view bytes, const RLasData& data)
{
    return TextCodec::Utf8ToCp1251(data.DecodeText(bytes));
}

// Channel by channel, each sum halved with truncation.
RColor Average(const RColor& a, const RColor& b)
{
    const std::uint32_t x = a.Effective(), y = b.Effective();
    std::uint32_t mixed = 0;
    for (int shift = 0; shift < 24; shift += 8)
        mixed |= ((((x >> shift) & 0xFF) + ((y >> shift) & 0xFF)) / 2) << shift;
    return RColor(RColorType::ctRGBA, static_cast<std::int32_t>(mixed));
}

// Three quarters of the way from `line` to the graph area's colour.
RColor GridColor(const RColor& line, const RColor& area) { return Average(Average(line, area), area); }

RColor ViewColor(RPlatformColor color) { return RColor(RColorType::ctStandart, color.Value()); }

void SetUpCurveAxis(RChartAxis& axis, const RLasCurve& curve, const RLasData& data)
{
    // "GR, GAPI"; a curve without a unit by its mnemonic alone ("VSH").
    axis.Caption = ChartText(curve.Unit.empty() ? curve.Mnemonic : curve.Mnemonic + ", " + curve.Unit, data);
    axis.EdgeInsideAlign = 3;
    axis.CaptionAlign = alCenter;
    axis.CaptionFont.Size = 8;
    axis.CaptionFont.Weight = 7;
    axis.Font.Size = 8;
    axis.TicksSize = 4;
    axis.ShowGridLines = true;
}

// The smallest positive finite value; 0 when there is none.
double SmallestPositive(const RLasCurve& curve)
{
    double smallest = 0.0;
    for (const RLasSample sample : curve.Data.Samples) {
        const double value = sample.Value;
        if (!(sample.Flags & kSampleNull) && std::isfinite(value) && value > 0.0 && (smallest == 0.0 || value < smallest))
            smallest = value;
    }
    return smallest;
}

// "#,##0.000" for values within 0.5, "#,##0.0" within 12.3, "#,##0" from
// 100 up: about three significant digits at the range's largest magnitude.
std::string NumberScript(double largest, const std::string& fallback)
{
    if (!(largest > 0.0) || !std::isfinite(largest))
        return fallback;
    const int decimals = std::min(3, 2 - static_cast<int>(std::floor(std::log10(largest))));
    return decimals > 0 ? "#,##0." + std::string(static_cast<std::size_t>(decimals), '0') : "#,##0";
}

}  // namespace

void RLasCore::BuildChart(RChart& chart) const
{
    BuildChart(chart, RLasFilter::Default(Settings->MinDepth, Settings->MaxDepth));
}

void RLasCore::BuildChart(RChart& chart, const RLasFilter& filter) const
{
    chart.Clear();
    const RColor area = chart.GraphAreaFill.Color;
    const RColor black(RColorType::ctRGBA, 0);

    RChartAxis& depth = chart.YAxis().Add();
    // A single depth (one sample) gets half a unit each side, so the axis
    // itself has a span, not only its drawing.
    const double top = Settings->MinDepth, bottom = Settings->MaxDepth;
    const bool flat = !(bottom > top);
    depth.SetMinValue(flat ? std::min(top, bottom) - 0.5 : top);
    depth.SetMaxValue(flat ? std::max(top, bottom) + 0.5 : bottom);
    depth.ReverseOrder = true;
    depth.EdgeInsideAlign = 1;
    // As wide as its widest label (930,000.0), and never narrower than 50 px.
    depth.MinSize = 50;
    depth.GridLinesColor = GridColor(black, area);
    // Zoomed in, 1,500.25 and 1,500.50 rather than 1,500.25 and 1,500.5.
    depth.UniformLabelDecimals = true;
    // The depth track's header cell: the index's name over its unit.
    if (const TLasHeaderNew* header = Data->LasHeader(); header && !header->Curves().DepthLine.Mnem.empty()) {
        const RLasSectionLine& index = header->Curves().DepthLine;
        depth.HeaderCaption = ChartText(index.Unit.empty() ? index.Mnem : index.Mnem + "\n" + index.Unit, *Data);
        depth.CaptionFont.Size = 8;
        depth.CaptionFont.Weight = 7;
    }

    const auto& curves = Data->Curves();
    for (std::size_t i = 0; i < curves.size(); ++i) {
        if (!IsShown(i))
            continue;
        const RLasCurve& curve = *curves[i];
        const RCurveView* view = i < Views.size() ? Views[i] : nullptr;
        RChartSeries& series = chart.Series().Add();
        RChartAxis& axis = chart.XAxis().Add();
        SetUpCurveAxis(axis, curve, *Data);
        axis.TopRightAlignment = true;
        axis.SetSize(34);
        axis.CaptionSize = 16;
        series.SetName(curve.Mnemonic);
        series.ChartType = ctScatterLine;
        if (view && view->LogAxis)
            axis.AxisType = atLogarithmic;
        series.Line.Color = view ? ViewColor(view->Color) : black;
        axis.GridLinesColor = GridColor(series.Line.Color, area);

        // The range as the data set holds it: finite values only, a curve of
        // one value widened so its axis has a span. The curve keeps its own.
        double low = curve.MinValue, high = curve.MaxValue;
        if (!std::isfinite(low) || !std::isfinite(high)) {
            low = -0.5;
            high = 0.5;
        }
        if (low == high) {
            low -= 0.5;
            high += 0.5;
        }
        if (axis.AxisType == atLogarithmic) {
            // Whole decades: a linear step would start the axis at 0.
            const double positive = low > 0.0 ? low : SmallestPositive(curve);
            const double decadeLow = positive > 0.0 ? std::pow(10.0, std::floor(std::log10(positive))) : 1.0;
            double decadeHigh = high > decadeLow ? std::pow(10.0, std::ceil(std::log10(high))) : decadeLow * 10.0;
            if (decadeHigh <= decadeLow)
                decadeHigh = decadeLow * 10.0;
            axis.SetMinValue(decadeLow);
            axis.SetMaxValue(decadeHigh);
        } else {
            const double step = axis.NiceStep(high - low, kAxisRoundingLength);
            axis.SetMinValue(RChartAxis::FloorToStep(low, step));
            axis.SetMaxValue(RChartAxis::CeilToStep(high, step));
        }
        axis.TrackIndex = i < Settings->Tracks.size() ? Settings->Tracks[i] : 0;
        axis.CaptionColor = series.Line.Color;
        axis.Color = series.Line.Color;
        axis.FormatNumberScript = NumberScript(std::max(std::fabs(low), std::fabs(high)), axis.FormatNumberScript);
        series.XAxisIndex = chart.XAxis().Count() - 1;
        series.YAxisIndex = 0;
        const bool selected = filter.Curves.empty() || (i < filter.Curves.size() && filter.Curves[i]);
        if (!selected)
            continue;
        series.Line.Width = 10;
        if (filter.LoadPoints)
            LoadCurvePoints(curve, filter, series.Data());
    }

    chart.Legend.Show = false;
    chart.BackGroundFill.ShowBorder = false;
    chart.OverSizeX = 0;
    chart.OverSizeY = 5;
    chart.OnAfterDrawAxis = [this](RChart& drawn, RBitmap32& bitmap) { PaintFills(drawn, bitmap); };
    chart.Invalidate();
}

void RLasCore::BuildMiniMap(RChart& chart) const
{
    BuildChart(chart);
    for (const auto& axis : chart.XAxis())
        axis->Visible = false;
    chart.TrackLineColor = chart.GraphAreaFill.Color;
    chart.SetSize(256, chart.Height());
}

void RLasCore::PaintFills(const RChart& chart, RBitmap32& bitmap) const
{
    if (Settings)
        PaintLasFills(chart, bitmap, Settings->Fills);
}

void RLasCore::BuildCrossPlot(RChart& chart, const RLasCrossPlotSettings& settings) const
{
    chart.Clear();
    chart.OnAfterDrawAxis = nullptr;
    chart.Legend.Show = false;
    chart.ColorScale.Show = false;
    chart.BackGroundFill.Border.Width = 16;
    const auto count = static_cast<std::int64_t>(Data ? Data->Curves().size() : 0);
    if (settings.XCurve < 0 || settings.XCurve >= count || settings.YCurve < 0 || settings.YCurve >= count) {
        chart.Invalidate();
        return;
    }
    const auto& curves = Data->Curves();
    const RLasCurve& xCurve = *curves[static_cast<std::size_t>(settings.XCurve)];
    const RLasCurve& yCurve = *curves[static_cast<std::size_t>(settings.YCurve)];
    const auto setUp = [&](RChartAxis& axis, const RLasCurve& curve) {
        SetUpCurveAxis(axis, curve, *Data);
        const RCurveView* view = Settings->GetView(curve.Mnemonic);
        if (view && view->LogAxis)
            axis.AxisType = atLogarithmic;
        axis.Color = view && view->Color.Value() >= 1 ? ViewColor(view->Color) : RColor(RColorType::ctRGBA, 0);
        axis.CaptionColor = axis.Color;
        // 0.50, 1.00, 1.50: one number of decimals along each axis.
        axis.UniformLabelDecimals = true;
    };
    setUp(chart.XAxis().Add(), xCurve);
    setUp(chart.YAxis().Add(), yCurve);
    RChartSeries& series = chart.Series().Add();
    series.ChartType = ctScatterPoints;
    series.XAxisIndex = 0;
    series.YAxisIndex = 0;

    // Pairs at the depths both curves have, from the deepest up, whatever
    // the sign of either step, so the gradient reads the same on every file.
    // Both orders ascend, regular or irregular, so one merge pass pairs them.
    // Each point's depth is its colour value: the gradient runs over depth
    // itself, gaps included, as the colour scale says.
    const RAscendingSamples xs(xCurve), ys(yCurve);
    RChartDataSeries& points = series.Data();
    const std::size_t most = std::min(xs.Count(), ys.Count());
    points.SetCapacity(static_cast<int>(most));
    std::vector<double> depths;
    depths.reserve(most);
    std::size_t a = xs.Count(), b = ys.Count();
    while (a > 0 && b > 0) {
        const double depthA = xs.Depth(a - 1), depthB = ys.Depth(b - 1);
        if (IsNearEqual(depthA, depthB, 8)) {
            if (!xs.Missing(a - 1) && !ys.Missing(b - 1)) {
                points.AppendPoint(0, xs.Value(a - 1), ys.Value(b - 1));
                depths.push_back(depthA);
            }
            --a;
            --b;
        } else if (depthA > depthB) {
            --a;
        } else {
            --b;
        }
    }

    const RColor first(RColorType::ctStandart, settings.Color.Value());
    const RColor second(RColorType::ctStandart, settings.GradientColor.Value());
    if (settings.UseGradient) {
        series.Markers.UseGradient = true;
        series.Markers.Color = second;
        series.Markers.GradientColor = first;
        // The deepest point comes first: the second colour at the deepest
        // depth, the first at the shallowest.
        points.SetColorValues(std::move(depths));
        chart.ColorScale.Show = true;
        chart.ColorScale.SeriesIndex = 0;
        chart.ColorScale.Caption = TextCodec::Utf8ToCp1251(settings.DepthName.empty() ? "Depth" : settings.DepthName);
    } else {
        series.Markers.Color = first;
    }
    series.Markers.Style = static_cast<RChartMarkersStyle>(std::clamp<std::int32_t>(settings.MarkerStyle, cmsNone, cmsRound));
    series.Markers.Size = settings.MarkerSize;
    chart.Invalidate();
}
