// Any bytes as a field of a symbolic deck and as the body of an SY card, with
// a few symbols defined from the input's first bytes.
//
// A field either has a finite value or one error that lies within the text
// and names what is written there. A value written back as its shortest text
// reads as the same double; the field in parentheses reads as the same value
// and with a minus before them as its negation (or is one level too deep).
// An SY card defines only finite values, each name at most once per '=', and
// "q=<field>" defines q as the field's value whenever the field holds nothing
// that ends an assignment early.

#include "DeckExpression.h"
#include "FuzzInput.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvane::fuzzing {
namespace {

SymbolTable SymbolsFrom(FuzzInput& input)
{
    SymbolTable symbols;
    const char* names[] = {"a", "Len", "h_2", "mm", "sin"};
    const int defined = input.TakeByte() % 6;
    for (int i = 0; i < defined; ++i)
        symbols.Define(names[i], static_cast<double>(input.TakeTwoBytes() - 32768) / 64.0);
    return symbols;
}

void CheckError(std::string_view text, const ExpressionError& error, std::string_view what)
{
    const auto size = static_cast<int>(text.size());
    if (error.Column < 1 || error.Column > size + 1 || error.Length < 0 ||
        error.Column - 1 + error.Length > size)
        Fail(std::string(what) + ": an error lies within the text",
             "column " + std::to_string(error.Column) + " length " + std::to_string(error.Length));
    Require((error.Problem == ExpressionProblem::BadSyntax) == (error.Syntax != SyntaxProblem::None),
            "exactly a syntax error says which");
    if (!error.Name.empty() &&
        text.substr(static_cast<std::size_t>(error.Column - 1), static_cast<std::size_t>(error.Length)) !=
            error.Name)
        Fail(std::string(what) + ": a name in an error is the text at its column", error.Name);
    if (error.Problem == ExpressionProblem::UndefinedSymbol)
        Require(!error.Name.empty(), "an undefined symbol is named");
}

std::string Shortest(double value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

void CheckField(std::string_view text, const SymbolTable& symbols)
{
    const ExpressionResult result = EvaluateExpression(text, symbols);
    if (!result.Ok()) {
        CheckError(text, result.Error, "field");
        return;
    }
    Require(std::isfinite(result.Value), "a value is finite");
    Require(!(result.Value == 0 && std::signbit(result.Value)), "no value is a negative zero");

    const std::string written = Shortest(result.Value);
    const ExpressionResult again = EvaluateExpression(written, symbols);
    if (!again.Ok() || again.Value != result.Value)
        Fail("a value written as its shortest text reads back exactly", written);

    if (text.size() + 3 > MaxExpressionLength)
        return;
    const std::string text_(text);
    const ExpressionResult grouped = EvaluateExpression("(" + text_ + ")", symbols);
    if (grouped.Ok())
        Require(grouped.Value == result.Value, "a field in parentheses has its value");
    else
        Require(grouped.Error.Problem == ExpressionProblem::TooDeep,
                "a field in parentheses fails only by being too deep");
    const ExpressionResult negated = EvaluateExpression("-(" + text_ + ")", symbols);
    if (negated.Ok())
        Require(negated.Value == -result.Value + 0.0, "a minus before a field negates it");
    else
        Require(negated.Error.Problem == ExpressionProblem::TooDeep,
                "a negated field fails only by being too deep");

    if (text.find_first_of(",'!") != std::string_view::npos)
        return;
    SymbolTable copy = symbols;
    const SymbolAssignments assigned = AssignSymbols("q=" + text_, copy);
    Require(assigned.Ok() && assigned.Assigned == 1, "q=<field> assigns the field");
    const double* q = copy.Find("Q");
    Require(q != nullptr && *q == result.Value, "q holds the field's value");
}

void CheckCard(std::string_view body, const SymbolTable& symbols)
{
    SymbolTable table = symbols;
    const std::size_t before = table.Size();
    const SymbolAssignments result = AssignSymbols(body, table);
    if (!result.Ok())
        CheckError(body, result.Error, "card");
    const auto equals = static_cast<int>(std::count(body.begin(), body.end(), '='));
    Require(result.Assigned >= 0 && result.Assigned <= equals, "no more assignments than '=' signs");
    Require(table.Size() <= before + static_cast<std::size_t>(result.Assigned),
            "only assigned names are added");
    if (body.size() > MaxSymbolCardLength)
        Require(result.Error.Problem == ExpressionProblem::TooLong, "an overlong card is refused");
}

}  // namespace
}  // namespace quorvane::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quorvane;
    using namespace quorvane::fuzzing;
    FuzzInput input(data, size);
    const SymbolTable symbols = SymbolsFrom(input);
    const std::string_view text = input.Rest();
    CheckField(text, symbols);
    CheckCard(text, symbols);
    return 0;
}
