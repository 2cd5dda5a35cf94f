#include "DataFile.h"

#include "MaaFile.h"

namespace quorvane {

std::vector<MaaLineError> DataFile::ImportMaaFile(const std::string& maaPath,
                                                  const std::string& tablePath)
{
    std::string bytes;
    if (!ReadImportedFile(maaPath, bytes))
        return {};
    MaaImport file = ReadMaaText(bytes);
    TakeImportedModel(file.Wires, file.Rows, tablePath);
    return std::move(file.Errors);
}

}  // namespace quorvane
