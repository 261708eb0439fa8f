#include "container/dc_node.h"

#include <limits>

// ---- RDCNodeList ----

RDCNodeList::RDCNodeList() = default;
RDCNodeList::~RDCNodeList() = default;

RDCNode* RDCNodeList::Child(std::string_view name) const
{
    for (const auto& child : children_)
        if (child->Name() == name)
            return child.get();
    return nullptr;
}

RDCNode* RDCNodeList::NodeByPath(std::string_view path, bool create)
{
    RDCNodeList* list = this;
    RDCNode* node = nullptr;
    while (!path.empty()) {
        const std::size_t cut = path.find('\\');
        const std::string_view name = path.substr(0, cut);
        path = cut == std::string_view::npos ? std::string_view() : path.substr(cut + 1);
        if (name.empty())
            continue;
        RDCNode* next = list->Child(name);
        if (!next) {
            if (!create)
                return nullptr;
            next = list->AddChild(name);
        }
        node = next;
        list = next;
    }
    return node;
}

RDCNode* RDCNodeList::FirstChild() const
{
    return children_.empty() ? nullptr : children_.front().get();
}

RDCNode* RDCNodeList::ChildAt(int index) const
{
    if (index < 0 || index >= ChildCount())
        return nullptr;
    return children_[static_cast<std::size_t>(index)].get();
}

std::ptrdiff_t RDCNodeList::PositionOf(const RDCNode* child) const
{
    if (!child || child->position_ >= children_.size() || children_[child->position_].get() != child)
        return -1;
    return static_cast<std::ptrdiff_t>(child->position_);
}

RDCNode* RDCNodeList::NextChild(const RDCNode* child) const
{
    const std::ptrdiff_t position = PositionOf(child);
    if (position < 0 || static_cast<std::size_t>(position) + 1 >= children_.size())
        return nullptr;
    return children_[static_cast<std::size_t>(position) + 1].get();
}

RDCNode* RDCNodeList::AppendChild(std::unique_ptr<RDCNode> node)
{
    if (!node)
        return nullptr;
    node->position_ = children_.size();
    children_.push_back(std::move(node));
    return children_.back().get();
}

RDCNode* RDCNodeList::AddChild(std::string_view name)
{
    return AppendChild(std::make_unique<RDCNode>(std::string(name)));
}

std::unique_ptr<RDCNode> RDCNodeList::RemoveChild(RDCNode* child)
{
    const std::ptrdiff_t position = PositionOf(child);
    if (position < 0)
        return nullptr;
    std::unique_ptr<RDCNode> taken = std::move(children_[static_cast<std::size_t>(position)]);
    children_.erase(children_.begin() + position);
    for (std::size_t i = static_cast<std::size_t>(position); i < children_.size(); ++i)
        children_[i]->position_ = i;
    return taken;
}

void RDCNodeList::ClearChildren() { children_.clear(); }

void RDCNodeList::TakeChildren(RDCNodeList& other)
{
    if (&other == this)
        return;
    children_ = std::move(other.children_);
    other.children_.clear();
}

// ---- RDCNode ----

RDCObject* RDCNode::Object(int index)
{
    // INT_MAX would need a count of INT_MAX + 1.
    if (index < 0 || index == std::numeric_limits<int>::max())
        return nullptr;
    if (index >= ObjectCount())
        SetObjectCount(index + 1);
    return &objects_[static_cast<std::size_t>(index)];
}

const RDCObject* RDCNode::ObjectAt(int index) const
{
    if (index < 0 || index >= ObjectCount())
        return nullptr;
    return &objects_[static_cast<std::size_t>(index)];
}

void RDCNode::SetObjectCount(int count)
{
    objects_.resize(count < 0 ? 0 : static_cast<std::size_t>(count));
}
