// The clouded bodies: Venus, Jupiter, Saturn, Uranus and Neptune. Their bands follow latitude; noise
// stretched along the circles of latitude bends and streaks the band edges.
#include <algorithm>
#include <cmath>

#include "bodies.h"
#include "noise.h"
#include "sphere_map.h"

namespace {

// Noise whose features are `stretch` times longer east-west than north-south.
double zonalNoise(Vec3 d, double scale, double stretch, int octaves, uint32_t seed) {
    return fbm({d.x * scale, d.y * scale, d.z * scale * stretch}, octaves, seed);
}

// The latitude of a point after turbulence has bent the bands, in degrees.
double turbulentLatitude(const SurfacePoint& p, double amount, uint32_t seed) {
    const Vec3 d = p.direction;
    const Vec3 warp{fbm(d * 4.0, 3, seed + 1), fbm(d * 4.0, 3, seed + 2), fbm(d * 4.0, 3, seed + 3)};
    const double eddies = fbm(d * 7.0 + warp * 1.5, 5, seed + 4);
    return p.latitude + amount * (0.6 * eddies + 0.4 * zonalNoise(d, 3.0, 6.0, 4, seed + 5));
}

// An oval storm: 1 inside, with the swirling offset of the point in the oval's own units.
struct Oval {
    double inside = 0;   // 1 in the oval, 0 outside
    double collar = 0;   // 1 on the ring just outside
    Vec3 swirl;          // point in the oval's frame, turned more the nearer the centre
};

Oval ovalAt(const SurfacePoint& p, double latitude, double longitude, double halfWidth, double halfHeight, double turns) {
    const LocalOffset o = offsetFrom(p, latitude, longitude);
    const double x = o.east / halfWidth, y = o.north / halfHeight;
    const double r = std::sqrt(x * x + y * y);
    Oval oval;
    oval.inside = smoothstep(1.0, 0.85, r);
    oval.collar = smoothstep(0.9, 1.05, r) * smoothstep(1.45, 1.15, r);
    const double angle = turns * TWO_PI * (1.0 - clamp01(r)) * (1.0 - clamp01(r));
    const double c = detCos(angle), s = detSin(angle);
    oval.swirl = {x * c - y * s, x * s + y * c, r};
    return oval;
}

}  // namespace

Picture makeVenusTexture() {
    return paintSphere(512, 512, [](const SurfacePoint& p) {
        const Vec3 d = p.direction;
        const double latitude = turbulentLatitude(p, 6.0, 0x7e00u);
        // Broad, soft bands and a darker, streaky belt on both sides of the equator, bent into a
        // sideways "Y" by the fast equatorial wind.
        const double chevron = 10.0 * detCos(p.longitude * (PI / 180.0));
        const double belt = smoothstep(40.0, 10.0, std::fabs(std::fabs(latitude) - 8.0 + 0.3 * chevron));
        const double streaks = zonalNoise(d, 4.0, 8.0, 5, 0x7e10u);
        double t = 0.55 + 0.18 * streaks - 0.22 * belt * (0.6 + 0.4 * fbm(d * 5.0, 4, 0x7e20u));
        t += 0.15 * smoothstep(55.0, 80.0, std::fabs(p.latitude));  // bright polar collars
        const RampStop cloud[] = {{0.0, {0.62, 0.50, 0.30}}, {0.45, {0.82, 0.70, 0.46}}, {0.75, {0.93, 0.85, 0.64}},
                                  {1.0, {0.98, 0.94, 0.80}}};
        return ramp(cloud, t);
    });
}

