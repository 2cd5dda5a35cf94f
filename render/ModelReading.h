#pragma once

#include <string>
#include <vector>

namespace quorvane {

class DataFile;
struct ProgramState;

struct ModelRead {
    std::string Error;                  // empty when the model can be drawn
    std::vector<std::string> Warnings;  // what an import left out
};

// Reads a data file, or imports a file of another type (ModelFileTypeOf),
// into the program's table as the main program would, replacing the model
// before, and takes the model's extents. A missing or unreadable file, and one
// without a single complete line, is an error.
ModelRead ReadModel(const std::string& path, DataFile& dataFile, ProgramState& program);

}  // namespace quorvane
