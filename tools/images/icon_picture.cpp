// The icon: a small sun with a tilted orbit and a blue planet, on a transparent ground.
#include <algorithm>
#include <cmath>

#include "det_math.h"
#include "pictures.h"

namespace {

struct Rgba {
    Rgb colour;
    double alpha = 0;
};

// Paints `top` over `under` (straight alpha).
Rgba over(Rgba under, Rgb colour, double alpha) {
    const double a = alpha + under.alpha * (1.0 - alpha);
    if (a <= 0) return {};
    const Rgb c = (colour * alpha + under.colour * (under.alpha * (1.0 - alpha))) * (1.0 / a);
    return {c, a};
}

// The icon at a point (unit square, y down); `pixel` is one pixel in those units (lines stay >= 1 px).
Rgba iconAt(double x, double y, double pixel) {
    Rgba result;
    const double sunX = 0.42, sunY = 0.45, sunR = 0.28;
    const double orbitX = 0.5, orbitY = 0.56, orbitA = 0.47, orbitB = 0.15;
    const double turn = -18.0 * (PI / 180.0), ct = detCos(turn), st = detSin(turn);
    const double line = std::max(0.035, pixel);
    auto orbitLocal = [&](double px, double py, double* ox, double* oy) {
        const double dx = px - orbitX, dy = py - orbitY;
        *ox = dx * ct + dy * st;
        *oy = -dx * st + dy * ct;
    };
    double ox = 0, oy = 0;
    orbitLocal(x, y, &ox, &oy);
    const double onOrbit = std::fabs(std::sqrt((ox / orbitA) * (ox / orbitA) + (oy / orbitB) * (oy / orbitB)) - 1.0) * orbitB;
    const Rgb orbitColour{0.55, 0.76, 1.0};
    const double sunDistance = std::sqrt((x - sunX) * (x - sunX) + (y - sunY) * (y - sunY));
    // Far half of the orbit, behind the sun.
    if (oy < 0 && onOrbit < line / 2) result = over(result, orbitColour, 0.9);
    // Glow and sun.
    if (sunDistance > sunR && pixel < 0.05) result = over(result, Rgb{1.0, 0.6, 0.15}, 0.5 * clamp01(1.0 - (sunDistance - sunR) / 0.1));
    if (sunDistance <= sunR) {
        const double t = sunDistance / sunR;
        result = over(result, mixRgb(Rgb{1.0, 0.97, 0.70}, Rgb{1.0, 0.52, 0.08}, t * t), 1.0);
    }
    // Near half of the orbit, in front.
    if (oy >= 0 && onOrbit < line / 2) result = over(result, orbitColour, 0.95);
    // The planet on the orbit's near side, lit from the sun, with a dark rim to stand out at 16 pixels.
    const double at = 0.55;  // radians round the orbit from its right end, towards the viewer
    const double lx = orbitA * detCos(at), ly = orbitB * detSin(at);
    const double planetX = orbitX + lx * ct - ly * st, planetY = orbitY + lx * st + ly * ct;
    const double planetR = std::max(0.11, 1.6 * pixel);
    const double pd = std::sqrt((x - planetX) * (x - planetX) + (y - planetY) * (y - planetY));
    if (pd <= planetR + pixel * 0.8) result = over(result, Rgb{0.03, 0.06, 0.15}, 1.0);
    if (pd <= planetR) {
        const double towardsSun = ((sunX - planetX) * (x - planetX) + (sunY - planetY) * (y - planetY)) / (planetR * std::max(1e-9, std::sqrt((sunX - planetX) * (sunX - planetX) + (sunY - planetY) * (sunY - planetY))));
        result = over(result, mixRgb(Rgb{0.10, 0.25, 0.60}, Rgb{0.45, 0.72, 1.0}, clamp01(0.5 + 0.6 * towardsSun)), 1.0);
    }
    return result;
}

}  // namespace

RgbaImage makeIconImage(int size) {
    RgbaImage image;
    image.width = image.height = size;
    image.rgba.resize(static_cast<size_t>(size) * size * 4);
    constexpr int SUB = 8;
    const double pixel = 1.0 / size;
    for (int py = 0; py < size; ++py)
        for (int px = 0; px < size; ++px) {
            Rgb premultiplied{};
            double alpha = 0;
            for (int j = 0; j < SUB; ++j)
                for (int i = 0; i < SUB; ++i) {
                    const Rgba s = iconAt((px + (i + 0.5) / SUB) * pixel, (py + (j + 0.5) / SUB) * pixel, pixel);
                    premultiplied = premultiplied + s.colour * s.alpha;
                    alpha += s.alpha;
                }
            alpha /= SUB * SUB;
            const Rgb colour = alpha > 0 ? premultiplied * (1.0 / (alpha * SUB * SUB)) : Rgb{};
            uint8_t* out = &image.rgba[(static_cast<size_t>(py) * size + px) * 4];
            out[0] = toByte(colour.r);
            out[1] = toByte(colour.g);
            out[2] = toByte(colour.b);
            out[3] = toByte(alpha);
        }
    return image;
}
