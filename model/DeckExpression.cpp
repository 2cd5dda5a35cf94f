#include "DeckExpression.h"

#include "DeckVocabulary.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace quorvane {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsNameStart(char c) { return IsLetter(c) || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
bool IsExponentMark(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// Bytes of the UTF-8 sequence starting at `text[i]`, so that a reported
// character is whole; 1 for anything that is not a valid sequence.
std::size_t CharacterLength(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
    if (length == 1 || i + length > text.size())
        return 1;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 1;
    return length;
}

enum class Op : unsigned char { Add, Subtract, Multiply, Divide, Power, Negate, Open, Call };

// Unary minus binds less tightly than ^, so -2^2 is -(2^2), as in
// mathematics and in BASIC, whose function names these decks use.
int Precedence(Op op)
{
    switch (op) {
    case Op::Add:
    case Op::Subtract: return 1;
    case Op::Multiply:
    case Op::Divide: return 2;
    case Op::Negate: return 3;
    case Op::Power: return 4;
    default: return 0;
    }
}

struct PendingOperator {
    Op Kind;
    DeckFunction Function;  // of a Call
    int Arguments;          // of a Call: arguments begun so far
    int Column;             // 1-based: the operator, '(' or function name
    int Length;
};

// Operators and operands wait on two fixed stacks while the text is read from
// left to right (operator precedence parsing without recursion), so neither
// the depth of the text nor its length can reach the machine's stack.
constexpr int OperatorCapacity = 256;

class Evaluator {
public:
    Evaluator(std::string_view text, const SymbolTable& symbols) : text_(text), symbols_(symbols) {}

    ExpressionResult Run();

private:
    bool Fail(ExpressionProblem problem, SyntaxProblem syntax, std::size_t position,
              std::size_t length, bool named = false);
    bool FailSyntax(SyntaxProblem syntax, std::size_t position, std::size_t length, bool named = false)
    {
        return Fail(ExpressionProblem::BadSyntax, syntax, position, length, named);
    }
    bool PushValue(double value, std::size_t position);
    bool PushOperator(PendingOperator op, std::size_t position);
    bool Apply(const PendingOperator& op);
    bool ReduceAbove(int precedence, bool rightAssociative);
    // Applies every operator above the innermost '(' or call; false on an
    // error, and `found` says whether there was one.
    bool ReduceToOpening(bool& found);

    bool ReadOperand(std::size_t& i, bool& expectOperand);
    bool ReadNumber(std::size_t& i);
    bool ReadName(std::size_t& i, bool& expectOperand);
    bool ReadOperator(std::size_t& i, bool& expectOperand);
    bool CloseParenthesis(std::size_t i);
    bool NextArgument(std::size_t i);
    bool Finish();

    std::string_view text_;
    const SymbolTable& symbols_;
    double values_[OperatorCapacity + 1];
    int valueCount_ = 0;
    PendingOperator operators_[OperatorCapacity];
    int operatorCount_ = 0;
    int depth_ = 0;
    ExpressionError error_;
};

bool Evaluator::Fail(ExpressionProblem problem, SyntaxProblem syntax, std::size_t position,
                     std::size_t length, bool named)
{
    error_.Problem = problem;
    error_.Syntax = syntax;
    error_.Column = static_cast<int>(position) + 1;
    error_.Length = static_cast<int>(length);
    if (named)
        error_.Name = std::string(text_.substr(position, length));
    return false;
}

bool Evaluator::PushValue(double value, std::size_t position)
{
    if (valueCount_ > OperatorCapacity)
        return Fail(ExpressionProblem::TooDeep, SyntaxProblem::None, position, 1);
    values_[valueCount_++] = value;
    return true;
}

bool Evaluator::PushOperator(PendingOperator op, std::size_t position)
{
    const bool opening = op.Kind == Op::Open || op.Kind == Op::Call;
    if (operatorCount_ == OperatorCapacity || (opening && depth_ == MaxExpressionDepth))
        return Fail(ExpressionProblem::TooDeep, SyntaxProblem::None, position,
                    static_cast<std::size_t>(op.Length));
    if (opening)
        ++depth_;
    operators_[operatorCount_++] = op;
    return true;
}

bool Evaluator::Apply(const PendingOperator& op)
{
    const auto position = static_cast<std::size_t>(op.Column - 1);
    const auto length = static_cast<std::size_t>(op.Length);
    if (op.Kind == Op::Negate) {
        values_[valueCount_ - 1] = -values_[valueCount_ - 1];
        return true;
    }
    const double b = values_[--valueCount_];
    double& a = values_[valueCount_ - 1];
    double result = 0;
    switch (op.Kind) {
    case Op::Add: result = a + b; break;
    case Op::Subtract: result = a - b; break;
    case Op::Multiply: result = a * b; break;
    case Op::Divide:
        if (b == 0)
            return Fail(ExpressionProblem::DivisionByZero, SyntaxProblem::None, position, length);
        result = a / b;
        break;
    case Op::Power: result = std::pow(a, b); break;
    default: break;
    }
    if (!std::isfinite(result))
        return Fail(ExpressionProblem::NotFinite, SyntaxProblem::None, position, length);
    a = result;
    return true;
}

bool Evaluator::ReduceAbove(int precedence, bool rightAssociative)
{
    while (operatorCount_ > 0) {
        const PendingOperator& top = operators_[operatorCount_ - 1];
        if (top.Kind == Op::Open || top.Kind == Op::Call)
            return true;
        const int topPrecedence = Precedence(top.Kind);
        if (topPrecedence < precedence || (topPrecedence == precedence && rightAssociative))
            return true;
        if (!Apply(top))
            return false;
        --operatorCount_;
    }
    return true;
}

bool Evaluator::ReduceToOpening(bool& found)
{
    if (!ReduceAbove(0, false))
        return false;
    found = operatorCount_ > 0;
    return true;
}

bool Evaluator::ReadNumber(std::size_t& i)
{
    const std::size_t start = i;
    const std::size_t n = text_.size();
    std::size_t integerDigits = 0;  // significant ones, for telling overflow from underflow
    std::size_t fractionZeros = 0;
    bool anyDigit = false;
    bool significant = false;
    while (i < n && IsDigit(text_[i])) {
        anyDigit = true;
        significant = significant || text_[i] != '0';
        if (significant)
            ++integerDigits;
        ++i;
    }
    if (i < n && text_[i] == '.') {
        ++i;
        while (i < n && IsDigit(text_[i])) {
            anyDigit = true;
            if (!significant && text_[i] == '0')
                ++fractionZeros;
            significant = significant || text_[i] != '0';
            ++i;
        }
    }
    long long exponent = 0;
    bool fortranExponent = false;
    if (anyDigit && i < n && IsExponentMark(text_[i])) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < n && (text_[j] == '+' || text_[j] == '-'))
            negative = text_[j++] == '-';
        if (j < n && IsDigit(text_[j])) {
            fortranExponent = text_[i] == 'd' || text_[i] == 'D';
            for (i = j; i < n && IsDigit(text_[i]); ++i)
                if (exponent < 1'000'000'000)
                    exponent = exponent * 10 + (text_[i] - '0');
            if (negative)
                exponent = -exponent;
        }
    }
    if (!anyDigit || (i < n && (text_[i] == '.' || IsDigit(text_[i])))) {
        std::size_t end = i;
        while (end < n && (IsDigit(text_[end]) || text_[end] == '.'))
            ++end;
        return FailSyntax(SyntaxProblem::BadNumber, start, end - start, true);
    }

    const std::size_t length = i - start;
    double value = 0;
    std::from_chars_result read{};
    if (fortranExponent) {
        char copy[MaxExpressionLength];
        for (std::size_t k = 0; k < length; ++k)
            copy[k] = IsExponentMark(text_[start + k]) ? 'e' : text_[start + k];
        read = std::from_chars(copy, copy + length, value);
    } else {
        read = std::from_chars(text_.data() + start, text_.data() + i, value);
    }
    if (read.ec == std::errc::result_out_of_range && !significant) {
        value = 0;  // zero digits with any exponent
    } else if (read.ec == std::errc::result_out_of_range) {
        const long long magnitude = integerDigits > 0
                                        ? exponent + static_cast<long long>(integerDigits)
                                        : exponent - static_cast<long long>(fractionZeros);
        if (magnitude > 0)
            return Fail(ExpressionProblem::NotFinite, SyntaxProblem::None, start, length);
        value = 0;  // too small for a double: as good as zero
    } else if (read.ec != std::errc()) {
        return FailSyntax(SyntaxProblem::BadNumber, start, length, true);
    }

    if (i < n && IsNameStart(text_[i])) {
        const std::size_t suffixStart = i;
        while (i < n && IsNameChar(text_[i]))
            ++i;
        const auto factor = FindUnitFactor(text_.substr(suffixStart, i - suffixStart));
        if (!factor)
            return FailSyntax(SyntaxProblem::UnknownUnit, suffixStart, i - suffixStart, true);
        value *= *factor;
    }
    return PushValue(value, start);
}

