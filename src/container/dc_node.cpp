#include "container/dc_node.h"

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

RDCNode* RDCNodeList::NextChild(const RDCNode* child) const
{
    for (std::size_t i = 0; i + 1 < children_.size(); ++i)
        if (children_[i].get() == child)
            return children_[i + 1].get();
    return nullptr;
}

RDCNode* RDCNodeList::AppendChild(std::unique_ptr<RDCNode> node)
{
    if (!node)
        return nullptr;
    children_.push_back(std::move(node));
    return children_.back().get();
}

RDCNode* RDCNodeList::AddChild(std::string_view name)
{
    return AppendChild(std::make_unique<RDCNode>(std::string(name)));
}

std::unique_ptr<RDCNode> RDCNodeList::RemoveChild(RDCNode* child)
{
    for (auto it = children_.begin(); it != children_.end(); ++it) {
        if (it->get() == child) {
            std::unique_ptr<RDCNode> taken = std::move(*it);
            children_.erase(it);
            return taken;
        }
    }
    return nullptr;
}

void RDCNodeList::ClearChildren() { children_.clear(); }

// ---- RDCNode ----

RDCObject* RDCNode::Object(int index)
{
    if (index < 0)
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
