#pragma once

#include "SymbolTable.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

// Expressions in the numeric fields of symbolic antenna decks and on their SY
// cards: numbers (with an optional unit straight after them, "10mm"),
// symbols, + - * / ^, parentheses, unary signs and functions. Reading one
// only computes its value: nothing in it can name a file, a command or
// anything but numbers. docs/expressions.md has the grammar and where each
// of its conventions comes from.

// Bounds that keep a hostile deck from costing more than a small fixed
// amount of time and stack: an expression beyond them is refused.
inline constexpr std::size_t MaxExpressionLength = 1024;
inline constexpr std::size_t MaxSymbolCardLength = 4096;
inline constexpr std::size_t MaxSymbolNameLength = 64;
inline constexpr int MaxExpressionDepth = 32;  // parentheses and function calls within each other

enum class ExpressionProblem {
    None,
    UndefinedSymbol,  // Name: the symbol as written
    DivisionByZero,   // at the '/' or the mod( that divides by zero
    BadSyntax,        // Syntax says what
    TooLong,          // the text (or a name in it) is beyond its bound
    TooDeep,          // nested beyond MaxExpressionDepth, or too many pending operators
    NotFinite,        // a number or result beyond the range of a double, or undefined (sqr(-1))
};

enum class SyntaxProblem {
    None,
    Empty,                        // nothing but blanks
    MissingOperand,               // nothing where a number, symbol or '(' belongs: "2*", "()", "*2"
    MissingOperator,              // two operands in a row: "2 3", "2(3)", "a b"
    UnexpectedCharacter,          // Name: the character (a whole UTF-8 sequence where one starts)
    MissingClosingParenthesis,    // Column: the '(' left open
    UnmatchedClosingParenthesis,  // a ')' without its '('
    UnknownFunction,              // Name: the word before '('
    WrongArgumentCount,           // Name: the function, ExpectedArguments: how many it takes
    UnknownUnit,                  // Name: the word straight after a number ("2pi")
    BadNumber,                    // digits that are no number: "1.2.3", "."
    MissingName,                  // SY card: an assignment without a symbol name
    MissingEquals,                // SY card: a name not followed by '='
};

// What is wrong and where. Column counts bytes from 1 at the start of the
// text given, so a reader adds the offset of the field within its card;
// Length is the number of bytes at fault (0 at the end of the text).
struct ExpressionError {
    ExpressionProblem Problem = ExpressionProblem::None;
    SyntaxProblem Syntax = SyntaxProblem::None;
    int Column = 0;
    int Length = 0;
    std::string Name;
    int ExpectedArguments = 0;
};

struct ExpressionResult {
    double Value = 0;  // finite whenever Ok()
    ExpressionError Error;
    bool Ok() const { return Error.Problem == ExpressionProblem::None; }
};

// The value of one field. Blanks between the parts are allowed. A plain
// number costs hardly more than std::from_chars; nothing is allocated unless
// an error names something. Never throws.
ExpressionResult EvaluateExpression(std::string_view text, const SymbolTable& symbols);

struct SymbolAssignments {
    int Assigned = 0;       // definitions made
    ExpressionError Error;  // the first that failed, columns within the body
    bool Ok() const { return Error.Problem == ExpressionProblem::None; }
};

// Performs the assignments of an SY card; `body` is the card's text after
// "SY". Assignments are "name = expression", separated by commas outside
// parentheses, and are made from left to right, so a later one sees the
// earlier ones; a name may be defined again. A "'" or "!" starts a comment
// that runs to the end of the card. An assignment that fails leaves its name
// as it was and the others are still made; the first failure is reported.
// A card without assignments, or ending in a comma, is no error.
SymbolAssignments AssignSymbols(std::string_view body, SymbolTable& symbols);

}  // namespace quorvane
