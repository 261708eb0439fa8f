#pragma once
// RChartSeries: one series of a chart and its points; RChartSeriesCollection
// the chart's series, RChartAxisCollection its X or Y axes.

#include "chart/chart_axis.h"
#include "chart/chart_collection.h"
#include "chart/chart_data_series.h"
#include "chart/chart_fill.h"
#include "chart/chart_markers.h"
#include "chart/series_label.h"

#include <string>

class RChart;

class RChartSeries {
public:
    explicit RChartSeries(RChart* chart = nullptr) : chart_(chart) {}

    RChartType ChartType = ctScatterPoints;
    int XAxisIndex = 0;
    int YAxisIndex = 0;
    RChartLine Line;
    RChartMarkers Markers;
    RChartFill Fill;
    bool UseFill = false;
    bool VisibleLegend = true;
    bool VisibleChart = true;
    bool CanHide = true;
    RSeriesLabel Labels;
    int GapSize = 50;  // percent, columns and bars
    int Overlap = 0;   // percent, columns and bars

    RChartDataSeries& Data() { return data_; }
    const RChartDataSeries& Data() const { return data_; }
    const std::string& Name() const { return data_.Name; }
    void SetName(std::string name) { data_.Name = std::move(name); }

    // The series' axes; none when the index names no axis.
    RChartAxis* XAxis() const;
    RChartAxis* YAxis() const;

    // A point's X or Y as its axis writes it (a plain number without an axis).
    std::string XText(int point) const;
    std::string YText(int point) const;
    // The parts of a point's label joined with Labels.Separator: the series
    // name (ShowSeriesName), the X text (ShowX), the Y text (ShowY). With a
    // negative point (the legend) the series name stands for the name and
    // category parts, once.
    std::string LabelText(int point) const;

private:
    RChart* chart_;
    RChartDataSeries data_;
};

class RChartSeriesCollection : public RChartCollection<RChartSeries> {
public:
    explicit RChartSeriesCollection(RChart* chart = nullptr) : chart_(chart) {}
    RChartSeries& Add() { return Append(std::make_unique<RChartSeries>(chart_)); }

private:
    RChart* chart_;
};

class RChartAxisCollection : public RChartCollection<RChartAxis> {
public:
    explicit RChartAxisCollection(bool vertical) : vertical_(vertical) {}
    bool Vertical() const { return vertical_; }
    // A new axis with the defaults (caption font turned upwards on vertical axes).
    RChartAxis& Add() { return Append(std::make_unique<RChartAxis>(vertical_)); }

private:
    bool vertical_;
};
