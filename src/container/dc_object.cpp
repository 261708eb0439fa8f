#include "container/dc_object.h"

#include <limits>

RDCValue* RDCObject::Value(int index)
{
    // INT_MAX would need a count of INT_MAX + 1.
    if (index < 0 || index == std::numeric_limits<int>::max())
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
