#include "raster/bitmap_copy.h"

#include "raster/bitmap.h"
#include "raster/pixel_format.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

void CopyBitmapBlock(const RBitmapUtil& source, int sourceX, int sourceY, int width, int height,
                     RBitmapUtil& target, int targetX, int targetY)
{
    if (width < 1 || height < 1)
        return;
    // Cut in 64 bits: the block's corners may lie anywhere in int range.
    std::int64_t sx = sourceX, sy = sourceY, tx = targetX, ty = targetY, w = width, h = height;
    const auto cut = [&](std::int64_t& a, std::int64_t& b, std::int64_t low, std::int64_t& size) {
        // Moves a (and b with it) up to `low`, shrinking the block.
        if (a < low) {
            size -= low - a;
            b += low - a;
            a = low;
        }
    };
    cut(sx, tx, 0, w);
    cut(sy, ty, 0, h);
    const RClipBox& clip = target.Clip();
    cut(tx, sx, clip.left, w);
    cut(ty, sy, clip.top, h);
    w = std::min({w, std::int64_t(source.Width()) - sx, std::int64_t(clip.right) - tx});
    h = std::min({h, std::int64_t(source.Height()) - sy, std::int64_t(clip.bottom) - ty});
    if (w <= 0 || h <= 0 || clip.Empty())
        return;

    const int bytesIn = source.BytesPerPixel(), bytesOut = target.BytesPerPixel();
    const auto rowBytes = std::size_t(w) * std::size_t(bytesIn);
    // A copy within one bitmap reads from a snapshot of the block.
    std::vector<std::uint8_t> snapshot;
    if (&source == &target) {
        snapshot.resize(rowBytes * std::size_t(h));
        for (std::int64_t row = 0; row < h; ++row)
            std::memcpy(snapshot.data() + std::size_t(row) * rowBytes,
                        source.Row(int(sy + row)) + sx * bytesIn, rowBytes);
    }
    for (std::int64_t row = 0; row < h; ++row) {
        const std::uint8_t* in = snapshot.empty() ? source.Row(int(sy + row)) + sx * bytesIn
                                                  : snapshot.data() + std::size_t(row) * rowBytes;
        std::uint8_t* out = target.Row(int(ty + row)) + tx * bytesOut;
        if (bytesIn == bytesOut) {
            std::memmove(out, in, rowBytes);
        } else if (bytesIn == 1) {
            for (std::int64_t i = 0; i < w; ++i) {
                out[i * 4] = out[i * 4 + 1] = out[i * 4 + 2] = in[i];
                out[i * 4 + 3] = 0;
            }
        } else {
            for (std::int64_t i = 0; i < w; ++i)
                out[i] = std::uint8_t((in[i * 4] + in[i * 4 + 1] + in[i * 4 + 2]) / 3);
        }
    }
}

void CopyBitmap(const RBitmap& source, RBitmap& target, int x, int y)
{
    CopyBitmapBlock(source.Util(), 0, 0, source.Width(), source.Height(), target.Util(), x, y);
}
