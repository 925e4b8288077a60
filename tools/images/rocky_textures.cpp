// The rocky bodies: Mercury, Mars, Pluto and the Moon.
#include <algorithm>
#include <cmath>

#include "bodies.h"
#include "craters.h"
#include "noise.h"
#include "sphere_map.h"

namespace {

// A soft region around a place: 1 inside, 0 outside, `radius` in degrees of arc; `ragged` (about
// -1..1 noise at the point, times the raggedness) moves the edge.
double region(const SurfacePoint& p, double latitude, double longitude, double radius, double ragged,
              double stretchEast = 1.0) {
    const LocalOffset o = offsetFrom(p, latitude, longitude);
    const double east = o.east / stretchEast;
    const double distance = std::sqrt(east * east + o.north * o.north) / radius;
    return smoothstep(1.0, 0.75, distance + ragged);
}

// A blob of a merged field: about 0.4 at `radius` degrees from the place, 1 at it. Neighbouring blobs
// add up and flow together where a plain union would leave round discs.
struct Blob {
    double latitude, longitude, radius, stretchEast;
};
double blobField(const SurfacePoint& p, const Blob& b) {
    const LocalOffset o = offsetFrom(p, b.latitude, b.longitude);
    const double east = o.east / b.stretchEast;
    const double x2 = (east * east + o.north * o.north) / (b.radius * b.radius);
    return x2 > 9.0 ? 0.0 : detExp(-x2);
}

Rgb grey(double a, double warm) { return {a * (1.0 + 0.04 * warm), a, a * (1.0 - 0.07 * warm)}; }

}  // namespace

Picture makeMercuryTexture() {
    CraterField craters(0x3e5cu, 1500, 0.013, 0.2, 0.05);
    craters.add({directionOf(31.0, -170.0), 0.27, 0.35, 0.0});  // a great, worn basin
    return paintSphere(512, 512, [&](const SurfacePoint& p) {
        const Vec3 d = p.direction;
        double a = 0.46 + 0.07 * fbm(d * 3.0, 6, 0x3e01u) + 0.025 * fbm(d * 28.0, 3, 0x3e02u);
        a -= 0.05 * smoothstep(0.15, 0.45, fbm(d * 1.7, 4, 0x3e03u));  // smoother, darker plains
        const CraterEffect crater = craters.at(d);
        a = (a + crater.albedo) * (1.0 + crater.shade);
        return grey(a, 0.8);
    });
}

Picture makeMoonTexture() {
    CraterField craters(0x300du, 320, 0.03, 0.16, 0.04);
    struct Named {
        double latitude, longitude, radius, rays;
    };
    // Young rayed craters of the near side.
    const Named young[] = {{-43.3, -11.2, 0.036, 1.0}, {9.6, -20.1, 0.04, 0.8}, {8.1, -38.0, 0.022, 0.6}};
    for (const Named& n : young) craters.add({directionOf(n.latitude, n.longitude), n.radius, 1.0, n.rays});

    // The maria, by place and size (degrees); a stretch above 1 widens a mare from east to west.
    const Blob maria[] = {
        {33, -16, 10.5, 1.1}, {28, 17, 6.5, 1.0},  {8.5, 31, 8, 1.1},   {17, 59, 5.2, 1.2}, {-7, 51, 7.5, 0.8},
        {-15, 35, 3.5, 1.0},  {-21, -17, 6.5, 1.1}, {-24, -39, 4, 1.0}, {13, 4, 2.8, 1.2},  {-10, -23, 3.5, 1.0},
        {8, -31, 4.5, 1.2},   {22, -57, 9, 0.8},    {5, -52, 9, 0.8},   {-6, -44, 6, 0.9},  {34, -50, 7, 1.0},
        {56, -20, 4, 2.5},    {57, 15, 3.5, 2.5},   {-1, 87, 3, 1.0},   {13, 86, 2.5, 1.0}, {-20, -95, 3, 1.0},
    };
    return paintSphere(256, 256, [&](const SurfacePoint& p) {
        const Vec3 d = p.direction;
        double field = 0;
        for (Blob m : maria) {
            m.radius *= 1.4;  // the blobs overlap into the maria's ragged outlines at this size
            field += blobField(p, m);
        }
        const double mare = smoothstep(0.3, 0.5, field + 0.2 * fbm(d * 5.0, 4, 0x3a7eu));
        double a = 0.66 + 0.06 * fbm(d * 4.0, 5, 0x300au);
        a = mix(a, 0.34 + 0.08 * fbm(d * 4.0, 4, 0x300bu), mare);
        const CraterEffect crater = craters.at(d);
        const double scale = 1.0 - 0.6 * mare;
        a = (a + crater.albedo * scale) * (1.0 + crater.shade * scale);
        return grey(a, 0.3 - 0.5 * mare);
    });
}

