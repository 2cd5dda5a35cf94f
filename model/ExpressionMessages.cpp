#include "ExpressionMessages.h"

#include <iterator>
#include <string_view>

namespace quorvane {

namespace {

std::string Replaced(std::string_view original, std::string_view mark, std::string_view by)
{
    std::string text(original);
    if (const auto at = text.find(mark); at != std::string::npos)
        text.replace(at, mark.size(), by);
    return text;
}

std::string SyntaxText(const ExpressionError& error, Language language)
{
    static constexpr LanguageText texts[] = {
        {"bad syntax", "fehlerhafte Schreibweise"},
        {"the expression is empty", "der Ausdruck ist leer"},
        {"a number or symbol is missing", "eine Zahl oder ein Symbol fehlt"},
        {"an operator is missing", "ein Operator fehlt"},
        {"\xE2\x80\x9C%s\xE2\x80\x9D is not allowed here", "\xE2\x80\x9E%s\xE2\x80\x9C ist hier nicht erlaubt"},
        {"\xE2\x80\x9C(\xE2\x80\x9D is not closed", "\xE2\x80\x9E(\xE2\x80\x9C wird nicht geschlossen"},
        {"\xE2\x80\x9C)\xE2\x80\x9D without \xE2\x80\x9C(\xE2\x80\x9D",
         "\xE2\x80\x9E)\xE2\x80\x9C ohne \xE2\x80\x9E(\xE2\x80\x9C"},
        {"unknown function \xE2\x80\x9C%s\xE2\x80\x9D", "unbekannte Funktion \xE2\x80\x9E%s\xE2\x80\x9C"},
        {"", ""},  // the argument count has a text of its own
        {"unknown unit \xE2\x80\x9C%s\xE2\x80\x9D", "unbekannte Einheit \xE2\x80\x9E%s\xE2\x80\x9C"},
        {"\xE2\x80\x9C%s\xE2\x80\x9D is no number", "\xE2\x80\x9E%s\xE2\x80\x9C ist keine Zahl"},
        {"a symbol name is missing", "ein Symbolname fehlt"},
        {"\xE2\x80\x9C=\xE2\x80\x9D is missing after the symbol name",
         "\xE2\x80\x9E=\xE2\x80\x9C fehlt nach dem Symbolnamen"},
    };
    static_assert(std::size(texts) == static_cast<std::size_t>(SyntaxProblem::MissingEquals) + 1);
    if (error.Syntax == SyntaxProblem::WrongArgumentCount) {
        const LanguageText takes = error.ExpectedArguments == 1
                                       ? LanguageText{"\xE2\x80\x9C%s\xE2\x80\x9D takes 1 argument",
                                                      "\xE2\x80\x9E%s\xE2\x80\x9C erwartet 1 Argument"}
                                       : LanguageText{"\xE2\x80\x9C%s\xE2\x80\x9D takes %d arguments",
                                                      "\xE2\x80\x9E%s\xE2\x80\x9C erwartet %d Argumente"};
        return Replaced(Replaced(takes(language), "%s", error.Name), "%d",
                        std::to_string(error.ExpectedArguments));
    }
    return Replaced(texts[static_cast<std::size_t>(error.Syntax)](language), "%s", error.Name);
}

}  // namespace

std::string ExpressionErrorText(const ExpressionError& error, Language language)
{
    switch (error.Problem) {
    case ExpressionProblem::UndefinedSymbol:
        return Replaced(LanguageText{"\xE2\x80\x9C%s\xE2\x80\x9D is not defined",
                                     "\xE2\x80\x9E%s\xE2\x80\x9C ist nicht definiert"}(language),
                        "%s", error.Name);
    case ExpressionProblem::DivisionByZero:
        return std::string(LanguageText{"division by zero", "Division durch null"}(language));
    case ExpressionProblem::BadSyntax:
        return SyntaxText(error, language);
    case ExpressionProblem::TooLong:
        return std::string(
            LanguageText{"the expression is too long", "der Ausdruck ist zu lang"}(language));
    case ExpressionProblem::TooDeep:
        return std::string(LanguageText{"the expression is nested too deeply",
                                        "der Ausdruck ist zu tief geschachtelt"}(language));
    case ExpressionProblem::NotFinite:
        return std::string(LanguageText{"the value is not a finite number",
                                        "der Wert ist keine endliche Zahl"}(language));
    case ExpressionProblem::None:
        break;
    }
    return {};
}

}  // namespace quorvane
