// The loading picture: the saver's name over a small orbit, and "Loading...", on a dark panel.
#include <algorithm>
#include <cmath>
#include <vector>

#include "bitmap_font.h"
#include "noise.h"
#include "pictures.h"

namespace {

constexpr int SIZE = 256;
const Rgb EDGE{0.015, 0.02, 0.06};  // outside the panel, and the rows that are never shown

struct Star {
    double x, y, radius, brightness;
};

// The design in screen pixels (x right, y down, 300 x 160), with the text layers kept apart.
class LoadingDesign {
public:
    LoadingDesign() {
        const double titleCell = 4.2, loadingCell = 2.4;
        const double titleLeft = 160.0 - textWidthCells("Orbitarium") * titleCell / 2.0;
        title_ = textStrokes("Orbitarium", titleLeft, 40.0, titleCell);
        titleRadius_ = 0.55 * titleCell;
        const double loadingLeft = 150.0 - textWidthCells("Loading...") * loadingCell / 2.0;
        loading_ = textStrokes("Loading...", loadingLeft, 100.0, loadingCell);
        loadingRadius_ = 0.55 * loadingCell;
        Scatter scatter(0x10adu);
        for (int i = 0; i < 70; ++i)
            stars_.push_back({scatter.range(8, 292), scatter.range(8, 152), scatter.range(0.45, 1.0), scatter.range(0.25, 1.0)});
    }

    double textAt(double x, double y) const {
        return std::max(strokeCoverage(title_, x, y, titleRadius_), strokeCoverage(loading_, x, y, loadingRadius_));
    }

    Rgb colourAt(double x, double y) const {
        // Panel: a rounded rectangle 4 pixels in from the edge, with a thin light border.
        const double inset = 4.0, corner = 8.0;
        const double qx = std::max(std::fabs(x - 150.0) - (150.0 - inset - corner), 0.0);
        const double qy = std::max(std::fabs(y - 80.0) - (80.0 - inset - corner), 0.0);
        const double outside = std::sqrt(qx * qx + qy * qy) - corner;  // < 0 inside the panel
        if (outside > 1.5) return EDGE;
        const double glowY = (y - 70.0) / 90.0;
        Rgb colour = mixRgb(Rgb{0.02, 0.03, 0.09}, Rgb{0.05, 0.07, 0.18}, clamp01(1.0 - glowY * glowY));
        for (const Star& s : stars_) {
            const double d = std::sqrt((x - s.x) * (x - s.x) + (y - s.y) * (y - s.y));
            colour = colour + Rgb{0.9, 0.92, 1.0} * (s.brightness * clamp01(s.radius - d + 0.5));
        }
        // An orbit whose left focus holds a small sun, and a blue planet on it.
        const double sunX = 24.7, sunY = 58.0;
        const double ex = (x - 150.0) / 128.0, ey = (y - 58.0) / 26.0;
        const double ellipse = std::fabs(std::sqrt(ex * ex + ey * ey) - 1.0) * 26.0;  // about pixels off the line
        colour = mixRgb(colour, Rgb{0.30, 0.42, 0.70}, 0.7 * clamp01(0.9 - ellipse));
        const double sunDistance = std::sqrt((x - sunX) * (x - sunX) + (y - sunY) * (y - sunY));
        colour = colour + Rgb{1.0, 0.55, 0.15} * (0.55 * detExp(-sunDistance / 9.0));
        colour = mixRgb(colour, mixRgb(Rgb{1.0, 0.97, 0.75}, Rgb{1.0, 0.7, 0.2}, clamp01(sunDistance / 9.0)), clamp01(9.0 - sunDistance + 0.5));
        const double px = 150.0 + 128.0 * 0.5, py = 58.0 + 26.0 * 0.866;  // 60 degrees round, under the name
        const double planetDistance = std::sqrt((x - px) * (x - px) + (y - py) * (y - py));
        const double lit = clamp01(0.5 - (x - px) / 8.0);  // lit from the sun on the left
        colour = mixRgb(colour, mixRgb(Rgb{0.10, 0.22, 0.50}, Rgb{0.35, 0.60, 1.0}, lit), clamp01(4.5 - planetDistance + 0.5));
        // Lettering: a warm halo, then gold letters shading from light to deep; "Loading..." pale blue.
        const double halo = strokeCoverage(title_, x, y, titleRadius_ + 3.0);
        colour = colour + Rgb{0.5, 0.25, 0.05} * (0.35 * halo);
        const double gold = clamp01((y - 40.0) / 30.0);
        colour = mixRgb(colour, mixRgb(Rgb{1.0, 0.94, 0.66}, Rgb{0.95, 0.60, 0.16}, gold), strokeCoverage(title_, x, y, titleRadius_));
        colour = mixRgb(colour, Rgb{0.76, 0.83, 0.96}, strokeCoverage(loading_, x, y, loadingRadius_));
        // Border line, and the panel's anti-aliased edge.
        colour = mixRgb(colour, Rgb{0.32, 0.38, 0.56}, 0.8 * clamp01(1.0 - std::fabs(outside + 0.75) / 0.75));
        return mixRgb(colour, EDGE, clamp01(outside));
    }

private:
    std::vector<TextStroke> title_, loading_;
    double titleRadius_ = 0, loadingRadius_ = 0;
    std::vector<Star> stars_;
};

}  // namespace

Picture makeLoadingPicture(std::vector<double>* textCoverage) {
    const LoadingDesign design;
    Canvas canvas(SIZE, SIZE, EDGE);
    if (textCoverage) textCoverage->assign(static_cast<size_t>(SIZE) * SIZE, 0.0);
    for (int row = 0; row < SIZE; ++row) {
        // Texel centre row -> t -> screen y; rows above t = 0.4 are never shown and keep the edge colour.
        const double t = (row + 0.5) / SIZE;
        const double y = (t - LOADING_SHOWN_FROM_T) / (1.0 - LOADING_SHOWN_FROM_T) * LOADING_SCREEN_HEIGHT;
        if (y < 0) continue;
        for (int column = 0; column < SIZE; ++column) {
            const double x = (column + 0.5) / SIZE * LOADING_SCREEN_WIDTH;
            canvas.at(column, row) = design.colourAt(x, y);
            if (textCoverage) (*textCoverage)[static_cast<size_t>(row) * SIZE + column] = design.textAt(x, y);
        }
    }
    return toPicture(canvas);
}
