#pragma once
// Expression nodes of a curve formula. A parsed formula is a tree of nodes;
// every node holds one value and one null flag for the depth last evaluated.
// The parser also lists the nodes in post-order, so running Calculate over
// that list computes every argument before the node that reads it.
//
// Floating-point faults are not trapped: each node checks the domain of its
// arguments and the finiteness of its result and is null where a fault would
// have occurred. Apart from ATANH at +-1 no NaN or infinity leaves a node.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class RCurveArg {
public:
    virtual ~RCurveArg() = default;

    // Computes Value and IsNull at `depth` from the arguments' current state.
    virtual void Calculate(double depth) = 0;
    // The node's class name ("RCurvePlus"), for messages and tests.
    virtual std::string_view ClassName() const = 0;

    double Value = 0.0;
    bool IsNull = true;
};

// A number written in the formula: fixed when parsed, never null.
class RCurveConst final : public RCurveArg {
public:
    explicit RCurveConst(double value) { Value = value; IsNull = false; }
    void Calculate(double) override {}
    std::string_view ClassName() const override { return "RCurveConst"; }
};

// A node with arguments. Args owns its argument nodes; a slot may be empty
// (an empty argument such as the middle one of SUM(a,,b)), and an empty or
// missing slot reads as a null argument.
class RCurveFunction : public RCurveArg {
public:
    // The number of arguments the class reads: 0 to 3, or -1 for any number.
    virtual int ArgCount() const = 0;

    std::vector<std::unique_ptr<RCurveArg>> Args;

protected:
    bool ArgNull(std::size_t index) const
    {
        return index >= Args.size() || !Args[index] || Args[index]->IsNull;
    }
    // Only for a slot that ArgNull said is present.
    double ArgValue(std::size_t index) const { return Args[index]->Value; }

    void SetNull() { Value = 0.0; IsNull = true; }
    // Stores a result; one that is not finite (overflow, invalid operation)
    // makes the node null instead.
    void SetResult(double value);
};

// The five arity bases every concrete node derives from.
template <int N>
class RCurveFunctionArgs : public RCurveFunction {
public:
    static constexpr int kArgCount = N;
    int ArgCount() const override { return N; }
};
using RCurveFunction0Args = RCurveFunctionArgs<0>;
using RCurveFunction1Args = RCurveFunctionArgs<1>;
using RCurveFunction2Args = RCurveFunctionArgs<2>;
using RCurveFunction3Args = RCurveFunctionArgs<3>;
using RCurveFunctionNArgs = RCurveFunctionArgs<-1>;

// A value is true when its magnitude is at least 1e-100.
inline bool IsTrue(double value) { return value >= 1e-100 || value <= -1e-100; }
