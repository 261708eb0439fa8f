#include "view/las_store_settings.h"

#include "container/data_container.h"
#include "container/file_error.h"
#include "las/las_problem.h"

#include <filesystem>
#include <string>
#include <unordered_map>

namespace {

constexpr const char* kViewPath = "LasSettings\\View";
constexpr const char* kMethodPath = "LasSettings\\CalcMethod";

template <class Map, class Value>
void Store(Map& map, const std::string& name, std::unique_ptr<Value> value)
{
    const auto found = map.find(name);
    if (found != map.end() && found->second.get() == value.get()) {
        (void)value.release();  // already ours
        return;
    }
    if (!value) {
        if (found != map.end())
            map.erase(found);
        return;
    }
    map[name] = std::move(value);
}

template <class Map>
auto Lookup(const Map& map, const std::string& name)
{
    const auto found = map.find(name);
    return found == map.end() ? nullptr : found->second.get();
}

// The children of one node by name (the first of each name), so that a
// file's thousands of views are matched in one pass. Names are matched as
// they are, never split at backslashes, so any curve name round-trips.
class ChildNodes {
public:
    explicit ChildNodes(RDCNodeList& parent) : parent_(parent)
    {
        for (int i = 0; i < parent.ChildCount(); ++i) {
            RDCNode* child = parent.ChildAt(i);
            byName_.try_emplace(child->Name(), child);
        }
    }
    // The child named `name`, made when missing.
    RDCNode& operator[](const std::string& name)
    {
        const auto [found, added] = byName_.try_emplace(name, nullptr);
        if (added)
            found->second = parent_.AddChild(name);
        return *found->second;
    }

private:
    RDCNodeList& parent_;
    std::unordered_map<std::string, RDCNode*> byName_;
};

}  // namespace

void RLasStoreSettings::SetView(const std::string& name, std::unique_ptr<RCurveView> view)
{
    Store(views_, name, std::move(view));
}

RCurveView* RLasStoreSettings::GetView(const std::string& name) const { return Lookup(views_, name); }

void RLasStoreSettings::SetCalcMethod(const std::string& name, std::unique_ptr<RCurveCalcMethod> method)
{
    Store(methods_, name, std::move(method));
}

RCurveCalcMethod* RLasStoreSettings::GetCalcMethod(const std::string& name) const
{
    return Lookup(methods_, name);
}

void RLasStoreSettings::LoadFromNode(RDCNodeList& root)
{
    if (const RDCNode* views = root.NodeByPath(kViewPath)) {
        for (int i = 0; i < views->ChildCount(); ++i) {
            const RDCNode& child = *views->ChildAt(i);
            auto view = std::make_unique<RCurveView>();
            view->LoadFromNode(child);
            SetView(child.Name(), std::move(view));
        }
    }
    if (const RDCNode* methods = root.NodeByPath(kMethodPath)) {
        for (int i = 0; i < methods->ChildCount(); ++i) {
            const RDCNode& child = *methods->ChildAt(i);
            auto method = std::make_unique<RCurveCalcMethod>();
            method->LoadFromNode(child);
            SetCalcMethod(child.Name(), std::move(method));
        }
    }
}

void RLasStoreSettings::SaveToNode(RDCNodeList& root) const
{
    if (!views_.empty()) {
        ChildNodes children(*root.NodeByPath(kViewPath, true));
        for (const auto& [name, view] : views_)
            view->SaveToNode(children[name]);
    }
    if (!methods_.empty()) {
        ChildNodes children(*root.NodeByPath(kMethodPath, true));
        for (const auto& [name, method] : methods_)
            method->SaveToNode(children[name]);
    }
}

bool RLasStoreSettings::LoadFromFile(const std::string& path)
{
    // A missing file is the first start; one that is there but does not
    // load is a settings problem, named as such, not the LAS file's.
    damaged_ = false;
    const auto damaged = [this, &path](RLasProblem problem) {
        damaged_ = true;
        problem.Path = path;
        Report(std::move(problem));
        return false;
    };
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return false;
    RDataContainer container;
    try {
        if (!container.LoadFromFile(path))
            return damaged({.Kind = RLasProblemKind::NotASettingsFile});
    } catch (const RFileError& failure) {
        return damaged({.Kind = RLasProblemKind::SettingsUnreadable, .Detail = failure.what(), .Cause = failure.Fault()});
    } catch (const RError& failure) {
        return damaged({.Kind = RLasProblemKind::SettingsUnreadable, .Detail = failure.what()});
    }
    LoadFromNode(container);
    return true;
}

void RLasStoreSettings::SaveToFile(const std::string& path) const
{
    RLasObject::SaveToFile(path);
    damaged_ = false;
}

void RLasStoreSettings::Clear()
{
    views_.clear();
    methods_.clear();
}
