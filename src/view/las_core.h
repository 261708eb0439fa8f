#pragma once
// RLasCore: one open document's data set and view settings, and the
// composer that turns them into charts.
//
//     RLasCore core;
//     core.SetData(std::move(data), std::move(settings));
//     core.Prepare(RPrepareMode::Opened);  // right after loading
//     core.BuildChart(chart);     // the log chart
//
// Prepare readies the data set for drawing: stored calculation methods,
// unique curve names, dense track numbers and the depth range, the fill
// table and the thinning marks. Views[i] is the stored view of curve i (or
// none); it points into the settings and is refreshed by every Prepare.

#include "las/las_data.h"
#include "view/calculator_entries.h"
#include "view/cross_plot_settings.h"
#include "view/las_filter.h"
#include "view/las_settings.h"

#include <memory>
#include <vector>

class RBitmap32;
class RChart;

// Why a document is prepared for drawing.
enum class RPrepareMode {
    Opened,   // a file was just loaded
    Changed,  // views or curves changed since
};

class RLasCore {
public:
    // The automatic track numbers count down from here, one per curve whose
    // view names no track.
    static constexpr std::int32_t kFirstAutomaticTrack = 1879048191;  // 7 * 2^28 - 1
    // Samples whose neighbours' slopes agree within this many units in the
    // last place are marked redundant.
    static constexpr std::uint64_t kCollinearUnits = 128;

    RLasCore();
    ~RLasCore();

    // Takes over a data set and its settings (none: empty ones).
    void SetData(std::unique_ptr<RLasData> data, std::unique_ptr<RLasSettings> settings = nullptr);

    // A document opened the one way every front end opens one: the views and
    // methods of settings.dat at `settingsPath` (an empty path or a missing
    // file gives none; a damaged one is reported, gives none and is marked
    // damaged in Settings), the LAS file read with `options`, prepared
    // after loading. A file that gives no curves still opens; whether that
    // is a failure is the caller's to say. Raises what the reader raises.
    static std::unique_ptr<RLasCore> Open(const std::string& lasPath, const std::string& settingsPath,
                                          const RLasLoadOptions& options);

    // Opened: right after a file was loaded (stored methods are computed
    // and listed); Changed: after the views or the curves changed.
    void Prepare(RPrepareMode mode);
    void RebuildCalculatedCurves(RPrepareMode mode);
    void MakeUniqueNames();
    void AssignTracks();
    void BuildFills();
    void MarkRedundantPoints();

    // The log chart: a depth axis down the left, an axis band on top of its
    // track and a line series per shown curve, the fills painted under the
    // curves. The chart keeps a handler into this core (OnAfterDrawAxis):
    // clear the chart before the core goes.
    void BuildChart(RChart& chart) const;
    void BuildChart(RChart& chart, const RLasFilter& filter) const;
    // The log chart without curve axes, 256 pixels wide.
    void BuildMiniMap(RChart& chart) const;
    // Markers of one curve against another at the depths both have; an
    // empty chart when either index names no curve.
    void BuildCrossPlot(RChart& chart, const RLasCrossPlotSettings& settings) const;
    // The chart's OnAfterDrawAxis handler: the fills of Settings.
    void PaintFills(const RChart& chart, RBitmap32& bitmap) const;

    // The pixel length the axis ranges are rounded for.
    static constexpr double kAxisRoundingLength = 250;

    static bool IsCalculated(const RLasCurve& curve) { return !curve.Formula.empty(); }
    // Shown: no view, or a visible one. A missing Views entry counts as no view.
    bool IsShown(std::size_t curveIndex) const;

    // The calculator's curves of this document: the stored methods as they
    // met the file (listed by Prepare(RPrepareMode::Opened)), then what the calculator added.
    RCalculatorEntries& CalculatorEntries() { return calculatorEntries_; }
    const RCalculatorEntries& CalculatorEntries() const { return calculatorEntries_; }

    std::vector<RCurveView*> Views;
    std::unique_ptr<RLasData> Data;
    std::unique_ptr<RLasSettings> Settings;

private:
    RCalculatorEntries calculatorEntries_;
};
