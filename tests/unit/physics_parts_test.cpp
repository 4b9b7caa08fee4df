// The physics core's parts, each on its own, against references built here
// in 50 digits (Boost.Multiprecision) or written out: double-double
// arithmetic, Jacobi's elliptic functions and the quarter-period, and
// quaternions.
#include <gtest/gtest.h>

#include <boost/math/special_functions/ellint_rf.hpp>
#include <boost/math/special_functions/jacobi_elliptic.hpp>
#include <boost/multiprecision/cpp_bin_float.hpp>
#include <cmath>
#include <random>

#include "jacobi.h"
#include "quaternion.h"
#include "wide.h"

namespace {

using Big = boost::multiprecision::cpp_bin_float_50;

Big big(const Wide& x) { return Big(x.hi) + Big(x.lo); }

// Each operation within a few units of 2^-104 of the 50-digit result, over
// numbers spread across many orders of magnitude and both signs.
TEST(DoubleDouble, EachOperationIsRightToAFewUnitsIn2ToTheMinus104) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> exponent(-30.0, 30.0);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const auto draw = [&] {
        const double hi = unit(random) * std::pow(2.0, exponent(random));
        return Wide{hi, hi * 0x1p-60 * unit(random)};
    };
    const double bound = 8 * std::pow(2.0, -104);
    for (int n = 0; n < 2000; ++n) {
        const Wide a = draw();
        const Wide b = draw();
        const Big A = big(a);
        const Big B = big(b);
        const auto relative = [](const Big& got, const Big& want) {
            return (abs(got - want) / abs(want)).convert_to<double>();
        };
        ASSERT_LE(relative(big(a * b), A * B), bound) << n;
        ASSERT_LE(relative(big(a / b), A / B), bound) << n;
        const Wide size = a.hi < 0.0 ? -a : a;
        ASSERT_LE(relative(big(sqrt(size)), sqrt(abs(A))), bound) << n;
        // A sum is right to 2^-104 of the larger term (it may cancel).
        const Big larger = std::max(abs(A), abs(B));
        ASSERT_LE((abs(big(a + b) - (A + B)) / larger).convert_to<double>(), bound) << n;
        ASSERT_LE((abs(big(a - b) - (A - B)) / larger).convert_to<double>(), bound) << n;
        // The product of two doubles is exact.
        ASSERT_EQ(big(exactProduct(a.hi, b.hi)), Big(a.hi) * Big(b.hi)) << n;
    }
    EXPECT_LE(abs(big(widePi()) - boost::math::constants::pi<Big>()).convert_to<double>(), 1e-31);
}

// sn, cn and dn against Boost's in 50 digits, from k' = 1 down to k' = 1e-12
// (next to the separatrix), at phases spread over several periods, and the
// quarter-period against K(k).
TEST(Jacobi, FunctionsAndQuarterPeriodAgreeWithFiftyDigitValues) {
    for (const double kc : {1.0, 0.8, 0.3, 1e-2, 1e-5, 1e-9, 1e-12}) {
        const Big k = sqrt(Big(1) - Big(kc) * Big(kc));
        const Wide quarter = quarterPeriod(wide(kc));
        // K = R_F(0, k'^2, 1), from k' itself: 1 - k^2 would lose it near 1.
        const Big K = boost::math::ellint_rf(Big(0), Big(kc) * Big(kc), Big(1));
        ASSERT_LE((abs(big(quarter) - K) / K).convert_to<double>(), 1e-30) << "k' " << kc;
        for (const double u : {0.0, 0.1, 0.7, 1.3, 2.9, 5.0, 17.0, -3.3, 60.0}) {
            Big cn;
            Big dn;
            const Big sn = boost::math::jacobi_elliptic(k, Big(u), &cn, &dn);
            const EllipticPoint p = ellipticAt(wide(u), quarter, kc);
            SCOPED_TRACE(testing::Message() << "k' " << kc << ", u " << u);
            EXPECT_NEAR(p.sn, sn.convert_to<double>(), 4e-16);
            EXPECT_NEAR(p.cn, cn.convert_to<double>(),
                        4e-16 + 4e-16 * abs(cn).convert_to<double>());
            // dn is at least k': relative to it, within a few units in the last
            // place (5 at k' = 1e-12, u = 17, after the Landen steps there).
            EXPECT_NEAR(p.dn, dn.convert_to<double>(), 2e-15 * dn.convert_to<double>());
        }
    }
}

// A quarter turn about z takes x to y; q and -q are one attitude; a product
// of turns is the turn of the sum about one axis; rotation keeps length.
TEST(Quaternions, TurnsRotateAsWrittenAndBothSignsAreOneAttitude) {
    const double z[3] = {0.0, 0.0, 2.0};  // any length: only the direction counts
    const Quaternion quarter = turnAbout(z, M_PI / 2);
    const double x[3] = {1.0, 0.0, 0.0};
    double out[3];
    rotate(quarter, x, out);
    EXPECT_NEAR(out[0], 0.0, 4e-16);
    EXPECT_NEAR(out[1], 1.0, 4e-16);
    EXPECT_NEAR(out[2], 0.0, 4e-16);

    const double axis[3] = {0.3, -0.4, 1.2};
    const Quaternion a = turnAbout(axis, 0.7);
    const Quaternion b = turnAbout(axis, 1.9);
    const Quaternion both = product(a, b);
    const Quaternion sum = turnAbout(axis, 2.6);
    EXPECT_NEAR(angleBetween(both, sum), 0.0, 1e-15);
    EXPECT_NEAR(angleBetween(a, b), 1.2, 1e-15);
    const Quaternion negated = {-a.w, -a.x, -a.y, -a.z};
    EXPECT_NEAR(angleBetween(a, negated), 0.0, 1e-16);
    EXPECT_NEAR(angleBetween(negated, b), 1.2, 1e-15);
    // A turn by more than pi is the turn the other way.
    EXPECT_NEAR(angleBetween(turnAbout(axis, 0.0), turnAbout(axis, 5.0)), 2 * M_PI - 5.0, 1e-15);

    const double v[3] = {1.5, -2.0, 0.25};
    rotate(product(a, conjugate(b)), v, out);
    EXPECT_NEAR(std::hypot(std::hypot(out[0], out[1]), out[2]),
                std::hypot(std::hypot(v[0], v[1]), v[2]), 1e-15);
    const Quaternion n = normalized({2.0, 0.0, 0.0, 0.0});
    EXPECT_EQ(n.w, 1.0);
}

}  // namespace
