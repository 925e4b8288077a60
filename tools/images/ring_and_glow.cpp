// Saturn's ring and the Sun's glow sprite.
#include <cmath>

#include "bodies.h"
#include "noise.h"

namespace {

// The ring's colour across its width, q = 0 at the outer edge to 1 at the inner edge: the A ring with a
// narrow gap, the dark Cassini division, the bright B ring, the dim C ring.
Rgb ringProfile(double q) {
    const Rgb a{0.80, 0.74, 0.62}, b{0.96, 0.89, 0.74}, c{0.50, 0.47, 0.42}, dim{0.30, 0.28, 0.25};
    const RampStop profile[] = {
        {0.00, dim},   {0.025, a * 0.9}, {0.08, a},       {0.088, a * 0.35}, {0.096, a},  {0.24, a * 0.95},
        {0.255, {0.09, 0.08, 0.07}}, {0.28, {0.16, 0.15, 0.13}}, {0.30, {0.07, 0.06, 0.05}}, {0.32, b * 0.85},
        {0.42, b},     {0.55, b * 0.93}, {0.70, b * 0.8}, {0.73, c},         {0.85, c * 0.9}, {0.97, c * 0.75}, {1.0, dim},
    };
    // Fine ringlets.
    const double ringlets = 1.0 + 0.07 * gradientNoise({q * 90.0, 0.5, 0.5}, 0x41a6u) + 0.04 * gradientNoise({q * 23.0, 0.5, 0.5}, 0x41a7u);
    return ramp(profile, q) * ringlets;
}

}  // namespace

// The ring reads the texture across its width only: its top face from u = 0.5 (outer edge) to 0.75
// (inner edge), its bottom face from u = 0 (outer) to 1 (inner), and each thin edge face one quarter.
// The top face gets the whole profile in 0.5..0.75; the rest of the width holds the same profile at its
// full width (A ring, Cassini division, B ring outside 0.5, C ring inside 0.75), so that from below
// the ring also shows its bands and division rather than four copies of them.
Picture makeRingTexture() {
    constexpr int SIZE = 256;
    Canvas canvas(SIZE, SIZE);
    for (int column = 0; column < SIZE; ++column) {
        const double u = (column + 0.5) / SIZE;
        const double q = (u >= 0.5 && u < 0.75) ? (u - 0.5) * 4.0 : u;
        const Rgb colour = ringProfile(q);
        for (int row = 0; row < SIZE; ++row) {
            // Nearly constant around the ring: a faint, periodic variation in v.
            const double v = (row + 0.5) / SIZE;
            const double around = 1.0 + 0.015 * detSin(TWO_PI * (3.0 * v + q)) + 0.01 * detSin(TWO_PI * 7.0 * v);
            canvas.at(column, row) = colour * around;
        }
    }
    return toPicture(canvas);
}

// A bright orange round glow fading smoothly to pure black at 0.85 of the half-width, so that the
// square sprite's borders and corners are black. Faint streaks make the two turning sprites visible.
Picture makeGlowTexture() {
    constexpr int SIZE = 256;
    constexpr double END = 0.85;
    Canvas canvas(SIZE, SIZE);
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x) {
            const double dx = (x + 0.5 - SIZE / 2.0) / (SIZE / 2.0), dy = (y + 0.5 - SIZE / 2.0) / (SIZE / 2.0);
            const double r = std::sqrt(dx * dx + dy * dy);
            if (r >= END) continue;
            const double s = 1.0 - (r / END) * (r / END);
            const double halo = s * s * s;
            const double core = detExp(-(r / 0.1) * (r / 0.1));
            double streaks = 0;
            if (r > 1e-9) {
                const Vec3 direction{dx / r * 5.0, dy / r * 5.0, 0.5};
                streaks = 0.22 * gradientNoise(direction, 0x610bu) * smoothstep(0.08, 0.35, r);
            }
            const double intensity = (0.75 * halo * (1.0 + streaks) + 0.35 * core);
            // Hotter (whiter) in the centre, orange further out.
            const Rgb hot{1.0, 0.93, 0.70}, warm{1.0, 0.58, 0.16};
            const Rgb colour = mixRgb(warm, hot, clamp01(core + 0.3 * halo * halo));
            canvas.at(x, y) = colour * (1.25 * intensity);
        }
    return toPicture(canvas);
}
