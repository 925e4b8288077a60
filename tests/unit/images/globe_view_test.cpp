// The review pictures lay the maps on a globe as the saver's sphere does; the contact sheet's claim
// "north up, east to the right" rests on this.
#include <gtest/gtest.h>

#include "images/globe_view.h"
#include "images/sphere_map.h"

namespace {

// A map whose red channel encodes longitude and green latitude, both 0..1 across the map.
Picture coordinateMap() {
    return paintSphere(256, 128, [](const SurfacePoint& p) {
        return Rgb{(p.longitude + 180.0) / 360.0, (p.latitude + 90.0) / 180.0, 0.0};
    });
}

TEST(GlobeView, FacingLongitudeAtTheCentreEastToTheRightNorthUp) {
    const Picture map = coordinateMap();
    for (double facing : {-100.0, 20.0, 90.0}) {
        Canvas canvas(101, 101);
        GlobeView view;
        view.centreX = view.centreY = 50.5;
        view.radius = 50;
        view.facingLongitude = facing;
        drawGlobe(&canvas, map, view);
        const Rgb centre = canvas.at(50, 50);
        EXPECT_NEAR(centre.r * 360.0 - 180.0, facing, 3.0);
        EXPECT_NEAR(centre.g * 180.0 - 90.0, 0.0, 3.0);
        EXPECT_GT(canvas.at(70, 50).r, centre.r) << "east to the right of " << facing;
        EXPECT_GT(canvas.at(50, 30).g, centre.g) << "north at the top";
    }
}

TEST(SphereMap, TexelsRunFromTheSouthEdgeWithLongitudeFallingAlongU) {
    const Picture map = coordinateMap();
    // Row 0 is the south edge; u = 0 is longitude 180 and u = 0.5 is Greenwich.
    EXPECT_LT(map.pixel(64, 0)[1], 5);
    EXPECT_GT(map.pixel(64, 127)[1], 250);
    EXPECT_GT(map.pixel(0, 64)[0], 250);
    EXPECT_NEAR(map.pixel(128, 64)[0], 128, 2);
    EXPECT_NEAR(map.pixel(64, 64)[0], 191, 2);  // u = 0.25: 90 E
}

}  // namespace
