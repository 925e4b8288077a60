// The Earth: Natural Earth's land, coloured by a rough climate from latitude, distance from the sea and
// a few known dry and wet regions; shallow seas, sea ice and ice sheets; a light cover of cloud.
#include <cmath>
#include <vector>

#include "bodies.h"
#include "noise.h"
#include "sphere_map.h"

namespace {

constexpr int SIZE = 512;

// Box blur over a sphere map: wraps along rows (longitude), clamps at the poles.
std::vector<double> blurred(const std::vector<double>& field, int radius, int passes) {
    std::vector<double> a = field, b(field.size());
    for (int pass = 0; pass < passes; ++pass) {
        for (int r = 0; r < SIZE; ++r)
            for (int c = 0; c < SIZE; ++c) {
                double sum = 0;
                for (int k = -radius; k <= radius; ++k) sum += a[r * SIZE + (c + k + SIZE) % SIZE];
                b[r * SIZE + c] = sum / (2 * radius + 1);
            }
        for (int r = 0; r < SIZE; ++r)
            for (int c = 0; c < SIZE; ++c) {
                double sum = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const int rr = r + k < 0 ? 0 : (r + k >= SIZE ? SIZE - 1 : r + k);
                    sum += b[rr * SIZE + c];
                }
                a[r * SIZE + c] = sum / (2 * radius + 1);
            }
    }
    return a;
}

// A texel's place for the regional boxes below: its latitude and longitude moved by a few degrees of
// noise, so that no box shows a straight border.
struct Place {
    double latitude, longitude;
};

Place placeOf(const SurfacePoint& p) {
    const double wander = 5.0 * fbm(p.direction * 3.0, 3, 0xea20u);
    return {p.latitude + wander, p.longitude - wander};
}

// 1 inside a latitude-longitude box, fading to 0 over `soft` degrees on each side of its edges.
double box(const Place& place, double south, double north, double west, double east, double soft) {
    const double latitude = place.latitude, longitude = place.longitude;
    const double inLatitude = smoothstep(south - soft, south + soft, latitude) * smoothstep(north + soft, north - soft, latitude);
    const double inLongitude = smoothstep(west - soft, west + soft, longitude) * smoothstep(east + soft, east - soft, longitude);
    return inLatitude * inLongitude;
}

// Wetness of the land, 0 desert .. 1 rain forest.
double wetness(const SurfacePoint& p, const Place& place, double inland) {
    const RampStop byLatitude[] = {{0, {1.0, 0, 0}},   {12, {0.75, 0, 0}}, {22, {0.2, 0, 0}}, {30, {0.3, 0, 0}},
                                   {40, {0.55, 0, 0}}, {52, {0.75, 0, 0}}, {90, {0.7, 0, 0}}};
    double w = ramp(byLatitude, std::fabs(p.latitude)).r;
    w -= 0.35 * smoothstep(0.55, 0.95, inland);
    struct Region {
        double south, north, west, east, change;
    };
    const Region regions[] = {
        {15, 32, -17, 60, -0.6},     // Sahara and Arabia
        {24, 38, 44, 70, -0.35},     // Iran and the Thar side
        {-32, -18, 118, 145, -0.45}, // inland Australia
        {37, 48, 75, 112, -0.45},    // Taklamakan and Gobi
        {-28, -17, 12, 25, -0.3},    // Namib and Kalahari
        {28, 40, -118, -103, -0.3},  // American south-west
        {-28, -17, -71, -67, -0.4},  // Atacama
        {-50, -38, -71, -64, -0.25}, // Patagonia
        {-12, 5, -75, -48, 0.35},    // Amazon
        {-6, 5, 10, 30, 0.3},        // Congo
        {8, 28, 73, 92, 0.3},        // India's monsoon
        {-10, 22, 95, 152, 0.4},     // South-east Asia and the islands
        {28, 45, -95, -75, 0.25},    // eastern North America
        {44, 60, -10, 40, 0.2},      // Europe
        {22, 40, 105, 122, 0.3},     // southern China
    };
    for (const Region& r : regions) w += r.change * box(place, r.south, r.north, r.west, r.east, 6.0);
    return clamp01(w + 0.18 * fbm(p.direction * 6.0, 5, 0xea01u));
}

