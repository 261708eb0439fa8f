#pragma once
// RBitmapGrayCore: 8-bit grey pixels; reading a grey v gives 0xvvvvvv and
// drawing takes the low byte of the colour word. Used as a coverage layer
// and as the work square glyphs are drawn in. It has no layer of its own.

#include "raster/bitmap_true_color.h"

class RBitmapGrayCore : public RBitmapTrueColor {
public:
    explicit RBitmapGrayCore(int width = 300, int height = 200) : RBitmapTrueColor(1, width, height) {}

    RBitmapGrayCore* CreateLayer() override { return nullptr; }
    void ApplyLayer(RColorWord) override {}
};
