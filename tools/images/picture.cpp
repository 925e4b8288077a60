#include "picture.h"

#include <algorithm>
#include <cmath>

uint8_t toByte(double channel) {
    if (!(channel > 0.0)) return 0;  // also catches NaN
    if (channel >= 1.0) return 255;
    return static_cast<uint8_t>(std::floor(channel * 255.0 + 0.5));
}

Picture toPicture(const Canvas& canvas) {
    Picture picture(canvas.width, canvas.height);
    for (size_t i = 0; i < canvas.pixels.size(); ++i) {
        picture.rgb[3 * i + 0] = toByte(canvas.pixels[i].r);
        picture.rgb[3 * i + 1] = toByte(canvas.pixels[i].g);
        picture.rgb[3 * i + 2] = toByte(canvas.pixels[i].b);
    }
    return picture;
}

Rgb fromPicture(const Picture& picture, int x, int y) {
    const uint8_t* p = picture.pixel(x, y);
    return {p[0] / 255.0, p[1] / 255.0, p[2] / 255.0};
}

Picture flipRows(const Picture& picture) {
    Picture flipped(picture.width, picture.height);
    const size_t rowBytes = static_cast<size_t>(picture.width) * 3;
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* from = picture.pixel(0, picture.height - 1 - y);
        std::copy(from, from + rowBytes, flipped.pixel(0, y));
    }
    return flipped;
}

Rgb ramp(const RampStop* stops, int count, double t) {
    if (t <= stops[0].at) return stops[0].colour;
    for (int i = 1; i < count; ++i) {
        if (t <= stops[i].at) {
            const double f = (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
            return mixRgb(stops[i - 1].colour, stops[i].colour, f);
        }
    }
    return stops[count - 1].colour;
}
