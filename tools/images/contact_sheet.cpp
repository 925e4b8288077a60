#include "contact_sheet.h"

#include <string>

#include "bitmap_font.h"
#include "file_formats.h"
#include "globe_view.h"
#include "pictures.h"
#include "texture_set.h"

namespace {

constexpr int WIDTH = 2048;
constexpr int LABEL = 26;  // height of a label line
const Rgb BACKGROUND{0.16, 0.16, 0.18};
const Rgb INK{0.92, 0.92, 0.92};

void label(Canvas* sheet, int x, int y, const std::string& text) { drawBlockText(sheet, text, x, y + 4, 2, INK); }

void fill(Canvas* sheet, int x, int y, int w, int h, Rgb colour) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) sheet->at(i, j) = colour;
}

// Map seen from outside: u grows to the left, north up.
void drawMap(Canvas* sheet, const Picture& map, int x, int y, int w, int h) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) sheet->at(x + i, y + j) = sampleMap(map, 1.0 - (i + 0.5) / w, 1.0 - (j + 0.5) / h);
}

// The stored rows with t = 1 at the top, as an image viewer would show a texture.
void drawStored(Canvas* sheet, const Picture& picture, int x, int y) {
    for (int j = 0; j < picture.height; ++j)
        for (int i = 0; i < picture.width; ++i) sheet->at(x + i, y + j) = fromPicture(picture, i, picture.height - 1 - j);
}

void drawTopDown(Canvas* sheet, const Picture& picture, int x, int y, int scale) {
    for (int j = 0; j < picture.height * scale; ++j)
        for (int i = 0; i < picture.width * scale; ++i) sheet->at(x + i, y + j) = fromPicture(picture, i / scale, j / scale);
}

void drawGlobes(Canvas* sheet, const Picture& map, int x, int y, int size, bool sun) {
    const double facings[] = {20.0, 140.0, -100.0};
    for (int k = 0; k < 3; ++k) {
        fill(sheet, x + k * size, y, size, size, Rgb{});
        GlobeView view;
        view.centreX = x + k * size + size / 2.0;
        view.centreY = y + size / 2.0;
        view.radius = size / 2.0 - 4;
        view.facingLongitude = facings[k];
        view.tiltDegrees = 15;
        view.light = {-0.5, 0.5, 1.0};
        view.ambient = sun ? 1.0 : 0.45;
        drawGlobe(sheet, map, view);
    }
}

}  // namespace

Picture makeContactSheet(const TextureSet& textures) {
    const std::vector<TextureEntry>& table = textureTable();
    int spheres = 0;
    for (const TextureEntry& e : table) spheres += e.kind == TextureKind::Sphere;
    const int sphereRows = (spheres + 1) / 2;
    const int height = LABEL + sphereRows * (LABEL + 256 + 8) + (LABEL + 256 + 8) + (LABEL + 280 + 8);
    Canvas sheet(WIDTH, height, BACKGROUND);
    label(&sheet, 8, 0, "Orbitarium pictures.  Maps seen from outside (north up, east right); globes as the saver lays the maps on its sphere (centre longitudes 20 E, 140 E and 100 W).");

    int slot = 0;
    const Picture& saturn = textures.at(235);
    const Picture& ring = textures.at(240);
    const Picture& glow = textures.at(228);
    const Picture& loading = textures.at(157);
    for (const TextureEntry& e : table) {
        const Picture& picture = textures.at(e.id);
        if (e.kind != TextureKind::Sphere) continue;
        const int x = (slot % 2) * 1024, y = LABEL + (slot / 2) * (LABEL + 256 + 8);
        label(&sheet, x + 8, y, std::string(e.name) + "  (" + std::to_string(e.id) + ", " + std::to_string(e.width) + " x " + std::to_string(e.height) + ")");
        drawMap(&sheet, picture, x + 4, y + LABEL, 504, 252);
        drawGlobes(&sheet, picture, x + 512, y + LABEL + 43, 170, e.id == 236);
        ++slot;
    }

    int y = LABEL + sphereRows * (LABEL + 256 + 8);
    // Ring: Saturn from above and from below, then the texture itself.
    label(&sheet, 8, y, "ring (240) from above, from below, stored; glow (228); loading (157) on screen and stored");
    for (int k = 0; k < 2; ++k) {
        const int x = 4 + k * 300;
        fill(&sheet, x, y + LABEL, 296, 256, Rgb{});
        RingView view;
        view.centreX = x + 148;
        view.centreY = y + LABEL + 128;
        view.outerRadius = 140;
        view.innerRadius = 140 * 75.0 / 130.0;
        view.tiltDegrees = 28;
        view.fromBelow = k == 1;
        view.planetRadius = 140 * 141.55 / 312.0;
        GlobeView planet;
        planet.centreX = view.centreX;
        planet.centreY = view.centreY;
        planet.radius = view.planetRadius;
        planet.tiltDegrees = k == 1 ? -28 : 28;
        planet.light = {-0.5, 0.5, 1.0};
        planet.ambient = 0.45;
        drawRing(&sheet, ring, view, false);
        drawGlobe(&sheet, saturn, planet);
        drawRing(&sheet, ring, view, true);
    }
    drawStored(&sheet, ring, 604, y + LABEL);
    drawStored(&sheet, glow, 870, y + LABEL);
    // The loading picture as drawn: s = 0..1 across, t = 0.4 at the top to 1 at the bottom.
    fill(&sheet, 1136, y + LABEL, 320, 180, Rgb{});
    for (int j = 0; j < LOADING_SCREEN_HEIGHT; ++j)
        for (int i = 0; i < LOADING_SCREEN_WIDTH; ++i) {
            const double s = (i + 0.5) / LOADING_SCREEN_WIDTH;
            const double t = LOADING_SHOWN_FROM_T + (1.0 - LOADING_SHOWN_FROM_T) * (j + 0.5) / LOADING_SCREEN_HEIGHT;
            sheet.at(1146 + i, y + LABEL + 10 + j) = sampleMap(loading, s, t);
        }
    drawStored(&sheet, loading, 1466, y + LABEL);

    y += LABEL + 256 + 8;
    label(&sheet, 8, y, "dialog bitmap (243) after reduction to 256 colours, at 1x and 2x; icon at each size, 1x and 4x (to 256 pixels)");
    const PalettePicture title = reduceColours(makeTitlePicture(textures), 256);
    const Picture titleColours = expandPalette(title);
    drawTopDown(&sheet, titleColours, 4, y + LABEL, 1);
    drawTopDown(&sheet, titleColours, 214, y + LABEL, 2);
    int x = 630;
    for (int size : iconSizes()) {
        const RgbaImage icon = makeIconImage(size);
        for (int scale : {1, 4}) {
            if (scale > 1 && size * scale > 256) break;  // the large icon at its own size only
            for (int j = 0; j < size * scale; ++j)
                for (int i = 0; i < size * scale; ++i) {
                    const bool light = ((i / 8) + (j / 8)) % 2 == 0;
                    const Rgb ground = light ? Rgb{0.75, 0.75, 0.75} : Rgb{0.55, 0.55, 0.55};
                    const uint8_t* p = &icon.rgba[(static_cast<size_t>(j / scale) * size + i / scale) * 4];
                    sheet.at(x + i, y + LABEL + j) = mixRgb(ground, Rgb{p[0] / 255.0, p[1] / 255.0, p[2] / 255.0}, p[3] / 255.0);
                }
            x += size * scale + 10;
        }
    }
    return toPicture(sheet);
}
