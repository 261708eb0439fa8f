#pragma once
// RBitmapUtil: the pixel buffer of one bitmap, its row layout and its clip
// box. Rows are stored top-down; pixel (x, y) lies at y * Stride() +
// x * BytesPerPixel(). Stride is the row length rounded up to 4 bytes.
//
// The clip box is four integers (left, top, width, height), reset to
// 0, 0, 65536, 65536. The effective box is x in [left, left + width) cut to
// [0, Width), and y likewise, the sums taken without overflow; every
// primitive draws only inside it, and an empty effective box makes every
// primitive a no-op.

#include "raster/color.h"

#include <cstdint>
#include <vector>

struct RClipBox {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool Empty() const { return right <= left || bottom <= top; }
};

class RBitmapUtil {
public:
    static constexpr int kClipReset = 65536;

    explicit RBitmapUtil(int bytesPerPixel);

    // A width or height below 1 is stored as 1. The buffer is kept when the
    // size does not change; a new size starts from zeroed pixels. A width
    // whose row of bytes would not fit an int (2^29 pixels of 4 bytes)
    // raises RRasterError and keeps the old size.
    void SetSize(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return stride_; }
    int BytesPerPixel() const { return bytesPerPixel_; }

    std::uint8_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * stride_; }
    const std::uint8_t* Row(int y) const
    {
        return pixels_.data() + static_cast<std::size_t>(y) * stride_;
    }
    std::uint8_t* Bits() { return pixels_.data(); }

    void SetClip(int left, int top, int width, int height);
    void SetClipLeft(int value) { SetClip(value, clipTop_, clipWidth_, clipHeight_); }
    void SetClipTop(int value) { SetClip(clipLeft_, value, clipWidth_, clipHeight_); }
    void SetClipWidth(int value) { SetClip(clipLeft_, clipTop_, value, clipHeight_); }
    void SetClipHeight(int value) { SetClip(clipLeft_, clipTop_, clipWidth_, value); }
    void ResetClip() { SetClip(0, 0, kClipReset, kClipReset); }
    int ClipLeft() const { return clipLeft_; }
    int ClipTop() const { return clipTop_; }
    int ClipWidth() const { return clipWidth_; }
    int ClipHeight() const { return clipHeight_; }
    // The effective clip box.
    const RClipBox& Clip() const { return clip_; }

    // The four per-format operations, for callers that do not know the
    // format. Coordinates must lie inside the bitmap.
    void SetPixel(int x, int y, RColorWord word);
    RColorWord ReadPixel(int x, int y) const;
    bool PixelEquals(int x, int y, RColorWord word) const;
    void FillSpan(int x, int y, int n, RColorWord word);

private:
    void UpdateClip();

    int bytesPerPixel_;
    int width_ = 0, height_ = 0, stride_ = 0;
    std::vector<std::uint8_t> pixels_;
    int clipLeft_ = 0, clipTop_ = 0, clipWidth_ = kClipReset, clipHeight_ = kClipReset;
    RClipBox clip_;
};
