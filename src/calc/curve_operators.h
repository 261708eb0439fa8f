#pragma once
// The operators of the formula language: unary minus, + - * / ^ and the
// comparisons < <= > >= = <>.

#include "calc/curve_functions.h"

// -a; null when a is null.
LOGGARD_CURVE_NODE(RCurveNeg, RCurveFunction1Args);
// a + b, exactly 0 when a and -b are nearly equal; null when either is null.
LOGGARD_CURVE_NODE(RCurvePlus, RCurveFunction2Args);
// a - b, exactly 0 when a and b are nearly equal; null when either is null.
LOGGARD_CURVE_NODE(RCurveMinus, RCurveFunction2Args);
// The product of the non-null factors: a null factor is skipped (GR*NULL is
// GR), and the product is null only when every factor is. Stored formulas
// rely on this.
LOGGARD_CURVE_NODE(RCurveMul, RCurveFunction2Args);
// a / b; null when |b| <= 1e-10 or either is null.
LOGGARD_CURVE_NODE(RCurveDiv, RCurveFunction2Args);
// a ^ b: 0 for a = 0 whatever b; a negative base needs an integral exponent.
LOGGARD_CURVE_NODE(RCurvePower, RCurveFunction2Args);

// Comparisons give exactly 1 or 0 and are null when either side is null.
// Sides within 32 units in the last place of each other are equal, the same
// closeness at which a - b gives exactly 0, so A=B holds where A-B is 0.
LOGGARD_CURVE_NODE(RCurveLess, RCurveFunction2Args);
LOGGARD_CURVE_NODE(RCurveLessEqual, RCurveFunction2Args);
LOGGARD_CURVE_NODE(RCurveGreater, RCurveFunction2Args);
LOGGARD_CURVE_NODE(RCurveGreaterEqual, RCurveFunction2Args);
LOGGARD_CURVE_NODE(RCurveEqual, RCurveFunction2Args);
LOGGARD_CURVE_NODE(RCurveNotEqual, RCurveFunction2Args);
