#include "app/log_overlay.h"

#include "app/chart_widget.h"
#include "app/las_text.h"
#include "app/multi_lang.h"
#include "chart/chart.h"
#include "raster/bitmap_copy.h"
#include "view/las_core.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace {

// The cursor line: 0xFF2100 in the platform's 0x00BBGGRR form, a blue.
const RColorWord kCursorColor = ColorWord(RPlatformColor(0xFF2100));
constexpr int kCursorWidth = 8;  // eighths of a pixel
// The rubber band: black, mostly transparent.
constexpr RColorWord kBandColor(0xCC000000);

// A depth to the precision of the file's step (0.1524 to four decimals,
// 0.5 to one); an irregular index to the decimals its depths were written
// with.
QString DepthText(double depth, const RLasIndex& index)
{
    int decimals = index.Style.Decimals;
    if (index.Regular() && index.Step != 0.0) {
        char digits[64];
        const auto end = std::to_chars(digits, digits + sizeof digits, std::fabs(index.Step)).ptr;
        const std::string_view step(digits, static_cast<std::size_t>(end - digits));
        const std::size_t point = step.find('.');
        decimals = step.find('e') != std::string_view::npos ? 6
                   : point == std::string_view::npos        ? 0
                                                            : static_cast<int>(step.size() - point - 1);
    }
    return QString::number(depth, 'f', std::clamp(decimals, 0, 6));
}

}  // namespace

RLogOverlay::RLogOverlay(RChartWidget& widget, const RMultiLang& lang) : widget_(widget), lang_(lang) {}

void RLogOverlay::SetDocument(const RLasCore* core)
{
    core_ = core;
    frameValid_ = false;
    if (!core_)
        PointerLeft();
}

void RLogOverlay::Update() { widget_.viewport()->update(); }

void RLogOverlay::PointerAt(int x, int y)
{
    cursorX_ = x;
    cursorY_ = y;
    const RChartRect graph = widget_.Chart().GraphRect();
    const bool overTracks = x >= graph.left && x < graph.right && y >= graph.top && y < graph.bottom;
    if (cursorShown_ && !overTracks && ShowReadOut)
        ShowReadOut(QString());
    cursorShown_ = overTracks && core_;
    Update();
}

void RLogOverlay::PointerLeft()
{
    cursorShown_ = false;
    if (ShowReadOut)
        ShowReadOut(QString());
    Update();
}

void RLogOverlay::BeginBand(int x, int y)
{
    cursorX_ = x;
    cursorY_ = y;
    bandStartY_ = y;
    banding_ = true;
}

std::optional<std::pair<int, int>> RLogOverlay::EndBand()
{
    if (!banding_)
        return std::nullopt;
    banding_ = false;
    Update();
    return std::pair{bandStartY_, cursorY_};
}

void RLogOverlay::CancelBand()
{
    banding_ = false;
    Update();
}

void RLogOverlay::Paint(RChart& chart)
{
    if (chart.Invalid() || !frameValid_ || frame_.Width() != chart.Width() || frame_.Height() != chart.Height()) {
        chart.Draw();  // AfterDrawAll keeps the frame and draws the overlay
        return;
    }
    CopyBitmap(frame_, chart.Bitmap());
    Draw(chart.Bitmap());
}

void RLogOverlay::AfterDrawAll(RBitmap32& bitmap)
{
    frame_.SetSize(bitmap.Width(), bitmap.Height());
    CopyBitmap(bitmap, frame_);
    frameValid_ = true;
    Draw(bitmap);
}

void RLogOverlay::Draw(RBitmap32& bitmap)
{
    if (banding_) {
        // However little the pointer moved sideways, the band spans the tracks.
        const RChartRect graph = widget_.Chart().GraphRect();
        const int top = std::clamp(std::min(cursorY_, bandStartY_), graph.top, graph.bottom);
        const int bottom = std::clamp(std::max(cursorY_, bandStartY_), graph.top, graph.bottom);
        if (bottom > top)
            bitmap.FillRect(graph.left, top, graph.Width(), bottom - top, kBandColor);
        return;
    }
    if (!cursorShown_)
        return;
    bitmap.DrawLine(0, cursorY_, bitmap.Width(), 0, kCursorColor, kCursorWidth);
    if (ShowReadOut)
        ShowReadOut(ReadOut(cursorY_));
}

QString RLogOverlay::ReadOut(int row) const
{
    const RChart& chart = widget_.Chart();
    if (!core_ || !core_->Data || chart.YAxis().Count() == 0)
        return QString();
    const double depth = chart.YAxis()[0].PixelToValue(row);
    const RLasData& data = *core_->Data;
    QString text = QString::fromStdString(lang_.Depth()) + ": " + DepthText(depth, data.Index);
    bool first = true;
    const auto& curves = data.Curves();
    for (std::size_t i = 0; i < curves.size(); ++i) {
        if (!core_->IsShown(i))
            continue;
        const RLasCurve& curve = *curves[i];
        const double position = std::nearbyint(curve.PositionOf(depth));
        QString value = "null";
        if (position >= 0.0 && position < static_cast<double>(curve.SampleCount())) {
            const RLasSample sample = curve.Data.Samples[static_cast<std::size_t>(position)];
            if (!(sample.Flags & kSampleNull) && std::isfinite(sample.Value))
                value = QString::number(sample.Value, 'g', 6);
        }
        if (first)
            text += " " + QString::fromStdString(lang_.Curves()) + ":";
        const std::string name = curve.Unit.empty() ? curve.Mnemonic : curve.Mnemonic + ", " + curve.Unit;
        text += (first ? " " : "; ") + LasText::ToDisplay(name, data) + " (" + value + ")";
        first = false;
    }
    return text;
}