bool Evaluator::ReadName(std::size_t& i, bool& expectOperand)
{
    const std::size_t start = i;
    while (i < text_.size() && IsNameChar(text_[i]))
        ++i;
    const std::size_t length = i - start;
    if (length > MaxSymbolNameLength)
        return Fail(ExpressionProblem::TooLong, SyntaxProblem::None, start, length);
    const std::string_view name = text_.substr(start, length);

    std::size_t next = i;
    while (next < text_.size() && IsBlank(text_[next]))
        ++next;
    if (next < text_.size() && text_[next] == '(') {
        const auto function = FindDeckFunction(name);
        if (!function)
            return FailSyntax(SyntaxProblem::UnknownFunction, start, length, true);
        i = next + 1;
        return PushOperator({Op::Call, *function, 1, static_cast<int>(start) + 1,
                             static_cast<int>(length)},
                            start);
    }
    expectOperand = false;
    if (const double* value = symbols_.Find(name))
        return PushValue(*value, start);
    if (const auto constant = FindDeckConstant(name))
        return PushValue(*constant, start);
    return Fail(ExpressionProblem::UndefinedSymbol, SyntaxProblem::None, start, length, true);
}

bool Evaluator::ReadOperand(std::size_t& i, bool& expectOperand)
{
    const char c = text_[i];
    if (IsDigit(c) || c == '.') {
        expectOperand = false;
        return ReadNumber(i);
    }
    if (IsNameStart(c))
        return ReadName(i, expectOperand);
    const int column = static_cast<int>(i) + 1;
    switch (c) {
    case '(': ++i; return PushOperator({Op::Open, DeckFunction::Sin, 0, column, 1}, i - 1);
    case '-': ++i; return PushOperator({Op::Negate, DeckFunction::Sin, 0, column, 1}, i - 1);
    case '+': ++i; return true;
    case ')':
    case ',':
    case '*':
    case '/':
    case '^': return FailSyntax(SyntaxProblem::MissingOperand, i, 1);
    default: return FailSyntax(SyntaxProblem::UnexpectedCharacter, i, CharacterLength(text_, i), true);
    }
}

