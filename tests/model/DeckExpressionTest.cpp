#include "DeckExpression.h"
#include "DeckVocabulary.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <string>

namespace quorvane {
namespace {

double ValueOf(std::string_view text, const SymbolTable& symbols = {})
{
    const ExpressionResult result = EvaluateExpression(text, symbols);
    EXPECT_TRUE(result.Ok()) << text << ": problem " << static_cast<int>(result.Error.Problem)
                             << " at column " << result.Error.Column;
    return result.Value;
}

ExpressionError ErrorOf(std::string_view text, const SymbolTable& symbols = {})
{
    const ExpressionResult result = EvaluateExpression(text, symbols);
    EXPECT_FALSE(result.Ok()) << text << " gave " << result.Value;
    return result.Error;
}

TEST(DeckExpressionNumbers, EveryWrittenFormReadsAsFromCharsReadsIt)
{
    const struct {
        const char* Text;
        double Value;
    } cases[] = {
        {"5.2", 5.2},         {"-0.25", -0.25},   {".5", 0.5},       {"2.", 2.0},
        {"1e-3", 1e-3},       {"1.5E+2", 150.0},  {"+7", 7.0},       {"1.5D-3", 1.5e-3},
        {"2d2", 200.0},       {"  3.25\t", 3.25}, {"1e-330", 0.0},   {"4.9e-324", 4.9e-324},
        {"0e999999", 0.0},    {"-0", 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const double value = ValueOf(c.Text);
        EXPECT_EQ(value, c.Value);
        EXPECT_FALSE(std::signbit(value) && value == 0) << "no negative zero";
    }
}

TEST(DeckExpressionNumbers, TheShortestTextOfAnyFiniteDoubleReadsBackExactly)
{
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    for (int n = 0; n < 20000; ++n) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        double value = 0;
        std::memcpy(&value, &state, sizeof value);
        if (!std::isfinite(value) || value == 0)
            continue;
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, value).ptr;
        ASSERT_EQ(ValueOf(std::string_view(text, static_cast<std::size_t>(end - text))), value) << text;
    }
}

TEST(DeckExpressionOperators, PrecedenceAssociativityAndSignsFollowMathematics)
{
    SymbolTable symbols;
    symbols.Define("len", 5.2);
    const struct {
        const char* Text;
        double Value;
    } cases[] = {
        {"1+2*3", 7},    {"(1+2)*3", 9},     {"8/4/2", 1},       {"8-4-2", 2},
        {"2^3^2", 512},  {"(2^3)^2", 64},    {"-2^2", -4},       {"(-2)^2", 4},
        {"2^-1", 0.5},   {"-2^-2", -0.25},   {"2^-2*3", 0.75},   {"-2*3", -6},
        {"2*-3", -6},    {"--3", 3},         {"-+-3", 3},        {"1 + 2 * 3", 7},
        {"-len/2", -2.6}, {"len/2+0.1", 2.7}, {"((((1))))", 1},  {"2 ^ 0.5 ^ 2", std::pow(2, 0.25)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_DOUBLE_EQ(ValueOf(c.Text, symbols), c.Value);
    }
}

TEST(DeckExpressionFunctions, AnglesAreInDegreesAndExactWhereTheyCanBe)
{
    const struct {
        const char* Text;
        double Value;
    } exact[] = {
        {"sin(30)", 0.5},    {"cos(60)", 0.5},      {"sin(180)", 0},     {"cos(90)", 0},
        {"sin(-30)", -0.5},  {"sin(390)", 0.5},     {"cos(-120)", -0.5}, {"tan(45)", 1},
        {"sin(45)", std::sqrt(0.5)}, {"SIN(30)", 0.5}, {"atn(1)", 45},   {"sqr(16)", 4},
        {"sqrt(2.25)", 1.5}, {"exp(0)", 1},         {"log(1)", 0},       {"log10(1000)", 3},
        {"abs(-2.5)", 2.5},  {"int(2.7)", 2},       {"int(-2.5)", -3},   {"sgn(-4)", -1},
        {"sgn(0)", 0},       {"sgn(0.1)", 1},       {"mod(7,3)", 1},     {"mod(-7, 3)", -1},
        {"min(2,-1)", -1},   {"max(2, -1)", 2},     {"sqr(sqr(16))", 2}, {"cos (60)", 0.5},
    };
    for (const auto& c : exact) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ValueOf(c.Text), c.Value);
    }
    EXPECT_DOUBLE_EQ(ValueOf("sin(10)"), std::sin(10 * std::numbers::pi / 180));
    // Whole turns are taken off exactly, before radians lose digits to them.
    EXPECT_EQ(ValueOf("cos(1000.5)"), ValueOf("cos(-79.5)"));
    EXPECT_EQ(ValueOf("sin(3600000030)"), 0.5);
    EXPECT_DOUBLE_EQ(ValueOf("log(exp(2))"), 2);
    EXPECT_DOUBLE_EQ(ValueOf("atn(-0.5)"), std::atan(-0.5) * 180 / std::numbers::pi);
    for (double degrees = -720; degrees <= 720; degrees += 7.5) {
        EXPECT_NEAR(SinDegrees(degrees), std::sin(degrees * std::numbers::pi / 180), 1e-14) << degrees;
        EXPECT_NEAR(CosDegrees(degrees), std::cos(degrees * std::numbers::pi / 180), 1e-14) << degrees;
    }
}

