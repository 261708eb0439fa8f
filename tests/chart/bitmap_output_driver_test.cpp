// The bitmap driver's operations as pixels.

#include "chart/bitmap_output_driver.h"
#include "raster/bitmap32.h"

#include <gtest/gtest.h>

namespace {

struct Canvas {
    RBitmap32 bitmap{40, 30};
    RBitmapOutputDriverAntiAliasing driver{nullptr, bitmap};
    Canvas() { bitmap.FillRect(0, 0, 40, 30, RColorWord(0xFFFFFF)); }
    std::uint32_t At(int x, int y) const { return bitmap.Util().ReadPixel(x, y).Value(); }
    int Painted() const
    {
        int count = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                count += At(x, y) != 0xFFFFFF;
        return count;
    }
};

RChartMarkers Style(RChartMarkersStyle style)
{
    RChartMarkers markers;
    markers.Style = style;
    return markers;
}

RChartFill Solid()
{
    RChartFill fill;
    fill.Color = ChartColors::Rgb(0);
    return fill;
}

}  // namespace

TEST(BitmapOutputDriver, MarkersAreCentredOnThePoint)
{
    for (RChartMarkersStyle style : {cmsSquare, cmsDiamond, cmsTriangle, cmsRound}) {
        Canvas canvas;
        canvas.driver.DrawMarker(Style(style), 20, 15, 7, ChartColors::Rgb(0));
        EXPECT_EQ(canvas.At(20, 15), 0u) << style;
        // Symmetric left and right of the point.
        for (int d = 1; d < 6; ++d)
            EXPECT_EQ(canvas.At(20 - d, 15 + (style == cmsTriangle ? 3 : 0)),
                      canvas.At(20 + d, 15 + (style == cmsTriangle ? 3 : 0)))
                << style << " " << d;
        EXPECT_EQ(canvas.At(20, 9), 0xFFFFFFu) << style;
        EXPECT_EQ(canvas.At(20, 21), 0xFFFFFFu) << style;
    }
    Canvas square;
    square.driver.DrawMarker(Style(cmsSquare), 20, 15, 7, ChartColors::Rgb(0));
    EXPECT_EQ(square.Painted(), 49);
    Canvas none;
    none.driver.DrawMarker(Style(cmsNone), 20, 15, 7, ChartColors::Rgb(0));
    EXPECT_EQ(none.Painted(), 0);
}

TEST(BitmapOutputDriver, GradientsRunFromColorToTheAdditionalColour)
{
    RChartFill fill;
    fill.Color = ChartColors::Rgb(0x0000FF);            // red
    fill.ColorAdditional = ChartColors::Rgb(0xFF0000);  // blue
    fill.GradientDirection = cfgdRight;
    Canvas right;
    right.driver.FillRectangle(fill, 5, 5, 21, 10);
    EXPECT_EQ(right.At(5, 7), 0xFF0000u);
    EXPECT_EQ(right.At(25, 7), 0x0000FFu);
    EXPECT_EQ(right.At(15, 7), 0x800080u);
    fill.GradientDirection = cfgdUp;
    Canvas up;
    up.driver.FillRectangle(fill, 5, 5, 10, 11);
    EXPECT_EQ(up.At(8, 15), 0xFF0000u);
    EXPECT_EQ(up.At(8, 5), 0x0000FFu);
    // One pixel across the gradient: plainly filled with Color.
    fill.GradientDirection = cfgdLeft;
    Canvas thin;
    thin.driver.FillRectangle(fill, 5, 5, 1, 10);
    EXPECT_EQ(thin.At(5, 5), 0xFF0000u);
    EXPECT_EQ(thin.At(5, 14), 0xFF0000u);
}

TEST(BitmapOutputDriver, ClipRectangleIsLeftTopRightBottom)
{
    Canvas canvas;
    canvas.driver.SetClipRect(10, 5, 20, 8);
    EXPECT_EQ(canvas.bitmap.Util().ClipLeft(), 10);
    EXPECT_EQ(canvas.bitmap.Util().ClipWidth(), 10);
    EXPECT_EQ(canvas.bitmap.Util().ClipHeight(), 3);
    canvas.driver.FillRectangle(Solid(), 0, 0, 40, 30);
    EXPECT_EQ(canvas.Painted(), 30);
    canvas.driver.ResetClip();
    EXPECT_EQ(canvas.bitmap.Util().ClipWidth(), 65536);
}

TEST(BitmapOutputDriver, RowRunsCoverPartPixelsAtTheirEnds)
{
    Canvas canvas;
    canvas.driver.FillRowRun(3, 9.75, 14.25, ChartColors::Rgb(0), true);
    // Pixel k spans k - 0.5 .. k + 0.5: pixels 10 and 14 are three quarters covered.
    EXPECT_EQ(canvas.At(9, 3), 0xFFFFFFu);
    EXPECT_NEAR(int(canvas.At(10, 3) & 0xFF), 64, 2);
    EXPECT_EQ(canvas.At(11, 3), 0u);
    EXPECT_EQ(canvas.At(13, 3), 0u);
    EXPECT_NEAR(int(canvas.At(14, 3) & 0xFF), 64, 2);
    EXPECT_EQ(canvas.At(15, 3), 0xFFFFFFu);
    canvas.driver.FillRowRun(5, -1e300, 1e300, ChartColors::Rgb(0), true);
    EXPECT_EQ(canvas.At(0, 5), 0u);
    EXPECT_EQ(canvas.At(39, 5), 0u);
    canvas.driver.FillRowRun(99, 0, 10, ChartColors::Rgb(0), true);  // outside: nothing
}

TEST(BitmapOutputDriver, SystemColoursResolveInOnePlace)
{
    EXPECT_EQ(RBitmapOutputDriver::PixelColor(ChartColors::System(ChartColors::kWindowText)).Value(), 0u);
    EXPECT_EQ(RBitmapOutputDriver::PixelColor(ChartColors::System(ChartColors::kWindow)).Value(), 0xFFFFFFu);
    // Platform 0x00BBGGRR becomes the word 0xTTRRGGBB, transparency kept.
    EXPECT_EQ(RBitmapOutputDriver::PixelColor(ChartColors::Rgb(0x40123456)).Value(), 0x40563412u);
}
