#include "calc/curve_operators.h"

#include "las/near_equal.h"

#include <cmath>

namespace {
// Sums and differences this close to zero are taken as exactly zero.
constexpr std::uint64_t kNearUnits = 32;

// -1, 0 or 1 as a is below, equal to or above b.
int Order(double a, double b)
{
    if (IsNearEqual(a, b, kNearUnits))
        return 0;
    return a < b ? -1 : 1;
}
}  // namespace

void RCurveNeg::Calculate(double) { ArgNull(0) ? SetNull() : SetResult(-ArgValue(0)); }

void RCurvePlus::Calculate(double)
{
    if (ArgNull(0) || ArgNull(1)) {
        SetNull();
        return;
    }
    const double a = ArgValue(0), b = ArgValue(1);
    SetResult(IsNearEqual(a, -b, kNearUnits) ? 0.0 : a + b);
}

void RCurveMinus::Calculate(double)
{
    if (ArgNull(0) || ArgNull(1)) {
        SetNull();
        return;
    }
    const double a = ArgValue(0), b = ArgValue(1);
    SetResult(IsNearEqual(a, b, kNearUnits) ? 0.0 : a - b);
}

void RCurveMul::Calculate(double)
{
    double product = 1.0;
    bool any = false;
    for (std::size_t i = Args.size(); i-- > 0;) {
        if (!ArgNull(i)) {
            product *= ArgValue(i);
            any = true;
        }
    }
    any ? SetResult(product) : SetNull();
}

void RCurveDiv::Calculate(double)
{
    if (ArgNull(0) || ArgNull(1) || std::fabs(ArgValue(1)) <= 1e-10)
        SetNull();
    else
        SetResult(ArgValue(0) / ArgValue(1));
}

void RCurvePower::Calculate(double)
{
    if (ArgNull(0) || ArgNull(1)) {
        SetNull();
        return;
    }
    const double a = ArgValue(0), b = ArgValue(1);
    if (a == 0.0) {
        SetResult(0.0);
    } else if (a > 0.0) {
        SetResult(std::pow(a, b));
    } else if (!IsNearEqual(b, std::trunc(b), kNearUnits)) {
        SetNull();  // a root of a negative number
    } else {
        const double magnitude = std::pow(-a, b);
        const bool odd = std::fmod(std::round(b), 2.0) != 0.0;
        SetResult(odd ? -magnitude : magnitude);
    }
}

void RCurveLess::Calculate(double)
{
    ArgNull(0) || ArgNull(1) ? SetNull() : SetResult(Order(ArgValue(0), ArgValue(1)) < 0);
}

void RCurveLessEqual::Calculate(double)
{
    ArgNull(0) || ArgNull(1) ? SetNull() : SetResult(Order(ArgValue(0), ArgValue(1)) <= 0);
}

void RCurveGreater::Calculate(double)
{
    ArgNull(0) || ArgNull(1) ? SetNull() : SetResult(Order(ArgValue(0), ArgValue(1)) > 0);
}

void RCurveGreaterEqual::Calculate(double)
{
    ArgNull(0) || ArgNull(1) ? SetNull() : SetResult(Order(ArgValue(0), ArgValue(1)) >= 0);
}

void RCurveEqual::Calculate(double)
{
    ArgNull(0) || ArgNull(1) ? SetNull() : SetResult(Order(ArgValue(0), ArgValue(1)) == 0);
}

void RCurveNotEqual::Calculate(double)
{
    ArgNull(0) || ArgNull(1) ? SetNull() : SetResult(Order(ArgValue(0), ArgValue(1)) != 0);
}

