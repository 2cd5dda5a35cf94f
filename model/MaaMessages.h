#pragma once

#include "Language.h"
#include "MaaFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Why the line was not used, in the user's language.
std::string MaaProblemText(MaaProblem problem, Language language);

// The one message after an import that names the lines left out: the first
// ten with their line numbers, the text of each and why, then how many more.
// Empty when every line was read. A file with more wires than the table
// holds is told by the table's capacity message instead (MaaFileOverflowed).
std::string MaaLinesLeftOutMessage(const std::vector<MaaLineError>& errors,
                                   std::string_view fileName, Language language);

bool MaaFileOverflowed(const std::vector<MaaLineError>& errors);

}  // namespace quorvane