TEST(DeckExpressionUnits, SuffixesAndNamedUnitsScaleToMetresFaradsAndHenries)
{
    const struct {
        const char* Text;
        double Value;
    } cases[] = {
        {"10mm", 0.01},   {"10MM", 0.01}, {"1.5*MM", 0.0015}, {"2.8uH", 2.8e-6}, {"12in", 0.3048},
        {"1ft", 0.3048},  {"5cm", 0.05},  {"3m", 3},          {"100pF", 1e-10},  {"1e3mm", 1},
        {"4nF", 4e-9},    {"2uf", 2e-6},  {"7nh", 7e-9},      {"-10mm/2", -0.005}, {"2*pi", 2 * std::numbers::pi},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_DOUBLE_EQ(ValueOf(c.Text), c.Value);
    }
    // A deck's own symbol of a constant's name is its own; a suffix stays a unit.
    SymbolTable symbols;
    symbols.Define("MM", 5);
    EXPECT_EQ(ValueOf("mm", symbols), 5);
    EXPECT_EQ(ValueOf("1mm", symbols), 0.001);
}

struct ErrorCase {
    const char* Text;
    ExpressionProblem Problem;
    SyntaxProblem Syntax;
    int Column;
    int Length;
    const char* Name;
};

TEST(DeckExpressionErrors, EachSaysWhatIsWrongAndWhere)
{
    using P = ExpressionProblem;
    using S = SyntaxProblem;
    const ErrorCase cases[] = {
        {"len/2", P::UndefinedSymbol, S::None, 1, 3, "len"},
        {"1+Foo_2*2", P::UndefinedSymbol, S::None, 3, 5, "Foo_2"},
        {"-inf", P::UndefinedSymbol, S::None, 2, 3, "inf"},
        {"nan", P::UndefinedSymbol, S::None, 1, 3, "nan"},
        {"1/0", P::DivisionByZero, S::None, 2, 1, ""},
        {"1 / (2-2)", P::DivisionByZero, S::None, 3, 1, ""},
        {"mod(5,0)", P::DivisionByZero, S::None, 1, 3, ""},
        {"2+sqr(-1)", P::NotFinite, S::None, 3, 3, ""},
        {"log(0)", P::NotFinite, S::None, 1, 3, ""},
        {"tan(90)", P::NotFinite, S::None, 1, 3, ""},
        {"1e308*10", P::NotFinite, S::None, 6, 1, ""},
        {"(-8)^(1/3)", P::NotFinite, S::None, 5, 1, ""},
        {"2*1e999", P::NotFinite, S::None, 3, 5, ""},
        {"", P::BadSyntax, S::Empty, 1, 0, ""},
        {"  ", P::BadSyntax, S::Empty, 3, 0, ""},
        {"2*", P::BadSyntax, S::MissingOperand, 3, 0, ""},
        {"*2", P::BadSyntax, S::MissingOperand, 1, 1, ""},
        {"sin()", P::BadSyntax, S::MissingOperand, 5, 1, ""},
        {"2 3", P::BadSyntax, S::MissingOperator, 3, 1, ""},
        {"2(3)", P::BadSyntax, S::MissingOperator, 2, 1, ""},
        {"2 mm", P::BadSyntax, S::MissingOperator, 3, 1, ""},
        {"(1+2", P::BadSyntax, S::MissingClosingParenthesis, 1, 1, ""},
        {"1+sin (30", P::BadSyntax, S::MissingClosingParenthesis, 7, 1, ""},
        {"1+2)", P::BadSyntax, S::UnmatchedClosingParenthesis, 4, 1, ""},
        {"foo(1)", P::BadSyntax, S::UnknownFunction, 1, 3, "foo"},
        {"mod(1)", P::BadSyntax, S::WrongArgumentCount, 1, 3, "mod"},
        {"2*SIN(1,2)", P::BadSyntax, S::WrongArgumentCount, 3, 3, "SIN"},
        {"1,2", P::BadSyntax, S::UnexpectedCharacter, 2, 1, ","},
        {"1 $ 2", P::BadSyntax, S::UnexpectedCharacter, 3, 1, "$"},
        {"1+\xc3\xa4", P::BadSyntax, S::UnexpectedCharacter, 3, 2, "\xc3\xa4"},
        {"a=1", P::UndefinedSymbol, S::None, 1, 1, "a"},
        {"2pi", P::BadSyntax, S::UnknownUnit, 2, 2, "pi"},
        {"1.2.3", P::BadSyntax, S::BadNumber, 1, 5, "1.2.3"},
        {"3*.", P::BadSyntax, S::BadNumber, 3, 1, "."},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.Text);
        const ExpressionError error = ErrorOf(c.Text);
        EXPECT_EQ(error.Problem, c.Problem);
        EXPECT_EQ(error.Syntax, c.Syntax);
        EXPECT_EQ(error.Column, c.Column);
        EXPECT_EQ(error.Length, c.Length);
        EXPECT_EQ(error.Name, c.Name);
    }
    EXPECT_EQ(ErrorOf("mod(1)").ExpectedArguments, 2);
    EXPECT_EQ(ErrorOf("sin(1,2)").ExpectedArguments, 1);
}