bool Evaluator::CloseParenthesis(std::size_t i)
{
    bool found = false;
    if (!ReduceToOpening(found))
        return false;
    if (!found)
        return FailSyntax(SyntaxProblem::UnmatchedClosingParenthesis, i, 1);
    const PendingOperator opening = operators_[--operatorCount_];
    --depth_;
    if (opening.Kind == Op::Open)
        return true;
    const int expected = ArgumentCount(opening.Function);
    const auto position = static_cast<std::size_t>(opening.Column - 1);
    const auto length = static_cast<std::size_t>(opening.Length);
    if (opening.Arguments != expected) {
        error_.ExpectedArguments = expected;
        return FailSyntax(SyntaxProblem::WrongArgumentCount, position, length, true);
    }
    valueCount_ -= expected;
    const FunctionValue result = ApplyDeckFunction(opening.Function, values_ + valueCount_);
    if (result.Problem == FunctionProblem::DivisionByZero)
        return Fail(ExpressionProblem::DivisionByZero, SyntaxProblem::None, position, length);
    if (result.Problem == FunctionProblem::NotFinite)
        return Fail(ExpressionProblem::NotFinite, SyntaxProblem::None, position, length);
    values_[valueCount_++] = result.Value;
    return true;
}

bool Evaluator::NextArgument(std::size_t i)
{
    bool found = false;
    if (!ReduceToOpening(found))
        return false;
    if (!found || operators_[operatorCount_ - 1].Kind != Op::Call)
        return FailSyntax(SyntaxProblem::UnexpectedCharacter, i, 1, true);
    PendingOperator& call = operators_[operatorCount_ - 1];
    const int expected = ArgumentCount(call.Function);
    if (call.Arguments == expected) {
        error_.ExpectedArguments = expected;
        return FailSyntax(SyntaxProblem::WrongArgumentCount, static_cast<std::size_t>(call.Column - 1),
                          static_cast<std::size_t>(call.Length), true);
    }
    ++call.Arguments;
    return true;
}

