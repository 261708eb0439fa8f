#include "calc/formula_parser.h"

#include "calc/calc_method.h"
#include "calc/curve_link.h"
#include "calc_test_data.h"
#include "container/error.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

class FormulaParserTest : public ::testing::Test {
protected:
    FormulaParserTest() { FillSample(data); }
    double Value(const std::string& formula, double depth = 1000.0)
    {
        const auto value = Evaluate(formula, data, depth);
        EXPECT_TRUE(value.has_value()) << formula;
        return value.value_or(-1e300);
    }
    RLasData data;
};

TEST_F(FormulaParserTest, PrecedenceAndLeftAssociativity)
{
    EXPECT_DOUBLE_EQ(Value("2+3*4"), 14.0);
    EXPECT_DOUBLE_EQ(Value("10-4-3"), 3.0);
    EXPECT_DOUBLE_EQ(Value("8/4/2"), 1.0);
    EXPECT_DOUBLE_EQ(Value("6*4/3"), 8.0);
    EXPECT_DOUBLE_EQ(Value("2^3^2"), 64.0);
    EXPECT_DOUBLE_EQ(Value("-2^2"), 4.0);
    EXPECT_DOUBLE_EQ(Value("-(2^2)"), -4.0);
    EXPECT_DOUBLE_EQ(Value("-GR-RHOB"), -12.1);
    EXPECT_DOUBLE_EQ(Value("2*(-3)"), -6.0);
    EXPECT_DOUBLE_EQ(Value("(GR-5)/(45-5)"), 0.125);
}

TEST_F(FormulaParserTest, ComparisonsBindLooserThanArithmetic)
{
    EXPECT_DOUBLE_EQ(Value("GR>5+4"), 1.0);   // 10 > 9, not (10 > 5) + 4
    EXPECT_DOUBLE_EQ(Value("GR+1>11"), 0.0);
    EXPECT_DOUBLE_EQ(Value("GR-5=5"), 1.0);
    EXPECT_DOUBLE_EQ(Value("2*GR<=4*5"), 1.0);
    EXPECT_DOUBLE_EQ(Value("GR/2>=10/2"), 1.0);
    EXPECT_DOUBLE_EQ(Value("-GR<0"), 1.0);
    EXPECT_DOUBLE_EQ(Value("GR>-5"), 1.0);
    EXPECT_DOUBLE_EQ(Value("GR<>-10"), 1.0);
    EXPECT_DOUBLE_EQ(Value("2^3=8"), 1.0);
    // Left-associative like the other levels: (3 > 2) > 1 is 1 > 1.
    EXPECT_DOUBLE_EQ(Value("3>2>1"), 0.0);
    EXPECT_DOUBLE_EQ(Value("1<2=1"), 1.0);
    // A bracketed comparison is a 0/1 factor: cut-offs.
    EXPECT_DOUBLE_EQ(Value("(GR>5)*GR"), 10.0);
    EXPECT_DOUBLE_EQ(Value("(GR>75)*1"), 0.0);
    EXPECT_DOUBLE_EQ(Value("(GR<>10)+(RHOB<3)"), 1.0);
}

TEST_F(FormulaParserTest, TwoSignOperatorsAreNotSplit)
{
    // 20 against 10 tells <> from < and from >; blanks between the signs
    // are dropped like all blanks.
    EXPECT_DOUBLE_EQ(Value("20<>10"), 1.0);
    EXPECT_DOUBLE_EQ(Value("10<>10"), 0.0);
    EXPECT_DOUBLE_EQ(Value("10<=10"), 1.0);
    EXPECT_DOUBLE_EQ(Value("10>=10"), 1.0);
    EXPECT_DOUBLE_EQ(Value("10 < = 10"), 1.0);
    for (const char* formula : {"1==1", "1=<1", "1><1", "1<<1", "1>>1", "1<>=1"})
        EXPECT_TRUE(StartsWith(ParseError(formula, data), "Ошибка разбора строки: подстрока задана некорректно."))
            << formula;
}

