#pragma once
// Arithmetic whose results are the same bits on every machine: sine, cosine and the exponential are
// computed here from IEEE double operations only (no libm transcendental, whose last bits differ
// between C libraries), and the build turns off floating-point contraction for these sources.
#include <cmath>

constexpr double PI = 3.14159265358979323846;
constexpr double TWO_PI = 2.0 * PI;

double detSin(double x);
double detCos(double x);
double detExp(double x);  // 0 below -700
double detAtan2(double y, double x);  // -pi..pi; 0 for (0, 0)
double detAsin(double x);             // x clamped to -1..1

inline double clamp01(double x) { return x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x); }
inline double clampTo(double x, double low, double high) { return x < low ? low : (x > high ? high : x); }
inline double mix(double a, double b, double t) { return a + (b - a) * t; }
inline double smoothstep(double edge0, double edge1, double x) {
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}
// Fraction in [0, 1).
inline double fract(double x) { return x - std::floor(x); }

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double length(Vec3 a) { return std::sqrt(dot(a, a)); }
inline Vec3 normalized(Vec3 a) { return a * (1.0 / length(a)); }
