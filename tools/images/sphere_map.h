#pragma once
// Painting a sphere map the way the saver's sphere reads it: u along a row, v up the columns, row 0 the
// south edge. A texel's point on the unit sphere is given in the sphere table's frame: +z is the north
// pole and the azimuth from +x towards +y is 2 pi (u - 0.5), so the first and last columns are
// neighbours on the sphere and every texel of a pole row lies next to the pole.
#include <functional>

#include "det_math.h"
#include "picture.h"

struct SurfacePoint {
    int column = 0;
    int row = 0;            // 0 = south edge
    double u = 0, v = 0;    // texel centre
    double latitude = 0;    // degrees, +90 north
    // Degrees east as seen on the drawn body: 180 - 360 u. Drawn bodies swap the table's y and z, which
    // turns the map over, so longitude grows towards smaller u: u = 0.5 is longitude 0, u = 0.25 is 90 E.
    double longitude = 0;
    Vec3 direction;         // unit vector
};

// Paints every texel with `colourAt` at its centre; the rows at each pole come out of one colour.
Picture paintSphere(int width, int height, const std::function<Rgb(const SurfacePoint&)>& colourAt);

// The unit vector of a place given by latitude and longitude in degrees, in the same frame.
Vec3 directionOf(double latitudeDegrees, double longitudeDegrees);

// Offset of `point` from a centre (degrees), as (east, north) in degrees of arc near the centre;
// east is scaled by the cosine of the centre's latitude. Longitude differences wrap into -180..180.
struct LocalOffset {
    double east = 0;
    double north = 0;
};
LocalOffset offsetFrom(const SurfacePoint& point, double centreLatitude, double centreLongitude);
