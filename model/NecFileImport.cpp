#include "DataFile.h"

#include "NecDeck.h"

namespace quorvane {

std::vector<NecCardError> DataFile::ImportNecFile(const std::string& deckPath,
                                                  const std::string& tablePath)
{
    std::string bytes;
    if (!ReadImportedFile(deckPath, bytes))
        return {};
    NecImport deck = ImportNecDeck(bytes);
    TakeImportedModel(deck.Wires, deck.Cards, tablePath);
    return std::move(deck.Errors);
}

}  // namespace quorvane