Rgb landColour(const SurfacePoint& p, double inland) {
    const Vec3 d = p.direction;
    const Place place = placeOf(p);
    const RampStop vegetation[] = {
        {0.00, {0.80, 0.66, 0.45}}, {0.18, {0.74, 0.58, 0.38}}, {0.35, {0.60, 0.55, 0.33}},
        {0.55, {0.34, 0.44, 0.20}}, {0.78, {0.17, 0.33, 0.12}}, {1.00, {0.09, 0.26, 0.08}},
    };
    const double wet = wetness(p, place, inland);
    Rgb colour = ramp(vegetation, wet);
    // Reddish sand in the hottest deserts.
    colour = mixRgb(colour, Rgb{0.74, 0.50, 0.30}, 0.35 * box(place, -30, 28, -10, 140, 6) * smoothstep(0.3, 0.0, wet));
    colour = colour * (1.0 + 0.06 * fbm(d * 20.0, 3, 0xea04u));
    // Mountains: a little darker along ridges; Himalaya and Tibet, the Andes and the Rockies get snow.
    const double ridges = ridged(d * 4.0, 4, 0xea02u);
    colour = colour * (1.0 - 0.08 * smoothstep(0.6, 0.9, ridges));
    const double high = std::max(box(place, 27, 38, 75, 100, 3), std::max(box(place, -40, 5, -78, -66, 2), box(place, 35, 55, -122, -108, 3)));
    colour = mixRgb(colour, Rgb{0.52, 0.47, 0.40}, 0.5 * high * smoothstep(0.45, 0.75, ridges));
    colour = mixRgb(colour, Rgb{0.90, 0.91, 0.93}, 0.6 * box(place, 27, 36, 77, 97, 2) * smoothstep(0.7, 0.9, ridges));
    // Cold lands: boreal forest, then tundra, then ice.
    const double latitude = std::fabs(p.latitude) + 3.0 * fbm(d * 9.0, 3, 0xea03u);
    colour = mixRgb(colour, Rgb{0.14, 0.24, 0.13}, smoothstep(50.0, 58.0, latitude) * 0.7);
    colour = mixRgb(colour, Rgb{0.47, 0.45, 0.38}, smoothstep(63.0, 70.0, latitude));
    double ice = smoothstep(74.0, 80.0, latitude);
    ice = std::max(ice, smoothstep(-60.0, -64.0, p.latitude));                       // Antarctica
    ice = std::max(ice, box(place, 60, 84, -72, -18, 2) * smoothstep(0.35, 0.6, inland));  // Greenland
    return mixRgb(colour, Rgb{0.92, 0.94, 0.97}, ice);
}

Rgb oceanColour(const SurfacePoint& p, double nearLand) {
    const Vec3 d = p.direction;
    const Rgb deep{0.02, 0.08, 0.27}, shelf{0.06, 0.24, 0.44};
    Rgb colour = mixRgb(deep, shelf, smoothstep(0.05, 0.6, nearLand));
    colour = colour * (1.0 + 0.08 * fbm(d * 8.0, 3, 0xea10u));
    // Sea ice round both poles; the Antarctic ice shelves count as ice too.
    const double wobble = 3.0 * fbm(d * 7.0, 4, 0xea11u);
    const double ice = std::max(smoothstep(74.0, 80.0, p.latitude + wobble), smoothstep(-65.0, -71.0, p.latitude + wobble));
    return mixRgb(colour, Rgb{0.88, 0.92, 0.96}, ice);
}

// Cloud cover 0..0.85: more along the equator and in the storm belts, less over the subtropics.
double cloudCover(const SurfacePoint& p) {
    const Vec3 d = p.direction;
    const Vec3 warp{fbm(d * 2.0, 3, 0xec01u), fbm(d * 2.0, 3, 0xec02u), fbm(d * 2.0, 3, 0xec03u)};
    const double n = fbm(d * 2.6 + warp * 0.7, 6, 0xec04u, 0.5);
    const double a = std::fabs(p.latitude);
    const double belts = 0.25 * detExp(-(a / 7.0) * (a / 7.0)) + 0.2 * smoothstep(35.0, 52.0, a) - 0.15 * smoothstep(12.0, 22.0, a) * smoothstep(38.0, 28.0, a);
    return 0.8 * smoothstep(0.1, 0.55, n + belts);
}

}  // namespace

Picture makeEarthTexture(const LandMask& land) {
    std::vector<double> cover(SIZE * SIZE);
    for (int r = 0; r < SIZE; ++r)
        for (int c = 0; c < SIZE; ++c) cover[r * SIZE + c] = land.width ? landCoverage(land, c, r, SIZE, SIZE) : 0.0;
    const std::vector<double> nearLand = blurred(cover, 4, 2);
    const std::vector<double> inland = blurred(cover, 14, 2);
    return paintSphere(SIZE, SIZE, [&](const SurfacePoint& p) {
        const size_t i = static_cast<size_t>(p.row) * SIZE + p.column;
        const Rgb surface = mixRgb(oceanColour(p, nearLand[i]), landColour(p, inland[i]), cover[i]);
        return mixRgb(surface, Rgb{0.95, 0.96, 0.97}, cloudCover(p));
    });
}
