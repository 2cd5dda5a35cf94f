#pragma once

#include <cmath>

namespace quorvane {

// A point or direction of the model, in metres.
struct Vec3 {
    double X = 0, Y = 0, Z = 0;

    friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
    friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
    friend Vec3 operator*(Vec3 a, double k) { return {a.X * k, a.Y * k, a.Z * k}; }
    friend bool operator==(const Vec3&, const Vec3&) = default;
};

inline double Dot(Vec3 a, Vec3 b)
{
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

// Without overflow on the way for lengths up to the largest double, and
// as quick as a square root for the lengths of everyday models.
inline double Norm(Vec3 a)
{
    const double squared = Dot(a, a);
    if (squared > 1e-290 && squared < 1e290)
        return std::sqrt(squared);
    return std::hypot(a.X, a.Y, a.Z);
}

inline double Distance(Vec3 a, Vec3 b)
{
    return Norm(a - b);
}

// The point the fraction t of the way from a to b.
inline Vec3 Along(Vec3 a, Vec3 b, double t)
{
    return a + (b - a) * t;
}

}  // namespace quorvane
