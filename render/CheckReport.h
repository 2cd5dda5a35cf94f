#pragma once

#include "CheckFinding.h"
#include "RenderOptions.h"

#include <cstdio>
#include <string>
#include <vector>

namespace quorvane {

// What --check prints on standard output: for each model its findings, one
// line each, and a line that counts them; or one JSON document of all
// models at the end.
class CheckReport {
public:
    CheckReport(std::FILE* stream, CheckFormat format);

    void Add(const std::string& file, const CheckConditions& conditions,
             const std::vector<CheckFinding>& findings);
    // A model that could not be read has no findings; the JSON names it.
    void AddUnread(const std::string& file, const std::string& reason);
    void Finish();

    bool FoundError() const { return foundError_; }

private:
    std::FILE* stream_;
    CheckFormat format_;
    std::vector<std::string> jsonFiles_;
    bool foundError_ = false;
};

// One finding as a line: "cross.nec: rows 1, 2: error: Lines cross: gap 0 m,
// limit 0.002 m, at (0, 0, 0) [lines-cross]".
std::string FindingLine(const std::string& file, const CheckFinding& finding);
// "cross.nec: 1 error, 0 warnings (14.2 MHz, over ground)"
std::string CountLine(const std::string& file, const CheckConditions& conditions,
                      const std::vector<CheckFinding>& findings);
// A JSON string of text that may not be UTF-8 (file names are bytes).
std::string JsonString(std::string_view text);

}  // namespace quorvane
