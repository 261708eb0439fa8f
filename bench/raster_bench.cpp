// Raster engine speed: anti-aliased lines, rectangle fills and text, with
// Qt's QPainter drawing the same lines as the yardstick.
//
// Pixel counts are the geometric area of the strokes (length x width), so
// "items_per_second" of the line benchmarks reads as covered pixels per second.

#include "raster/bitmap32.h"
#include "raster/font_data.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 1920, kHeight = 1080;
constexpr int kLineCount = 1000;
constexpr double kLineLength = 200;
constexpr int kLineWidth = 10;  // eighths of a pixel: 1.25 px

struct Segment {
    int x, y, dx, dy;
};

const std::vector<Segment>& Segments()
{
    static const std::vector<Segment> segments = [] {
        std::mt19937 random(12345);
        std::uniform_real_distribution<double> angle(0, 2 * 3.14159265358979), x(200, kWidth - 200),
            y(200, kHeight - 200);
        std::vector<Segment> made;
        for (int i = 0; i < kLineCount; ++i) {
            const double a = angle(random);
            made.push_back({int(x(random)), int(y(random)), int(std::lround(kLineLength * std::cos(a))),
                            int(std::lround(kLineLength * std::sin(a)))});
        }
        return made;
    }();
    return segments;
}

void AntiAliasedLines(benchmark::State& state)
{
    RBitmap32 bitmap(kWidth, kHeight);
    bitmap.SetLineDrawMethod(bldmAntiAliasingRounds);
    for (auto _ : state) {
        for (const Segment& s : Segments())
            bitmap.DrawLine(s.x, s.y, s.dx, s.dy, RColorWord(0x00804020), kLineWidth);
        benchmark::DoNotOptimize(bitmap.Util().Bits());
    }
    state.SetItemsProcessed(state.iterations() * kLineCount * std::int64_t(kLineLength * kLineWidth / 8));
    state.counters["lines/s"] = benchmark::Counter(double(state.iterations()) * kLineCount, benchmark::Counter::kIsRate);
}
BENCHMARK(AntiAliasedLines)->Unit(benchmark::kMillisecond);

void QPainterAntiAliasedLines(benchmark::State& state)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(0x80, 0x40, 0x20), kLineWidth / 8.0, Qt::SolidLine, Qt::RoundCap));
    for (auto _ : state) {
        for (const Segment& s : Segments())
            painter.drawLine(QPointF(s.x + 0.5, s.y + 0.5), QPointF(s.x + s.dx + 0.5, s.y + s.dy + 0.5));
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kLineCount * std::int64_t(kLineLength * kLineWidth / 8));
    state.counters["lines/s"] = benchmark::Counter(double(state.iterations()) * kLineCount, benchmark::Counter::kIsRate);
}
BENCHMARK(QPainterAntiAliasedLines)->Unit(benchmark::kMillisecond);

void FullBitmapFillRect(benchmark::State& state)
{
    RBitmap32 bitmap(kWidth, kHeight);
    std::uint32_t colour = 0;
    for (auto _ : state) {
        bitmap.FillRect(0, 0, kWidth, kHeight, RColorWord(colour++ & 0xFFFFFF));
        benchmark::DoNotOptimize(bitmap.Util().Bits());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(FullBitmapFillRect)->Unit(benchmark::kMicrosecond);

void ShortLabels(benchmark::State& state)
{
    RBitmap32 bitmap(kWidth, kHeight);
    bitmap.FillRect(0, 0, kWidth, kHeight, RColorWord(0xFFFFFF));
    bitmap.SetFont(RFont("Arial", 8));
    bitmap.DrawText(0, 0, "warm the cache", RColorWord(0));
    char labels[kLineCount][16];
    int glyphs = 0;
    for (int i = 0; i < kLineCount; ++i)
        glyphs += std::snprintf(labels[i], sizeof labels[i], "%.2f", 1000 + i * 0.25);
    for (auto _ : state) {
        for (int i = 0; i < kLineCount; ++i)
            bitmap.DrawText(20 + (i % 20) * 90, 20 + (i / 20) * 20, labels[i], RColorWord(0x000000), true);
        benchmark::DoNotOptimize(bitmap.Util().Bits());
    }
    state.SetItemsProcessed(state.iterations() * glyphs);
    state.counters["labels/s"] = benchmark::Counter(double(state.iterations()) * kLineCount, benchmark::Counter::kIsRate);
}
BENCHMARK(ShortLabels)->Unit(benchmark::kMicrosecond);

}  // namespace
