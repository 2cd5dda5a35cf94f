// Reports the resident memory of a process that holds only a full line table
// of 100,000 rows read from a data file.

#include "BenchModels.h"
#include "DataFile.h"
#include "LineTable.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

}  // namespace

int main()
{
    namespace fs = std::filesystem;
    using namespace quorvane;
    const fs::path path = fs::temp_directory_path() / "quorvane-memory.qrv";
    std::ofstream(path, std::ios::binary) << bench::DataFileText(100000);
    const long before = ResidentKilobytes();

    LineTable table;
    DataFileSettings settings;
    settings.SeparatorSet = StandardSeparatorSet();
    const Language language = Language::English;
    DataFile file(table, settings, language, "Quorvane");
    file.ReadDataFile(path.string());
    fs::remove(path);

    const long after = ResidentKilobytes();
    std::cout << "rows: " << table.LineCount << "\n"
              << "resident before reading: " << before / 1024.0 << " MB\n"
              << "resident with the full table: " << after / 1024.0 << " MB\n";
    return table.LineCount == 100000 ? 0 : 1;
}
