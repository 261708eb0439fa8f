#include "calc/formula_parser.h"

#include "calc/calc_method.h"
#include "calc/curve_link.h"
#include "calc/curve_operators.h"
#include "calc/function_registry.h"
#include "las/las_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

// The signs of the comparison operators < <= > >= = <>.
constexpr std::string_view kComparisonSigns = "<>=";

// Quote state while walking a formula: a double quote toggles its run unless
// a single-quoted run is open, and the other way round.
struct QuoteState {
    bool inDouble = false;
    bool inSingle = false;

    void Feed(char c)
    {
        if (c == '"' && !inSingle)
            inDouble = !inDouble;
        else if (c == '\'' && !inDouble)
            inSingle = !inSingle;
    }
    bool Open() const { return inDouble || inSingle; }
};

// Function and curve names compare in upper case (ASCII letters only: the
// text is 8-bit bytes of unknown encoding).
std::string Upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// 'name' or "name" without its quotes.
std::string_view Unquoted(std::string_view name)
{
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '\'') && name.back() == name.front())
        return name.substr(1, name.size() - 2);
    return name;
}

// Digits, optionally "." and digits, optionally E and digits; the mantissa
// needs a digit. The point is the decimal separator whatever the locale.
bool IsPlainNumber(std::string_view text)
{
    std::size_t i = 0, mantissaDigits = 0;
    auto digits = [&] {
        std::size_t count = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
            ++count;
        }
        return count;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    mantissaDigits += digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (digits() == 0)
            return false;
    }
    return i == text.size();
}

}  // namespace

RCurveFormulaParser::RCurveFormulaParser(RCurveCalcMethod& method, const RLasData& data, std::string text)
    : Text(std::move(text)), LasData(data), Method(method)
{
    // The same walk as RemoveWhitespace, remembering where kept characters stood.
    const std::string& typed = method.Formula;
    typedLength_ = static_cast<int>(typed.size());
    QuoteState quotes;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        quotes.Feed(c);
        if (!quotes.Open() && (c == ' ' || c == '\t' || c == '\n' || c == '\r'))
            continue;
        typedIndex_.push_back(static_cast<int>(i));
    }
}

void RCurveFormulaParser::Parse(RCurveCalcMethod& method, const RLasData& data)
{
    // A bare curve name may hold a comparison sign (a curve "A>B"). A formula
    // that reads without comparisons keeps the meaning it had before they
    // existed; only where it does not are the signs operators.
    if (CurveNamesHoldComparisonSigns(data)) {
        try {
            ParseWith(method, data, false);
            return;
        } catch (const RFormulaError&) {
        }
    }
    ParseWith(method, data, true);
}

void RCurveFormulaParser::ParseWith(RCurveCalcMethod& method, const RLasData& data, bool comparisons)
{
    method.ClearTree();
    RCurveFormulaParser parser(method, data, RemoveWhitespace(method.Formula));
    parser.comparisons_ = comparisons;
    try {
        method.Root = parser.BuildArgument(1, static_cast<int>(parser.Text.size()));
    } catch (...) {
        // The nodes built so far are gone with their owners.
        method.ClearTree();
        throw;
    }
}

bool RCurveFormulaParser::CurveNamesHoldComparisonSigns(const RLasData& data)
{
    for (const auto& curve : data.Curves())
        if (!curve->IsCalculated() && curve->Mnemonic.find_first_of(kComparisonSigns) != std::string::npos)
            return true;
    return false;
}

std::string RCurveFormulaParser::RemoveWhitespace(std::string_view formula)
{
    std::string out;
    out.reserve(formula.size());
    QuoteState quotes;
    for (const char c : formula) {
        quotes.Feed(c);
        if (!quotes.Open() && (c == ' ' || c == '\t' || c == '\n' || c == '\r'))
            continue;
        out += c;
    }
    return out;
}

std::string RCurveFormulaParser::Range(int first, int last) const
{
    return Text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
}

void RCurveFormulaParser::Append(RCurveArg* node) { Method.Nodes.push_back(node); }

