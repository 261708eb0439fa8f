#pragma once
// RMiniMap: the mini map beside the log chart ("cMiniMap"): the whole log
// drawn small, with the log chart's view framed on it. A click or a drag
// on the map centres the log chart's view there. The map's picture is kept
// between frames, so that a scroll of the log chart only moves the frame.
//
//     RMiniMap map(mapWidget, logWidget, navigator);
//     core.BuildMiniMap(map.Chart());
//     map.SetDocumentShown(true);   // the frame and the clicks count now

#include "raster/bitmap32.h"

class RChart;
class RChartWidget;
class RLogNavigator;
struct RChartMouseEvent;

class RMiniMap {
public:
    RMiniMap(RChartWidget& map, RChartWidget& log, RLogNavigator& navigator);

    RChart& Chart();
    void SetDocumentShown(bool shown);
    // The map's picture is stale (rebuilt or cleared).
    void Forget() { pictureValid_ = false; }

private:
    void Paint(RChart& chart);
    void Pointer(const RChartMouseEvent& event);

    RChartWidget& map_;
    RChartWidget& log_;
    RLogNavigator& navigator_;
    RBitmap32 picture_{1, 1};
    bool pictureValid_ = false;
    bool documentShown_ = false;
};
