#include "calc/formula_error.h"

#include <array>

namespace {

using Kind = RFormulaErrorKind;

// One language's texts: the sentence of each kind, in the order of the
// enumeration, and the line that says where the fault is.
struct LanguageTable {
    std::array<RWording<Kind>, kFormulaErrorKindCount> kinds;
    std::string_view where;  // {Position}, {Marked}
};

constexpr LanguageTable kEnglish{
    {{
        {Kind::BadSubstring, "Parse error: a part of the formula is missing or ill-formed."},
        {Kind::TooDeep, "Formula error: the nesting is too deep."},
        {Kind::MissingBracket, "Formula error: closing bracket \")\" is missing."},
        {Kind::BadBrackets, "Formula error: the brackets do not match."},
        {Kind::NoQuotePair, "Formula error: a quote has no closing pair."},
        {Kind::BadCall, "Formula error: invalid function call."},
        {Kind::BadBracketsOrQuotes, "Formula error: the brackets or quotes do not match."},
        {Kind::BadName, "Formula error: invalid function or curve name {Name}."},
        {Kind::BadValue, "Formula error: invalid number."},
        {Kind::CurveNotFound, "Formula error: curve {Name} not found."},
    }},
    "Error at character {Position}: {Marked}",
};

constexpr LanguageTable kRussian{
    {{
        {Kind::BadSubstring, "Ошибка разбора строки: подстрока задана некорректно."},
        {Kind::TooDeep, "Ошибка разбора формулы: слишком глубокая вложенность."},
        {Kind::MissingBracket, "Ошибка разбора формулы: не хватает скобки \")\"."},
        {Kind::BadBrackets, "Ошибка разбора формулы: некорректные скобки."},
        {Kind::NoQuotePair, "Ошибка разбора формулы: нет парной кавычки."},
        {Kind::BadCall, "Ошибка разбора формулы: некорректный вызов формулы."},
        {Kind::BadBracketsOrQuotes, "Ошибка разбора формулы: некорректные скобки или кавычки."},
        {Kind::BadName, "Ошибка разбора формулы: некорректное имя функции или кривой {Name}."},
        {Kind::BadValue, "Ошибка разбора формулы: некорректный ввод значения."},
        {Kind::CurveNotFound, "Ошибка разбора формулы: кривая {Name} не найдена."},
    }},
    "Ошибка на символе {Position}: {Marked}",
};

static_assert(InKindOrder(kEnglish.kinds), "English texts out of the order of RFormulaErrorKind");
static_assert(InKindOrder(kRussian.kinds), "Russian texts out of the order of RFormulaErrorKind");

const LanguageTable& TableOf(RLanguage language) { return language == RLanguage::Russian ? kRussian : kEnglish; }

}  // namespace

std::string FaultSentence(const RFormulaFault& fault, RLanguage language)
{
    const auto index = static_cast<std::size_t>(fault.Kind);
    if (index >= kFormulaErrorKindCount)
        return {};
    return FillTemplate(TableOf(language).kinds[index].text, {{"Name", fault.Name}});
}

std::string FaultText(const RFormulaFault& fault, RLanguage language)
{
    std::string sentence = FaultSentence(fault, language);
    if (sentence.empty())
        return sentence;
    const std::string position = std::to_string(fault.Position);
    return sentence + "\r\n"
           + FillTemplate(TableOf(language).where, {{"Position", position}, {"Marked", fault.Marked}});
}

RFormulaError::RFormulaError(RFormulaFault fault)
    : RError(FaultText(fault, RLanguage::Russian)), fault_(std::move(fault))
{
}
