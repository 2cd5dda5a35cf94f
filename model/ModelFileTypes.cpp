#include "ModelFileTypes.h"

#include "CellTextEncoding.h"
#include "DataFile.h"
#include "MaaFileWriter.h"
#include "MaaMessages.h"
#include "NecDeckWriter.h"
#include "NecMessages.h"

namespace quorvane {

namespace {

bool EndsWith(std::string_view path, std::string_view extension)
{
    if (path.size() < extension.size())
        return false;
    const std::string_view ending = path.substr(path.size() - extension.size());
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const char c = ending[i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != extension[i])
            return false;
    }
    return true;
}

constexpr ModelFileType AllTypes[] = {ModelFileType::DataFile, ModelFileType::NecDeck,
                                      ModelFileType::MaaFile};

}  // namespace

std::string_view ModelFileExtension(ModelFileType type)
{
    switch (type) {
    case ModelFileType::NecDeck:
        return ".nec";
    case ModelFileType::MaaFile:
        return ".maa";
    case ModelFileType::DataFile:
        break;
    }
    return ".qrv";
}

ModelFileType ModelFileTypeOf(std::string_view path)
{
    for (ModelFileType type : AllTypes)
        if (type != ModelFileType::DataFile && EndsWith(path, ModelFileExtension(type)))
            return type;
    return ModelFileType::DataFile;
}

bool IsModelFileName(std::string_view path)
{
    for (ModelFileType type : AllTypes)
        if (EndsWith(path, ModelFileExtension(type)))
            return true;
    return false;
}

ModelImport ReadModelFile(DataFile& dataFile, const std::string& path,
                          const std::string& tablePath)
{
    ModelImport import;
    import.Type = ModelFileTypeOf(path);
    switch (import.Type) {
    case ModelFileType::DataFile:
        dataFile.ReadDataFile(path);
        break;
    case ModelFileType::NecDeck:
        import.NecCards = dataFile.ImportNecFile(path, tablePath);
        break;
    case ModelFileType::MaaFile:
        import.MaaLines = dataFile.ImportMaaFile(path, tablePath);
        break;
    }
    return import;
}

std::string ImportLeftOutMessage(const ModelImport& import, std::string_view fileName,
                                 Language language)
{
    if (import.Type == ModelFileType::MaaFile)
        return MaaLinesLeftOutMessage(import.MaaLines, fileName, language);
    return NecCardsLeftOutMessage(import.NecCards, fileName, language);
}

std::vector<std::string> ImportWarnings(const ModelImport& import)
{
    std::vector<std::string> warnings;
    for (const NecCardError& card : import.NecCards)
        warnings.push_back("line " + std::to_string(card.LineNumber) + ": " +
                           DisplayTextOf(card.Card) + " \xE2\x80\x93 " +
                           NecProblemText(card, Language::English));
    for (const MaaLineError& line : import.MaaLines)
        warnings.push_back("line " + std::to_string(line.LineNumber) + ": " +
                           DisplayTextOf(line.Line) + " \xE2\x80\x93 " +
                           MaaProblemText(line.Problem, Language::English));
    return warnings;
}

bool ImportOverflowed(const ModelImport& import)
{
    return NecDeckOverflowed(import.NecCards) || MaaFileOverflowed(import.MaaLines);
}

ModelFileText MakeModelFileText(ModelFileType type, const LineTable& table,
                                std::string_view fileName)
{
    ModelFileText written;
    if (type == ModelFileType::NecDeck) {
        NecDeckText deck = MakeNecDeck(table, fileName);
        written.Text = std::move(deck.Text);
        written.WrittenLines = deck.WrittenLines;
        written.LeftOutRows = deck.LeftOutRows;
        written.ZeroLengthLines = deck.ZeroLengthLines;
    } else if (type == ModelFileType::MaaFile) {
        MaaFileText file = MakeMaaFile(table, fileName);
        written.Text = std::move(file.Text);
        written.WrittenLines = file.WrittenLines;
        written.LeftOutRows = file.LeftOutRows;
    }
    return written;
}

std::string ExportLeftOutMessage(const ModelFileText& written, std::string_view fileName,
                                 Language language)
{
    return NecRowsLeftOutMessage(written.LeftOutRows, written.ZeroLengthLines, fileName, language);
}

}  // namespace quorvane
