#pragma once
// The pictures' own lettering: a 5 x 9 cell font (capitals 7 cells high, descenders 2 more), set with
// proportional spacing. Coordinates are screen-like: x to the right, y downwards, in pixels.
#include <string>
#include <vector>

#include "picture.h"

struct TextStroke {
    double x0, y0, x1, y1;  // centre line of a stroke (equal ends for a dot)
};

constexpr int GLYPH_ROWS = 9;       // cells, including the two descender rows
constexpr int GLYPH_CAP_ROWS = 7;   // cells from the top to the baseline

// Width of `text` in cells.
int textWidthCells(const std::string& text);

// The strokes of `text` with the top left of its first cell at (x, y) and cells `cell` pixels wide:
// each lit cell is a round dot joined to its lit neighbours, which gives smooth letters at any size.
std::vector<TextStroke> textStrokes(const std::string& text, double x, double y, double cell);

// Anti-aliased coverage 0..1 of strokes `radius` pixels thick (half-width) at the pixel centred on (x, y).
double strokeCoverage(const std::vector<TextStroke>& strokes, double x, double y, double radius);

// Blocky text straight into a canvas whose row 0 is the top: each lit cell is a scale x scale square.
void drawBlockText(Canvas* canvas, const std::string& text, int x, int y, int scale, Rgb colour);
