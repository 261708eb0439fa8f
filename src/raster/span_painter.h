#pragma once
// RSpanPainter: the span stage of the raster pipeline, between the coverage
// row and the pixel format.
//
// How to drive it: SetRow(y), then Cover(x, n, coverage) for runs of n
// pixels of equal coverage (0..256, in 1/256 of a pixel's area). Full
// coverage is one span fill in the colour as it is; a partly covered pixel
// is set one by one with the transparency 255 - ((Opacity * coverage) >> 8),
// Opacity = 255 - the colour's transparency. A coverage of 1 or less leaves
// the pixels alone; runs of n <= 0 do nothing.

#include "raster/bitmap_util.h"
#include "raster/color.h"

template <class Format>
class RSpanPainter {
public:
    RSpanPainter(RBitmapUtil& util, RColorWord word)
        : util_(util), word_(word), opacity_(255 - word.Transparency())
    {
    }

    void SetRow(int y) { row_ = util_.Row(y); }
    void Prefetch(int y, int x) const
    {
        __builtin_prefetch(util_.Row(y) + x * Format::kBytesPerPixel, 1);
    }

    void Fill(int x, int n) { Format::FillSpan(row_, x, n, word_); }

    void Cover(int x, int n, int coverage)
    {
        if (n <= 0 || coverage <= 1)
            return;
        if (coverage >= 256) {
            Format::FillSpan(row_, x, n, word_);
            return;
        }
        const RColorWord word = word_.WithTransparency(255 - ((opacity_ * coverage) >> 8));
        for (int i = x; i < x + n; ++i)
            Format::SetPixel(row_, i, word);
    }

    // Pixels x .. x + n - 1, each with its own coverage, as Cover() paints
    // them one by one.
    void CoverEach(int x, const int* coverage, int n)
    {
        std::uint8_t* const row = row_;
        const RColorWord word = word_;
        const int opacity = opacity_;
        if constexpr (Format::kBytesPerPixel == 4) {
            // The same writes as below, the rule chosen per pixel by selection
            // rather than by calls into the format.
            const int b = word.Blue(), g = word.Green(), r = word.Red(), fullTt = word.Transparency();
            for (int i = 0; i < n; ++i) {
                std::uint8_t* p = row + (x + i) * 4;
                const int c = coverage[i], d0 = p[0], d1 = p[1], d2 = p[2], d3 = p[3];
                const bool full = c >= 256, skip = c <= 1;
                const int tt = full ? fullTt : 255 - ((opacity * c) >> 8);
                // Set-pixel rule for a partial pixel, span rule for a full one
                // (they differ in the rounding of blue and in the fourth byte).
                const int setBlue = b - ((tt * (b - d0) + 255) >> 8), spanBlue = b + ((tt * (d0 - b)) >> 8);
                const int newBlue = full ? spanBlue : setBlue;
                const int newGreen = g + ((tt * (d1 - g)) >> 8), newRed = r + ((tt * (d2 - r)) >> 8);
                p[0] = static_cast<std::uint8_t>(skip ? d0 : newBlue);
                p[1] = static_cast<std::uint8_t>(skip ? d1 : newGreen);
                p[2] = static_cast<std::uint8_t>(skip ? d2 : newRed);
                p[3] = static_cast<std::uint8_t>(skip || full ? d3 : 0);
            }
            return;
        }
        for (int i = 0; i < n; ++i) {
            const int c = coverage[i];
            if (c <= 1)
                continue;
            if (c >= 256)
                Format::FillSpan(row, x + i, 1, word);
            else
                Format::SetPixel(row, x + i, word.WithTransparency(255 - ((opacity * c) >> 8)));
        }
    }

private:
    RBitmapUtil& util_;
    std::uint8_t* row_ = nullptr;
    RColorWord word_;
    int opacity_;
};
