#include "calc/curve_functions.h"

#include <cmath>
#include <limits>
#include <numbers>

// N-argument functions visit their arguments from the last to the first.

void RCurveSum::Calculate(double)
{
    double sum = 0.0;
    bool any = false;
    for (std::size_t i = Args.size(); i-- > 0;) {
        if (!ArgNull(i)) {
            sum += ArgValue(i);
            any = true;
        }
    }
    any ? SetResult(sum) : SetNull();
}

void RCurveSumSQ::Calculate(double)
{
    double sum = 0.0;
    bool any = false;
    for (std::size_t i = Args.size(); i-- > 0;) {
        if (!ArgNull(i)) {
            sum += ArgValue(i) * ArgValue(i);
            any = true;
        }
    }
    any ? SetResult(sum) : SetNull();
}

void RCurveAverage::Calculate(double)
{
    double sum = 0.0;
    int count = 0;
    for (std::size_t i = Args.size(); i-- > 0;) {
        if (!ArgNull(i)) {
            sum += ArgValue(i);
            ++count;
        }
    }
    count > 0 ? SetResult(sum / count) : SetNull();
}

void RCurveMin::Calculate(double)
{
    SetNull();
    for (std::size_t i = Args.size(); i-- > 0;) {
        if (!ArgNull(i) && (IsNull || ArgValue(i) < Value)) {
            Value = ArgValue(i);
            IsNull = false;
        }
    }
}

void RCurveMax::Calculate(double)
{
    SetNull();
    for (std::size_t i = Args.size(); i-- > 0;) {
        if (!ArgNull(i) && (IsNull || ArgValue(i) > Value)) {
            Value = ArgValue(i);
            IsNull = false;
        }
    }
}

void RCurveD::Calculate(double depth)
{
    Value = depth;
    IsNull = false;
}

void RCurveIf::Calculate(double)
{
    // The chosen argument's value and null flag as they are (also the
    // infinity of ATANH(1)).
    const std::size_t chosen = !ArgNull(0) && IsTrue(ArgValue(0)) ? 1 : 2;
    if (ArgNull(chosen)) {
        SetNull();
    } else {
        Value = ArgValue(chosen);
        IsNull = false;
    }
}

void RCurveAnd::Calculate(double)
{
    SetNull();
    for (std::size_t i = Args.size(); i-- > 0;) {
        if (ArgNull(i))
            continue;
        if (IsNull) {
            Value = 1.0;
            IsNull = false;
        }
        if (!IsTrue(ArgValue(i)))
            Value = 0.0;
    }
}

void RCurveOr::Calculate(double)
{
    SetNull();
    for (std::size_t i = Args.size(); i-- > 0;) {
        if (ArgNull(i))
            continue;
        if (IsNull) {
            Value = 0.0;
            IsNull = false;
        }
        if (IsTrue(ArgValue(i)))
            Value = 1.0;
    }
}

void RCurveNot::Calculate(double)
{
    ArgNull(0) ? SetNull() : SetResult(IsTrue(ArgValue(0)) ? 0.0 : 1.0);
}

void RCurveTrue::Calculate(double) { SetResult(1.0); }

void RCurveFalse::Calculate(double) { SetResult(0.0); }

void RCurveIsNull::Calculate(double) { SetResult(ArgNull(0) ? 1.0 : 0.0); }

void RCurveNull::Calculate(double) { SetNull(); }

void RCurveLn::Calculate(double)
{
    if (ArgNull(0) || !(ArgValue(0) > 0.0))
        SetNull();
    else
        SetResult(std::log(ArgValue(0)));
}

void RCurveLg::Calculate(double)
{
    if (ArgNull(0) || !(ArgValue(0) > 0.0))
        SetNull();
    else
        SetResult(std::log(ArgValue(0)) / std::numbers::ln10);
}

void RCurveLog::Calculate(double)
{
    if (ArgNull(0) || ArgNull(1)) {
        SetNull();
        return;
    }
    const double a = ArgValue(0), base = ArgValue(1);
    if (!(a > 0.0) || !(base > 0.0) || base == 1.0)
        SetNull();
    else
        SetResult(std::log(a) / std::log(base));
}

void RCurveSqrt::Calculate(double)
{
    if (ArgNull(0) || ArgValue(0) < 0.0)
        SetNull();
    else
        SetResult(std::sqrt(ArgValue(0)));
}

void RCurveExp::Calculate(double) { ArgNull(0) ? SetNull() : SetResult(std::exp(ArgValue(0))); }

void RCurveAbs::Calculate(double) { ArgNull(0) ? SetNull() : SetResult(std::fabs(ArgValue(0))); }

void RCurveSign::Calculate(double)
{
    if (ArgNull(0)) {
        SetNull();
        return;
    }
    const double a = ArgValue(0);
    SetResult(a > 0.0 ? 1.0 : a < 0.0 ? -1.0 : 0.0);
}

void RCurvePi::Calculate(double) { SetResult(std::numbers::pi); }

void RCurveSin::Calculate(double) { ArgNull(0) ? SetNull() : SetResult(std::sin(ArgValue(0))); }

void RCurveCos::Calculate(double) { ArgNull(0) ? SetNull() : SetResult(std::cos(ArgValue(0))); }

void RCurveTan::Calculate(double) { ArgNull(0) ? SetNull() : SetResult(std::tan(ArgValue(0))); }

void RCurveASin::Calculate(double)
{
    if (ArgNull(0) || std::fabs(ArgValue(0)) > 1.0)
        SetNull();
    else
        SetResult(std::asin(ArgValue(0)));
}

void RCurveACos::Calculate(double)
{
    if (ArgNull(0) || std::fabs(ArgValue(0)) > 1.0)
        SetNull();
    else
        SetResult(std::acos(ArgValue(0)));
}

void RCurveATan::Calculate(double) { ArgNull(0) ? SetNull() : SetResult(std::atan(ArgValue(0))); }

void RCurveSinh::Calculate(double) { ArgNull(0) ? SetNull() : SetResult(std::sinh(ArgValue(0))); }

void RCurveCosh::Calculate(double) { ArgNull(0) ? SetNull() : SetResult(std::cosh(ArgValue(0))); }

void RCurveTanh::Calculate(double) { ArgNull(0) ? SetNull() : SetResult(std::tanh(ArgValue(0))); }

// The inverse hyperbolic functions use the library's forms of
// ln(a + sqrt(a^2 + 1)) and its relatives: the same functions, without the
// cancellation of the written-out forms for large negative a.
void RCurveASinh::Calculate(double) { ArgNull(0) ? SetNull() : SetResult(std::asinh(ArgValue(0))); }

void RCurveACosh::Calculate(double)
{
    if (ArgNull(0) || ArgValue(0) < 1.0)
        SetNull();
    else
        SetResult(std::acosh(ArgValue(0)));
}

// The one node whose result may be infinite: +inf at 1 and -inf at -1.
void RCurveATanh::Calculate(double)
{
    if (ArgNull(0) || std::fabs(ArgValue(0)) > 1.0) {
        SetNull();
        return;
    }
    const double a = ArgValue(0);
    Value = a == 1.0    ? std::numeric_limits<double>::infinity()
            : a == -1.0 ? -std::numeric_limits<double>::infinity()
                        : std::atanh(a);
    IsNull = false;
}
