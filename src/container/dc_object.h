#pragma once
// RDCObject: an ordered, growable array of owned values.

#include "container/dc_value.h"

#include <deque>

class RDCObject {
public:
    // Value at `index`: none for a negative index or INT_MAX (whose count
    // does not fit an int); an index at or past the end first grows the
    // object to index + 1 empty values. Growing never moves existing
    // values, so pointers handed out earlier stay valid.
    RDCValue* Value(int index);
    // Read-only lookup that never grows: none past the end.
    const RDCValue* ValueAt(int index) const;

    int ValueCount() const { return static_cast<int>(values_.size()); }
    // Frees values past the new count, adds empty ones up to it.
    void SetValueCount(int count);

    bool operator==(const RDCObject& other) const { return values_ == other.values_; }

private:
    std::deque<RDCValue> values_;
};