TEST_F(FormulaParserTest, ComparisonsInsideCalls)
{
    EXPECT_DOUBLE_EQ(Value("IF(GR>75,1,0)"), 0.0);
    EXPECT_DOUBLE_EQ(Value("IF(GR>5,1,0)"), 1.0);
    // A null side makes the condition null, and IF then takes its third argument.
    EXPECT_DOUBLE_EQ(Value("IF(GR>5,1,0)", 1001.0), 0.0);
    EXPECT_DOUBLE_EQ(Value("IF(GR<15,1,IF(GR<45,2,3))", 1000.0), 1.0);
    EXPECT_DOUBLE_EQ(Value("IF(GR<15,1,IF(GR<45,2,3))", 1001.5), 2.0);
    EXPECT_DOUBLE_EQ(Value("IF(GR<15,1,IF(GR<45,2,3))", 1002.0), 3.0);
    EXPECT_DOUBLE_EQ(Value("IF(AND(GR>=10,RHOB<=2.1),GR=10,5)"), 1.0);
    EXPECT_DOUBLE_EQ(Value("SUM(GR>5,GR<5,GR=10)"), 2.0);
    EXPECT_DOUBLE_EQ(Value("RHOB(D+(GR>5)*0.5)"), 2.2);
}

TEST_F(FormulaParserTest, ErrorsInComparisonsAreLocated)
{
    using K = RFormulaErrorKind;
    const auto fault = [this](const std::string& formula) {
        RCurveCalcMethod method(formula);
        try {
            method.Parse(data);
        } catch (const RFormulaError& error) {
            return std::make_tuple(error.Kind(), error.Position(), error.Length());
        }
        ADD_FAILURE() << formula << " parsed";
        return std::make_tuple(K::BadSubstring, 0, 0);
    };
    EXPECT_EQ(fault("IF(GR > XX, 1, 0)"), std::make_tuple(K::CurveNotFound, 9, 2));
    EXPECT_EQ(fault("XX <> GR"), std::make_tuple(K::CurveNotFound, 1, 2));
    EXPECT_EQ(fault("GR <> XX"), std::make_tuple(K::CurveNotFound, 7, 2));
    // A missing side: before the operator, or after it at the end.
    EXPECT_EQ(fault(">= GR"), std::make_tuple(K::BadSubstring, 1, 0));
    EXPECT_EQ(fault("GR>"), std::make_tuple(K::BadSubstring, 4, 0));
    EXPECT_EQ(fault("GR > (1 + "), std::make_tuple(K::BadBrackets, 6, 1));
}

TEST_F(FormulaParserTest, CurveNamesWithComparisonSignsKeepTheirReading)
{
    AddFileCurve(data, "A>B", 1000.0, 0.5, {7.0});
    AddFileCurve(data, "A", 1000.0, 0.5, {1.0});
    AddFileCurve(data, "B", 1000.0, 0.5, {2.0});
    EXPECT_DOUBLE_EQ(Value("A>B"), 7.0);
    EXPECT_DOUBLE_EQ(Value("A>B+1"), 8.0);
    EXPECT_DOUBLE_EQ(Value("A>B(D)"), 7.0);
    // Quoted names, or a formula that does not read otherwise, compare.
    EXPECT_DOUBLE_EQ(Value("'A'>'B'"), 0.0);
    EXPECT_DOUBLE_EQ(Value("A<B"), 1.0);
    EXPECT_DOUBLE_EQ(Value("'A>B'>B"), 1.0);
}

// Formulas of every operator read as they did before comparisons existed.
TEST_F(FormulaParserTest, ArithmeticFormulasKeepTheirValues)
{
    const std::pair<const char*, double> cases[] = {
        {"(GR-5)/(45-5)", 0.125},       {"-GR-RHOB", -12.1},  {"GR*2+RHOB/2-1", 20.05}, {"2^3^2", 64.0},
        {"-2^2", 4.0},                  {"10-4-3", 3.0},      {"8/4/2", 1.0},           {"GR*NULL", 10.0},
        {"IF(GR-10,1,2)", 2.0},         {"SUM(GR,,1)", 11.0}, {"RHOB(D+0.5)", 2.2},     {"MAX(GR,RHOB)*(-1)", -10.0},
        {"'GR'+\"RHOB\"", 12.1},       {"(((GR)))", 10.0},   {"1e5/1E5", 1.0},
    };
    for (const auto& [formula, value] : cases) {
        const auto result = Evaluate(formula, data);
        ASSERT_TRUE(result.has_value()) << formula;
        EXPECT_NEAR(*result, value, 1e-12) << formula;
    }
}

