#pragma once
// Pixel formats: the last stage of the raster pipeline.
//
// A pixel format is a policy of four static operations on one pixel row:
// set one pixel, read one pixel as 0x00RRGGBB, compare a pixel with a colour
// and fill a span of n pixels. Every primitive is a template over the format,
// so the 32-bit and the 8-bit grey bitmaps share all drawing code.
//
// Colours come as colour words 0xTTRRGGBB (see color.h). With TT = 0 the
// channels are stored as they are; otherwise each channel is blended with
// the old one, c new, d old (integer arithmetic, arithmetic shifts):
//   32-bit set pixel, blue          c - ((TT * (c - d) + 255) >> 8)
//   32-bit set pixel, green, red    c + ((TT * (d - c)) >> 8)
//   32-bit span fill, all channels  c + ((TT * (d - c)) >> 8)
//   grey set pixel and span         c - ((TT * (c - d) + 255) >> 8), c the low byte
// 32-bit pixels are stored blue, green, red, fourth byte. The fourth byte is
// not alpha: set pixel writes it 0, span fill leaves it alone.

#include "raster/color.h"

#include <cstdint>
#include <cstring>

struct RPixelFormat32 {
    static constexpr int kBytesPerPixel = 4;

    static void SetPixel(std::uint8_t* row, int x, RColorWord word)
    {
        std::uint8_t* p = row + x * 4;
        const int tt = word.Transparency();
        const int b = word.Blue(), g = word.Green(), r = word.Red();
        if (tt == 0) {
            p[0] = static_cast<std::uint8_t>(b);
            p[1] = static_cast<std::uint8_t>(g);
            p[2] = static_cast<std::uint8_t>(r);
        } else {
            p[0] = static_cast<std::uint8_t>(b - ((tt * (b - p[0]) + 255) >> 8));
            p[1] = static_cast<std::uint8_t>(g + ((tt * (p[1] - g)) >> 8));
            p[2] = static_cast<std::uint8_t>(r + ((tt * (p[2] - r)) >> 8));
        }
        p[3] = 0;
    }

    static RColorWord ReadPixel(const std::uint8_t* row, int x)
    {
        const std::uint8_t* p = row + x * 4;
        return RColorWord::FromRgb(p[2], p[1], p[0]);
    }

    static bool Equals(const std::uint8_t* row, int x, RColorWord word)
    {
        return ReadPixel(row, x) == word.WithTransparency(0);
    }

    static void FillSpan(std::uint8_t* row, int x, int n, RColorWord word)
    {
        if (n <= 0)
            return;
        std::uint8_t* p = row + x * 4;
        const int tt = word.Transparency();
        const int b = word.Blue(), g = word.Green(), r = word.Red();
        if (tt == 0) {
            // Opaque: four pixels per step; the fourth bytes are kept.
            int i = 0;
            for (; i + 4 <= n; i += 4, p += 16) {
                p[0] = p[4] = p[8] = p[12] = static_cast<std::uint8_t>(b);
                p[1] = p[5] = p[9] = p[13] = static_cast<std::uint8_t>(g);
                p[2] = p[6] = p[10] = p[14] = static_cast<std::uint8_t>(r);
            }
            for (; i < n; ++i, p += 4) {
                p[0] = static_cast<std::uint8_t>(b);
                p[1] = static_cast<std::uint8_t>(g);
                p[2] = static_cast<std::uint8_t>(r);
            }
            return;
        }
        for (int i = 0; i < n; ++i, p += 4) {
            p[0] = static_cast<std::uint8_t>(b + ((tt * (p[0] - b)) >> 8));
            p[1] = static_cast<std::uint8_t>(g + ((tt * (p[1] - g)) >> 8));
            p[2] = static_cast<std::uint8_t>(r + ((tt * (p[2] - r)) >> 8));
        }
    }
};

struct RPixelFormatGray {
    static constexpr int kBytesPerPixel = 1;

    static std::uint8_t Blend(int c, int d, int tt)
    {
        return static_cast<std::uint8_t>(c - ((tt * (c - d) + 255) >> 8));
    }

    static void SetPixel(std::uint8_t* row, int x, RColorWord word)
    {
        const int tt = word.Transparency(), c = word.Blue();
        row[x] = tt == 0 ? static_cast<std::uint8_t>(c) : Blend(c, row[x], tt);
    }

    static RColorWord ReadPixel(const std::uint8_t* row, int x)
    {
        return RColorWord::FromRgb(row[x], row[x], row[x]);
    }

    static bool Equals(const std::uint8_t* row, int x, RColorWord word)
    {
        return row[x] == word.Blue();
    }

    static void FillSpan(std::uint8_t* row, int x, int n, RColorWord word)
    {
        if (n <= 0)
            return;
        const int tt = word.Transparency(), c = word.Blue();
        if (tt == 0) {
            std::memset(row + x, c, static_cast<std::size_t>(n));
            return;
        }
        for (int i = x; i < x + n; ++i)
            row[i] = Blend(c, row[i], tt);
    }
};
