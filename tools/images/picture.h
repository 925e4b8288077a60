#pragma once
// Pictures as the saver stores them, and the floating-point canvas they are painted on.
#include <cstddef>
#include <cstdint>
#include <vector>

// A colour with channels in 0..1 (values outside are clamped when stored).
struct Rgb {
    double r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator-(Rgb a, Rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Rgb operator*(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Rgb mixRgb(Rgb a, Rgb b, double t) { return a + (b - a) * t; }
inline double luminance(Rgb c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

// Floating-point pixels, row by row; which row is the top is the painter's business.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Canvas() = default;
    Canvas(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// 8-bit red-green-blue pixels, rows of `width` pixels without padding. Textures keep the saver's order:
// row 0 is the bottom row (t = 0); see each producer for other pictures.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    Picture() = default;
    Picture(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3, 0) {}
    const uint8_t* pixel(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
    uint8_t* pixel(int x, int y) { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// Rounds each channel to the nearest of 0..255 after clamping; the one place where colours become bytes.
uint8_t toByte(double channel);
Picture toPicture(const Canvas& canvas);
Rgb fromPicture(const Picture& picture, int x, int y);
// The same pixels with the rows in reverse order.
Picture flipRows(const Picture& picture);

// Piecewise-linear colour ramp over stops with increasing positions; clamps outside.
struct RampStop {
    double at;
    Rgb colour;
};
Rgb ramp(const RampStop* stops, int count, double t);
template <int N>
Rgb ramp(const RampStop (&stops)[N], double t) {
    return ramp(stops, N, t);
}
