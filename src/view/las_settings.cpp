#include "view/las_settings.h"

#include "container/dc_node.h"

#include <algorithm>

namespace {

constexpr const char* kTracksPath = "LasSettings\\Tracks";
constexpr const char* kFillPath = "LasSettings\\Fill";

const RDCValue& ValueOf(const RDCObject* object, int index)
{
    static const RDCValue kEmpty;
    const RDCValue* value = object ? object->ValueAt(index) : nullptr;
    return value ? *value : kEmpty;
}

}  // namespace

void RLasSettings::LoadFromNode(RDCNodeList& root)
{
    RLasStoreSettings::LoadFromNode(root);
    Tracks.clear();
    Fills.clear();
    if (const RDCNode* tracks = root.NodeByPath(kTracksPath)) {
        if (const RDCObject* list = tracks->ObjectAt(0)) {
            for (int i = 0; i < list->ValueCount(); ++i)
                Tracks.push_back(ValueOf(list, i).AsInteger());
        }
        const RDCObject* range = tracks->ObjectAt(1);
        MinDepth = ValueOf(range, 0).AsDouble();
        MaxDepth = ValueOf(range, 1).AsDouble();
    }
    if (const RDCNode* fills = root.NodeByPath(kFillPath)) {
        for (int k = 0; k < fills->ObjectCount(); ++k) {
            const RDCObject* object = fills->ObjectAt(k);
            RLasFillInfo fill;
            fill.SeriesIndex = ValueOf(object, 0).AsInteger();
            fill.FillType = static_cast<RFillType>(ValueOf(object, 1).AsInteger());
            fill.Condition = static_cast<RFillCondition>(ValueOf(object, 2).AsInteger());
            fill.OtherSeries = ValueOf(object, 3).AsInteger();
            fill.Constant = ValueOf(object, 4).AsDouble();
            fill.Color = RPlatformColor(ValueOf(object, 5).AsInteger());
            Fills.push_back(fill);
        }
    }
}

void RLasSettings::SaveToNode(RDCNodeList& root) const
{
    RLasStoreSettings::SaveToNode(root);
    RDCNode& tracks = *root.NodeByPath(kTracksPath, true);
    RDCObject& list = *tracks.Object(0);
    for (std::size_t i = 0; i < Tracks.size(); ++i)
        list.Value(static_cast<int>(i))->SetInteger(Tracks[i]);
    RDCObject& range = *tracks.Object(1);
    range.Value(0)->SetDouble(MinDepth);
    range.Value(1)->SetDouble(MaxDepth);

    RDCNode& fills = *root.NodeByPath(kFillPath, true);
    for (std::size_t k = 0; k < Fills.size(); ++k) {
        const RLasFillInfo& fill = Fills[k];
        RDCObject& object = *fills.Object(static_cast<int>(k));
        object.Value(0)->SetInteger(fill.SeriesIndex);
        object.Value(1)->SetInteger(static_cast<std::uint8_t>(fill.FillType));
        object.Value(2)->SetInteger(static_cast<std::uint8_t>(fill.Condition));
        object.Value(3)->SetInteger(fill.OtherSeries);
        object.Value(4)->SetDouble(fill.Constant);
        object.Value(5)->SetInteger(fill.Color.Value());
    }
}

void RLasSettings::Clear()
{
    RLasStoreSettings::Clear();
    Tracks.clear();
    Fills.clear();
}

void RLasSettings::RemoveFillsOf(int seriesIndex)
{
    std::erase_if(Fills, [seriesIndex](const RLasFillInfo& fill) {
        return fill.SeriesIndex == seriesIndex || fill.OtherSeries == seriesIndex;
    });
}
