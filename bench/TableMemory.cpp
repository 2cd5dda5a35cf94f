// Reports the resident memory of a process that holds only a full line table
// of 100,000 rows read from a data file.

#include "BenchModels.h"
#include "DataFile.h"
#include "LineTable.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

int main()
{
    namespace fs = std::filesystem;
    using namespace quorvane;
    const fs::path path = fs::temp_directory_path() / "quorvane-memory.qrv";
    std::ofstream(path, std::ios::binary) << bench::DataFileText(100000);
    const long before = bench::ResidentKilobytes();

    LineTable table;
    DataFileSettings settings;
    settings.SeparatorSet = StandardSeparatorSet();
    const Language language = Language::English;
    DataFile file(table, settings, language, "Quorvane");
    file.ReadDataFile(path.string());
    fs::remove(path);

    const long after = bench::ResidentKilobytes();
    std::cout << "rows: " << table.LineCount << "\n"
              << "resident before reading: " << before / 1024.0 << " MB\n"
              << "resident with the full table: " << after / 1024.0 << " MB\n";
    return table.LineCount == 100000 ? 0 : 1;
}
