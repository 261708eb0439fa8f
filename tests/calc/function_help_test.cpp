#include "calc/function_help.h"

#include "calc/function_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// The function name a call form starts with, upper-cased as the parser
// looks it up: "AVG" of "AVG | AVERAGE(a, b, ...)".
std::string CalledName(std::string_view syntax)
{
    const std::size_t end = syntax.find_first_of(" (");
    return std::string(syntax.substr(0, end));
}

// Arguments written in a call form: 0 for "PI" and "TRUE()", -1 for "...".
int WrittenArguments(std::string_view syntax)
{
    const std::size_t open = syntax.find('(');
    if (open == std::string_view::npos || syntax[open + 1] == ')')
        return 0;
    if (syntax.find("...") != std::string_view::npos)
        return -1;
    return 1 + static_cast<int>(std::count(syntax.begin(), syntax.end(), ','));
}

TEST(FunctionHelpTest, EveryRegisteredFunctionIsExplainedInRegistryOrder)
{
    const auto registry = FunctionRegistry();
    const auto table = FunctionHelpTable();
    ASSERT_EQ(table.size(), registry.size());
    for (std::size_t i = 0; i < registry.size(); ++i) {
        EXPECT_EQ(table[i].className, registry[i].className);
        EXPECT_EQ(FindFunctionHelp(registry[i].className), &table[i]);
    }
    EXPECT_EQ(FindFunctionHelp("RCurvePlus"), nullptr);
}

TEST(FunctionHelpTest, CallFormsNameTheirOwnFunctionWithItsArguments)
{
    for (const RCurveFunctionClass& function : FunctionRegistry()) {
        const RFunctionHelp& help = *FindFunctionHelp(function.className);
        for (int language = 0; language < RFunctionHelp::kLanguages; ++language) {
            const std::string_view syntax = help.Syntax(language);
            SCOPED_TRACE(std::string(syntax));
            // The call form reads back as this very function.
            const RCurveFunctionClass* named = FindFunctionClass(CalledName(syntax));
            ASSERT_NE(named, nullptr);
            EXPECT_EQ(named->className, function.className);
            EXPECT_EQ(WrittenArguments(syntax), function.argCount < 0 ? -1 : function.minArgCount);
            EXPECT_FALSE(help.Description(language).empty());
        }
    }
}

TEST(FunctionHelpTest, LanguagesDifferAndAnUnknownOneReadsAsEnglish)
{
    const RFunctionHelp& help = *FindFunctionHelp("RCurveIf");
    EXPECT_EQ(help.Syntax(0), "IF(condition, a, b)");
    EXPECT_EQ(help.Description(0), "a where condition is non-zero, else b");
    EXPECT_EQ(help.Syntax(1), "IF(условие, a, b)");
    EXPECT_EQ(help.Description(1), "a там, где условие не равно нулю, иначе b");
    EXPECT_EQ(help.Description(7), help.Description(0));
    // Every Russian line is Russian, not a copied English one.
    for (const RFunctionHelp& entry : FunctionHelpTable())
        EXPECT_NE(entry.Description(0), entry.Description(1)) << entry.className;
}

}  // namespace
