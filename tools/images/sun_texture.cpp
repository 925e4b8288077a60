// The Sun: granulation in warm yellow and orange, brighter faculae and a few dark spots in two belts.
#include <vector>

#include "bodies.h"
#include "noise.h"
#include "sphere_map.h"

namespace {

struct Sunspot {
    Vec3 centre;
    double radius;  // chord
};

std::vector<Sunspot> placeSunspots() {
    std::vector<Sunspot> spots;
    Scatter scatter(0x5017u);
    for (int group = 0; group < 7; ++group) {
        const double hemisphere = group % 2 ? 1.0 : -1.0;
        const double latitude = hemisphere * scatter.range(9.0, 27.0);
        const double longitude = scatter.range(-180.0, 180.0);
        const double size = scatter.range(0.022, 0.05);
        spots.push_back({directionOf(latitude, longitude), size});
        // A smaller follower a little to the east, as spots come in groups.
        const int followers = static_cast<int>(scatter.uniform() * 3.0);
        for (int f = 0; f < followers; ++f) {
            spots.push_back({directionOf(latitude + scatter.range(-2.5, 2.5), longitude + scatter.range(3.0, 9.0)),
                             size * scatter.range(0.35, 0.6)});
        }
    }
    return spots;
}

}  // namespace

Picture makeSunTexture() {
    const std::vector<Sunspot> spots = placeSunspots();
    const RampStop photosphere[] = {
        {0.00, {0.45, 0.08, 0.00}}, {0.30, {0.80, 0.30, 0.02}}, {0.55, {0.98, 0.58, 0.10}},
        {0.75, {1.00, 0.78, 0.26}}, {0.90, {1.00, 0.90, 0.50}}, {1.00, {1.00, 0.97, 0.78}},
    };
    return paintSphere(512, 512, [&](const SurfacePoint& p) {
        const Vec3 d = p.direction;
        const CellDistances cells = cellNoise(d * 26.0, 0x6a17u);
        const double granule = smoothstep(0.0, 0.32, cells.second - cells.nearest);
        const double mottling = fbm(d * 5.0, 5, 0x50a1u);
        const double fine = gradientNoise(d * 70.0, 0x77u);
        double intensity = 0.50 + 0.22 * granule + 0.16 * mottling + 0.04 * fine;

        for (const Sunspot& spot : spots) {
            const double distance = length(d - spot.centre) / spot.radius;
            if (distance > 3.0) continue;
            // Faculae: a bright, patchy surround.
            const double patch = 0.5 + 0.5 * gradientNoise(d * 40.0, 0xfacu);
            intensity += 0.10 * patch * smoothstep(3.0, 1.3, distance) * smoothstep(0.9, 1.3, distance);
            // Penumbra with radial fibrils, then the umbra.
            const double fibril = gradientNoise((d - spot.centre) * (1.0 / spot.radius) * 6.0 + spot.centre * 9.0, 0xf1bu);
            const double penumbra = 0.30 + 0.06 * fibril;
            intensity = mix(intensity, penumbra, smoothstep(1.05, 0.8, distance));
            intensity = mix(intensity, 0.06, smoothstep(0.5, 0.38, distance));
        }
        return ramp(photosphere, intensity);
    });
}
