#pragma once
// RLasCore: one open document's data set and view settings, and the
// composer that turns them into charts.
//
//     RLasCore core;
//     core.SetData(std::move(data), std::move(settings));
//     core.Prepare(1);            // right after loading
//     core.BuildChart(chart);     // the log chart
//
// Prepare readies the data set for drawing: stored calculation methods,
// unique curve names, dense track numbers and the depth range, the fill
// table and the thinning marks. Views[i] is the stored view of curve i (or
// none); it points into the settings and is refreshed by every Prepare.

#include "las/las_data.h"
#include "view/las_settings.h"

#include <memory>
#include <vector>

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

    // Mode 1 after a file was loaded (stored methods are computed), mode 0
    // after the views or the curves changed.
    void Prepare(int mode);
    void RebuildCalculatedCurves(int mode);
    void MakeUniqueNames();
    void AssignTracks();
    void BuildFills();
    void MarkRedundantPoints();

    static bool IsCalculated(const RLasCurve& curve) { return !curve.Formula.empty(); }
    // Shown: no view, or a visible one. A missing Views entry counts as no view.
    bool IsShown(std::size_t curveIndex) const;

    std::vector<RCurveView*> Views;
    std::unique_ptr<RLasData> Data;
    std::unique_ptr<RLasSettings> Settings;
};
