#pragma once
// RDCNodeList: an ordered list of owned child nodes, with lookup by name and
// by backslash path. Both a node and the container root hold one.
//
// Each node remembers its position in the list that holds it, so stepping
// with NextChild and removing a node find it without a search: walking a
// list of n children costs n steps, not n * n / 2.

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class RDCNode;

class RDCNodeList {
public:
    RDCNodeList();
    virtual ~RDCNodeList();
    RDCNodeList(const RDCNodeList&) = delete;
    RDCNodeList& operator=(const RDCNodeList&) = delete;

    // First child whose name equals `name` exactly (case-sensitive); none otherwise.
    RDCNode* Child(std::string_view name) const;

    // Walks `path` component by component (components are separated by
    // backslashes; empty components, such as a trailing backslash, are
    // ignored). With `create` a missing component is appended as a new child;
    // without it the walk gives none. An empty path gives none.
    RDCNode* NodeByPath(std::string_view path, bool create = false);

    RDCNode* FirstChild() const;
    int ChildCount() const { return static_cast<int>(children_.size()); }
    RDCNode* ChildAt(int index) const;        // 0-based; none when out of range
    RDCNode* NextChild(const RDCNode* child) const;  // none after the last or for a stranger

    // Appends a node (taking ownership) and returns it.
    RDCNode* AppendChild(std::unique_ptr<RDCNode> node);
    // Appends a new node with this name.
    RDCNode* AddChild(std::string_view name);
    // Takes a node out of the list and hands it to the caller; none for a stranger.
    std::unique_ptr<RDCNode> RemoveChild(RDCNode* child);
    // Frees all children.
    void ClearChildren();

protected:
    // Frees this list's children and takes over all of `other`'s, in order.
    void TakeChildren(RDCNodeList& other);

private:
    // The position of `child` in this list, or -1 for a node of another list.
    std::ptrdiff_t PositionOf(const RDCNode* child) const;

    std::vector<std::unique_ptr<RDCNode>> children_;
};
