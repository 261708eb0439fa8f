#pragma once
// RLogNavigator: the log chart's view state and the operations on it. The
// chart is either the whole log (every track shares the chart's width and
// the whole depth range fills its height) or a window of it at a scale
// (tracks ViewScale::kTrackWidth pixels wide). Beside the view it keeps the
// saved zoom: the view the whole log returns to when Inscribe is pressed
// again, and the one a click zooms to.
//
//     RLogNavigator navigator(chart);
//     navigator.ShowWholeLog();        // a file was opened
//     navigator.ShowScale(500);        // the user chose 1:500
//     navigator.DrawnScale();          // 1:N as the chart is drawn now
//
// Rows and columns are the chart's pixels; views are fractions of the whole
// laid-out extent, as the chart keeps them. Every operation invalidates the
// chart; none fires its events.

#include <optional>
#include <utility>

class RChart;

class RLogNavigator {
public:
    struct View {
        double OffsetX = 0, OffsetY = 0, ViewSizeX = 1, ViewSizeY = 1;
    };

    explicit RLogNavigator(RChart& chart) : chart_(chart) {}

    bool WholeLog() const { return wholeLog_; }
    const View& SavedZoom() const { return savedZoom_; }
    void SetSavedZoom(const View& view) { savedZoom_ = view; }
    View Current() const;

    // The whole log, inscribed in the chart.
    void ShowWholeLog();
    // The saved zoom, tracks at their fixed width.
    void ShowSavedZoom();
    // Inscribe: from the whole log back to the saved zoom; from any other
    // view, that view saved, to the whole log.
    void ToggleWholeLog();
    // 1:n from the current top.
    void ShowScale(int n);
    // The depths between two rows fill the view, from the first track.
    void ShowBand(int topRow, int bottomRow);
    // The saved zoom with its top-left corner at (column, row).
    void ShowSavedZoomAt(int column, int row);
    // Moves the view by `views` of its own height (down for positive).
    void ScrollBy(double views);
    void ScrollToTop();
    void ScrollToBottom();
    // `factor` above 1 shows less: the view's height divided by it, its
    // centre kept.
    void Zoom(double factor);
    // The view's centre at a depth of the index.
    void ShowDepth(double depth);
    // The view's centre at fractions of the whole extent (the mini map).
    void CentreOn(double fractionX, double fractionY);
    // The chart's view was changed by the chart itself (a wheel zoom): the
    // log is no longer whole.
    void NoteChartChanged() { wholeLog_ = false; }

    // The scale the chart is drawn at; none before a layout gives it a
    // depth range and a height.
    std::optional<double> DrawnScale() const;
    // A depth on a row as a fraction of the whole depth range (0 at the
    // top), held to 0..1.
    double DepthFraction(int row) const;
    // The depth range of the index: top and bottom; none without a depth axis.
    std::optional<std::pair<double, double>> DepthRange() const;

private:
    void FixTracks();
    void Apply(const View& view);

    RChart& chart_;
    bool wholeLog_ = false;
    View savedZoom_;
};
