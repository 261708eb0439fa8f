#include "container/dc_object.h"

RDCValue* RDCObject::Value(int index)
{
    if (index < 0)
        return nullptr;
    if (index >= ValueCount())
        SetValueCount(index + 1);
    return &values_[static_cast<std::size_t>(index)];
}

const RDCValue* RDCObject::ValueAt(int index) const
{
    if (index < 0 || index >= ValueCount())
        return nullptr;
    return &values_[static_cast<std::size_t>(index)];
}

void RDCObject::SetValueCount(int count)
{
    values_.resize(count < 0 ? 0 : static_cast<std::size_t>(count));
}
