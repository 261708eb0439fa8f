#pragma once
// RBitmap32: 32-bit pixels, bytes blue, green, red, fourth byte.

#include "raster/bitmap_true_color.h"

class RBitmap32 : public RBitmapTrueColor {
public:
    explicit RBitmap32(int width = 300, int height = 200) : RBitmapTrueColor(4, width, height) {}
};
