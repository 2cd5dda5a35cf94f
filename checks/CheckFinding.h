#pragma once

#include "Vec3.h"

#include <optional>
#include <string_view>
#include <vector>

namespace quorvane {

enum class CheckRule {
    ZeroLength,        // both ends at one point
    DuplicateLines,    // the same two ends
    OverlappingLines,  // lying on one another along a stretch
    LinesCross,        // meeting or passing within their radii away from their ends
    EndOnLine,         // an end on another line away from its segment ends
    EndsNearlyMeet,    // ends closer than a radius or a thousandth of a segment, not equal
    ZeroRadius,        // wire data with no thickness
    SegmentTooLong,    // longer than a tenth of the wavelength
    SegmentTooShort,   // shorter than a thousandth of the wavelength
    ThickSegment,      // segment length to radius too small
    ThickWire,         // radius too large for the wavelength
    JunctionLengths,   // neighbouring segments at a junction too unequal
    BelowGround,       // a line below z = 0 over ground
    InGroundPlane,     // a line lying in the ground plane
};

enum class CheckSeverity { Warning, Error };

// The name scripts see: "lines-cross".
std::string_view RuleId(CheckRule rule);
std::string_view SeverityId(CheckSeverity severity);

// One fault: the rows it concerns (ascending), where it is, and the number
// that broke the rule's limit, in the rule's own unit (metres, wavelengths
// or a ratio; see CheckMessages).
struct CheckFinding {
    CheckRule Rule = CheckRule::ZeroLength;
    CheckSeverity Severity = CheckSeverity::Error;
    std::vector<int> Rows;
    Vec3 Place;
    double Value = 0;
    double Limit = 0;

    friend bool operator==(const CheckFinding&, const CheckFinding&) = default;
};

// What the checks know of the model beyond its lines.
struct CheckConditions {
    std::optional<double> FrequencyMHz;  // none: no rule that needs a wavelength
    bool Ground = false;                 // the model stands on ground at z = 0
    friend bool operator==(const CheckConditions&, const CheckConditions&) = default;
};

struct CheckCounts {
    int Errors = 0;
    int Warnings = 0;
};

CheckCounts CountFindings(const std::vector<CheckFinding>& findings);

}  // namespace quorvane
