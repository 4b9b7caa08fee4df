// Carlson's R_F and R_J against Boost.Math's worked out in 50 digits, on
// arguments spread over many orders of magnitude, with one argument zero,
// two equal, and p far below, between and far above x, y and z: within a few
// units in the last place.
#include <gtest/gtest.h>

#include <boost/math/special_functions/ellint_rf.hpp>
#include <boost/math/special_functions/ellint_rj.hpp>
#include <boost/multiprecision/cpp_bin_float.hpp>

#include "carlson.h"

namespace {

using Wide = boost::multiprecision::cpp_bin_float_50;

struct Arguments {
    double x, y, z, p;
};

const Arguments kCases[] = {
    {1, 2, 3, 4},
    {0, 1, 2, 0.5},
    {0, 1e-12, 1, 3},
    {2, 2, 2, 2},
    {1e-300, 1, 1e3, 7},
    {0.5, 0.5, 9, 1e-6},
    {1e8, 1e-8, 1, 1e4},
    {3, 0, 3, 1e9},
    {0.9, 1, 1.1, 1},
    {1e-20, 1e-20, 1, 1},
    {0.25, 0.81, 1, 1e-12},
    {0, 0.3, 1, 1e-9},
    // Arguments close together, where the series that finishes each step
    // carries weight: e = ((sqrt p - 1) / (sqrt p + 1))^3 just inside 1e-3
    // for x = y = z = 1, on either side, and near it with x, y, z apart.
    {1, 1, 1, 1.492},
    {1, 1, 1, 0.6703},
    {0.999, 1, 1.001, 1.49},
    {0.8, 1, 1.2, 1.6},
    {1, 1, 1, 1.2},
    {2, 2.1, 2.2, 3.1},
};

TEST(Carlson, FirstAndThirdKindsAreRightToAFewUnitsInTheLastPlace) {
    for (const Arguments& a : kCases) {
        const double rf =
            boost::math::ellint_rf(Wide(a.x), Wide(a.y), Wide(a.z)).convert_to<double>();
        const double rj =
            boost::math::ellint_rj(Wide(a.x), Wide(a.y), Wide(a.z), Wide(a.p)).convert_to<double>();
        EXPECT_NEAR(carlsonRF(a.x, a.y, a.z), rf, 8e-16 * rf) << a.x << ", " << a.y << ", " << a.z;
        EXPECT_NEAR(carlsonRJ(a.x, a.y, a.z, a.p), rj, 8e-16 * rj)
            << a.x << ", " << a.y << ", " << a.z << ", " << a.p;
    }
}

}  // namespace
