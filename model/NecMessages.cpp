#include "NecMessages.h"

#include <iterator>

namespace quorvane {

namespace {

constexpr std::size_t ListedCards = 10;

constexpr LanguageText LeftOutIntro{"Some cards of %1 could not be used and were left out:",
                                    "Einige Karten von %1 konnten nicht verwendet werden und "
                                    "wurden übergangen:"};
constexpr LanguageText LinePrefix{"line ", "Zeile "};
constexpr LanguageText MoreCards{"and %d more.", "und %d weitere."};
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
        {"reflection flag must be three digits of 0 or 1",
         "Spiegelungskennung muss aus drei Ziffern 0 oder 1 bestehen"},
        {"scale factor must be positive", "Maßstabsfaktor muss positiv sein"},
        {"the deck makes more than 100000 lines; the first ones are kept",
         "die Datei ergibt mehr als 100000 Linien; die ersten werden behalten"},
    };
    static_assert(std::size(texts) == static_cast<std::size_t>(NecProblem::TooManyLines) + 1);
    return Replaced(texts[static_cast<std::size_t>(error.Problem)](language), "%d",
                    std::to_string(error.Field));
}

std::string NecCardsLeftOutMessage(const std::vector<NecCardError>& errors,
                                   std::string_view deckName, Language language)
{
    std::vector<const NecCardError*> cards;
    for (const NecCardError& error : errors)
        if (error.Problem != NecProblem::TooManyLines)
            cards.push_back(&error);
    if (cards.empty())
        return {};
    std::string message = Replaced(LeftOutIntro(language), "%1", deckName);
    message += '\n';
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
    message += "\n\n";
    message += KeptOutro(language);
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
