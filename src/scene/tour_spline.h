#pragma once
// The autopilot's tour: each camera coordinate is a clamped cubic spline over the path parameter.
#include <cstdint>

struct CameraSpline {
    int32_t pointCount;    // n
    double* secondDerivs;  // M[0..n-1], the curve's second derivatives at the knots
    double* knots;         // x[0..n-1], strictly increasing
    double* values;        // y[0..n-1]
};

// The solver's working rows hold at most this many points.
constexpr int SPLINE_MAX_POINTS = 200;
// A slope above this makes that end natural (zero second derivative) instead of clamped.
constexpr double NATURAL_END_SLOPE = 1e10;

// Copies the knots and values into arrays of the spline's own and solves the second derivatives for
// the given end slopes (dy/du). n is 2 to SPLINE_MAX_POINTS.
void buildCameraSpline(CameraSpline* spline, const double* knots, const double* values, int n, double startSlope,
                       double endSlope);

// Frees the spline's arrays (the saver keeps its tour for the whole run; tests release theirs).
void releaseCameraSpline(CameraSpline* spline);

// y(u) for x[0] <= u < x[n-1]; the interval is found by bisection, a knot belonging to the interval
// that starts there.
double evalCameraSpline(const CameraSpline* spline, double u);

// The tour: 37 points of the path parameter, and per point the eye's and the target's coordinates.
// Point 0, point 1 and point 36 are the same place, so the tour starts and ends still, and closes.
constexpr int PATH_POINT_COUNT = 37;
constexpr int32_t PATH_END = 37000;
extern const double PATH_KNOTS[PATH_POINT_COUNT];
extern const double PATH_EYE[3][PATH_POINT_COUNT];
extern const double PATH_TARGET[3][PATH_POINT_COUNT];
