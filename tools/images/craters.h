#pragma once
// Impact craters scattered over a sphere: bowl, raised rim, ejecta and, for young craters, bright rays.
// Distances are chords of the unit sphere, which for small craters equal the angle in radians.
#include <cstdint>
#include <vector>

#include "det_math.h"

struct Crater {
    Vec3 centre;             // unit vector
    double radius = 0.05;    // chord
    double freshness = 0.5;  // 0 worn .. 1 young: contrast of rim and floor
    double rays = 0.0;       // 0 none .. 1 bright: rays reach six radii
};

// What the craters do to the surface at a point.
struct CraterEffect {
    double albedo = 0;  // added brightness (floor darker, rim and rays brighter)
    double shade = 0;   // relief lit from the north-west, -1..1 times the craters' contrast
    double floor = 0;   // 0..1: how much the point lies on a crater floor (for maria-like fills)
};

class CraterField {
public:
    // `count` craters with radii from minRadius to maxRadius, more small than large (density ~ r^-2).
    CraterField(uint32_t seed, int count, double minRadius, double maxRadius, double rayedFraction);
    void add(const Crater& crater);
    CraterEffect at(Vec3 p) const;
    const std::vector<Crater>& craters() const { return craters_; }

private:
    static constexpr int GRID = 16;  // cells per axis over the cube [-1, 1]^3
    void index(int crater);
    std::vector<Crater> craters_;
    std::vector<std::vector<int>> cells_;
};
