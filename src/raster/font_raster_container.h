#pragma once
// RFontRasterContainer: a process-wide cache of rasterised fonts, a hash
// table of 503 buckets with chained RFontData. Two exist: mode 1 (256 grey
// levels) serves the true-colour bitmaps, mode 0 (two levels) the others.
//
// Lookups run without the lock: bucket heads are published with release
// stores only after the new entry is fully rasterised, and entries are never
// removed while the program runs. A miss searches again under the raster
// lock before creating, so no font is rasterised twice.

#include "raster/font.h"
#include "raster/font_data.h"

#include <array>
#include <atomic>

class RDCNodeList;

class RFontRasterContainer {
public:
    static constexpr int kBucketCount = 503;

    explicit RFontRasterContainer(RFontMode mode);
    ~RFontRasterContainer();
    RFontRasterContainer(const RFontRasterContainer&) = delete;
    RFontRasterContainer& operator=(const RFontRasterContainer&) = delete;

    static RFontRasterContainer& TrueColor();  // grey levels
    static RFontRasterContainer& TwoLevel();

    RFontMode Mode() const { return mode_; }
    // The bucket of a font: a hash of Size, Weight and the three styles.
    static int Bucket(const RFont& font);

    // The cached font or none; never rasterises.
    RFontData* Find(const RFont& font) const;
    // The cached font, created and rasterised completely on a miss. Raises
    // RError when the font cannot be opened.
    RFontData* Select(const RFont& font);
    int Count() const;

    // Saves every cached font at its path (Name\Size\Weight\IUS\Angle) under `root`.
    void SaveToNode(RDCNodeList& root) const;

private:
    RFontMode mode_;
    std::array<std::atomic<RFontData*>, kBucketCount> buckets_{};
};
