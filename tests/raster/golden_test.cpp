// Pictures of the primitives and of text, compared with committed PNGs
// (see golden.h; LOGGARD_UPDATE_GOLDEN=1 rewrites them).

#include "golden.h"
#include "container/text_codec.h"
#include "raster/bitmap32.h"
#include "raster/bitmap_gray_core.h"

#include <cmath>
#include <numbers>

namespace {

struct White : RBitmap32 {
    White(int width, int height) : RBitmap32(width, height) { FillRect(0, 0, width, height, RColorWord(0xFFFFFF)); }
};

}  // namespace

TEST(Golden, LinesInEveryMethodAndDirection)
{
    White bitmap(160, 120);
    const RBitmapLineDrawMethod methods[] = {bldmSimple, bldmAntiAliasingSquares, bldmAntiAliasingRounds};
    for (int m = 0; m < 3; ++m) {
        bitmap.SetLineDrawMethod(methods[m]);
        const int cx = 27 + m * 53, cy = 30;
        for (int i = 0; i < 12; ++i) {
            const double angle = i * std::numbers::pi / 6 + 0.1;
            bitmap.DrawLine(cx, cy, int(std::lround(22 * std::cos(angle))), int(std::lround(22 * std::sin(angle))),
                            RColorWord(0x002080), 8 + i * 2);
        }
        bitmap.DrawLine(5 + m * 53, 70, 45, 0, RColorWord(0x000000), 10);
        bitmap.DrawLine(5 + m * 53, 80, 45, 6, RColorWord(0xC00000), 24);
        bitmap.DrawLine(5 + m * 53, 95, 45, 20, RColorWord(0x80008000), 40);  // half-transparent
    }
    EXPECT_TRUE(MatchesGolden(bitmap, "lines", 1));
}

TEST(Golden, RingsArcsAndLayers)
{
    White bitmap(160, 90);
    bitmap.DrawRing(25, 25, RColorWord(0xC00000), 20, 14);
    bitmap.DrawRing(70, 25, RColorWord(0x008000), 12, 0);
    bitmap.DrawArc(115, 25, RColorWord(0x0060C0), 20, 8, 0.1, 0.7);
    bitmap.DrawArc(115, 25, RColorWord(0x000000), 20, 0, 0.85, 0.85);
    bitmap.SetRingDrawMethod(brdmSimple);
    bitmap.DrawRing(25, 68, RColorWord(0xC00000), 18, 12);
    bitmap.DrawArc(70, 68, RColorWord(0x0060C0), 18, 6, 0.6, 0.2);
    RBitmapGrayCore* layer = bitmap.CreateLayer();
    layer->DrawRing(115, 68, RColorWord(0x000000), 18, 0);
    layer->DrawRing(130, 68, RColorWord(0x000000), 12, 0);
    bitmap.ApplyLayer(RColorWord(0x008080));
    EXPECT_TRUE(MatchesGolden(bitmap, "rings", 1));
}

TEST(Golden, TextUprightRotatedAndStyled)
{
    White bitmap(200, 110);
    bitmap.SetFont(RFont("Arial", 8));
    bitmap.DrawText(4, 4, "DEPT 1500.25 m  GR, API", RColorWord(0x000000));
    bitmap.SetFont(RFont("Arial", 8, 7));
    bitmap.DrawText(4, 18, TextCodec::Utf8ToCp1251("Глубина, м"), RColorWord(0x000000));
    bitmap.SetFont(RFont("Arial", 10, 4, true, true));
    bitmap.DrawText(4, 32, "Italic, underlined", RColorWord(0x000080));
    bitmap.SetFont(RFont("Arial", 10, 4, false, false, true));
    bitmap.DrawText(4, 50, "Struck\tout\ntwo lines", RColorWord(0xA00000));
    bitmap.SetFont(RFont("Arial", 8, 4, false, false, false, 900));
    bitmap.DrawText(160, 55, "Rotated GR", RColorWord(0x000000), true);
    bitmap.SetFont(RFont("Arial", 8, 4, false, false, false, 450));
    bitmap.DrawText(170, 100, "45", RColorWord(0x000000));
    EXPECT_TRUE(MatchesGolden(bitmap, "text", 2));
}
