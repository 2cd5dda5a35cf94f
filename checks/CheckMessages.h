#pragma once

#include "CheckFinding.h"
#include "Language.h"

#include <string>
#include <string_view>

namespace quorvane {

// The rule's short name: "Lines cross".
std::string_view RuleTitle(CheckRule rule, Language language);
// What the rule means for the simulation, in a sentence.
std::string_view RuleExplanation(CheckRule rule, Language language);
std::string_view SeverityTitle(CheckSeverity severity, Language language);
// The finding's numbers with their units: "gap 0.0004 m, limit 0.001 m".
std::string FindingNumbers(const CheckFinding& finding, Language language);
// "3, 7, 12"
std::string RowList(const std::vector<int>& rows);
// A number as the findings show it: up to four significant digits, a point
// as decimal separator whatever the locale.
std::string CheckNumber(double value);

}  // namespace quorvane
