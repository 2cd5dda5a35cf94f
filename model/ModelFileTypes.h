#pragma once

#include "Language.h"
#include "MaaFile.h"
#include "NecDeck.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

class DataFile;
class LineTable;

// The kinds of file a model comes from or goes to. Both programs ask here
// which reader or writer a file takes, so a new format is added in one place.
enum class ModelFileType { DataFile, NecDeck, MaaFile };

// The type a file's name says: ".nec" in any case is an antenna deck,
// ".maa" an MMANA file; any other name is a data file, as the open
// dialog's "all files" reads it.
ModelFileType ModelFileTypeOf(std::string_view path);

// Whether the name ends in the extension of one of the types, in any case:
// only such files are taken from a drop.
bool IsModelFileName(std::string_view path);

// ".qrv", ".nec" or ".maa".
std::string_view ModelFileExtension(ModelFileType type);

// What an import left out, in the reader's own terms.
struct ModelImport {
    ModelFileType Type = ModelFileType::DataFile;
    std::vector<NecCardError> NecCards;
    std::vector<MaaLineError> MaaLines;
};

// Reads `path` into the table by its type: a data file as the data file
// reader does, any other type imported under the data file name
// `tablePath`, counted as changed.
ModelImport ReadModelFile(DataFile& dataFile, const std::string& path,
                          const std::string& tablePath);

// The one message that names what an import left out, in the user's
// language; empty when everything was read.
std::string ImportLeftOutMessage(const ModelImport& import, std::string_view fileName,
                                 Language language);

// The same as lines for a console, in English: "line 4: XX bad – unknown card".
std::vector<std::string> ImportWarnings(const ModelImport& import);

// Whether the file held more lines than the table, which kept the first.
bool ImportOverflowed(const ModelImport& import);

struct ModelFileText {
    std::string Text;
    int WrittenLines = 0;
    int LeftOutRows = 0;      // rows with text that the type cannot hold
    int ZeroLengthLines = 0;  // lines left out for having no length
};

// The table as a file of one of the exported types (not a data file, which
// the data file writer writes with its backup); `fileName` names the model
// inside the file where the type has room for it.
ModelFileText MakeModelFileText(ModelFileType type, const LineTable& table,
                                std::string_view fileName);

// The message after an export that counts the rows it left out; empty when
// there were none.
std::string ExportLeftOutMessage(const ModelFileText& written, std::string_view fileName,
                                 Language language);

}  // namespace quorvane
