#pragma once
// RLasStoreSettings: the per-curve views and the calculation methods, each
// kept by exact, case-sensitive curve name ("gr" is not "GR"), persisted
// under "LasSettings\View\<name>" and "LasSettings\CalcMethod\<name>".
//
// The maps are ordered by name, so the same settings always write the same
// file and stored methods are applied in a fixed order.

#include "calc/calc_method.h"
#include "las/las_object.h"
#include "view/curve_view.h"

#include <map>
#include <memory>
#include <string>

class RLasStoreSettings : public RLasObject {
public:
    using ViewMap = std::map<std::string, std::unique_ptr<RCurveView>>;
    using MethodMap = std::map<std::string, std::unique_ptr<RCurveCalcMethod>>;

    // Stores `view` under `name`, freeing the view stored there before; no
    // view removes the entry. Passing the very view already stored under
    // `name` leaves it stored as it is.
    void SetView(const std::string& name, std::unique_ptr<RCurveView> view);
    // The view stored under exactly `name`, or none; the store keeps it.
    RCurveView* GetView(const std::string& name) const;
    // As SetView, for the calculation methods.
    void SetCalcMethod(const std::string& name, std::unique_ptr<RCurveCalcMethod> method);
    RCurveCalcMethod* GetCalcMethod(const std::string& name) const;

    const ViewMap& Views() const { return views_; }
    const MethodMap& CalcMethods() const { return methods_; }

    // Adds the views and methods found under "LasSettings" to the maps
    // (replacing entries of the same name); missing nodes add nothing.
    void LoadFromNode(RDCNodeList& root) override;
    void SaveToNode(RDCNodeList& root) const override;
    // A missing file, or one that does not load as a container (truncated,
    // corrupt), leaves the settings as they are and gives false; a damaged
    // file is also reported (Report: SettingsUnreadable with the read error,
    // or NotASettingsFile). One bad settings file must not stop LAS files
    // from opening.
    bool LoadFromFile(const std::string& path) override;
    // A saved file is whole again: Damaged() is false after it.
    void SaveToFile(const std::string& path) const override;
    // Frees every view and method.
    virtual void Clear();

    // The last LoadFromFile met a file that is there but damaged: it should
    // not be overwritten but by a deliberate save of the views.
    bool Damaged() const { return damaged_; }

private:
    ViewMap views_;
    MethodMap methods_;
    mutable bool damaged_ = false;
};
