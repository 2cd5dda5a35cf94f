#include "CheckFinding.h"

#include <iterator>

namespace quorvane {

std::string_view RuleId(CheckRule rule)
{
    static constexpr std::string_view ids[] = {
        "zero-length",  "duplicate-lines",   "overlapping-lines", "lines-cross",
        "end-on-line",  "ends-nearly-meet",  "zero-radius",       "segment-too-long",
        "segment-too-short", "thick-segment", "thick-wire",       "junction-lengths",
        "below-ground", "in-ground-plane",
    };
    static_assert(std::size(ids) == std::size_t(CheckRule::InGroundPlane) + 1);
    return ids[std::size_t(rule)];
}

std::string_view SeverityId(CheckSeverity severity)
{
    return severity == CheckSeverity::Error ? "error" : "warning";
}

CheckCounts CountFindings(const std::vector<CheckFinding>& findings)
{
    CheckCounts counts;
    for (const CheckFinding& finding : findings)
        ++(finding.Severity == CheckSeverity::Error ? counts.Errors : counts.Warnings);
    return counts;
}

}  // namespace quorvane
