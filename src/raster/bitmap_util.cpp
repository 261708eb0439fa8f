#include "raster/bitmap_util.h"

#include "raster/pixel_format.h"
#include "raster/raster_error.h"
#include "raster/raster_lock.h"

#include <algorithm>
#include <limits>
#include <string>

RBitmapUtil::RBitmapUtil(int bytesPerPixel) : bytesPerPixel_(bytesPerPixel == 1 ? 1 : 4)
{
    SetSize(1, 1);
}

void RBitmapUtil::SetSize(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == width_ && height == height_)
        return;
    // Byte offsets within a row are ints: the row, rounded up to 4 bytes,
    // must fit one.
    if (width > (std::numeric_limits<int>::max() - 3) / bytesPerPixel_)
        throw RRasterError({.Kind = RRasterErrorKind::BadImageSize, .Width = width, .Height = height});
    std::lock_guard guard(RasterLock());
    const int stride = (width * bytesPerPixel_ + 3) / 4 * 4;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    pixels_.swap(pixels);
    width_ = width;
    height_ = height;
    stride_ = stride;
    UpdateClip();
}

void RBitmapUtil::SetClip(int left, int top, int width, int height)
{
    clipLeft_ = left;
    clipTop_ = top;
    clipWidth_ = width;
    clipHeight_ = height;
    UpdateClip();
}

void RBitmapUtil::UpdateClip()
{
    // Sums in 64 bits (left + width may pass the int range either way), cut
    // to the bitmap before they become ints again.
    const auto cut = [](std::int64_t value, int size) { return static_cast<int>(std::clamp<std::int64_t>(value, 0, size)); };
    clip_.left = cut(clipLeft_, width_);
    clip_.top = cut(clipTop_, height_);
    clip_.right = std::max(clip_.left, cut(std::int64_t{clipLeft_} + clipWidth_, width_));
    clip_.bottom = std::max(clip_.top, cut(std::int64_t{clipTop_} + clipHeight_, height_));
}

void RBitmapUtil::SetPixel(int x, int y, RColorWord word)
{
    if (bytesPerPixel_ == 4)
        RPixelFormat32::SetPixel(Row(y), x, word);
    else
        RPixelFormatGray::SetPixel(Row(y), x, word);
}

RColorWord RBitmapUtil::ReadPixel(int x, int y) const
{
    return bytesPerPixel_ == 4 ? RPixelFormat32::ReadPixel(Row(y), x)
                               : RPixelFormatGray::ReadPixel(Row(y), x);
}

bool RBitmapUtil::PixelEquals(int x, int y, RColorWord word) const
{
    return bytesPerPixel_ == 4 ? RPixelFormat32::Equals(Row(y), x, word)
                               : RPixelFormatGray::Equals(Row(y), x, word);
}

void RBitmapUtil::FillSpan(int x, int y, int n, RColorWord word)
{
    if (bytesPerPixel_ == 4)
        RPixelFormat32::FillSpan(Row(y), x, n, word);
    else
        RPixelFormatGray::FillSpan(Row(y), x, n, word);
}
