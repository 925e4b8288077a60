#include "globe_view.h"

#include <cmath>

Rgb sampleMap(const Picture& map, double u, double v) {
    const double x = u * map.width - 0.5, y = clampTo(v * map.height - 0.5, 0.0, map.height - 1.0);
    const double fx = std::floor(x), fy = std::floor(y);
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    const double tx = x - fx, ty = y - fy;
    auto at = [&](int px, int py) {
        px = ((px % map.width) + map.width) % map.width;
        py = py < 0 ? 0 : (py >= map.height ? map.height - 1 : py);
        return fromPicture(map, px, py);
    };
    return mixRgb(mixRgb(at(x0, y0), at(x0 + 1, y0), tx), mixRgb(at(x0, y0 + 1), at(x0 + 1, y0 + 1), tx), ty);
}

void drawGlobe(Canvas* canvas, const Picture& map, const GlobeView& view) {
    const double tilt = view.tiltDegrees * (PI / 180.0);
    const double ct = detCos(tilt), st = detSin(tilt);
    // Longitude at the centre: a body point straight towards the viewer (+z) has table azimuth
    // atan2(z, x) = 90 degrees, which is longitude -90; turning the body by -(L + 90) degrees about
    // its vertical axis brings longitude L there.
    const double spin = -(view.facingLongitude + 90.0) * (PI / 180.0);
    const double cs = detCos(spin), ss = detSin(spin);
    const Vec3 light = normalized(view.light);
    const int x0 = static_cast<int>(std::floor(view.centreX - view.radius - 1));
    const int x1 = static_cast<int>(std::ceil(view.centreX + view.radius + 1));
    const int y0 = static_cast<int>(std::floor(view.centreY - view.radius - 1));
    const int y1 = static_cast<int>(std::ceil(view.centreY + view.radius + 1));
    for (int py = y0; py <= y1; ++py)
        for (int px = x0; px <= x1; ++px) {
            if (px < 0 || py < 0 || px >= canvas->width || py >= canvas->height) continue;
            const double sx = (px + 0.5 - view.centreX) / view.radius;
            const double sy = -(py + 0.5 - view.centreY) / view.radius;
            const double rr = sx * sx + sy * sy;
            const double coverage = clamp01((1.0 - std::sqrt(rr)) * view.radius + 0.5);
            if (coverage <= 0) continue;
            const double sz = std::sqrt(std::max(0.0, 1.0 - rr));
            // Undo the tilt (about the screen x axis), then the spin (about the vertical axis).
            const double by = sy * ct + sz * st, bz = -sy * st + sz * ct;
            const double bx = sx * cs - bz * ss, bzz = sx * ss + bz * cs;
            // Body (x, y, z) is table (x, z, y).
            const double u = 0.5 + detAtan2(bzz, bx) / TWO_PI;
            const double v = 0.5 + detAsin(by) / PI;
            Rgb colour = sampleMap(map, u, v);
            const double lit = std::max(0.0, sx * light.x + sy * light.y + sz * light.z);
            colour = colour * (view.ambient + (1.0 - view.ambient) * lit);
            if (view.limbDarkening) colour = colour * (0.55 + 0.45 * std::sqrt(sz));
            canvas->at(px, py) = mixRgb(canvas->at(px, py), colour, coverage);
        }
}

void drawRing(Canvas* canvas, const Picture& ring, const RingView& view, bool nearHalfOnly) {
    const double squash = detSin(view.tiltDegrees * (PI / 180.0));
    const int x0 = static_cast<int>(std::floor(view.centreX - view.outerRadius - 1));
    const int x1 = static_cast<int>(std::ceil(view.centreX + view.outerRadius + 1));
    const int y0 = static_cast<int>(std::floor(view.centreY - view.outerRadius * squash - 1));
    const int y1 = static_cast<int>(std::ceil(view.centreY + view.outerRadius * squash + 1));
    constexpr int SUB = 3;  // supersamples per axis
    for (int py = y0; py <= y1; ++py)
        for (int px = x0; px <= x1; ++px) {
            if (px < 0 || py < 0 || px >= canvas->width || py >= canvas->height) continue;
            Rgb sum{};
            double covered = 0;
            for (int j = 0; j < SUB; ++j)
                for (int i = 0; i < SUB; ++i) {
                    const double x = px + (i + 0.5) / SUB - view.centreX;
                    const double y = (py + (j + 0.5) / SUB - view.centreY) / squash;
                    const double r = std::sqrt(x * x + y * y);
                    if (r > view.outerRadius || r < view.innerRadius) continue;
                    const bool nearHalf = (y > 0) != view.fromBelow;
                    if (nearHalfOnly && !nearHalf) continue;
                    // Hidden behind the planet: the far half where the disc covers it.
                    const double sx = x, sy = y * squash;
                    if (!nearHalf && view.planetRadius > 0 && sx * sx + sy * sy < view.planetRadius * view.planetRadius) continue;
                    const double q = (view.outerRadius - r) / (view.outerRadius - view.innerRadius);  // 0 outer .. 1 inner
                    const double u = view.fromBelow ? q : 0.5 + 0.25 * q;
                    sum = sum + sampleMap(ring, u, 0.3);
                    covered += 1;
                }
            if (covered == 0) continue;
            const double alpha = view.opacity * covered / (SUB * SUB);
            canvas->at(px, py) = mixRgb(canvas->at(px, py), sum * (1.0 / covered), alpha);
        }
}