TEST(DeckExpressionErrors, LengthNestingAndOperatorChainsAreBoundedWithoutDeepStacks)
{
    std::string sum = "1";
    while (sum.size() + 2 <= MaxExpressionLength)
        sum += "+1";
    EXPECT_EQ(ValueOf(sum), static_cast<double>((sum.size() + 1) / 2));
    EXPECT_EQ(ErrorOf(sum + "+1").Problem, ExpressionProblem::TooLong);

    const std::string deepest = std::string(MaxExpressionDepth, '(') + "2" + std::string(MaxExpressionDepth, ')');
    EXPECT_EQ(ValueOf(deepest), 2);
    const ExpressionError tooDeep = ErrorOf("(" + deepest + ")");
    EXPECT_EQ(tooDeep.Problem, ExpressionProblem::TooDeep);
    EXPECT_EQ(tooDeep.Column, MaxExpressionDepth + 1);

    EXPECT_EQ(ErrorOf(std::string(100000, '(')).Problem, ExpressionProblem::TooLong);
    EXPECT_EQ(ErrorOf(std::string(600, '-') + "1").Problem, ExpressionProblem::TooDeep);
    std::string tower = "2";
    for (int i = 0; i < 300; ++i)
        tower += "^1";
    EXPECT_EQ(ErrorOf(tower).Problem, ExpressionProblem::TooDeep);
    EXPECT_EQ(ErrorOf(std::string(MaxSymbolNameLength + 1, 'a')).Problem, ExpressionProblem::TooLong);
}

TEST(DeckSymbols, NamesAreOneWhateverTheirCaseAndALaterDefinitionReplaces)
{
    SymbolTable symbols;
    symbols.Define("Len", 5);
    EXPECT_EQ(ValueOf("LEN*2", symbols), 10);
    EXPECT_EQ(ValueOf("len", symbols), 5);
    symbols.Define("lEN", 7);
    EXPECT_EQ(symbols.Size(), 1u);
    EXPECT_EQ(ValueOf("Len", symbols), 7);
    EXPECT_EQ(symbols.Find("LeN") != nullptr, true);
    EXPECT_EQ(symbols.Find("Le"), nullptr);
}

