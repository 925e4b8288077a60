#include "scene/tour_spline.h"

// Knots 2 to 34 are 1000 apart; 34000 and 36000 are not knots.
const double PATH_KNOTS[PATH_POINT_COUNT] = {
    0, 1, 1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000, 15000,
    16000, 17000, 18000, 19000, 20000, 21000, 22000, 23000, 24000, 25000, 26000, 27000, 28000, 29000, 30000,
    31000, 32000, 33000, 35000, 37000};

const double PATH_EYE[3][PATH_POINT_COUNT] = {
    {
    -224.792, -224.792, -373.018, -373.292, -118.439, 313.15, 172.074, -38.3625, 41.8109, 305.75, 256.402,
    685.354, 1062.94, 955.83, 711.388, 532.268, 91.3676, -477.478, 82.9503, 588.274, 355.596, 503.403,
    610.084, 600.922, 309.765, 37.4785, -450.547, -757.483, -1009.13, -1091.37, -275.804, 264.504, 479.668,
    825.287, -1004.61, -925.171, -224.792},
    {
    432.066, 432.066, 226.155, -19.4361, 0.687112, -160.356, -272.091, -273.697, -276.603, -138.005,
    -92.1385, 154.295, 455.918, 345.246, 156.031, 15.3579, 35.7763, 119.427, 50.7276, 148.202, 176.699,
    472.864, 497.522, 168.353, -53.4867, -88.4594, -0.731936, -23.2307, -20.3423, 355.056, 1312.92, 483.82,
    90.2848, 120.012, -99.8022, 523.895, 432.066},
    {
    949.615, 949.615, 525.566, -290.26, -524.996, -236.974, 618.89, 557.585, 860.322, 363.309, -262.308,
    -345.17, -491.512, -69.2262, 115.037, -35.8733, -458.891, -134.839, 549.472, 151.445, -254.549, -382.687,
    -403.923, 156.839, 411.798, 401.188, 234.44, -810.056, -719.335, -676.921, -185.609, 200.59, 1095.32,
    375.751, 37.6957, 1217.82, 949.615}};

const double PATH_TARGET[3][PATH_POINT_COUNT] = {
    {
    -224.635, -224.635, -373.347, -372.939, -117.469, 313.78, 171.103, -38.9927, 42.1425, 306.247, 255.772,
    684.636, 1062.34, 955.314, 710.734, 531.58, 90.5744, -477.228, 83.7004, 587.966, 355.085, 503.124,
    610.405, 600.77, 308.769, 36.5167, -450.196, -757.726, -1008.14, -1090.55, -275.517, 265.168, 479.44,
    824.402, -1005.26, -924.578, -224.635},
    {
    431.627, 431.627, 225.819, -19.6091, 0.926505, -160.684, -272.128, -273.664, -276.507, -137.617,
    -92.4468, 153.602, 455.476, 344.969, 155.286, 15.2372, 35.7027, 119.383, 50.6749, 148.331, 175.843,
    472.225, 497.141, 167.597, -53.5616, -88.6203, -0.794317, -23.2186, -20.3593, 354.776, 1311.99, 483.253,
    89.9572, 119.782, -99.7732, 523.492, 431.627},
    {
    948.73, 948.73, 524.684, -291.179, -525.032, -236.271, 619.126, 556.81, 859.384, 362.534, -263.02,
    -345.223, -490.84, -68.4161, 114.905, -36.5874, -459.495, -133.872, 550.129, 150.504, -254.485, -381.971,
    -403.057, 157.474, 411.822, 400.971, 233.507, -811.025, -719.484, -676.421, -185.404, 201.074, 1096.23,
    376.154, 36.9407, 1217.12, 948.73}};

namespace {

struct TridiagonalRows {
    double below[SPLINE_MAX_POINTS];  // sub-diagonal a
    double diagonal[SPLINE_MAX_POINTS];
    double above[SPLINE_MAX_POINTS];  // super-diagonal c
    double right[SPLINE_MAX_POINTS];
};

}  // namespace

void buildCameraSpline(CameraSpline* spline, const double* knots, const double* values, int n, double startSlope,
                       double endSlope) {
    if (n < 2) n = 2;
    if (n > SPLINE_MAX_POINTS) n = SPLINE_MAX_POINTS;
    spline->pointCount = n;
    spline->knots = new double[n];
    spline->values = new double[n];
    spline->secondDerivs = new double[n];
    const double* x = spline->knots;
    const double* y = spline->values;
    for (int i = 0; i < n; ++i) {
        spline->knots[i] = knots[i];
        spline->values[i] = values[i];
    }

    TridiagonalRows rows{};
    const double h0 = x[1] - x[0];
    if (startSlope > NATURAL_END_SLOPE) {
        rows.diagonal[0] = 1.0;
    } else {
        rows.diagonal[0] = h0 / 3.0;
        rows.above[0] = h0 / 6.0;
        rows.right[0] = (y[1] - y[0]) / h0 - startSlope;
    }
    for (int i = 1; i < n - 1; ++i) {
        const double before = x[i] - x[i - 1];
        const double after = x[i + 1] - x[i];
        rows.below[i] = before / 6.0;
        rows.diagonal[i] = (x[i + 1] - x[i - 1]) / 3.0;
        rows.above[i] = after / 6.0;
        rows.right[i] = (y[i + 1] - y[i]) / after - (y[i] - y[i - 1]) / before;
    }
    const int last = n - 1;
    const double hLast = x[last] - x[last - 1];
    if (endSlope > NATURAL_END_SLOPE) {
        rows.diagonal[last] = 1.0;
    } else {
        rows.below[last] = hLast / 6.0;
        rows.diagonal[last] = hLast / 3.0;
        rows.right[last] = endSlope - (y[last] - y[last - 1]) / hLast;
    }

    // Forward elimination and back substitution, no pivoting (the system is diagonally dominant).
    double g[SPLINE_MAX_POINTS];
    double z[SPLINE_MAX_POINTS];
    g[0] = rows.above[0] / rows.diagonal[0];
    z[0] = rows.right[0] / rows.diagonal[0];
    for (int i = 1; i < n; ++i) {
        const double d = rows.diagonal[i] - rows.below[i] * g[i - 1];
        g[i] = rows.above[i] / d;
        z[i] = (rows.right[i] - rows.below[i] * z[i - 1]) / d;
    }
    double* m = spline->secondDerivs;
    m[last] = z[last];
    for (int i = last - 1; i >= 0; --i) m[i] = z[i] - g[i] * m[i + 1];
}

void releaseCameraSpline(CameraSpline* spline) {
    delete[] spline->knots;
    delete[] spline->values;
    delete[] spline->secondDerivs;
    *spline = CameraSpline{};
}

double evalCameraSpline(const CameraSpline* spline, double u) {
    const double* x = spline->knots;
    const double* y = spline->values;
    const double* m = spline->secondDerivs;
    int lo = 0;
    int hi = spline->pointCount;
    while (hi - lo > 1) {
        const int k = (hi + lo) / 2;
        if (u < x[k]) hi = k;
        else lo = k;
    }
    // u at or past the last knot would leave hi past the arrays: evaluate the last interval instead.
    if (hi >= spline->pointCount) {
        hi = spline->pointCount - 1;
        lo = hi - 1;
    }
    const double h = x[hi] - x[lo];
    const double a = (x[hi] - u) / h;
    const double b = (u - x[lo]) / h;
    return a * y[lo] + b * y[hi] + ((a * a * a - a) * m[lo] + (b * b * b - b) * m[hi]) * h * h / 6.0;
}
