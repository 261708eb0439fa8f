#include "view/curve_view.h"

#include "container/dc_node.h"

namespace {

const RDCValue& ValueOf(const RDCObject* object, int index)
{
    static const RDCValue kEmpty;
    const RDCValue* value = object ? object->ValueAt(index) : nullptr;
    return value ? *value : kEmpty;
}

}  // namespace

void RCurveView::LoadFromNode(const RDCNode& node)
{
    const RDCObject* object = node.ObjectAt(0);
    Visible = ValueOf(object, 0).AsBoolean();
    Color = RPlatformColor(ValueOf(object, 1).AsInteger());
    Track = ValueOf(object, 2).AsInteger();
    LogAxis = ValueOf(object, 3).AsBoolean();
    FillType = static_cast<RFillType>(ValueOf(object, 4).AsInteger());
    FillCondition = static_cast<RFillCondition>(ValueOf(object, 5).AsInteger());
    FillConst = ValueOf(object, 6).AsDouble();
    FillCurve = std::string(ValueOf(object, 7).AsString());
    FillColor = RPlatformColor(ValueOf(object, 8).AsInteger());
}

void RCurveView::SaveToNode(RDCNode& node) const
{
    RDCObject& object = *node.Object(0);
    object.Value(0)->SetBoolean(Visible);
    object.Value(1)->SetInteger(Color.Value());
    object.Value(2)->SetInteger(Track);
    object.Value(3)->SetBoolean(LogAxis);
    object.Value(4)->SetInteger(static_cast<std::uint8_t>(FillType));
    object.Value(5)->SetInteger(static_cast<std::uint8_t>(FillCondition));
    object.Value(6)->SetDouble(FillConst);
    object.Value(7)->SetString(FillCurve);
    object.Value(8)->SetInteger(FillColor.Value());
}
