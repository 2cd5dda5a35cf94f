#include "SegmentGeometry.h"

#include <algorithm>

namespace quorvane {

namespace {

// Unit directions and lengths keep every product within the size of the
// coordinates, so that neither huge nor tiny models overflow or vanish.
struct Piece {
    Vec3 Start, Direction;
    double Length;
};

Piece PieceOf(Vec3 a0, Vec3 a1)
{
    const Vec3 d = a1 - a0;
    const double length = Norm(d);
    return {a0, length > 0 ? d * (1 / length) : Vec3{}, length};
}

}  // namespace

ClosestApproach ClosestPoints(Vec3 a0, Vec3 a1, Vec3 b0, Vec3 b1)
{
    const Piece a = PieceOf(a0, a1), b = PieceOf(b0, b1);
    const Vec3 r = a0 - b0;
    const double c = Dot(a.Direction, r), f = Dot(b.Direction, r);
    // s and t in metres along each piece.
    double s = 0, t = 0;
    if (a.Length == 0) {
        t = std::clamp(f, 0.0, b.Length);
    } else if (b.Length == 0) {
        s = std::clamp(-c, 0.0, a.Length);
    } else {
        const double cosine = Dot(a.Direction, b.Direction);
        const double denominator = 1 - cosine * cosine;
        // Parallel pieces: any s will do; the start keeps it definite.
        s = denominator > 0 ? std::clamp((cosine * f - c) / denominator, 0.0, a.Length) : 0.0;
        t = cosine * s + f;
        if (t < 0) {
            t = 0;
            s = std::clamp(-c, 0.0, a.Length);
        } else if (t > b.Length) {
            t = b.Length;
            s = std::clamp(cosine * b.Length - c, 0.0, a.Length);
        }
    }
    ClosestApproach result;
    result.S = a.Length > 0 ? s / a.Length : 0;
    result.T = b.Length > 0 ? t / b.Length : 0;
    result.OnA = a0 + a.Direction * s;
    result.OnB = b0 + b.Direction * t;
    result.Gap = Distance(result.OnA, result.OnB);
    return result;
}

double DistanceToPiece(Vec3 p, Vec3 a0, Vec3 a1)
{
    const Piece a = PieceOf(a0, a1);
    const double t = std::clamp(Dot(p - a0, a.Direction), 0.0, a.Length);
    return Distance(p, a0 + a.Direction * t);
}

double SharedStretch(Vec3 a0, Vec3 a1, Vec3 b0, Vec3 b1, double reach, Vec3& middle)
{
    const Piece a = PieceOf(a0, a1);
    if (a.Length == 0)
        return 0;
    const double t0 = Dot(b0 - a0, a.Direction), t1 = Dot(b1 - a0, a.Direction);
    const double from = std::max(0.0, std::min(t0, t1));
    const double to = std::min(a.Length, std::max(t0, t1));
    if (to <= from)
        return 0;
    // Both ends of the stretch lie within reach of the other piece: straight
    // pieces then lie within reach of each other all along it.
    const Vec3 p = a0 + a.Direction * from, q = a0 + a.Direction * to;
    if (DistanceToPiece(p, b0, b1) > reach || DistanceToPiece(q, b0, b1) > reach)
        return 0;
    middle = Along(p, q, 0.5);
    return to - from;
}

}  // namespace quorvane
