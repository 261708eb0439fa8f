#include "view/las_core.h"

#include "las/near_equal.h"
#include "view/calculated_curves.h"

#include <algorithm>
#include <cstdio>
#include <utility>

RLasCore::RLasCore() : Data(std::make_unique<RLasData>()), Settings(std::make_unique<RLasSettings>()) {}

RLasCore::~RLasCore() = default;

void RLasCore::SetData(std::unique_ptr<RLasData> data, std::unique_ptr<RLasSettings> settings)
{
    Views.clear();
    Data = data ? std::move(data) : std::make_unique<RLasData>();
    Settings = settings ? std::move(settings) : std::make_unique<RLasSettings>();
}

void RLasCore::Prepare(int mode)
{
    RebuildCalculatedCurves(mode);
    MakeUniqueNames();
    AssignTracks();
    BuildFills();
    MarkRedundantPoints();
}

void RLasCore::RebuildCalculatedCurves(int mode)
{
    if (mode == 1)
        ::RebuildCalculatedCurves(*Data, *Settings);
}

void RLasCore::MakeUniqueNames()
{
    const auto& curves = Data->Curves();
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const std::string stem(CurveNameStem(curves[i]->Mnemonic));
        const auto taken = [&](const std::string& name) {
            return std::any_of(curves.begin(), curves.begin() + static_cast<std::ptrdiff_t>(i),
                               [&](const auto& earlier) { return earlier->Mnemonic == name; });
        };
        std::string name = stem;
        for (int k = 2; taken(name); ++k)
            name = stem + " (" + std::to_string(k) + ")";
        curves[i]->Mnemonic = std::move(name);
    }
}

bool RLasCore::IsShown(std::size_t curveIndex) const
{
    return curveIndex >= Views.size() || !Views[curveIndex] || Views[curveIndex]->Visible;
}

void RLasCore::AssignTracks()
{
    const auto& curves = Data->Curves();
    const std::size_t count = curves.size();
    Views.assign(count, nullptr);
    Settings->Tracks.assign(count, -1);

    // Numbered tracks first in ascending order, then one automatic track
    // per curve in data-set order, whatever number a user typed.
    using TrackKey = std::pair<bool, std::int32_t>;  // (automatic, number)
    std::vector<TrackKey> keys(count);
    std::vector<TrackKey> distinct;
    std::int32_t automatic = kFirstAutomaticTrack;
    for (std::size_t i = count; i-- > 0;) {
        Views[i] = Settings->GetView(curves[i]->Mnemonic);
        if (Views[i] && !Views[i]->Visible)
            continue;
        const std::int32_t track = Views[i] ? Views[i]->Track : 0;
        keys[i] = track > 0 ? TrackKey{false, track} : TrackKey{true, automatic--};
        distinct.push_back(keys[i]);
    }
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    for (std::size_t i = 0; i < count; ++i) {
        if (!IsShown(i))
            continue;
        Settings->Tracks[i] = static_cast<std::int32_t>(
            std::lower_bound(distinct.begin(), distinct.end(), keys[i]) - distinct.begin());
    }

    // The depth range of the shown file curves; a grid running down (STEP
    // below 0) has its first depth at the bottom.
    bool any = false;
    double top = 0.0, bottom = 1.0;
    for (std::size_t i = count; i-- > 0;) {
        const RLasCurve& curve = *curves[i];
        if (!IsShown(i) || IsCalculated(curve))
            continue;
        const double low = std::min(curve.FirstDepth, curve.LastDepth);
        const double high = std::max(curve.FirstDepth, curve.LastDepth);
        top = any ? std::min(top, low) : low;
        bottom = any ? std::max(bottom, high) : high;
        any = true;
    }
    Settings->MinDepth = top;
    Settings->MaxDepth = bottom;
}

void RLasCore::BuildFills()
{
    const auto& curves = Data->Curves();
    const std::size_t count = curves.size();
    std::vector<std::int32_t> seriesIndex(count, -1);
    std::int32_t shown = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (IsShown(i))
            seriesIndex[i] = shown++;

    const auto trackOf = [&](std::size_t i) { return i < Settings->Tracks.size() ? Settings->Tracks[i] : -1; };
    std::vector<RLasFillInfo> fills;
    for (std::size_t i = count; i-- > 0;) {
        const RCurveView* view = i < Views.size() ? Views[i] : nullptr;
        if (!view || !view->Visible || view->FillType == RFillType::None)
            continue;
        RLasFillInfo fill;
        if (view->FillType == RFillType::Curve) {
            const RCurveView* other = Settings->GetView(view->FillCurve);
            if (!other || !other->Visible || other->Track != view->Track)
                continue;
            std::size_t found = count;
            for (std::size_t k = count; k-- > 0;) {
                if (curves[k]->Mnemonic == view->FillCurve) {
                    found = k;
                    break;
                }
            }
            // Both curves in one track: a fill between two tracks would
            // paint across every track between them.
            if (found == count || seriesIndex[found] < 0 || trackOf(found) != trackOf(i))
                continue;
            fill.OtherSeries = seriesIndex[found];
            fill.Constant = 0.0;
        } else {
            fill.OtherSeries = -1;
            fill.Constant = view->FillConst;
        }
        fill.SeriesIndex = seriesIndex[i];
        fill.FillType = view->FillType;
        fill.Condition = view->FillCondition;
        fill.Color = view->FillColor.Value() > 0 ? view->FillColor : RPlatformColor(0);
        fills.push_back(fill);
    }
    Settings->Fills = std::move(fills);
}

void RLasCore::MarkRedundantPoints()
{
    for (const auto& owned : Data->Curves()) {
        RLasCurveData& data = owned->Data;
        const auto null = [&](std::size_t k) { return (data.Samples[k].Flags & kSampleNull) != 0; };
        const auto value = [&](std::size_t k) -> double { return data.Samples[k].Value; };
        // Each run of consecutive non-null samples on its own: its first and
        // last samples always stay, so a run between two gaps still draws.
        std::size_t end = data.Samples.size();
        while (end > 0) {
            while (end > 0 && null(end - 1))
                --end;
            std::size_t begin = end;
            while (begin > 0 && !null(begin - 1))
                --begin;
            if (end - begin >= 3) {
                // q > s > t: q the latest point kept, s the candidate.
                std::size_t q = end - 1, s = end - 2;
                for (std::size_t t = end - 2; t-- > begin;) {
                    const double a = (value(t) - value(s)) * (static_cast<double>(s) - static_cast<double>(q));
                    const double b = (value(s) - value(q)) * (static_cast<double>(t) - static_cast<double>(s));
                    if (IsNearEqual(a, b, kCollinearUnits))
                        RLasCurveDataWrapper::SetRedundant(data, s, true);
                    else
                        q = s;
                    s = t;
                }
            }
            end = begin;
        }
    }
}