TEST_F(FormulaParserTest, NumbersUseThePointWhateverTheLocale)
{
    EXPECT_DOUBLE_EQ(Value("1e5"), 100000.0);
    EXPECT_DOUBLE_EQ(Value(".5"), 0.5);
    EXPECT_DOUBLE_EQ(Value("2.25E2"), 225.0);
}

TEST_F(FormulaParserTest, WhitespaceOutsideQuotesIsIgnored)
{
    EXPECT_DOUBLE_EQ(Value(" 1 +\t2 *\r\n3 "), 7.0);
    AddFileCurve(data, "GR 1", 1000.0, 0.5, {7.0});
    EXPECT_DOUBLE_EQ(Value("'GR 1' + 1"), 8.0);
    EXPECT_DOUBLE_EQ(Value("\"GR 1\"*2"), 14.0);
}

TEST_F(FormulaParserTest, NamesIgnoreLetterCase)
{
    EXPECT_DOUBLE_EQ(Value("gr"), 10.0);
    EXPECT_DOUBLE_EQ(Value("'gr'"), 10.0);
    EXPECT_DOUBLE_EQ(Value("sin(gr)"), Value("SIN(GR)"));
    EXPECT_DOUBLE_EQ(Value("Sin(Gr)"), Value("SIN(GR)"));
}

TEST_F(FormulaParserTest, BareNamesAreZeroArgumentFunctionsOrCurves)
{
    EXPECT_DOUBLE_EQ(Value("D", 1001.5), 1001.5);
    EXPECT_DOUBLE_EQ(Value("depth", 1001.5), 1001.5);
    EXPECT_DOUBLE_EQ(Value("PI"), 3.141592653589793);
    EXPECT_FALSE(Evaluate("NULL", data).has_value());
    EXPECT_DOUBLE_EQ(Value("TRUE()"), 1.0);
    EXPECT_DOUBLE_EQ(Value("FALSE()"), 0.0);
    EXPECT_TRUE(StartsWith(ParseError("TRUE", data), "Ошибка разбора формулы: кривая TRUE не найдена."));
    // A quoted name is always a curve.
    AddFileCurve(data, "PI", 1000.0, 0.5, {42.0});
    EXPECT_DOUBLE_EQ(Value("'PI'"), 42.0);
    EXPECT_DOUBLE_EQ(Value("PI"), 3.141592653589793);
}

TEST_F(FormulaParserTest, CurveCallReadsAtAnotherDepth)
{
    EXPECT_DOUBLE_EQ(Value("RHOB(D+0.5)"), 2.2);
    EXPECT_DOUBLE_EQ(Value("RHOB(1000.25)"), 2.15);
    EXPECT_DOUBLE_EQ(Value("'RHOB'(D+1)"), 2.3);
}

TEST_F(FormulaParserTest, EvaluationListIsPostOrderWithoutConstants)
{
    RCurveCalcMethod method("GR+1");
    method.Parse(data);
    ASSERT_EQ(method.Nodes.size(), 3u);
    EXPECT_EQ(method.Nodes[0]->ClassName(), "RCurveD");
    EXPECT_EQ(method.Nodes[1]->ClassName(), "RCurveLink");
    EXPECT_EQ(method.Nodes[2], method.Root.get());
    EXPECT_EQ(static_cast<RCurveLink*>(method.Nodes[1])->Curve, data.Curves()[0].get());

    RCurveCalcMethod constant("5");
    constant.Parse(data);
    EXPECT_TRUE(constant.Nodes.empty());
    EXPECT_EQ(constant.Root->ClassName(), "RCurveConst");
    EXPECT_DOUBLE_EQ(constant.Root->Value, 5.0);
}

TEST_F(FormulaParserTest, CalculatedCurvesAreNotNames)
{
    RLasCurve& calculated = AddFileCurve(data, "VSH", 1000.0, 0.5, {0.5});
    calculated.Formula = "GR/100";
    EXPECT_TRUE(StartsWith(ParseError("VSH", data), "Ошибка разбора формулы: кривая VSH не найдена."));
}

TEST_F(FormulaParserTest, LaterCurveOfTheSameNameWins)
{
    AddFileCurve(data, "gr", 1000.0, 0.5, {99.0});
    EXPECT_DOUBLE_EQ(Value("GR"), 99.0);
}

