#include "noise.h"

#include <cmath>

uint32_t hashInt(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

uint32_t hash3(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    // Distinct odd multipliers spread the three coordinates; one mixing round scrambles the sum.
    const uint32_t h = static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u ^
                       static_cast<uint32_t>(z) * 0xcb1ab31fu ^ seed * 0x9e3779b9u;
    return hashInt(h);
}

namespace {

double fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

// The twelve cube-edge directions, four of them twice so that 4 bits of a hash pick one.
const double GRADIENTS[16][3] = {
    {1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {1, 0, 1}, {-1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
    {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}, {1, 1, 0}, {-1, 1, 0}, {0, -1, 1}, {0, -1, -1},
};

}  // namespace

double gradientNoise(Vec3 p, uint32_t seed) {
    const double fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    const auto ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy), iz = static_cast<int32_t>(fz);
    const double x = p.x - fx, y = p.y - fy, z = p.z - fz;
    const double u = fade(x), v = fade(y), w = fade(z);
    // hash3 of the eight corners, with each axis's two products worked out once.
    const uint32_t s = seed * 0x9e3779b9u;
    const uint32_t hx[2] = {static_cast<uint32_t>(ix) * 0x8da6b343u, static_cast<uint32_t>(ix + 1) * 0x8da6b343u};
    const uint32_t hy[2] = {static_cast<uint32_t>(iy) * 0xd8163841u, static_cast<uint32_t>(iy + 1) * 0xd8163841u};
    const uint32_t hz[2] = {static_cast<uint32_t>(iz) * 0xcb1ab31fu, static_cast<uint32_t>(iz + 1) * 0xcb1ab31fu};
    double corner[8];
    for (int c = 0; c < 8; ++c) {
        const int dx = c & 1, dy = (c >> 1) & 1, dz = (c >> 2) & 1;
        const double* g = GRADIENTS[hashInt(hx[dx] ^ hy[dy] ^ hz[dz] ^ s) >> 28];
        corner[c] = g[0] * (x - dx) + g[1] * (y - dy) + g[2] * (z - dz);
    }
    const double x00 = mix(corner[0], corner[1], u), x10 = mix(corner[2], corner[3], u);
    const double x01 = mix(corner[4], corner[5], u), x11 = mix(corner[6], corner[7], u);
    return mix(mix(x00, x10, v), mix(x01, x11, v), w);
}

double fbm(Vec3 p, int octaves, uint32_t seed, double gain, double lacunarity) {
    double sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * gradientNoise(p, seed + 7919u * static_cast<uint32_t>(i));
        total += amplitude;
        amplitude *= gain;
        p = p * lacunarity;
    }
    return sum / total;
}

double ridged(Vec3 p, int octaves, uint32_t seed, double gain) {
    double sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        const double n = 1.0 - std::fabs(gradientNoise(p, seed + 104729u * static_cast<uint32_t>(i)));
        sum += amplitude * n * n;
        total += amplitude;
        amplitude *= gain;
        p = p * 2.0;
    }
    return sum / total;
}

CellDistances cellNoise(Vec3 p, uint32_t seed) {
    const double fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    const int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy), iz = static_cast<int32_t>(fz);
    double best = 1e9, second = 1e9;
    for (int dz = -1; dz <= 1; ++dz)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const uint32_t h = hash3(ix + dx, iy + dy, iz + dz, seed);
                const Vec3 feature{fx + dx + unitFromHash(h), fy + dy + unitFromHash(hashInt(h ^ 0x68e31da4u)),
                                   fz + dz + unitFromHash(hashInt(h ^ 0xb5297a4du))};
                const Vec3 d = feature - p;
                const double distance2 = dot(d, d);
                if (distance2 < best) {
                    second = best;
                    best = distance2;
                } else if (distance2 < second) {
                    second = distance2;
                }
            }
    return {std::sqrt(best), std::sqrt(second)};
}

uint32_t Scatter::next() {
    state_ += 0x9e3779b9u;
    return hashInt(state_);
}

Vec3 Scatter::onSphere() {
    const double z = range(-1.0, 1.0);
    const double angle = range(0.0, TWO_PI);
    const double ring = std::sqrt(1.0 - z * z);
    return {ring * detCos(angle), ring * detSin(angle), z};
}
