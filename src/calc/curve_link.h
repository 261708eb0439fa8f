#pragma once
// RCurveLink: a curve read at the depth given by its one argument. A bare
// curve name in a formula is a link whose argument is the current depth;
// GR(D+0.5) reads GR half a depth unit further down.

#include "calc/curve_arg.h"

class RLasCurve;

class RCurveLink final : public RCurveFunction1Args {
public:
    static constexpr std::string_view kClassName = "RCurveLink";

    // Between two samples the value is interpolated linearly by depth (null
    // when either sample is); within a millionth of the spacing of its
    // neighbours from a sample it is that sample, value and null flag as
    // stored. The samples may be evenly spaced or carry a depth each. Before
    // the first sample, after the last one, without a curve or with a null
    // depth the link is null.
    void Calculate(double depth) override;
    std::string_view ClassName() const override { return kClassName; }

    const RLasCurve* Curve = nullptr;  // not owned
};
