#pragma once
// RCurveFormulaParser: turns one formula text into a tree of RCurveArg nodes
// bound to the curves of a data set, and the tree's evaluation list.
//
// It is a recursive splitter over ranges of the text, not a tokenizer. After
// whitespace outside quotes is removed, BuildArgument tries on its range, in
// order: the lowest operator level (the comparisons < <= > >= = <>, giving
// 1 or 0) split at its rightmost top-level operator, then + -, then * /,
// then ^ (all left-associative, so 2^3^2 is 64), a
// leading unary minus (binding tighter than ^: -2^2 is 4), a bracketed
// range, a call ending in ")", a number, and finally a bare name (D, DEPTH,
// NULL, PI or a curve). Every node but number constants is appended to the
// method's Nodes list after its arguments (post-order).
//
// Ranges are 1-based and inclusive. Errors raise RFormulaError
// (formula_error.h): its Russian text is the message, then "Ошибка на
// символе <n>: " and the formula as typed (line ends and tabs shown as
// blanks) with the fault between " __ " marks; <n> is 1-based in the
// formula as typed. Its kind, position, length, name and marked formula
// are data, worded in English too.

#include "calc/formula_error.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class RCurveArg;
class RCurveCalcMethod;
class RLasCurve;
class RLasData;

class RCurveFormulaParser {
public:
    // Deeper nesting of brackets, calls or operators is refused: it keeps
    // the recursion of parsing, evaluating and freeing the tree bounded.
    static constexpr int kMaxDepth = 1000;

    // Parses method.Formula against `data` and stores the tree and the
    // evaluation list in the method. On an error the method is left without
    // a tree and RError carries the message. Where a file curve's name
    // holds < > or =, a formula that reads with those signs as parts of
    // bare names keeps that reading; quoted names ('A'>'B') never do.
    static void Parse(RCurveCalcMethod& method, const RLasData& data);

    // The formula without tabs, line ends and spaces outside quotes.
    static std::string RemoveWhitespace(std::string_view formula);

private:
    RCurveFormulaParser(RCurveCalcMethod& method, const RLasData& data, std::string text);

    // One parse, with or without the comparison level.
    static void ParseWith(RCurveCalcMethod& method, const RLasData& data, bool comparisons);
    // Whether a file curve's name holds < > or =.
    static bool CurveNamesHoldComparisonSigns(const RLasData& data);

    std::unique_ptr<RCurveArg> BuildArgument(int first, int last);
    // Null when the level's operators do not occur at the top level.
    std::unique_ptr<RCurveArg> Operator2Args(int first, int last, std::string_view operators);
    std::unique_ptr<RCurveArg> FunctionCall(int first, int last);
    std::unique_ptr<RCurveArg> NumberConstant(int first, int last);
    std::unique_ptr<RCurveArg> MakeLink(int first, int last);

    // The file curve (calculated curves are skipped) named `name`, searched
    // from the last curve to the first, case-insensitively.
    const RLasCurve* FindCurve(std::string_view name) const;
    void Append(RCurveArg* node);
    char At(int position) const { return Text[static_cast<std::size_t>(position - 1)]; }
    std::string Range(int first, int last) const;

    // Raises RFormulaError of `kind` (with `name` for the kinds that name
    // one) and where the fault is; `position` is the offending character, or
    // -1 for the whole range first..last.
    [[noreturn]] void Fail(RFormulaErrorKind kind, int first, int last, int position = -1,
                           std::string name = {}) const;

    std::string Text;
    // Where each character of Text stood in the formula as typed (0-based).
    std::vector<int> typedIndex_;
    int typedLength_ = 0;
    const RLasData& LasData;
    RCurveCalcMethod& Method;
    int depth_ = 0;
    bool comparisons_ = true;
};
