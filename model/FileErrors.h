#pragma once

#include <string>

namespace quorvane {

// The runtime's text for a failed file operation, given the system's error
// number. These texts are German in both user languages.
std::string FileErrorText(int errorNumber);

}  // namespace quorvane
