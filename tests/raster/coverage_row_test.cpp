// Coverage arithmetic of anti-aliased shapes, checked exactly through a
// recording painter.

#include "coverage_recorder.h"
#include "raster/ring_geometry.h"
#include "raster/stroke_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const RClipBox kBox{0, 0, 100, 100};

CoverageRecorder Stroke(double x0, double y0, double x1, double y1, double halfWidth, bool round,
                        const RClipBox& box = kBox)
{
    RCoverageRow row;
    CoverageRecorder recorder;
    RasterizeRows(RStrokeGeometry(x0, y0, x1, y1, halfWidth, round), box, row, recorder);
    return recorder;
}

// Pixel p's centre in sixteenths.
double C(int p) { return p * 16.0 + 8; }

}  // namespace

TEST(CoverageRow, SubRowIntervalsAddUpToArea)
{
    RCoverageRow row;
    row.Reset(0, 10);
    CoverageRecorder recorder;
    // Eight sub-rows covering pixel 2 from a quarter in, eight covering it fully.
    for (int s = 0; s < 8; ++s)
        row.AddSpan(36, 48);
    for (int s = 0; s < 8; ++s)
        row.AddSpan(32, 48);
    recorder.SetRow(0);
    row.Sweep(recorder);
    EXPECT_EQ(recorder.At(2, 0), 8 * 12 + 8 * 16);
    EXPECT_EQ(recorder.At(1, 0), 0);
    EXPECT_EQ(recorder.At(3, 0), 0);
}

TEST(CoverageRow, FullPixelsOnlyWhenEverySubRowCoversThem)
{
    RCoverageRow row;
    row.Reset(0, 10);
    CoverageRecorder recorder;
    for (int s = 0; s < 16; ++s)
        row.AddSpan(s == 0 ? 24 : 16, 64);  // pixel 1 misses half of one sub-row
    recorder.SetRow(0);
    row.Sweep(recorder);
    EXPECT_EQ(recorder.At(1, 0), 256 - 8);
    EXPECT_EQ(recorder.At(2, 0), 256);
    EXPECT_EQ(recorder.At(3, 0), 256);
    EXPECT_EQ(recorder.At(4, 0), 0);
}

TEST(CoverageRow, DegenerateAndHostileIntervalsAreSafe)
{
    RCoverageRow row;
    row.Reset(0, 10);
    CoverageRecorder recorder;
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    row.AddSpan(nan, 50);
    row.AddSpan(40, nan);
    row.AddSpan(50, 40);       // reversed
    row.AddSpan(-1e300, -inf); // nothing
    row.AddSpan(-inf, inf);    // the whole row, clipped
    for (int s = 0; s < 15; ++s)
        row.AddSpan(0, 160);
    // Overlapping intervals never push coverage past 256.
    row.AddSpan(20, 30);
    recorder.SetRow(0);
    row.Sweep(recorder);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(recorder.At(x, 0), 256) << x;
    EXPECT_EQ(recorder.At(10, 0), 0);
}

TEST(StrokeCoverage, HorizontalWidthEightCoversExactlyOneRow)
{
    // Width 8 is one pixel: half-width 8 sixteenths around the row's centre.
    const CoverageRecorder line = Stroke(C(10), C(20), C(30), C(20), 8, false);
    for (int x = 11; x < 30; ++x)
        EXPECT_EQ(line.At(x, 20), 256) << x;
    EXPECT_EQ(line.At(10, 20), 128);  // ends at pixel centres
    EXPECT_EQ(line.At(30, 20), 128);
    for (int x = 9; x <= 31; ++x) {
        EXPECT_EQ(line.At(x, 19), 0);
        EXPECT_EQ(line.At(x, 21), 0);
    }
}

TEST(StrokeCoverage, PartialRowsGetLinearCoverage)
{
    // Width 10: 1.25 px, one full row and two sub-rows above and below.
    CoverageRecorder line = Stroke(C(10), C(20), C(30), C(20), 10, false);
    EXPECT_EQ(line.At(15, 20), 256);
    EXPECT_EQ(line.At(15, 19), 32);
    EXPECT_EQ(line.At(15, 21), 32);
    EXPECT_EQ(line.At(15, 18), 0);
    // Width 12: a quarter of each neighbouring row.
    line = Stroke(C(10), C(20), C(30), C(20), 12, false);
    EXPECT_EQ(line.At(15, 19), 64);
    EXPECT_EQ(line.At(15, 21), 64);
}

TEST(StrokeCoverage, SideOffsetIsPerpendicularWithExactLength)
{
    // The ink of a stroke is its area, whatever its direction: a 45-degree
    // line neither vanishes nor changes thickness.
    const double length = 40 * 16;
    const CoverageRecorder level = Stroke(C(20), C(50), C(20) + length, C(50), 8, false);
    const double d = length / std::sqrt(2.0);
    const CoverageRecorder diagonal = Stroke(C(20), C(20), C(20) + d, C(20) + d, 8, false);
    EXPECT_NEAR(double(level.Total()), 40.0 * 256, 1);
    EXPECT_NEAR(double(diagonal.Total()), double(level.Total()), level.Total() * 0.03);  // sixteenth rounding
    // Along the diagonal, a pixel on the centre line is substantially covered.
    EXPECT_GT(diagonal.At(35, 35), 150);
}