Picture makeMarsTexture() {
    CraterField craters(0x3a25u, 450, 0.014, 0.09, 0.0);
    // The classic dark regions (Syrtis Major, Acidalia, Erythraeum, Meridiani, Cimmerium, Tyrrhenum,
    // Sabaeus, Solis, and south of Sabaeus); Hellas, further down, is bright.
    const Blob dark[] = {
        {10, 70, 11, 0.7},   {47, -30, 13, 1.6},  {-25, -40, 14, 2.0}, {-4, 0, 7, 2.2},   {-22, 145, 12, 2.5},
        {-15, 110, 10, 1.8}, {-8, 25, 8, 3.0},    {-27, -87, 5, 1.2},  {-35, 20, 10, 2.5},
    };
    const RampStop soil[] = {
        {0.0, {0.30, 0.18, 0.12}}, {0.35, {0.50, 0.28, 0.17}}, {0.6, {0.72, 0.40, 0.22}},
        {0.85, {0.84, 0.54, 0.32}}, {1.0, {0.90, 0.66, 0.44}},
    };
    return paintSphere(512, 512, [&](const SurfacePoint& p) {
        const Vec3 d = p.direction;
        double t = 0.66 + 0.12 * fbm(d * 3.5, 6, 0x3a01u) + 0.04 * fbm(d * 24.0, 3, 0x3a02u);
        const double ragged = fbm(d * 4.0, 5, 0x3a03u);
        double field = 0;
        for (const Blob& r : dark) field += blobField(p, r);
        double darkness = smoothstep(0.2, 0.55, field + 0.35 * ragged);
        // The southern highlands are generally darker and cratered.
        const double south = smoothstep(15.0, -30.0, p.latitude + 15.0 * fbm(d * 2.0, 3, 0x3a04u));
        darkness = std::max(darkness, 0.55 * south * smoothstep(-0.15, 0.35, fbm(d * 2.5, 5, 0x3a05u)));
        // Patchy inside: dark regions are streaks and spots, not solid fills.
        darkness *= 0.55 + 0.45 * smoothstep(-0.35, 0.35, fbm(d * 9.0, 4, 0x3a0bu));
        t -= 0.36 * darkness;
        t += 0.15 * region(p, -42, 70, 15, 0.2 * ragged);        // Hellas
        t += 0.07 * region(p, 5, -110, 25, -0.3 * ragged, 1.3);  // Tharsis, dusty
        // Valles Marineris: a long dark trench along -10 degrees latitude.
        const LocalOffset canyon = offsetFrom(p, -9.0 + 2.0 * fbm(d * 5.0, 3, 0x3a08u), -72.0);
        if (std::fabs(canyon.east) < 30.0) t -= 0.22 * smoothstep(1.6, 0.3, std::fabs(canyon.north)) * smoothstep(30.0, 20.0, std::fabs(canyon.east));
        // Olympus Mons: a broad shield with a dark caldera.
        const LocalOffset mons = offsetFrom(p, 18.6, -134.0);
        const double monsDistance = std::sqrt(mons.east * mons.east + mons.north * mons.north);
        t += 0.06 * smoothstep(9.0, 6.0, monsDistance) - 0.15 * smoothstep(1.4, 0.8, monsDistance);

        const CraterEffect crater = craters.at(d);
        const double craterScale = 0.2 + 0.6 * south;
        t = (t + 0.6 * crater.albedo * craterScale) * (1.0 + 0.6 * crater.shade * craterScale);
        Rgb colour = ramp(soil, t);

        // Polar caps, the northern one larger, each with a ragged, layered edge.
        const double capEdge = 2.5 * fbm(d * 8.0, 4, 0x3a09u);
        const double northCap = smoothstep(80.0, 82.5, p.latitude + capEdge);
        const LocalOffset southOffset = offsetFrom(p, -87.0, -40.0);
        const double southDistance = std::sqrt(southOffset.east * southOffset.east + southOffset.north * southOffset.north);
        const double southCap = smoothstep(7.5, 5.5, southDistance + capEdge) * smoothstep(-75.0, -80.0, p.latitude);
        const double cap = std::max(northCap, std::max(southCap, smoothstep(-86.0, -88.5, p.latitude)));
        const double layers = 0.5 + 0.5 * gradientNoise(d * 30.0, 0x3a0au);
        colour = mixRgb(colour, Rgb{0.95, 0.94, 0.93} * (0.93 + 0.07 * layers), cap);
        return colour;
    });
}

Picture makePlutoTexture() {
    const RampStop surface[] = {
        {0.0, {0.34, 0.22, 0.15}}, {0.35, {0.55, 0.40, 0.28}}, {0.65, {0.76, 0.64, 0.50}}, {1.0, {0.88, 0.80, 0.68}},
    };
    return paintSphere(256, 256, [&](const SurfacePoint& p) {
        const Vec3 d = p.direction;
        double t = 0.55 + 0.35 * fbm(d * 3.0, 6, 0x9101u);
        Rgb colour = ramp(surface, t);
        // A dark, reddish belt of patches along the equator west of the heart, ragged at its edges.
        const double wobble = fbm(d * 3.0, 5, 0x9102u);
        const double band = smoothstep(20.0, 9.0, std::fabs(p.latitude + 8.0 + 14.0 * wobble) + 6.0 * fbm(d * 9.0, 3, 0x9105u));
        const double west = smoothstep(-175.0 + 25.0 * wobble, -140.0, p.longitude) * smoothstep(0.0, -35.0 + 20.0 * wobble, p.longitude);
        const double patches = 0.75 + 0.25 * fbm(d * 12.0, 3, 0x9106u);
        colour = mixRgb(colour, Rgb{0.26, 0.13, 0.09} * (0.8 + 0.4 * patches), clamp01(band * west * 1.2));
        // The bright heart-shaped plain: (x^2 + y^2 - 1)^3 - x^2 y^3 < 0, north up, about 50 degrees across.
        const LocalOffset o = offsetFrom(p, 20.0, 178.0);
        const double x = o.east / 27.0, y = o.north / 27.0 + 0.1;
        const double q = x * x + y * y - 1.0;
        const double heart = q * q * q - x * x * y * y * y + 0.12 * fbm(d * 7.0, 3, 0x9103u);
        const double inside = smoothstep(0.06, -0.06, heart);
        colour = mixRgb(colour, Rgb{0.96, 0.92, 0.86} * (0.95 + 0.05 * fbm(d * 16.0, 2, 0x9104u)), inside);
        // Bright frost around the north pole.
        colour = mixRgb(colour, Rgb{0.85, 0.80, 0.74}, 0.6 * smoothstep(55.0, 75.0, p.latitude));
        return colour;
    });
}