void RCurveFormulaParser::Fail(RFormulaErrorKind kind, int first, int last, int position, std::string name) const
{
    // The fault in the formula as typed: 1-based start and length. An empty
    // range (something missing) starts at the character it is missing before.
    const int size = static_cast<int>(typedIndex_.size());
    const auto typedStart = [&](int p) { return p >= 1 && p <= size ? typedIndex_[p - 1] + 1 : typedLength_ + 1; };
    const int from = position > 0 ? position : std::max(first, 1);
    const int to = position > 0 ? position : std::min(last, size);
    const int start = typedStart(from);
    const int length = to >= from && to <= size ? typedIndex_[to - 1] + 1 - start + 1 : 0;

    // The formula as typed, on one line, with the fault between " __ " marks.
    std::string shown = Method.Formula;
    std::replace_if(shown.begin(), shown.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    const std::size_t before = std::min(static_cast<std::size_t>(start - 1), shown.size());
    const std::size_t after = std::min(before + static_cast<std::size_t>(length), shown.size());
    const std::string marked = shown.substr(0, before) + " __ " + shown.substr(before, after - before) + " __ "
                               + shown.substr(after);
    throw RFormulaError(
        {.Kind = kind, .Position = start, .Length = length, .Name = std::move(name), .Marked = marked});
}

std::unique_ptr<RCurveArg> RCurveFormulaParser::BuildArgument(int first, int last)
{
    if (last < first)
        Fail(RFormulaErrorKind::BadSubstring, first, last);
    if (depth_ >= kMaxDepth)
        Fail(RFormulaErrorKind::TooDeep, first, last);
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
    } guard(depth_);

    if (comparisons_)
        if (auto node = Operator2Args(first, last, kComparisonSigns))
            return node;
    for (const std::string_view level : {"+-", "*/", "^"}) {
        if (auto node = Operator2Args(first, last, level))
            return node;
    }
    if (At(first) == '-') {
        auto node = std::make_unique<RCurveNeg>();
        node->Args.push_back(BuildArgument(first + 1, last));
        Append(node.get());
        return node;
    }
    if (At(first) == '(') {
        if (At(last) != ')')
            Fail(RFormulaErrorKind::MissingBracket, first, last);
        // Brackets make no node of their own.
        return BuildArgument(first + 1, last - 1);
    }
    if (At(last) == ')')
        return FunctionCall(first, last);
    if ((At(first) >= '0' && At(first) <= '9') || At(first) == '.')
        return NumberConstant(first, last);
    return MakeLink(first, last);
}

std::unique_ptr<RCurveArg> RCurveFormulaParser::Operator2Args(int first, int last, std::string_view operators)
{
    QuoteState quotes;
    int bracketDepth = 0;
    // Right to left, so the rightmost operator splits first and the level is
    // left-associative. The first character is never a split point of + - * /
    // ^: a leading minus is unary. A comparison has no unary form, so one
    // there is a missing left side.
    const bool comparison = operators == kComparisonSigns;
    // The leftmost ")" that opened a group seen from the right: when the
    // groups do not all close, it is the one without its "(".
    int outermostClose = 0;
    for (int position = last; position >= first; --position) {
        const char c = At(position);
        quotes.Feed(c);
        if (quotes.Open())
            continue;
        if (c == ')') {
            if (bracketDepth++ == 0)
                outermostClose = position;
        } else if (c == '(') {
            if (--bracketDepth < 0)
                Fail(RFormulaErrorKind::BadBrackets, first, last, position);
        } else if (bracketDepth == 0 && (position > first || comparison)
                   && operators.find(c) != std::string_view::npos) {
            // <= >= <> are one operator: the sign before is part of it.
            const char before = position > first ? At(position - 1) : '\0';
            const bool twoSigns = (c == '=' && (before == '<' || before == '>')) || (c == '>' && before == '<');
            const int operatorFirst = twoSigns ? position - 1 : position;
            std::unique_ptr<RCurveFunction> node;
            switch (c) {
            case '+': node = std::make_unique<RCurvePlus>(); break;
            case '-': node = std::make_unique<RCurveMinus>(); break;
            case '*': node = std::make_unique<RCurveMul>(); break;
            case '/': node = std::make_unique<RCurveDiv>(); break;
            case '^': node = std::make_unique<RCurvePower>(); break;
            case '<': node = std::make_unique<RCurveLess>(); break;
            case '>':
                if (twoSigns)
                    node = std::make_unique<RCurveNotEqual>();
                else
                    node = std::make_unique<RCurveGreater>();
                break;
            default:  // '='
                if (!twoSigns)
                    node = std::make_unique<RCurveEqual>();
                else if (before == '<')
                    node = std::make_unique<RCurveLessEqual>();
                else
                    node = std::make_unique<RCurveGreaterEqual>();
                break;
            }
            node->Args.resize(2);
            node->Args[1] = BuildArgument(position + 1, last);
            node->Args[0] = BuildArgument(first, operatorFirst - 1);
            Append(node.get());
            return node;
        }
    }
    if (bracketDepth != 0)
        Fail(RFormulaErrorKind::BadBrackets, first, last, outermostClose);
    if (quotes.Open())
        Fail(RFormulaErrorKind::NoQuotePair, first, last);
    return nullptr;
}

