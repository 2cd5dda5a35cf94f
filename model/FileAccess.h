#pragma once

#include <string>
#include <string_view>

namespace quorvane {

struct FileContents {
    std::string bytes;
    int error = 0;  // the system's error number; 0 when the whole file was read
};

// Reads a whole file. A folder of that name fails with EISDIR.
FileContents ReadWholeFile(const std::string& path);

// The backup name of a data file: its extension (the text from the last '.'
// of the file name) replaced by ".bak", or ".bak" appended when it has none.
std::string BackupFileName(const std::string& path);

// Replaces the file's contents so that a failure at any point leaves the old
// file as it was: the bytes go to a temporary file in the same folder, which
// then takes the file's place. With `keepBackup`, the old contents become the
// backup file (BackupFileName) once the new file is in place; failures of that
// step are ignored. Returns 0 or the system's error number.
int ReplaceFileContents(const std::string& path, std::string_view bytes, bool keepBackup);

}  // namespace quorvane
