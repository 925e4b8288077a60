// The generator's own sine, cosine, exponential and inverse tangents: they stand in for the C
// library's so that every machine makes the same bytes, and must agree with it closely.
#include <gtest/gtest.h>

#include <cmath>

#include "images/det_math.h"

namespace {

TEST(DeterministicMath, AgreesWithTheCLibrary) {
    for (double x = -40.0; x <= 40.0; x += 0.0137) {
        ASSERT_NEAR(detSin(x), std::sin(x), 2e-15) << x;
        ASSERT_NEAR(detCos(x), std::cos(x), 2e-15) << x;
    }
    for (double x = -30.0; x <= 30.0; x += 0.0113) ASSERT_NEAR(detExp(x) / std::exp(x), 1.0, 1e-14) << x;
    EXPECT_EQ(detExp(-800.0), 0.0);
    for (double a = -3.14; a <= 3.14; a += 0.0071) {
        const double y = std::sin(a) * 2.5, x = std::cos(a) * 2.5;
        ASSERT_NEAR(detAtan2(y, x), std::atan2(y, x), 1e-14) << a;
    }
    EXPECT_NEAR(detAtan2(0.0, -1.0), PI, 1e-15);
    EXPECT_EQ(detAtan2(0.0, 0.0), 0.0);
    for (double s = -1.0; s <= 1.0; s += 0.0009) ASSERT_NEAR(detAsin(s), std::asin(s), 1e-14) << s;
    EXPECT_NEAR(detAsin(1.5), PI / 2, 1e-15);
}

}  // namespace
