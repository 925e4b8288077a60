#include "det_math.h"

namespace {

// pi/2 split so that k * PIO2_HI is exact for the |k| this code meets.
constexpr double PIO2_HI = 1.57079632673412561417e+00;
constexpr double PIO2_LO = 6.07710050650619224932e-11;
constexpr double TWO_OVER_PI = 6.36619772367581382433e-01;

// Taylor series on [-pi/4, pi/4]; the first omitted term is below 1e-16.
double sinKernel(double r) {
    const double r2 = r * r;
    double p = -1.0 / 1307674368000.0;  // -1/15!
    p = p * r2 + 1.0 / 6227020800.0;     // 1/13!
    p = p * r2 - 1.0 / 39916800.0;       // 1/11!
    p = p * r2 + 1.0 / 362880.0;         // 1/9!
    p = p * r2 - 1.0 / 5040.0;           // 1/7!
    p = p * r2 + 1.0 / 120.0;            // 1/5!
    p = p * r2 - 1.0 / 6.0;              // 1/3!
    return r + r * r2 * p;
}

double cosKernel(double r) {
    const double r2 = r * r;
    double p = 1.0 / 20922789888000.0;  // 1/16!
    p = p * r2 - 1.0 / 87178291200.0;    // 1/14!
    p = p * r2 + 1.0 / 479001600.0;      // 1/12!
    p = p * r2 - 1.0 / 3628800.0;        // 1/10!
    p = p * r2 + 1.0 / 40320.0;          // 1/8!
    p = p * r2 - 1.0 / 720.0;            // 1/6!
    p = p * r2 + 1.0 / 24.0;             // 1/4!
    p = p * r2 - 0.5;
    return 1.0 + r2 * p;
}

// x = k * pi/2 + r with |r| <= pi/4; returns r and the quadrant k mod 4.
double reduce(double x, int* quadrant) {
    const double k = std::floor(x * TWO_OVER_PI + 0.5);
    const double r = (x - k * PIO2_HI) - k * PIO2_LO;
    const long long q = static_cast<long long>(k);
    *quadrant = static_cast<int>(((q % 4) + 4) % 4);
    return r;
}

}  // namespace

double detSin(double x) {
    int quadrant = 0;
    const double r = reduce(x, &quadrant);
    switch (quadrant) {
        case 0: return sinKernel(r);
        case 1: return cosKernel(r);
        case 2: return -sinKernel(r);
        default: return -cosKernel(r);
    }
}

double detCos(double x) {
    int quadrant = 0;
    const double r = reduce(x, &quadrant);
    switch (quadrant) {
        case 0: return cosKernel(r);
        case 1: return -sinKernel(r);
        case 2: return -cosKernel(r);
        default: return sinKernel(r);
    }
}

double detExp(double x) {
    if (x < -700.0) return 0.0;
    if (x > 700.0) x = 700.0;
    constexpr double LN2_HI = 6.93147180369123816490e-01;
    constexpr double LN2_LO = 1.90821492927058770002e-10;
    constexpr double INV_LN2 = 1.44269504088896338700e+00;
    const double k = std::floor(x * INV_LN2 + 0.5);
    const double r = (x - k * LN2_HI) - k * LN2_LO;  // |r| <= 0.35
    double p = 1.0 / 6227020800.0;                    // 1/13!
    const double factorials[] = {479001600.0, 39916800.0, 3628800.0, 362880.0, 40320.0, 5040.0,
                                 720.0,       120.0,      24.0,      6.0,      2.0,     1.0, 1.0};
    for (double f : factorials) p = p * r + 1.0 / f;
    return std::ldexp(p, static_cast<int>(k));
}

namespace {

// atan on |x| <= 1: two argument halvings bring |x| below 0.2, where the series converges quickly.
double atanSmall(double x) {
    for (int i = 0; i < 2; ++i) x = x / (1.0 + std::sqrt(1.0 + x * x));
    const double x2 = x * x;
    double p = 0;
    for (int k = 25; k >= 1; k -= 2) p = p * x2 + ((k / 2) % 2 ? -1.0 : 1.0) / k;
    return 4.0 * x * p;
}

}  // namespace

double detAtan2(double y, double x) {
    if (x == 0.0 && y == 0.0) return 0.0;
    const double ax = std::fabs(x), ay = std::fabs(y);
    double angle = ay <= ax ? atanSmall(ay / ax) : PI / 2.0 - atanSmall(ax / ay);
    if (x < 0) angle = PI - angle;
    return y < 0 ? -angle : angle;
}

double detAsin(double x) {
    x = clampTo(x, -1.0, 1.0);
    return detAtan2(x, std::sqrt(1.0 - x * x));
}