bool Evaluator::ReadOperator(std::size_t& i, bool& expectOperand)
{
    const char c = text_[i];
    Op op;
    switch (c) {
    case '+': op = Op::Add; break;
    case '-': op = Op::Subtract; break;
    case '*': op = Op::Multiply; break;
    case '/': op = Op::Divide; break;
    case '^': op = Op::Power; break;
    case ')': return CloseParenthesis(i++);
    case ',':
        expectOperand = true;
        return NextArgument(i++);
    default:
        if (IsNameChar(c) || c == '.' || c == '(')
            return FailSyntax(SyntaxProblem::MissingOperator, i, 1);
        return FailSyntax(SyntaxProblem::UnexpectedCharacter, i, CharacterLength(text_, i), true);
    }
    if (!ReduceAbove(Precedence(op), op == Op::Power))
        return false;
    expectOperand = true;
    const int column = static_cast<int>(i) + 1;
    return PushOperator({op, DeckFunction::Sin, 0, column, 1}, i++);
}

bool Evaluator::Finish()
{
    bool open = false;
    if (!ReduceToOpening(open))
        return false;
    if (open) {
        const PendingOperator& opening = operators_[operatorCount_ - 1];
        const std::size_t position = static_cast<std::size_t>(opening.Column - 1);
        const std::size_t parenthesis = opening.Kind == Op::Call ? text_.find('(', position) : position;
        return FailSyntax(SyntaxProblem::MissingClosingParenthesis, parenthesis, 1);
    }
    return true;
}

ExpressionResult Evaluator::Run()
{
    ExpressionResult result;
    bool expectOperand = true;
    bool ok = true;
    std::size_t i = 0;
    const std::size_t n = text_.size();
    bool anything = false;
    while (ok) {
        while (i < n && IsBlank(text_[i]))
            ++i;
        if (i == n)
            break;
        anything = true;
        ok = expectOperand ? ReadOperand(i, expectOperand) : ReadOperator(i, expectOperand);
    }
    if (ok && expectOperand)
        ok = FailSyntax(anything ? SyntaxProblem::MissingOperand : SyntaxProblem::Empty, n, 0);
    if (ok)
        ok = Finish();
    if (ok)
        result.Value = values_[0] + 0.0;
    else
        result.Error = std::move(error_);
    return result;
}

}  // namespace