std::unique_ptr<RCurveArg> RCurveFormulaParser::FunctionCall(int first, int last)
{
    int open = 0;
    for (int position = first; position < last && open == 0; ++position)
        if (At(position) == '(')
            open = position;
    if (open == 0)
        Fail(RFormulaErrorKind::BadCall, first, last);

    const std::string name = Range(first, open - 1);
    const RCurveFunctionClass* functionClass = FindFunctionClass(Upper(name));

    // Argument ranges between the brackets, split at top-level commas; round
    // and square brackets both group here.
    std::vector<std::pair<int, int>> argumentRanges;
    if (open + 1 < last) {
        QuoteState quotes;
        int bracketDepth = 0, argumentStart = open + 1;
        for (int position = open + 1; position < last; ++position) {
            const char c = At(position);
            quotes.Feed(c);
            if (quotes.Open())
                continue;
            if (c == '(' || c == '[') {
                ++bracketDepth;
            } else if (c == ')' || c == ']') {
                if (--bracketDepth < 0)
                    Fail(RFormulaErrorKind::BadBrackets, first, last, position);
            } else if (c == ',' && bracketDepth == 0) {
                argumentRanges.emplace_back(argumentStart, position - 1);
                argumentStart = position + 1;
            }
        }
        if (quotes.Open() || bracketDepth != 0)
            Fail(RFormulaErrorKind::BadBracketsOrQuotes, first, last);
        argumentRanges.emplace_back(argumentStart, last - 1);
    }

    std::unique_ptr<RCurveFunction> node;
    if (functionClass) {
        node = functionClass->create();
    } else {
        const std::string_view curveName = Unquoted(name);
        const RLasCurve* curve = FindCurve(curveName);
        if (!curve)
            Fail(RFormulaErrorKind::BadName, first, open - 1, -1, std::string(curveName));
        auto link = std::make_unique<RCurveLink>();
        link->Curve = curve;
        node = std::move(link);
    }

    // A list ending in a comma, or fewer arguments than the function reads,
    // would leave it reading slots that were never written.
    const bool trailingComma = !argumentRanges.empty() && argumentRanges.back().second < argumentRanges.back().first
                               && argumentRanges.size() > 1;
    const int required = functionClass ? functionClass->minArgCount : RCurveLink::kArgCount;
    if (trailingComma || static_cast<int>(argumentRanges.size()) < required)
        Fail(RFormulaErrorKind::BadSubstring, last, last - 1);  // missing before ")"

    node->Args.resize(argumentRanges.size());
    for (std::size_t i = argumentRanges.size(); i-- > 0;) {
        const auto [argumentFirst, argumentLast] = argumentRanges[i];
        if (argumentFirst <= argumentLast)  // an empty argument leaves its slot empty
            node->Args[i] = BuildArgument(argumentFirst, argumentLast);
    }
    Append(node.get());
    return node;
}

std::unique_ptr<RCurveArg> RCurveFormulaParser::NumberConstant(int first, int last)
{
    const std::string text = Range(first, last);
    double value = 0.0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (*begin == '+')
        ++begin;
    // from_chars reads the C locale's form and reports overflow.
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (!IsPlainNumber(text) || error != std::errc() || stop != end || !std::isfinite(value))
        Fail(RFormulaErrorKind::BadValue, first, last);
    return std::make_unique<RCurveConst>(value);
}

std::unique_ptr<RCurveArg> RCurveFormulaParser::MakeLink(int first, int last)
{
    const std::string upperName = Upper(Range(first, last));
    // Bare names are only functions without arguments: D, DEPTH, NULL, PI.
    if (const RCurveFunctionClass* functionClass = FindFunctionClass(upperName, true)) {
        std::unique_ptr<RCurveArg> node = functionClass->create();
        Append(node.get());
        return node;
    }
    const std::string_view curveName = Unquoted(upperName);
    const RLasCurve* curve = FindCurve(curveName);
    if (!curve)
        Fail(RFormulaErrorKind::CurveNotFound, first, last, -1, std::string(curveName));
    // A bare curve name is the curve read at the current depth.
    auto link = std::make_unique<RCurveLink>();
    link->Curve = curve;
    link->Args.push_back(std::make_unique<RCurveD>());
    Append(link->Args[0].get());
    Append(link.get());
    return link;
}

const RLasCurve* RCurveFormulaParser::FindCurve(std::string_view name) const
{
    const std::string wanted = Upper(name);
    for (std::size_t i = LasData.Curves().size(); i-- > 0;) {
        const RLasCurve& curve = *LasData.Curves()[i];
        if (!curve.IsCalculated() && Upper(curve.Mnemonic) == wanted)
            return &curve;
    }
    return nullptr;
}