// The whole message: the sentence, then where the fault is (1-based in the
// formula as typed) and the formula with the fault marked.
TEST_F(FormulaParserTest, ErrorTextsNameThePositionAndMarkTheFault)
{
    const std::string bad = "Ошибка разбора строки: подстрока задана некорректно.\r\n";
    const std::string brackets = "Ошибка разбора формулы: некорректные скобки.\r\n";
    EXPECT_EQ(ParseError("2*-3", data), bad + "Ошибка на символе 3: 2* __  __ -3");
    EXPECT_EQ(ParseError("", data), bad + "Ошибка на символе 1:  __  __ ");
    EXPECT_EQ(ParseError("(a", data), brackets + "Ошибка на символе 1:  __ ( __ a");
    EXPECT_EQ(ParseError("a)", data), brackets + "Ошибка на символе 2: a __ ) __ ");
    EXPECT_EQ(ParseError("a)+(b)", data), brackets + "Ошибка на символе 2: a __ ) __ +(b)");
    EXPECT_EQ(ParseError("SUM(a,(b)", data), brackets + "Ошибка на символе 4: SUM __ ( __ a,(b)");
    EXPECT_EQ(ParseError("(GR-25/(125-25", data), brackets + "Ошибка на символе 8: (GR-25/ __ ( __ 125-25");
    EXPECT_EQ(ParseError("(GR)1", data),
              "Ошибка разбора формулы: не хватает скобки \")\".\r\nОшибка на символе 1:  __ (GR)1 __ ");
    EXPECT_EQ(ParseError("1+'GR", data),
              "Ошибка разбора формулы: нет парной кавычки.\r\nОшибка на символе 1:  __ 1+'GR __ ");
    EXPECT_EQ(ParseError("1e-5", data),
              "Ошибка разбора формулы: некорректный ввод значения.\r\nОшибка на символе 1:  __ 1e __ -5");
    EXPECT_EQ(ParseError("2 + XYZ", data),
              "Ошибка разбора формулы: кривая XYZ не найдена.\r\nОшибка на символе 5: 2 +  __ XYZ __ ");
    EXPECT_EQ(ParseError("xyz(1)", data),
              "Ошибка разбора формулы: некорректное имя функции или кривой xyz.\r\n"
              "Ошибка на символе 1:  __ xyz __ (1)");
    EXPECT_EQ(ParseError("SUM(a])", data), brackets + "Ошибка на символе 6: SUM(a __ ] __ )");
    EXPECT_EQ(ParseError("SUM([a)", data),
              "Ошибка разбора формулы: некорректные скобки или кавычки.\r\n"
              "Ошибка на символе 1:  __ SUM([a) __ ");
    // Line ends and tabs of the typed formula show as blanks, so the text
    // stays on its line and the position still counts them.
    EXPECT_EQ(ParseError("GR +\r\n\tXYZ", data),
              "Ошибка разбора формулы: кривая XYZ не найдена.\r\nОшибка на символе 8: GR +    __ XYZ __ ");
}

// Kind, 1-based position and length in the formula as typed.
std::tuple<RFormulaErrorKind, int, int> Fault(const std::string& formula, const RLasData& data)
{
    RCurveCalcMethod method(formula);
    try {
        method.Parse(data);
    } catch (const RFormulaError& error) {
        return {error.Kind(), error.Position(), error.Length()};
    }
    ADD_FAILURE() << formula << " parsed";
    return {};
}

TEST_F(FormulaParserTest, ErrorsLocateTheFaultInTheTypedFormula)
{
    using K = RFormulaErrorKind;
    // Blanks the parser drops still count towards the caret position.
    EXPECT_EQ(Fault("2 + XYZ", data), std::make_tuple(K::CurveNotFound, 5, 3));
    EXPECT_EQ(Fault("SUM( a ] )", data), std::make_tuple(K::BadBrackets, 8, 1));
    EXPECT_EQ(Fault("1e-5", data), std::make_tuple(K::BadValue, 1, 2));
    EXPECT_EQ(Fault("xyz (1)", data), std::make_tuple(K::BadName, 1, 3));
    // Something missing: an empty range at the place it is missing from.
    EXPECT_EQ(Fault("2 * -3", data), std::make_tuple(K::BadSubstring, 5, 0));
    EXPECT_EQ(Fault("", data), std::make_tuple(K::BadSubstring, 1, 0));
    EXPECT_EQ(Fault("(a", data), std::make_tuple(K::BadBrackets, 1, 1));
    // Still an RError for code that only shows the text.
    EXPECT_THROW(RCurveCalcMethod("1+'GR").Parse(data), RError);
}

