#include "PictureNames.h"

#include <filesystem>

namespace quorvane {

std::string PictureNameFor(const std::string& modelFile, const RenderOptions& options)
{
    if (!options.Output.empty())
        return options.Output;
    namespace fs = std::filesystem;
    const fs::path model(modelFile);
    const fs::path folder =
        options.OutputFolder.empty() ? model.parent_path() : fs::path(options.OutputFolder);
    fs::path name = model.filename();
    name.replace_extension(ExtensionOf(options.Format));
    return (folder / name).string();
}

}  // namespace quorvane
