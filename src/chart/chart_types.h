#pragma once
// The chart's enumerations, values in their published order (stored views
// and the composer pass them as integers).

enum RChartType {
    ctColumnsClustered,
    ctColumnsStacked,
    ctColumnsStacked100,
    ctBarsClustered,
    ctBarsStacked,
    ctBarsStacked100,
    ctLinesStandart,
    ctLinesStacked,
    ctLinesStacked100,
    ctScatterPoints,
    ctScatterLine,
    ctPieStandard,
    ctPieExploded
};

enum RChartMarkersStyle { cmsNone, cmsSquare, cmsDiamond, cmsTriangle, cmsRound };

enum RChartFillGradientDirection { cfgdNone, cfgdLeft, cfgdRight, cfgdUp, cfgdDown };

enum RChartAxisTicksStyle { catsNone, catsInside, catsOutside, catsCross };

enum RChartLegendAlignment { claLeft, claRight, claTop, claBottom };

enum RAlignment { alBegin, alCenter, alEnd, alEdges };

enum RAxisType { atNumeric, atDateTime, atStrings, atLogarithmic };

enum RSeriesLabelAlignment { slaAxis, slaCenter, slaInside, slaOutside, slaLeft, slaRight, slaTop, slaBottom };

// A rectangle in chart pixels; right and bottom exclusive.
struct RChartRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};
