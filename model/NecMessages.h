#pragma once

#include "Language.h"
#include "NecDeck.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Why the card was not used, in the user's language.
std::string NecProblemText(const NecCardError& error, Language language);

// The one message after an import that names the cards left out: the first
// ten with their line numbers, the text of each and why, then how many more.
// Cards read although a simulator would refuse them follow in a list of
// their own. Empty when every card was used as it is. A deck too large for the table is told by
// the table's own capacity message instead (NecDeckOverflowed).
std::string NecCardsLeftOutMessage(const std::vector<NecCardError>& errors,
                                   std::string_view deckName, Language language);

// The one message after a deck was written that counts the rows left out
// of it: rows that are not complete lines, and lines without length; empty
// when every row with text went in.
std::string NecRowsLeftOutMessage(int rows, int zeroLengthLines, std::string_view deckName,
                                  Language language);

bool NecDeckOverflowed(const std::vector<NecCardError>& errors);

}  // namespace quorvane
