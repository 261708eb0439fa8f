#pragma once
// RLasSettings: the stored views and methods plus the tables the composer
// derives for the open data set (tracks, depth range, fills). Those tables
// are written to settings.dat too, but are recomputed at every preparation.
//
// Container layout under "LasSettings", besides the views and methods:
//   Tracks  object 0: one Integer per curve (dense track, -1 hidden)
//           object 1: MinDepth, MaxDepth (Float)
//   Fill    object k: SeriesIndex, FillType, Condition, OtherSeries (Integer),
//                     Constant (Float), Color (Integer)

#include "view/las_fill_info.h"
#include "view/las_store_settings.h"

#include <cstdint>
#include <vector>

class RLasSettings : public RLasStoreSettings {
public:
    void LoadFromNode(RDCNodeList& root) override;
    void SaveToNode(RDCNodeList& root) const override;
    // Empties the maps, Tracks and Fills; the depth range stays.
    void Clear() override;

    // Removes every fill of series `seriesIndex` or against it, keeping the
    // order of the rest; other series indexes are not renumbered.
    void RemoveFillsOf(int seriesIndex);

    double MinDepth = 0.0;
    double MaxDepth = 0.0;
    std::vector<RLasFillInfo> Fills;
    std::vector<std::int32_t> Tracks;  // per data-set curve: dense track, -1 hidden
};