Picture makeJupiterTexture() {
    // Band colours by (bent) latitude, south to north.
    const RampStop bands[] = {
        {-90, {0.55, 0.50, 0.46}}, {-62, {0.60, 0.54, 0.48}}, {-50, {0.70, 0.62, 0.52}}, {-43, {0.62, 0.50, 0.40}},
        {-37, {0.86, 0.80, 0.70}}, {-31, {0.66, 0.52, 0.40}}, {-26, {0.93, 0.88, 0.78}}, {-19, {0.90, 0.84, 0.72}},
        {-16, {0.64, 0.43, 0.30}}, {-10, {0.70, 0.50, 0.36}}, {-7, {0.88, 0.80, 0.64}},  {0, {0.93, 0.84, 0.66}},
        {6, {0.86, 0.74, 0.58}},   {9, {0.60, 0.38, 0.26}},   {15, {0.66, 0.44, 0.30}},  {19, {0.92, 0.87, 0.76}},
        {23, {0.70, 0.54, 0.40}},  {27, {0.90, 0.84, 0.73}},  {33, {0.72, 0.60, 0.48}},  {40, {0.84, 0.78, 0.68}},
        {48, {0.66, 0.58, 0.50}},  {62, {0.60, 0.54, 0.48}},  {90, {0.55, 0.50, 0.46}},
    };
    return paintSphere(512, 512, [&](const SurfacePoint& p) {
        const Vec3 d = p.direction;
        // Bands whose edges curl into eddies and festoons: small-scale eddies bend latitude more than
        // the large ones do on the other bodies.
        const Vec3 curl{fbm(d * 10.0, 2, 0x1202u), fbm(d * 10.0, 2, 0x1203u), fbm(d * 10.0, 2, 0x1204u)};
        const double latitude = turbulentLatitude(p, 4.0, 0x1200u) + 2.4 * fbm(d * 12.0 + curl * 1.5, 3, 0x1201u);
        Rgb colour = ramp(bands, latitude);
        colour = colour * (1.0 + 0.07 * zonalNoise(d, 8.0, 9.0, 4, 0x1210u) + 0.03 * fbm(d * 36.0, 2, 0x1211u));

        // The Great Red Spot in the southern tropical zone, with its pale collar and inner swirl.
        const Oval spot = ovalAt(p, -22.0, 60.0, 13.0, 7.0, 1.3);
        const double swirl = fbm(spot.swirl * 3.0, 4, 0x1220u);
        const RampStop oval[] = {{0.0, {0.70, 0.34, 0.22}}, {0.45, {0.78, 0.42, 0.26}}, {0.8, {0.86, 0.56, 0.38}}, {1.0, {0.90, 0.70, 0.55}}};
        const Rgb red = ramp(oval, spot.swirl.z + 0.25 * swirl);
        colour = mixRgb(colour, Rgb{0.95, 0.90, 0.82}, 0.55 * spot.collar);
        colour = mixRgb(colour, red, spot.inside);

        // A string of small white ovals further south.
        for (int i = 0; i < 4; ++i) {
            const Oval white = ovalAt(p, -34.0, -150.0 + 45.0 * i, 3.0, 2.2, 0.8);
            colour = mixRgb(colour, Rgb{0.96, 0.93, 0.88}, 0.9 * white.inside);
        }
        return colour;
    });
}

Picture makeSaturnTexture() {
    const RampStop bands[] = {
        {-90, {0.64, 0.64, 0.58}}, {-75, {0.70, 0.66, 0.54}}, {-55, {0.80, 0.70, 0.50}}, {-40, {0.86, 0.76, 0.55}},
        {-28, {0.78, 0.66, 0.45}}, {-18, {0.90, 0.80, 0.58}}, {-10, {0.84, 0.72, 0.50}}, {0, {0.94, 0.86, 0.64}},
        {10, {0.83, 0.71, 0.49}},  {18, {0.91, 0.81, 0.59}},  {28, {0.80, 0.68, 0.47}},  {40, {0.87, 0.78, 0.57}},
        {55, {0.78, 0.70, 0.52}},  {70, {0.72, 0.68, 0.56}},  {90, {0.64, 0.64, 0.58}},
    };
    return paintSphere(512, 512, [&](const SurfacePoint& p) {
        const Vec3 d = p.direction;
        const double latitude = turbulentLatitude(p, 0.9, 0x5a00u);
        Rgb colour = ramp(bands, latitude);
        colour = colour * (1.0 + 0.035 * zonalNoise(d, 8.0, 12.0, 4, 0x5a10u));
        // The hexagonal jet round the north pole: a dark edge with bluish-grey inside.
        if (p.latitude > 65.0) {
            const double azimuth = TWO_PI * (p.u - 0.5);
            const double sector = fract(azimuth / (PI / 3.0)) - 0.5;  // -0.5..0.5 within each sixth
            const double hexRadius = (90.0 - p.latitude) * detCos(sector * (PI / 3.0));
            const double edge = smoothstep(1.2, 0.0, std::fabs(hexRadius - 14.0));
            colour = mixRgb(colour, Rgb{0.62, 0.63, 0.60}, smoothstep(15.0, 13.0, hexRadius) * 0.8);
            colour = mixRgb(colour, Rgb{0.55, 0.50, 0.40}, 0.5 * edge);
        }
        return colour;
    });
}

