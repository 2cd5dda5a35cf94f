#include "NecMessages.h"

#include "ExpressionMessages.h"

#include <iterator>

namespace quorvane {

namespace {

constexpr std::size_t ListedCards = 10;

constexpr LanguageText LeftOutIntro{"Some cards of %1 could not be used and were left out:",
                                    "Einige Karten von %1 konnten nicht verwendet werden und "
                                    "wurden übergangen:"};
constexpr LanguageText LinePrefix{"line ", "Zeile "};
constexpr LanguageText MoreCards{"and %d more.", "und %d weitere."};
constexpr LanguageText WarningsIntro{
    "These cards of %1 were read, but a simulator would refuse them:",
    "Diese Karten von %1 wurden gelesen, aber ein Simulator würde sie ablehnen:"};
constexpr LanguageText KeptOutro{"Everything else was read.", "Alles andere wurde gelesen."};
constexpr LanguageText OneRowLeftOut{
    "1 row is not a complete line and was left out of %1.",
    "1 Zeile ist keine vollständige Linie und wurde in %1 ausgelassen."};
constexpr LanguageText RowsLeftOut{
    "%d rows are not complete lines and were left out of %1.",
    "%d Zeilen sind keine vollständigen Linien und wurden in %1 ausgelassen."};
constexpr LanguageText OneLineWithoutLength{
    "1 line has no length and was left out of %1.",
    "1 Linie hat keine Länge und wurde in %1 ausgelassen."};
constexpr LanguageText LinesWithoutLength{
    "%d lines have no length and were left out of %1.",
    "%d Linien haben keine Länge und wurden in %1 ausgelassen."};

std::string Replaced(std::string_view text, std::string_view mark, std::string_view by)
{
    std::string result(text);
    if (const auto at = result.find(mark); at != std::string::npos)
        result.replace(at, mark.size(), by);
    return result;
}

}  // namespace

std::string NecProblemText(const NecCardError& error, Language language)
{
    static constexpr LanguageText texts[] = {
        {"not a card", "keine Karte"},
        {"unknown card", "unbekannte Karte"},
        {"fields cannot be read", "Felder nicht lesbar"},
        {"too few fields", "zu wenige Felder"},
        {"field %d must be an integer", "Feld %d muss eine ganze Zahl sein"},
        {"segment count must be at least 1", "Segmentzahl muss mindestens 1 sein"},
        {"radius must not be negative", "Radius darf nicht negativ sein"},
        {"arc radius must be positive", "Bogenradius muss positiv sein"},
        {"helix turn spacing and length must not be zero",
         "Windungsabstand und Länge der Wendel dürfen nicht null sein"},
        {"first tag to move must be a whole number, 0 or more",
         "erste zu bewegende Kennung muss eine ganze Zahl ab 0 sein"},
        {"copy count must not be negative", "Zahl der Kopien darf nicht negativ sein"},
        {"repetition count must be at least 1", "Zahl der Wiederholungen muss mindestens 1 sein"},
        {"reflection flag must not be negative", "Spiegelungskennung darf nicht negativ sein"},
        {"scale factor must be positive", "Maßstabsfaktor muss positiv sein"},
        {"the deck makes more than 100000 lines; the first ones are kept",
         "die Datei ergibt mehr als 100000 Linien; die ersten werden behalten"},
        {"fields laid out in columns with one left blank, but not in their columns; "
         "not guessed",
         "Felder in Spalten mit einem leeren Feld, aber nicht in ihren Spalten; nicht geraten"},
        {"column %d: ", "Spalte %d: "},
        {"GC must follow a GW card of radius 0", "GC muss auf eine GW-Karte mit Radius 0 folgen"},
        {"taper ratio and radii must be positive",
         "Verjüngungsfaktor und Radien müssen positiv sein"},
        {"the patch needs an SC card with its further corners",
         "der Flächenteil braucht eine SC-Karte mit seinen weiteren Ecken"},
        {"SC must follow an SP or SM card", "SC muss auf eine SP- oder SM-Karte folgen"},
        {"patch shape must be 0, 1, 2 or 3", "Form des Flächenteils muss 0, 1, 2 oder 3 sein"},
        {"patch area must be positive", "Fläche des Flächenteils muss positiv sein"},
        {"patch divisions must be at least 1", "Teilungen der Fläche müssen mindestens 1 sein"},
        {"an arc of more than 360\xC2\xB0; read, but simulators refuse it",
         "ein Bogen über mehr als 360\xC2\xB0; gelesen, aber Simulatoren lehnen ihn ab"},
        {"no line has the tag to move from; lines with higher tags were moved, "
         "simulators refuse it",
         "keine Linie hat die Kennung, ab der bewegt wird; Linien mit höheren Kennungen wurden "
         "bewegt, Simulatoren lehnen das ab"},
        {"a wire lies in the reflection plane; read, but simulators refuse it",
         "ein Draht liegt in der Spiegelebene; gelesen, aber Simulatoren lehnen das ab"},
        {"an empty field between commas; read as nothing, simulators refuse it",
         "ein leeres Feld zwischen Kommas; übergangen, Simulatoren lehnen es ab"},
    };
    static_assert(std::size(texts) == static_cast<std::size_t>(NecProblem::EmptyFieldBetweenCommas) + 1);
    if (error.Problem == NecProblem::Expression)
        return Replaced(texts[static_cast<std::size_t>(error.Problem)](language), "%d",
                        std::to_string(error.Column)) +
               ExpressionErrorText(error.Expression, language);
    return Replaced(texts[static_cast<std::size_t>(error.Problem)](language), "%d",
                    std::to_string(error.Field));
}

namespace {

void AppendCards(std::string& message, const std::vector<const NecCardError*>& cards,
                 Language language)
{
    for (std::size_t i = 0; i < cards.size() && i < ListedCards; ++i) {
        const NecCardError& card = *cards[i];
        message += '\n';
        message += LinePrefix(language);
        message += std::to_string(card.LineNumber);
        message += ": ";
        message += card.Card;
        message += " \xE2\x80\x93 ";
        message += NecProblemText(card, language);
    }
    if (cards.size() > ListedCards) {
        message += '\n';
        message += Replaced(MoreCards(language), "%d", std::to_string(cards.size() - ListedCards));
    }
}

}  // namespace

std::string NecCardsLeftOutMessage(const std::vector<NecCardError>& errors,
                                   std::string_view deckName, Language language)
{
    std::vector<const NecCardError*> cards, warnings;
    for (const NecCardError& error : errors) {
        if (IsNecWarning(error.Problem))
            warnings.push_back(&error);
        else if (error.Problem != NecProblem::TooManyLines)
            cards.push_back(&error);
    }
    std::string message;
    if (!cards.empty()) {
        message = Replaced(LeftOutIntro(language), "%1", deckName);
        message += '\n';
        AppendCards(message, cards, language);
    }
    if (!warnings.empty()) {
        if (!message.empty())
            message += "\n\n";
        message += Replaced(WarningsIntro(language), "%1", deckName);
        message += '\n';
        AppendCards(message, warnings, language);
    }
    if (!cards.empty()) {
        message += "\n\n";
        message += KeptOutro(language);
    }
    return message;
}

std::string NecRowsLeftOutMessage(int rows, int zeroLengthLines, std::string_view deckName,
                                  Language language)
{
    const auto counted = [&](int count, const LanguageText& one, const LanguageText& more) {
        const std::string sentence = count == 1 ? std::string(one(language))
                                                : Replaced(more(language), "%d", std::to_string(count));
        return Replaced(sentence, "%1", deckName);
    };
    std::string message;
    if (rows > 0)
        message = counted(rows, OneRowLeftOut, RowsLeftOut);
    if (zeroLengthLines > 0) {
        if (!message.empty())
            message += '\n';
        message += counted(zeroLengthLines, OneLineWithoutLength, LinesWithoutLength);
    }
    return message;
}

bool NecDeckOverflowed(const std::vector<NecCardError>& errors)
{
    for (const NecCardError& error : errors)
        if (error.Problem == NecProblem::TooManyLines)
            return true;
    return false;
}

}  // namespace quorvane
