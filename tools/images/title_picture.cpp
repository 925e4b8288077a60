// The settings dialog's title picture: the Sun's edge, a row of planets lit from it, and the name.
#include <algorithm>
#include <cmath>

#include "bitmap_font.h"
#include "globe_view.h"
#include "noise.h"
#include "pictures.h"

Picture makeTitlePicture(const TextureSet& textures) {
    constexpr int WIDTH = 200, HEIGHT = 140;
    Canvas canvas(WIDTH, HEIGHT);
    Scatter scatter(0x717eu);
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) canvas.at(x, y) = mixRgb(Rgb{0.01, 0.015, 0.05}, Rgb{0.03, 0.04, 0.11}, y / (HEIGHT - 1.0));
    for (int i = 0; i < 110; ++i) {
        const int x = static_cast<int>(scatter.uniform() * WIDTH), y = static_cast<int>(scatter.uniform() * HEIGHT);
        const double b = scatter.range(0.25, 0.9);
        canvas.at(x, y) = canvas.at(x, y) + Rgb{b, b, b * 1.05};
    }

    // The Sun, mostly beyond the left edge, with its glow.
    const double sunX = -34.0, sunY = 60.0, sunRadius = 76.0;
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            const double d = std::sqrt((x + 0.5 - sunX) * (x + 0.5 - sunX) + (y + 0.5 - sunY) * (y + 0.5 - sunY));
            if (d > sunRadius) canvas.at(x, y) = canvas.at(x, y) + Rgb{1.0, 0.5, 0.12} * (0.65 * detExp(-(d - sunRadius) / 11.0));
        }
    GlobeView sun;
    sun.centreX = sunX;
    sun.centreY = sunY;
    sun.radius = sunRadius;
    sun.limbDarkening = true;
    drawGlobe(&canvas, textures.at(236), sun);

    struct Planet {
        int texture;
        double x, y, radius, facing;
    };
    const Planet planets[] = {
        {232, 62, 68, 3.5, 0}, {227, 81, 61, 5.5, 0}, {238, 104, 55, 7.0, 15}, {231, 125, 58, 4.5, -60}, {230, 148, 47, 13.0, 80},
    };
    for (const Planet& p : planets) {
        GlobeView view;
        view.centreX = p.x;
        view.centreY = p.y;
        view.radius = p.radius;
        view.facingLongitude = p.facing;
        view.tiltDegrees = 12;
        view.light = {-(p.x - sunX), (p.y - sunY) * 0.5, 0.45 * (p.x - sunX)};
        view.ambient = 0.1;
        drawGlobe(&canvas, textures.at(p.texture), view);
    }
    // Saturn with its ring: far half, planet, near half.
    const Picture& ring = textures.at(240);
    RingView ringView;
    ringView.centreX = 180;
    ringView.centreY = 63;
    ringView.outerRadius = 18;
    ringView.innerRadius = 10.5;
    ringView.tiltDegrees = 24;
    ringView.opacity = 0.85;
    ringView.planetRadius = 8.5;
    drawRing(&canvas, ring, ringView, false);
    GlobeView saturn;
    saturn.centreX = 180;
    saturn.centreY = 63;
    saturn.radius = 8.5;
    saturn.tiltDegrees = 24;
    saturn.light = {-(180 - sunX), 0, 0.45 * (180 - sunX)};
    saturn.ambient = 0.1;
    drawGlobe(&canvas, textures.at(235), saturn);
    drawRing(&canvas, ring, ringView, true);

    // The name, in gold with a warm halo.
    const double cell = 2.9;
    const double left = 104.0 - textWidthCells("Orbitarium") * cell / 2.0, top = 100.0;
    const std::vector<TextStroke> name = textStrokes("Orbitarium", left, top, cell);
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            Rgb c = canvas.at(x, y) + Rgb{0.5, 0.25, 0.05} * (0.35 * strokeCoverage(name, px, py, 0.55 * cell + 2.5));
            const Rgb gold = mixRgb(Rgb{1.0, 0.94, 0.66}, Rgb{0.95, 0.60, 0.16}, clamp01((py - top) / (7 * cell)));
            canvas.at(x, y) = mixRgb(c, gold, strokeCoverage(name, px, py, 0.55 * cell));
        }
    return toPicture(canvas);
}
