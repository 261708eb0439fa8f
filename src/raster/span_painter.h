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
        : util_(util), word_(word), rgb_(word & 0xFFFFFF), opacity_(255 - Transparency(word))
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
        const RColorWord word = rgb_ | (static_cast<RColorWord>(255 - ((opacity_ * coverage) >> 8)) << 24);
        for (int i = x; i < x + n; ++i)
            Format::SetPixel(row_, i, word);
    }

private:
    RBitmapUtil& util_;
    std::uint8_t* row_ = nullptr;
    RColorWord word_, rgb_;
    int opacity_;
};
