#pragma once
// RCalcCurveError: why the calculator's curves could not be committed, as
// data (error.h says how errors are worded). CommitCalcEntries raises its
// own refusals as one; a formula that does not parse raises RFormulaError.
//
//     throw RCalcCurveError({.Kind = RCalcCurveErrorKind::BadName, .Name = name});

#include "container/error.h"

#include <cstddef>
#include <string>

enum class RCalcCurveErrorKind {
    BadName,     // Name: a name IsFitCalcCurveName refuses
    NoDocument,  // no LAS file is loaded
};

// Kinds run from 0 to kCalcCurveErrorKindCount - 1.
inline constexpr std::size_t kCalcCurveErrorKindCount = static_cast<std::size_t>(RCalcCurveErrorKind::NoDocument) + 1;

struct RCalcCurveFault {
    RCalcCurveErrorKind Kind;
    std::string Name{};  // the curve name, bytes as typed
};

// The fault worded in `language` (an unknown language words in English);
// empty for a kind outside the enumeration.
std::string FaultText(const RCalcCurveFault& fault, RLanguage language);

class RCalcCurveError : public RError {
public:
    // what() is the Russian wording.
    explicit RCalcCurveError(RCalcCurveFault fault);

    const RCalcCurveFault& Fault() const { return fault_; }
    std::string Text(RLanguage language) const override { return FaultText(fault_, language); }

private:
    RCalcCurveFault fault_;
};
