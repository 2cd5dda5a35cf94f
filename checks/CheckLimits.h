#pragma once

// Every limit the geometry checks apply, in one place. docs/checks.md says
// where each comes from; a change here belongs there too.

namespace quorvane::limits {

// Metres per microsecond: a wavelength in metres is this divided by the
// frequency in MHz.
inline constexpr double SpeedOfLight = 299.792458;

// Segment length against the wavelength: longer segments cannot follow the
// current; shorter ones make the constant and cosine parts of the current
// expansion too alike for the solution to be accurate.
inline constexpr double MaxSegmentWavelengths = 0.1;
inline constexpr double MinSegmentWavelengths = 0.001;

// Segment length against wire radius: the thin-wire kernels need segments
// longer than the wire is thick. Below the first the result is doubtful,
// below the second it is meaningless.
inline constexpr double SegmentRadiusWarning = 2;
inline constexpr double SegmentRadiusError = 0.5;

// Wire radius against the wavelength: the current is taken to flow along the
// axis (or evenly round the surface), which needs 2 pi a / lambda far below 1.
inline constexpr double MaxRadiusWavelengths = 0.01;

// Neighbouring segments at a junction: the current is matched across it, and
// very unequal lengths make that match poor.
inline constexpr double MaxJunctionLengthRatio = 5;

// Ends closer than this fraction of the shorter segment are joined by the
// simulator, but are not the same point; ends closer than the larger wire
// radius lie inside each other's wire. Over ground, a wire lower than this
// fraction of its segment has every segment end joined to the ground.
inline constexpr double NearEndsSegmentFraction = 1e-3;

// Points closer than this many times their coordinates' size (and at least
// this many metres) are the same point: rounding of computed coordinates,
// never a gap anyone drew.
inline constexpr double CoincidenceRelative = 1e-9;

}  // namespace quorvane::limits
