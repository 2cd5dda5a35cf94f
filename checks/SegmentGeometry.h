#pragma once

#include "Vec3.h"

namespace quorvane {

// The closest approach of two straight pieces a0-a1 and b0-b1: the fractions
// of the way along each where it happens, and the points there.
struct ClosestApproach {
    double S = 0, T = 0;
    Vec3 OnA, OnB;
    double Gap = 0;
};

// Also for pieces of zero length and for parallel ones (then one of the
// nearest pairs of points).
ClosestApproach ClosestPoints(Vec3 a0, Vec3 a1, Vec3 b0, Vec3 b1);

// The distance from p to the piece a0-a1.
double DistanceToPiece(Vec3 p, Vec3 a0, Vec3 a1);

// How much of b0-b1 lies along a0-a1 within `reach` of it: the length of
// the shared stretch, measured along a0-a1; 0 when they only meet at a
// point or lie apart.
double SharedStretch(Vec3 a0, Vec3 a1, Vec3 b0, Vec3 b1, double reach, Vec3& middle);

}  // namespace quorvane
