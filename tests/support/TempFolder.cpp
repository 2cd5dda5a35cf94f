#include "TempFolder.h"

#include <fstream>
#include <random>
#include <sstream>

namespace quorvane::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    std::random_device random;
    root_ = fs::temp_directory_path() / ("quorvane-test-" + std::to_string(random()) + "-" +
                                         std::to_string(random()));
    fs::create_directories(root_);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    // Tests take permissions away; give them back so that all can be removed.
    for (auto it = fs::recursive_directory_iterator(root_, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const
{
    std::filesystem::create_directories((root_ / name).parent_path());
    std::ofstream out(root_ / name, std::ios::binary);
    out << bytes;
}

std::string TempFolder::Read(const std::string& name) const
{
    std::ifstream in(root_ / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool TempFolder::Exists(const std::string& name) const
{
    return fs::exists(root_ / name);
}

}  // namespace quorvane::testing
