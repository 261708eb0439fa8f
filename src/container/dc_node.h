#pragma once
// RDCNode: a named node of a data container with its objects and children.

#include "container/dc_node_list.h"
#include "container/dc_object.h"

#include <deque>
#include <string>

class RDCNode : public RDCNodeList {
public:
    explicit RDCNode(std::string name = "NULL") : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // Object at `index`, with the same growing rule as RDCObject::Value
    // (none for a negative index or INT_MAX).
    RDCObject* Object(int index);
    const RDCObject* ObjectAt(int index) const;  // never grows
    int ObjectCount() const { return static_cast<int>(objects_.size()); }
    void SetObjectCount(int count);

private:
    friend class RDCNodeList;
    std::string name_;
    std::deque<RDCObject> objects_;
    std::size_t position_ = 0;  // index in the list that holds this node
};