Picture makeUranusTexture() {
    return paintSphere(256, 256, [](const SurfacePoint& p) {
        const Vec3 d = p.direction;
        const double latitude = turbulentLatitude(p, 1.5, 0x0a00u);
        const double bands = 0.5 + 0.5 * detSin(latitude * (PI / 180.0) * 9.0);
        double t = 0.02 * bands + 0.012 * zonalNoise(d, 5.0, 8.0, 3, 0x0a10u);
        t += 0.05 * smoothstep(50.0, 80.0, std::fabs(p.latitude));  // paler polar hoods
        return Rgb{0.64, 0.85, 0.89} * (0.97 + t) + Rgb{0.06, 0.04, 0.02} * smoothstep(50.0, 80.0, std::fabs(p.latitude));
    });
}

Picture makeNeptuneTexture() {
    const RampStop bands[] = {
        {-90, {0.24, 0.38, 0.80}}, {-72, {0.22, 0.36, 0.80}}, {-60, {0.17, 0.29, 0.72}}, {-46, {0.21, 0.36, 0.82}},
        {-30, {0.25, 0.42, 0.88}}, {0, {0.29, 0.47, 0.91}},   {30, {0.25, 0.42, 0.88}},  {55, {0.21, 0.35, 0.80}},
        {90, {0.24, 0.38, 0.80}},
    };
    return paintSphere(256, 256, [&](const SurfacePoint& p) {
        const Vec3 d = p.direction;
        const double latitude = turbulentLatitude(p, 2.5, 0x0e00u);
        Rgb colour = ramp(bands, latitude) * (1.0 + 0.05 * zonalNoise(d, 6.0, 8.0, 4, 0x0e10u));
        // The great dark oval with bright companion clouds along its southern edge.
        const Oval dark = ovalAt(p, -20.0, 40.0, 13.0, 7.0, 0.6);
        colour = mixRgb(colour, Rgb{0.09, 0.16, 0.48} * (1.0 + 0.15 * fbm(dark.swirl * 3.0, 3, 0x0e20u)), dark.inside);
        const LocalOffset below = offsetFrom(p, -28.0, 44.0);
        const double companion = smoothstep(1.0, 0.4, std::sqrt(below.east * below.east / 121.0 + below.north * below.north / 2.56));
        // Thin white cirrus streaks, sparse, drawn out along the wind.
        const double cirrus = smoothstep(0.25, 0.6, zonalNoise(d, 3.0, 9.0, 4, 0x0e30u)) *
                              smoothstep(0.05, 0.4, fbm(d * 2.5, 3, 0x0e31u));
        // A second, small dark spot with a bright core further south.
        const Oval small = ovalAt(p, -55.0, -100.0, 6.0, 3.5, 0.4);
        colour = mixRgb(colour, Rgb{0.12, 0.20, 0.55}, small.inside);
        const double core = smoothstep(0.35, 0.1, std::sqrt(small.swirl.x * small.swirl.x + small.swirl.y * small.swirl.y));
        const double white = std::max(std::max(companion, 0.8 * cirrus), core);
        return mixRgb(colour, Rgb{0.88, 0.92, 1.0}, white);
    });
}
