#pragma once
// RLogOverlay: what is drawn over the log chart's frame and follows the
// pointer: the cursor line at the pointer's depth with its read-out, and
// the rubber band of a drag, a depth band across all tracks. It keeps the
// frame without them, so that a pointer move only puts the overlay on that
// frame again instead of drawing the chart.
//
//     RLogOverlay overlay(chartWidget, lang);
//     overlay.ShowReadOut = [&](const QString& text) { panel->setText(text); };
//     overlay.SetDocument(&core);      // none: no cursor at all
//     overlay.PointerAt(x, y);         // a mouse move
//
// The read-out gives, at the cursor's depth, each shown curve's value: its
// nearest sample, "null" where it has none; the depth to the precision of
// the file's step.

#include "raster/bitmap32.h"

#include <QString>

#include <functional>
#include <optional>

class RChart;
class RChartWidget;
class RLasCore;
class RMultiLang;

class RLogOverlay {
public:
    RLogOverlay(RChartWidget& widget, const RMultiLang& lang);

    std::function<void(const QString& text)> ShowReadOut;

    void SetDocument(const RLasCore* core);
    // The frame kept is stale (the charts were cleared).
    void ForgetFrame() { frameValid_ = false; }

    // The pointer over the chart: the cursor follows it over the tracks and
    // goes, with the read-out, over the header band and the margins.
    void PointerAt(int x, int y);
    void PointerLeft();

    // A drag from (x, y); the band follows the pointer until it ends.
    void BeginBand(int x, int y);
    bool Banding() const { return banding_; }
    // The band's rows as the drag started and as it stands; none when no
    // drag is under way. The band goes either way.
    std::optional<std::pair<int, int>> EndBand();
    void CancelBand();

    // The read-out for the cursor on `row`.
    QString ReadOut(int row) const;

    // The widget's paint step and the chart's after-drawing event.
    void Paint(RChart& chart);
    void AfterDrawAll(RBitmap32& bitmap);

private:
    void Draw(RBitmap32& bitmap);
    void Update();

    RChartWidget& widget_;
    const RMultiLang& lang_;
    const RLasCore* core_ = nullptr;
    RBitmap32 frame_{1, 1};
    bool frameValid_ = false;
    bool cursorShown_ = false, banding_ = false;
    int cursorX_ = 0, cursorY_ = 0, bandStartY_ = 0;
};
