#include "calc/formula_error.h"

#include "calc/calc_method.h"
#include "calc_test_data.h"

#include <gtest/gtest.h>

namespace {

RFormulaFault Fault(RFormulaErrorKind kind)
{
    return {.Kind = kind, .Position = 5, .Length = 3, .Name = "XYZ", .Marked = "2 +  __ XYZ __ "};
}

}  // namespace

TEST(FormulaErrorText, EveryKindIsWordedInBothLanguagesWithItsPosition)
{
    for (std::size_t i = 0; i < kFormulaErrorKindCount; ++i) {
        const RFormulaFault fault = Fault(static_cast<RFormulaErrorKind>(i));
        const std::string english = FaultText(fault, RLanguage::English);
        const std::string russian = FaultText(fault, RLanguage::Russian);
        EXPECT_EQ(english, FaultSentence(fault, RLanguage::English) + "\r\nError at character 5: 2 +  __ XYZ __ ");
        EXPECT_EQ(russian, FaultSentence(fault, RLanguage::Russian) + "\r\nОшибка на символе 5: 2 +  __ XYZ __ ");
        EXPECT_NE(FaultSentence(fault, RLanguage::English), FaultSentence(fault, RLanguage::Russian)) << i;
        EXPECT_EQ(english.find('{'), std::string::npos) << english;
        EXPECT_EQ(russian.find('{'), std::string::npos) << russian;
        for (unsigned char c : english)
            EXPECT_LT(c, 0x80) << i << ": " << english;
    }
    EXPECT_EQ(FaultText(Fault(static_cast<RFormulaErrorKind>(kFormulaErrorKindCount)), RLanguage::English), "");
}

TEST(FormulaErrorText, SentencesInBothLanguages)
{
    using K = RFormulaErrorKind;
    const std::pair<K, std::pair<const char*, const char*>> cases[] = {
        {K::BadSubstring,
         {"Parse error: a part of the formula is missing or ill-formed.",
          "Ошибка разбора строки: подстрока задана некорректно."}},
        {K::TooDeep, {"Formula error: the nesting is too deep.", "Ошибка разбора формулы: слишком глубокая вложенность."}},
        {K::MissingBracket,
         {"Formula error: closing bracket \")\" is missing.", "Ошибка разбора формулы: не хватает скобки \")\"."}},
        {K::BadBrackets, {"Formula error: the brackets do not match.", "Ошибка разбора формулы: некорректные скобки."}},
        {K::NoQuotePair, {"Formula error: a quote has no closing pair.", "Ошибка разбора формулы: нет парной кавычки."}},
        {K::BadCall, {"Formula error: invalid function call.", "Ошибка разбора формулы: некорректный вызов формулы."}},
        {K::BadBracketsOrQuotes,
         {"Formula error: the brackets or quotes do not match.",
          "Ошибка разбора формулы: некорректные скобки или кавычки."}},
        {K::BadName,
         {"Formula error: invalid function or curve name XYZ.",
          "Ошибка разбора формулы: некорректное имя функции или кривой XYZ."}},
        {K::BadValue, {"Formula error: invalid number.", "Ошибка разбора формулы: некорректный ввод значения."}},
        {K::CurveNotFound, {"Formula error: curve XYZ not found.", "Ошибка разбора формулы: кривая XYZ не найдена."}},
    };
    static_assert(std::size(cases) == kFormulaErrorKindCount);
    for (const auto& [kind, texts] : cases) {
        EXPECT_EQ(FaultSentence(Fault(kind), RLanguage::English), texts.first);
        EXPECT_EQ(FaultSentence(Fault(kind), RLanguage::Russian), texts.second);
    }
}

TEST(RFormulaError, ParseErrorsCarryWhatTheEnglishWordingNeeds)
{
    RLasData data;
    FillSample(data);
    RCurveCalcMethod method("(GR)1");
    try {
        method.Parse(data);
        FAIL() << "parsed";
    } catch (const RFormulaError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Ошибка разбора формулы: не хватает скобки \")\".\r\nОшибка на символе 1:  __ (GR)1 __ ");
        EXPECT_EQ(error.Text(RLanguage::English),
                  "Formula error: closing bracket \")\" is missing.\r\nError at character 1:  __ (GR)1 __ ");
        EXPECT_EQ(error.Text(RLanguage::Russian), error.what());
    }
    RCurveCalcMethod unknown("2 + xyz");
    try {
        unknown.Parse(data);
        FAIL() << "parsed";
    } catch (const RFormulaError& error) {
        EXPECT_EQ(error.Fault().Name, "XYZ");
        EXPECT_EQ(error.Fault().Marked, "2 +  __ xyz __ ");
        EXPECT_EQ(error.Text(RLanguage::English),
                  "Formula error: curve XYZ not found.\r\nError at character 5: 2 +  __ xyz __ ");
    }
}
