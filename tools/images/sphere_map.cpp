#include "sphere_map.h"

#include <vector>

Picture paintSphere(int width, int height, const std::function<Rgb(const SurfacePoint&)>& colourAt) {
    std::vector<double> azimuthCos(width), azimuthSin(width);
    for (int c = 0; c < width; ++c) {
        const double azimuth = TWO_PI * ((c + 0.5) / width - 0.5);
        azimuthCos[c] = detCos(azimuth);
        azimuthSin[c] = detSin(azimuth);
    }
    Canvas canvas(width, height);
    for (int r = 0; r < height; ++r) {
        SurfacePoint point;
        point.row = r;
        point.v = (r + 0.5) / height;
        point.latitude = (point.v - 0.5) * 180.0;
        const double latitude = point.latitude * (PI / 180.0);
        const double ring = detCos(latitude), z = detSin(latitude);
        for (int c = 0; c < width; ++c) {
            point.column = c;
            point.u = (c + 0.5) / width;
            point.longitude = 180.0 - 360.0 * point.u;
            point.direction = {ring * azimuthCos[c], ring * azimuthSin[c], z};
            canvas.at(c, r) = colourAt(point);
        }
    }
    // Every texel of the pole rows lies by the pole, and the sphere's pole triangles draw their tips
    // from them: make the outermost row one colour, its mean, and ease the next two towards theirs.
    const double pull[] = {1.0, 2.0 / 3.0, 1.0 / 3.0};
    for (int k = 0; k < 3 && 2 * k + 1 < height; ++k)
        for (int r : {k, height - 1 - k}) {
            Rgb mean{};
            for (int c = 0; c < width; ++c) mean = mean + canvas.at(c, r);
            mean = mean * (1.0 / width);
            for (int c = 0; c < width; ++c) canvas.at(c, r) = mixRgb(canvas.at(c, r), mean, pull[k]);
        }
    return toPicture(canvas);
}

Vec3 directionOf(double latitudeDegrees, double longitudeDegrees) {
    const double latitude = latitudeDegrees * (PI / 180.0);
    const double azimuth = -longitudeDegrees * (PI / 180.0);  // longitude = -azimuth, see SurfacePoint
    const double ring = detCos(latitude);
    return {ring * detCos(azimuth), ring * detSin(azimuth), detSin(latitude)};
}

LocalOffset offsetFrom(const SurfacePoint& point, double centreLatitude, double centreLongitude) {
    double east = point.longitude - centreLongitude;
    east -= 360.0 * std::floor((east + 180.0) / 360.0);
    return {east * detCos(centreLatitude * (PI / 180.0)), point.latitude - centreLatitude};
}