TEST(DeckSymbolCards, AssignmentsAreMadeInOrderAndSeeTheEarlierOnes)
{
    SymbolTable symbols;
    EXPECT_EQ(AssignSymbols(" freq=1090", symbols).Assigned, 1);
    EXPECT_EQ(AssignSymbols(" lambda=300/freq", symbols).Assigned, 1);
    EXPECT_EQ(AssignSymbols(" height=lambda/4, radius=1.5*MM", symbols).Assigned, 2);
    EXPECT_DOUBLE_EQ(ValueOf("height", symbols), 300.0 / 1090 / 4);
    EXPECT_DOUBLE_EQ(ValueOf("radius", symbols), 0.0015);

    const SymbolAssignments chain = AssignSymbols("a=1, b=a*2, c=b+1", symbols);
    EXPECT_TRUE(chain.Ok());
    EXPECT_EQ(chain.Assigned, 3);
    EXPECT_EQ(ValueOf("c", symbols), 3);

    // Blanks around and within, a comment after, a comma inside a call.
    EXPECT_TRUE(AssignSymbols(" Ds = c/8 * 4\t' Height above ground, x=1", symbols).Ok());
    EXPECT_EQ(ValueOf("ds", symbols), 1.5);
    EXPECT_EQ(symbols.Find("x"), nullptr);
    EXPECT_EQ(AssignSymbols("m1=mod(7,3), m2=m1 ! remainder", symbols).Assigned, 2);
    EXPECT_EQ(ValueOf("m2", symbols), 1);

    EXPECT_TRUE(AssignSymbols("a=a+1", symbols).Ok());
    EXPECT_EQ(ValueOf("a", symbols), 2);
    EXPECT_TRUE(AssignSymbols("", symbols).Ok());
    EXPECT_TRUE(AssignSymbols("  ' only a comment", symbols).Ok());
    EXPECT_EQ(AssignSymbols("t=1,", symbols).Assigned, 1);
}

TEST(DeckSymbolCards, AFailedAssignmentIsReportedWithItsColumnAndKeepsTheOldValue)
{
    SymbolTable symbols;
    symbols.Define("b", 9);
    const SymbolAssignments partly = AssignSymbols("a=1, b=zz, c=3", symbols);
    EXPECT_EQ(partly.Assigned, 2);
    EXPECT_EQ(partly.Error.Problem, ExpressionProblem::UndefinedSymbol);
    EXPECT_EQ(partly.Error.Column, 8);
    EXPECT_EQ(partly.Error.Name, "zz");
    EXPECT_EQ(ValueOf("b", symbols), 9);
    EXPECT_EQ(ValueOf("c", symbols), 3);

    const struct {
        const char* Body;
        ExpressionProblem Problem;
        SyntaxProblem Syntax;
        int Column;
    } cases[] = {
        {" len=1/0", ExpressionProblem::DivisionByZero, SyntaxProblem::None, 7},
        {"len 5.2", ExpressionProblem::BadSyntax, SyntaxProblem::MissingEquals, 5},
        {"len", ExpressionProblem::BadSyntax, SyntaxProblem::MissingEquals, 4},
        {"=5", ExpressionProblem::BadSyntax, SyntaxProblem::MissingName, 1},
        {"5a=3", ExpressionProblem::BadSyntax, SyntaxProblem::MissingName, 1},
        {"a=1,,d=2", ExpressionProblem::BadSyntax, SyntaxProblem::MissingName, 5},
        {"e=(1, f=2", ExpressionProblem::BadSyntax, SyntaxProblem::UnexpectedCharacter, 5},
        {"g=", ExpressionProblem::BadSyntax, SyntaxProblem::Empty, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Body);
        const SymbolAssignments result = AssignSymbols(c.Body, symbols);
        EXPECT_EQ(result.Error.Problem, c.Problem);
        EXPECT_EQ(result.Error.Syntax, c.Syntax);
        EXPECT_EQ(result.Error.Column, c.Column);
    }
    EXPECT_EQ(ValueOf("d", symbols), 2);
    EXPECT_EQ(AssignSymbols(std::string(MaxSymbolCardLength + 1, ' '), symbols).Error.Problem,
              ExpressionProblem::TooLong);
    EXPECT_EQ(AssignSymbols(std::string(MaxSymbolNameLength + 1, 'n') + "=1", symbols).Error.Problem,
              ExpressionProblem::TooLong);
}

}  // namespace
}  // namespace quorvane
