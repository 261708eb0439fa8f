#include "cli/chart_model.h"

#include "chart/chart.h"
#include "container/text_codec.h"
#include "view/las_core.h"

#include <cmath>
#include <cstdio>

namespace {

using Json = nlohmann::ordered_json;

// LAS text of the data set, read in its encoding.
Json Text(const RLasData& data, const std::string& bytes) { return data.DecodeText(bytes); }

// Chart captions are Windows-1251 bytes (what the raster fonts draw).
Json ChartText(const std::string& bytes) { return TextCodec::Cp1251ToUtf8(bytes); }

Json Hex(const RColor& color)
{
    const RColorWord word = color.Word();
    char text[7];
    std::snprintf(text, sizeof text, "%02X%02X%02X", word.Red(), word.Green(), word.Blue());
    return text;
}

Json Hex(RPlatformColor color) { return Hex(RColor(RColorType::ctStandart, color.Value())); }

Json Point(const RChartDataSeries& data, int index)
{
    if (index < 0 || index >= data.Count())
        return nullptr;
    return Json::array({data.X(index), data.Y(index)});
}

const char* MarkerWord(int style)
{
    switch (style) {
    case cmsSquare: return "square";
    case cmsDiamond: return "diamond";
    case cmsTriangle: return "triangle";
    case cmsRound: return "circle";
    default: return "none";
    }
}

// The range the picture uses: after the layout the placement's (automatic
// ends found from the data, a zero span widened, log rules applied), the
// set one before it.
Json AxisSummary(const RChartAxis& axis)
{
    const RAxisPlacement& placement = axis.Placement();
    return {{"caption", ChartText(axis.Caption)},
            {"min", axis.LaidOut() ? placement.min : axis.MinValue()},
            {"max", axis.LaidOut() ? placement.max : axis.MaxValue()},
            {"log", axis.AxisType == atLogarithmic},
            {"color", Hex(axis.Color)}};
}

}  // namespace

Json LogChartModel(const RLasCore& core, const RChart& chart)
{
    Json model;
    Json curves = Json::array();
    const auto& dataCurves = core.Data->Curves();
    for (std::size_t i = 0; i < dataCurves.size(); ++i) {
        const RLasCurve& curve = *dataCurves[i];
        std::size_t redundant = 0;
        for (std::size_t k = 0; k < curve.SampleCount(); ++k)
            redundant += RLasCurveDataWrapper::IsRedundant(curve.Data, k) ? 1 : 0;
        curves.push_back({{"mnemonic", Text(*core.Data, curve.Mnemonic)},
                          {"calculated", RLasCore::IsCalculated(curve)},
                          {"track", i < core.Settings->Tracks.size() ? core.Settings->Tracks[i] : -1},
                          {"redundant", redundant}});
    }
    model["curves"] = std::move(curves);
    model["depth"] = {{"min", core.Settings->MinDepth}, {"max", core.Settings->MaxDepth}};
    if (const RChartAxis* depth = chart.YAxis().At(0))
        model["yAxis"] = {{"min", depth->MinValue()},
                          {"max", depth->MaxValue()},
                          {"reverse", depth->ReverseOrder},
                          {"gridColor", Hex(depth->GridLinesColor)}};
    // The X axes follow the shown curves; each was rounded to the nice step
    // of its curve's range.
    std::vector<const RLasCurve*> shown;
    for (std::size_t i = 0; i < dataCurves.size(); ++i)
        if (core.IsShown(i))
            shown.push_back(dataCurves[i].get());
    Json axes = Json::array();
    for (const auto& axis : chart.XAxis()) {
        const bool log = axis->AxisType == atLogarithmic;
        const std::size_t k = static_cast<std::size_t>(chart.XAxis().IndexOf(axis.get()));
        double span = k < shown.size() ? shown[k]->MaxValue - shown[k]->MinValue : 0.0;
        // A curve of one value, or of none, is drawn over a span of one.
        if (k < shown.size() && !(std::isfinite(span) && span > 0))
            span = 1.0;
        axes.push_back({{"caption", ChartText(axis->Caption)},
                        {"track", axis->TrackIndex},
                        {"min", axis->MinValue()},
                        {"max", axis->MaxValue()},
                        {"step", log ? Json(nullptr) : Json(axis->NiceStep(span, RLasCore::kAxisRoundingLength))},
                        {"log", log},
                        {"format", axis->FormatNumberScript},
                        {"color", Hex(axis->Color)},
                        {"gridColor", Hex(axis->GridLinesColor)}});
    }
    model["xAxes"] = std::move(axes);
    Json series = Json::array();
    for (const auto& item : chart.Series()) {
        const RChartDataSeries& data = item->Data();
        std::size_t breaks = 0;
        for (const std::uint8_t flag : data.Breaks())
            breaks += flag ? 1 : 0;
        // Series are named by their curves' mnemonics, bytes of the file.
        series.push_back({{"name", Text(*core.Data, item->Name())},
                          {"xAxis", item->XAxisIndex},
                          {"color", Hex(item->Line.Color)},
                          {"points", data.Count()},
                          {"breaks", breaks},
                          {"first", Point(data, 0)},
                          {"last", Point(data, data.Count() - 1)}});
    }
    model["series"] = std::move(series);
    Json fills = Json::array();
    for (const RLasFillInfo& fill : core.Settings->Fills)
        fills.push_back({{"series", fill.SeriesIndex},
                         {"type", static_cast<int>(fill.FillType)},
                         {"condition", static_cast<int>(fill.Condition)},
                         {"other", fill.OtherSeries},
                         {"constant", fill.Constant},
                         {"color", Hex(fill.Color)}});
    model["fills"] = std::move(fills);
    return model;
}

Json CrossPlotModel(const RChart& chart, const RLasCrossPlotSettings& settings)
{
    Json model;
    if (const RChartAxis* axis = chart.XAxis().At(0))
        model["xAxis"] = AxisSummary(*axis);
    if (const RChartAxis* axis = chart.YAxis().At(0))
        model["yAxis"] = AxisSummary(*axis);
    const RChartSeries* series = chart.Series().At(0);
    const int count = series ? series->Data().Count() : 0;
    model["points"] = count;
    model["first"] = series ? Point(series->Data(), 0) : Json(nullptr);
    model["last"] = series ? Point(series->Data(), count - 1) : Json(nullptr);
    model["marker"] = {{"style", MarkerWord(settings.MarkerStyle)},
                       {"size", settings.MarkerSize},
                       {"gradient", settings.UseGradient},
                       {"color", series ? Hex(series->Markers.Color) : Json(nullptr)},
                       {"gradientColor", series ? Hex(series->Markers.GradientColor) : Json(nullptr)}};
    // The legend of the gradient as drawn: what it maps and its two ends.
    if (const auto scale = ColorScaleContent(chart))
        model["colorScale"] = {{"caption", ChartText(chart.ColorScale.Caption)},
                               {"least", scale->least},
                               {"greatest", scale->greatest}};
    else
        model["colorScale"] = nullptr;
    return model;
}
