#include "craters.h"

#include <algorithm>
#include <cmath>

#include "noise.h"

namespace {

double reach(const Crater& c) { return c.radius * (c.rays > 0 ? 6.0 : 2.2); }

int cellOf(double coordinate, int grid) {
    const int cell = static_cast<int>(std::floor((coordinate + 1.0) * 0.5 * grid));
    return std::clamp(cell, 0, grid - 1);
}

}  // namespace

CraterField::CraterField(uint32_t seed, int count, double minRadius, double maxRadius, double rayedFraction)
    : cells_(GRID * GRID * GRID) {
    Scatter scatter(seed);
    for (int i = 0; i < count; ++i) {
        Crater c;
        c.centre = scatter.onSphere();
        // Inverse of the cumulative density ~ r^-2 between the two radii.
        const double t = scatter.uniform();
        const double inverse = 1.0 / minRadius + t * (1.0 / maxRadius - 1.0 / minRadius);
        c.radius = 1.0 / inverse;
        c.freshness = scatter.range(0.15, 1.0);
        c.rays = scatter.uniform() < rayedFraction ? scatter.range(0.4, 1.0) : 0.0;
        add(c);
    }
}

void CraterField::add(const Crater& crater) {
    craters_.push_back(crater);
    index(static_cast<int>(craters_.size()) - 1);
}

void CraterField::index(int i) {
    const Crater& c = craters_[i];
    const double r = reach(c);
    const int x0 = cellOf(c.centre.x - r, GRID), x1 = cellOf(c.centre.x + r, GRID);
    const int y0 = cellOf(c.centre.y - r, GRID), y1 = cellOf(c.centre.y + r, GRID);
    const int z0 = cellOf(c.centre.z - r, GRID), z1 = cellOf(c.centre.z + r, GRID);
    for (int z = z0; z <= z1; ++z)
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) cells_[(z * GRID + y) * GRID + x].push_back(i);
}

CraterEffect CraterField::at(Vec3 p) const {
    CraterEffect effect;
    const int cell = (cellOf(p.z, GRID) * GRID + cellOf(p.y, GRID)) * GRID + cellOf(p.x, GRID);
    for (int i : cells_[cell]) {
        const Crater& c = craters_[i];
        const Vec3 offset = p - c.centre;
        const double chord2 = dot(offset, offset);
        const double r = reach(c);
        if (chord2 >= r * r) continue;
        const double d = std::sqrt(chord2) / c.radius;
        const double strength = c.freshness;

        // Height profile h(d) and its slope: a bowl to d = 1, a rim just outside, an ejecta apron.
        double slope = 0;
        if (d < 1.0) {
            effect.albedo -= 0.07 * strength * (1.0 - d * d);
            effect.floor = std::max(effect.floor, smoothstep(1.0, 0.6, d));
            slope = 2.0 * d;
        } else {
            const double x = (d - 1.0) / 0.35;
            slope = -2.0 * x * detExp(-x * x) / 0.35 * 0.6;
        }
        const double rim = detExp(-((d - 1.0) / 0.12) * ((d - 1.0) / 0.12));
        effect.albedo += 0.09 * strength * rim;
        if (d > 1.0 && d < 2.2) effect.albedo += 0.035 * strength * (1.0 - (d - 1.0) / 1.2);

        // Relief: the wall facing the light (north-west) is bright, the other dark.
        const double offsetLength = std::sqrt(chord2);
        if (offsetLength > 1e-12 && d < 2.2) {
            const Vec3 pole{0, 0, 1};
            Vec3 east = cross(pole, c.centre) * -1.0;
            if (length(east) < 1e-9) east = {0, -1, 0};
            east = normalized(east);
            const Vec3 north = cross(east, c.centre);
            const double towardsLight = (dot(offset, north) - dot(offset, east)) / (offsetLength * std::sqrt(2.0));
            effect.shade -= 0.2 * strength * slope * towardsLight * smoothstep(2.2, 1.6, d);
        }

        // Rays: narrow bright streaks whose pattern depends only on the direction from the centre.
        if (c.rays > 0 && d > 0.9 && offsetLength > 1e-12) {
            const Vec3 around = offset * (1.0 / offsetLength);
            const double n = gradientNoise(around * 4.0 + c.centre * 17.0, 0x5eedu + static_cast<uint32_t>(i));
            const double s = clamp01(n * 1.6);
            const double streak = s * s * s;
            const double fade = smoothstep(6.0, 1.2, d);
            effect.albedo += 0.22 * c.rays * streak * fade;
        }
    }
    return effect;
}