TEST_F(FormulaParserTest, OperatorAfterOperatorIsRejected)
{
    for (const char* formula : {"2*-3", "GR--RHOB", "2^-1", "2*", "()"})
        EXPECT_TRUE(StartsWith(ParseError(formula, data), "Ошибка разбора строки: подстрока задана некорректно."))
            << formula;
    EXPECT_TRUE(StartsWith(ParseError("+5", data), "Ошибка разбора формулы: кривая +5 не найдена."));
}

TEST_F(FormulaParserTest, ShortArgumentListsAreRejectedAtParseTime)
{
    // The missing argument is before the closing bracket.
    EXPECT_EQ(ParseError("SUM(GR,)", data),
              "Ошибка разбора строки: подстрока задана некорректно.\r\nОшибка на символе 8: SUM(GR, __  __ )");
    EXPECT_EQ(ParseError("LOG(GR)", data),
              "Ошибка разбора строки: подстрока задана некорректно.\r\nОшибка на символе 7: LOG(GR __  __ )");
    for (const char* formula : {"LOG(GR)", "SIN()", "IF(1,2)", "GR()", "SUM(,)"})
        EXPECT_TRUE(StartsWith(ParseError(formula, data), "Ошибка разбора строки: подстрока задана некорректно."))
            << formula;
}

TEST_F(FormulaParserTest, EmptySlotIsANullArgument)
{
    EXPECT_DOUBLE_EQ(Value("SUM(GR,,1)"), 11.0);
    EXPECT_DOUBLE_EQ(Value("SUM(,2)"), 2.0);
    EXPECT_FALSE(Evaluate("LOG(,10)", data).has_value());
    EXPECT_DOUBLE_EQ(Value("IF(,1,2)"), 2.0);
    // Surplus arguments are built but not read.
    EXPECT_DOUBLE_EQ(Value("SQRT(16,GR)"), 4.0);
}

TEST_F(FormulaParserTest, SquareBracketsGroupCommasOnlyInCalls)
{
    // The comma inside [] does not split the call, and outside a call's
    // argument list the brackets are plain characters of a name.
    EXPECT_TRUE(StartsWith(ParseError("SUM(GR,[1,2])", data), "Ошибка разбора формулы: кривая [1,2] не найдена."));
}

TEST_F(FormulaParserTest, FailedParseLeavesNoTree)
{
    RCurveCalcMethod method("GR+1");
    method.Parse(data);
    method.Formula = "GR+";
    EXPECT_THROW(method.Parse(data), RError);
    EXPECT_FALSE(method.IsParsed());
    EXPECT_TRUE(method.Nodes.empty());
}

TEST_F(FormulaParserTest, DeepNestingIsRefusedNotCrashed)
{
    const std::string deep = std::string(20000, '(') + "1" + std::string(20000, ')');
    EXPECT_TRUE(StartsWith(ParseError(deep, data), "Ошибка разбора формулы: слишком глубокая вложенность."));
    std::string longSum = "1";
    for (int i = 0; i < 20000; ++i)
        longSum += "+1";
    EXPECT_NE(ParseError(longSum, data), "");
    const std::string nested = std::string(500, '(') + "GR" + std::string(500, ')');
    EXPECT_DOUBLE_EQ(Value(nested), 10.0);
}

TEST_F(FormulaParserTest, OverflowingNumberIsRejected)
{
    EXPECT_TRUE(StartsWith(ParseError("1e999", data), "Ошибка разбора формулы: некорректный ввод значения."));
    EXPECT_TRUE(StartsWith(ParseError("1.2.3", data), "Ошибка разбора формулы: некорректный ввод значения."));
    EXPECT_TRUE(StartsWith(ParseError(".", data), "Ошибка разбора формулы: некорректный ввод значения."));
}

}  // namespace
