#pragma once
// RFormulaError: a formula that does not parse, as data: what is wrong (a
// kind), where (a position and a length in the formula as typed), the name
// at fault, and the formula on one line with the fault marked. Worded as
// "<sentence>\r\n<where>: <marked formula>" in the language asked for:
//
//     Ошибка разбора формулы: кривая XYZ не найдена.\r\nОшибка на символе 5: 2 +  __ XYZ __
//     Formula error: curve XYZ not found.\r\nError at character 5: 2 +  __ XYZ __
//
// what() is the Russian wording. RCurveFormulaParser raises every parse
// failure as one.

#include "container/error.h"

#include <cstddef>
#include <string>

enum class RFormulaErrorKind {
    BadSubstring,         // an empty or ill-formed part, a missing argument
    TooDeep,              // nesting beyond RCurveFormulaParser::kMaxDepth
    MissingBracket,       // "(" without ")"
    BadBrackets,          // brackets that do not pair
    NoQuotePair,          // a quote left open
    BadCall,              // text after a call's closing bracket
    BadBracketsOrQuotes,  // an argument list that does not close
    BadName,              // Name: a call of something that is no function or curve
    BadValue,             // a number that does not read
    CurveNotFound,        // Name: a bare name that is no curve
};

// Kinds run from 0 to kFormulaErrorKindCount - 1.
inline constexpr std::size_t kFormulaErrorKindCount = static_cast<std::size_t>(RFormulaErrorKind::CurveNotFound) + 1;

struct RFormulaFault {
    RFormulaErrorKind Kind;
    // 1-based in the formula as typed (blanks included); with Length it
    // covers the faulty text. Length is 0 where something is missing
    // before Position.
    int Position = 0;
    int Length = 0;
    std::string Name{};    // the name at fault, as the kind's comment says
    std::string Marked{};  // the formula as typed on one line, the fault between " __ " marks
};

// The whole message in `language` (an unknown language words in English);
// empty for a kind outside the enumeration.
std::string FaultText(const RFormulaFault& fault, RLanguage language);
// Its first line alone: what is wrong, without where.
std::string FaultSentence(const RFormulaFault& fault, RLanguage language);

class RFormulaError : public RError {
public:
    explicit RFormulaError(RFormulaFault fault);

    const RFormulaFault& Fault() const { return fault_; }
    RFormulaErrorKind Kind() const { return fault_.Kind; }
    int Position() const { return fault_.Position; }
    int Length() const { return fault_.Length; }
    std::string Text(RLanguage language) const override { return FaultText(fault_, language); }

private:
    RFormulaFault fault_;
};