TEST(StrokeCoverage, RoundEndsAddDiscs)
{
    const CoverageRecorder squares = Stroke(C(10), C(20), C(30), C(20), 16, false);
    const CoverageRecorder rounds = Stroke(C(10), C(20), C(30), C(20), 16, true);
    EXPECT_EQ(squares.At(9, 20), 0);
    EXPECT_GT(rounds.At(9, 20), 100);
    // A zero-length stroke: nothing with square ends, a disc with round ones.
    EXPECT_EQ(Stroke(C(10), C(10), C(10), C(10), 16, false).Total(), 0);
    const CoverageRecorder dot = Stroke(C(10), C(10), C(10), C(10), 16, true);
    EXPECT_NEAR(double(dot.Total()), 3.14159 * 256, 256 * 0.05);  // radius one pixel
}

TEST(StrokeCoverage, OnlyClipRowsAndColumnsAreVisited)
{
    const RClipBox box{5, 5, 8, 8};
    const CoverageRecorder line = Stroke(C(-1000), C(6), C(1000), C(6), 8, false, box);
    for (const auto& [cell, coverage] : line.Cells()) {
        EXPECT_GE(cell.first, 5);
        EXPECT_LT(cell.first, 8);
        EXPECT_EQ(cell.second, 6);
    }
    EXPECT_EQ(line.Total(), 3 * 256);
}

TEST(RingCoverage, DiscAreaAndChordsOnlyInsideTheRadius)
{
    RCoverageRow row;
    CoverageRecorder disc;
    RasterizeRows(RRingGeometry(C(50), C(50), 20 * 16, 0), kBox, row, disc);
    EXPECT_NEAR(double(disc.Total()), 3.14159 * 400 * 256, 400 * 256 * 0.005);
    EXPECT_EQ(disc.At(50, 50), 256);
    EXPECT_EQ(disc.At(50, 71), 0);

    CoverageRecorder ring;
    RasterizeRows(RRingGeometry(C(50), C(50), 20 * 16, 10 * 16), kBox, row, ring);
    EXPECT_NEAR(double(ring.Total()), 3.14159 * 300 * 256, 300 * 256 * 0.01);
    EXPECT_EQ(ring.At(50, 50), 0);
    EXPECT_EQ(ring.At(50, 35), 256);

    CoverageRecorder none;
    RasterizeRows(RRingGeometry(C(50), C(50), 0, 0), kBox, row, none);
    EXPECT_EQ(none.Total(), 0);
}

TEST(RingCoverage, SectorRunsClockwiseFromTwelve)
{
    RCoverageRow row;
    RRingGeometry quarter(C(50), C(50), 20 * 16, 0);
    quarter.SetSector(0, 0.25);  // twelve to three o'clock: the upper right
    CoverageRecorder recorder;
    RasterizeRows(quarter, kBox, row, recorder);
    EXPECT_EQ(recorder.At(58, 42), 256);
    EXPECT_EQ(recorder.At(42, 42), 0);
    EXPECT_EQ(recorder.At(58, 58), 0);
    EXPECT_NEAR(double(recorder.Total()), 3.14159 * 400 * 256 / 4, 400 * 256 * 0.01);

    RRingGeometry reflex(C(50), C(50), 20 * 16, 0);
    reflex.SetSector(0.75, 0.5);  // everything but the lower left quarter
    CoverageRecorder rest;
    RasterizeRows(reflex, kBox, row, rest);
    EXPECT_EQ(rest.At(42, 58), 0);
    EXPECT_EQ(rest.At(42, 42), 256);
    EXPECT_EQ(rest.At(58, 58), 256);
    EXPECT_NEAR(double(rest.Total()), 3.14159 * 400 * 256 * 3 / 4, 400 * 256 * 0.01);
}

TEST(CoverageRow, WholeRowAreaIsTheLimitOfItsSubRows)
{
    // Straight edges across a row: the exact area matches 16 sub-row
    // samples up to their rounding to sixteenths.
    const double cases[][4] = {{20.3, 27.9, 60.1, 52.4}, {40, 40, 41, 41}, {10, 90, 30, 110}, {-50, 5, 300, 500}};
    for (const auto& edges : cases) {
        RCoverageRow whole, sampled;
        whole.Reset(0, 40);
        sampled.Reset(0, 40);
        CoverageRecorder exact, approximate;
        exact.SetRow(0);
        approximate.SetRow(0);
        whole.PaintRow(edges[0], edges[1], edges[2], edges[3], exact);
        for (int s = 0; s < 16; ++s) {
            const double t = (s + 0.5) / 16;
            sampled.AddSpan(edges[0] + (edges[1] - edges[0]) * t, edges[2] + (edges[3] - edges[2]) * t);
        }
        sampled.Sweep(approximate);
        for (int x = 0; x < 40; ++x)
            EXPECT_NEAR(exact.At(x, 0), approximate.At(x, 0), 8) << x << " for " << edges[0];
    }
}
