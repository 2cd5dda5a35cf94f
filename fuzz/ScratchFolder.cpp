#include "ScratchFolder.h"

#include "FuzzInput.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace quorvane::fuzzing {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder()
{
    std::error_code error;
    const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm")
                                                              : fs::temp_directory_path();
    std::string pattern = (base / "quorvane-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        Fail("a scratch folder can be made", pattern);
    root_ = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::string ScratchFolder::Path(std::string_view name) const
{
    return root_ + "/" + std::string(name);
}

void ScratchFolder::Write(std::string_view name, std::string_view bytes) const
{
    std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        Fail("the scratch file can be written", Path(name));
}

std::string ScratchFolder::Read(std::string_view name) const
{
    std::ifstream in(Path(name), std::ios::binary);
    if (!in)
        Fail("the scratch file can be read", Path(name));
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace quorvane::fuzzing
