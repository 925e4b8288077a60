#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scene/scene.h"
#include "scene/tour_spline.h"

namespace {

struct OwnedSpline {
    CameraSpline spline{};
    ~OwnedSpline() { releaseCameraSpline(&spline); }
};

class TourColumns : public ::testing::TestWithParam<int> {
protected:
    const double* column() const { return GetParam() < 3 ? PATH_EYE[GetParam()] : PATH_TARGET[GetParam() - 3]; }
};

TEST_P(TourColumns, PassesThroughEveryPointAndClosesOnTheStart) {
    OwnedSpline s;
    buildCameraSpline(&s.spline, PATH_KNOTS, column(), PATH_POINT_COUNT, 0.0, 0.0);
    const double* y = column();
    EXPECT_NEAR(evalCameraSpline(&s.spline, 0.0), y[0], 1e-9);
    EXPECT_NEAR(evalCameraSpline(&s.spline, 1.0), y[0], 1e-9);
    for (int k = 0; k <= 35; ++k) EXPECT_NEAR(evalCameraSpline(&s.spline, PATH_KNOTS[k]), y[k], 1e-9) << k;
    // One step before the end: within a fraction of a unit of the last point, which repeats the first.
    EXPECT_NEAR(evalCameraSpline(&s.spline, 36999.0), y[36], 0.05);
    EXPECT_EQ(y[36], y[0]);
    // The camera starts from rest: no jump between neighbouring parameters anywhere on the tour.
    double previous = evalCameraSpline(&s.spline, 1.0);
    for (int u = 2; u < 37000; ++u) {
        const double value = evalCameraSpline(&s.spline, u);
        ASSERT_LT(std::fabs(value - previous), 5.0) << u;
        previous = value;
    }
}

INSTANTIATE_TEST_SUITE_P(AllSix, TourColumns, ::testing::Range(0, 6));

TEST(TourSpline, InitialCameraIsTheTourStart) {
    // The first frame's camera is where the built tour starts, so switching the autopilot on at once
    // does not jump.
    for (int k = 0; k < 3; ++k) {
        OwnedSpline eye, target;
        buildCameraSpline(&eye.spline, PATH_KNOTS, PATH_EYE[k], PATH_POINT_COUNT, 0.0, 0.0);
        buildCameraSpline(&target.spline, PATH_KNOTS, PATH_TARGET[k], PATH_POINT_COUNT, 0.0, 0.0);
        EXPECT_NEAR(INITIAL_EYE[k], evalCameraSpline(&eye.spline, 0.0), 1e-3) << k;
        EXPECT_NEAR(INITIAL_TARGET[k], evalCameraSpline(&target.spline, 0.0), 1e-3) << k;
    }
}

TEST(TourSpline, ClampedEndsHaveTheGivenSlopeAndNaturalEndsNoCurvature) {
    const double x[] = {0, 1, 3, 4, 7};
    const double y[] = {1, 2, 0, 5, 3};
    OwnedSpline clamped;
    buildCameraSpline(&clamped.spline, x, y, 5, 0.5, -2.0);
    const double h = 1e-6;
    EXPECT_NEAR((evalCameraSpline(&clamped.spline, h) - evalCameraSpline(&clamped.spline, 0)) / h, 0.5, 1e-4);
    EXPECT_NEAR((evalCameraSpline(&clamped.spline, 7 - h) - evalCameraSpline(&clamped.spline, 7 - 2 * h)) / h,
                -2.0, 1e-4);

    OwnedSpline natural;
    buildCameraSpline(&natural.spline, x, y, 5, 2e10, 2e10);
    EXPECT_EQ(natural.spline.secondDerivs[0], 0.0);
    EXPECT_EQ(natural.spline.secondDerivs[4], 0.0);
    for (int k = 0; k < 5; ++k) EXPECT_NEAR(evalCameraSpline(&natural.spline, x[k] + (k == 4 ? -1e-12 : 0)), y[k], 1e-9);
    // Continuous slope across an inner knot.
    const double left = (evalCameraSpline(&natural.spline, 3) - evalCameraSpline(&natural.spline, 3 - h)) / h;
    const double right = (evalCameraSpline(&natural.spline, 3 + h) - evalCameraSpline(&natural.spline, 3)) / h;
    EXPECT_NEAR(left, right, 1e-4);
}

TEST(TourSpline, CopiesItsTablesAndStaysInsideForParametersAtTheEnds) {
    std::vector<double> x = {0, 10, 20}, y = {0, 5, 0};
    OwnedSpline s;
    buildCameraSpline(&s.spline, x.data(), y.data(), 3, 0, 0);
    x[1] = 1e9;  // the spline keeps its own copy
    y[1] = 1e9;
    EXPECT_NEAR(evalCameraSpline(&s.spline, 10), 5.0, 1e-12);
    // At or beyond the last knot the last interval is used; nothing is read past the arrays.
    EXPECT_NEAR(evalCameraSpline(&s.spline, 20), 0.0, 1e-12);
    EXPECT_TRUE(std::isfinite(evalCameraSpline(&s.spline, 25)));
}

}  // namespace
