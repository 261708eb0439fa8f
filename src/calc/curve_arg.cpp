#include "calc/curve_arg.h"

#include <cmath>

void RCurveFunction::SetResult(double value)
{
    if (std::isfinite(value)) {
        Value = value;
        IsNull = false;
    } else {
        SetNull();
    }
}
