#pragma once
// The pictures' own noise: integer hashing, 3-D gradient noise and cell noise. Sampling 3-D noise at
// points of the unit sphere gives maps with no seam and no pinching at the poles.
#include <cstdint>

#include "det_math.h"

uint32_t hashInt(uint32_t x);
uint32_t hash3(int32_t x, int32_t y, int32_t z, uint32_t seed);
// Uniform in [0, 1) from a hash.
inline double unitFromHash(uint32_t h) { return (h >> 8) * (1.0 / 16777216.0); }

// Gradient noise, about -1..1, zero at lattice points.
double gradientNoise(Vec3 p, uint32_t seed);
// Sum of `octaves` gradient noises, each at twice the frequency and `gain` times the amplitude of the
// last; normalised to about -1..1.
double fbm(Vec3 p, int octaves, uint32_t seed, double gain = 0.5, double lacunarity = 2.0);
// 1 - |noise| summed the same way: sharp crests, 0..1.
double ridged(Vec3 p, int octaves, uint32_t seed, double gain = 0.5);

// Distances to the nearest and second-nearest feature point (one per unit cell).
struct CellDistances {
    double nearest = 0;
    double second = 0;
};
CellDistances cellNoise(Vec3 p, uint32_t seed);

// A small deterministic generator for placing things (craters, spots, stars).
class Scatter {
public:
    explicit Scatter(uint32_t seed) : state_(seed) {}
    uint32_t next();
    double uniform() { return unitFromHash(next()); }            // [0, 1)
    double range(double low, double high) { return low + (high - low) * uniform(); }
    Vec3 onSphere();                                              // uniform on the unit sphere

private:
    uint32_t state_;
};