ExpressionResult EvaluateExpression(std::string_view text, const SymbolTable& symbols)
{
    if (text.size() > MaxExpressionLength) {
        ExpressionResult result;
        result.Error.Problem = ExpressionProblem::TooLong;
        result.Error.Column = 1;
        result.Error.Length = static_cast<int>(text.size());
        return result;
    }
    // Most fields are plain numbers: read them as such, and take the way
    // through the evaluator only for the rest (and for what from_chars reads
    // but a deck must not hold, such as "-inf").
    if (!text.empty() && (IsDigit(text[0]) || text[0] == '.' || text[0] == '-')) {
        double value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec == std::errc() && end == text.data() + text.size() && std::isfinite(value)) {
            ExpressionResult result;
            result.Value = value + 0.0;
            return result;
        }
    }
    Evaluator evaluator(text, symbols);
    return evaluator.Run();
}

namespace {

// Where the expression that starts at `from` ends: at the first comma
// outside parentheses, or at the end of the card.
std::size_t ExpressionEnd(std::string_view card, std::size_t from)
{
    int depth = 0;
    for (std::size_t i = from; i < card.size(); ++i) {
        const char c = card[i];
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        else if (c == ',' && depth == 0)
            return i;
    }
    return card.size();
}

void Note(SymbolAssignments& result, ExpressionError error, std::size_t offset)
{
    if (result.Ok()) {
        error.Column += static_cast<int>(offset);
        result.Error = std::move(error);
    }
}

void NoteSyntax(SymbolAssignments& result, SyntaxProblem syntax, std::size_t position,
                std::size_t length)
{
    ExpressionError error;
    error.Problem = ExpressionProblem::BadSyntax;
    error.Syntax = syntax;
    error.Column = static_cast<int>(position) + 1;
    error.Length = static_cast<int>(length);
    Note(result, std::move(error), 0);
}

}  // namespace

SymbolAssignments AssignSymbols(std::string_view body, SymbolTable& symbols)
{
    SymbolAssignments result;
    if (body.size() > MaxSymbolCardLength) {
        result.Error.Problem = ExpressionProblem::TooLong;
        result.Error.Column = 1;
        result.Error.Length = static_cast<int>(body.size());
        return result;
    }
    const std::string_view card = body.substr(0, body.find_first_of("'!"));
    std::size_t i = 0;
    while (true) {
        while (i < card.size() && IsBlank(card[i]))
            ++i;
        if (i == card.size())
            break;  // nothing, or nothing after a last comma
        const std::size_t nameStart = i;
        while (i < card.size() && IsNameChar(card[i]))
            ++i;
        const std::size_t nameLength = i - nameStart;
        const std::size_t end = ExpressionEnd(card, i);
        if (nameLength == 0 || !IsNameStart(card[nameStart])) {
            NoteSyntax(result, SyntaxProblem::MissingName, nameStart, std::max<std::size_t>(nameLength, 1));
        } else if (nameLength > MaxSymbolNameLength) {
            ExpressionError error;
            error.Problem = ExpressionProblem::TooLong;
            error.Column = static_cast<int>(nameStart) + 1;
            error.Length = static_cast<int>(nameLength);
            Note(result, std::move(error), 0);
        } else {
            while (i < card.size() && IsBlank(card[i]))
                ++i;
            if (i == card.size() || card[i] != '=') {
                NoteSyntax(result, SyntaxProblem::MissingEquals, i, i < card.size() ? 1 : 0);
            } else {
                ++i;
                ExpressionResult value = EvaluateExpression(card.substr(i, end - i), symbols);
                if (value.Ok()) {
                    symbols.Define(card.substr(nameStart, nameLength), value.Value);
                    ++result.Assigned;
                } else {
                    Note(result, std::move(value.Error), i);
                }
            }
        }
        if (end == card.size())
            break;
        i = end + 1;
    }
    return result;
}

}  // namespace quorvane
