// The rotation model on its own: Euler's equations, the Runge-Kutta step,
// and the exact motion of this box, which is a symmetric top.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>

#include "spin_state.h"

namespace {

// Each test starts from the program's initial state.
class SpinModel : public ::testing::Test {
  protected:
    void SetUp() override { spinState = initial; }
    void TearDown() override { spinState = initial; }
    static void steps(int n) {
        for (int i = 0; i < n; ++i) advanceRotation();
    }
    static const SpinState initial;
};
const SpinState SpinModel::initial = spinState;

// (c^2 - b^2) / (c^2 + b^2) for the 0.3 x 2.3 x 0.3 box, worked out by hand:
// -5.2 / 5.38 = -260 / 269 = -0.966542750929368029...
constexpr double kCoefficient = -0.96654275092936803;

TEST_F(SpinModel, DerivativesAreEulersEquationsForTheBoxAndIgnoreTime) {
    struct Case {
        double t, u, v;
    };
    for (const Case& c : {Case{0.0, 3.0, 0.3}, Case{7.5, -1.25, 2.0}, Case{-1e6, 0.5, -4.0}}) {
        SCOPED_TRACE(testing::Message() << "t=" << c.t << " u=" << c.u << " v=" << c.v);
        const double scale = std::fabs(c.u * c.v);
        EXPECT_NEAR(omegaDotX(c.t, c.u, c.v), kCoefficient * c.u * c.v, 4e-16 * scale);
        EXPECT_NEAR(omegaDotZ(c.t, c.u, c.v), -kCoefficient * c.u * c.v, 4e-16 * scale);
        // a equals c, so the difference in the coefficient is exactly zero.
        EXPECT_EQ(omegaDotY(c.t, c.u, c.v), 0.0);
        EXPECT_EQ(omegaDotX(c.t, c.u, c.v), omegaDotX(0.0, c.u, c.v));
        EXPECT_EQ(omegaDotZ(c.t, c.u, c.v), omegaDotZ(0.0, c.u, c.v));
    }
}

TEST_F(SpinModel, DerivativesFollowTheSides) {
    // A box with three different sides: every coefficient is the ratio of the
    // differences of its principal moments.
    const double a = 1.0, b = 2.0, c = 3.0;
    spinState.sides[0] = a;
    spinState.sides[1] = b;
    spinState.sides[2] = c;
    const double i1 = b * b + c * c, i2 = a * a + c * c, i3 = a * a + b * b;
    EXPECT_NEAR(omegaDotX(0, 2.0, 5.0), (i2 - i3) / i1 * 10.0, 1e-14);
    EXPECT_NEAR(omegaDotY(0, 2.0, 5.0), (i3 - i1) / i2 * 10.0, 1e-14);
    EXPECT_NEAR(omegaDotZ(0, 2.0, 5.0), (i1 - i2) / i3 * 10.0, 1e-14);
}

// For a box with three different sides every component moves, omega2 too.
// Each of the model's steps, from wherever the model stands, must be the
// classical Runge-Kutta step written out here on its own in vector form.
TEST_F(SpinModel, StepOnABoxWithThreeDifferentSidesIsTheClassicalRungeKuttaStep) {
    struct Case {
        double sides[3];
        double omega[3];
        double step;
    };
    const Case cases[] = {
        {{1, 2, 3}, {0.1, 1, 0.1}, 0.01},
        {{0.5, 1, 2}, {2, -1, 0.5}, 0.02},
        {{3, 0.2, 1.5}, {-0.7, 0.4, 1.1}, 0.005},
    };
    using Vec = std::array<double, 3>;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "sides " << c.sides[0] << " " << c.sides[1] << " " << c.sides[2]);
        spinState = initial;
        for (int i = 0; i < 3; ++i) {
            spinState.sides[i] = c.sides[i];
            spinState.omega[i] = c.omega[i];
        }
        spinState.timeStep = c.step;
        const double a2 = c.sides[0] * c.sides[0];
        const double b2 = c.sides[1] * c.sides[1];
        const double c2 = c.sides[2] * c.sides[2];
        const Vec moments = {b2 + c2, a2 + c2, a2 + b2};
        const auto f = [&](const Vec& w) {
            Vec rate{};
            for (size_t i = 0; i < 3; ++i) {
                const size_t j = (i + 1) % 3;
                const size_t k = (i + 2) % 3;
                rate[i] = (moments[j] - moments[k]) / moments[i] * w[j] * w[k];
            }
            return rate;
        };
        const auto plus = [](const Vec& w, double scale, const Vec& d) {
            return Vec{w[0] + scale * d[0], w[1] + scale * d[1], w[2] + scale * d[2]};
        };
        double moved2 = 0.0;
        for (int n = 1; n <= 1000; ++n) {
            const Vec w = {spinState.omega[0], spinState.omega[1], spinState.omega[2]};
            const double h = c.step;
            const Vec k1 = f(w);
            const Vec k2 = f(plus(w, h / 2, k1));
            const Vec k3 = f(plus(w, h / 2, k2));
            const Vec k4 = f(plus(w, h, k3));
            advanceRotation();
            for (size_t i = 0; i < 3; ++i) {
                const double expected = w[i] + h / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]);
                ASSERT_NEAR(spinState.omega[i], expected, 4e-16 * (1 + std::fabs(expected)))
                    << "component " << i + 1 << ", step " << n;
            }
            moved2 = std::fmax(moved2, std::fabs(spinState.omega[1] - c.omega[1]));
        }
        EXPECT_GT(moved2, 1e-3) << "omega2 hardly moved: the case shows nothing";
    }
}

TEST_F(SpinModel, StepsMatchTheKnownValues) {
    struct Expected {
        int steps;
        double t, w1, w3, rate, rateTolerance, degrees;
    };
    const Expected table[] = {
        {1, 0.01, 0.291176225, 0.308571557, 3.029851482, 5e-10, 1.735977},
        {100, 1.0, -0.363143830, -0.219377662, 3.02985148, 5e-9, 173.597702},
        {1000, 10.0, -0.026901364, -0.423410339, 3.02985148, 5e-9, 1735.977024},
    };
    int done = 0;
    for (const Expected& e : table) {
        steps(e.steps - done);
        done = e.steps;
        SCOPED_TRACE(testing::Message() << "after " << e.steps << " steps");
        // Tolerances are half a unit in the last digit of the known values
        // (the rate is known to nine digits after many steps); t is a sum of
        // 0.01s and carries only rounding.
        EXPECT_NEAR(spinState.elapsed, e.t, 1e-12 * e.steps);
        EXPECT_NEAR(spinState.omega[0], e.w1, 5e-10);
        EXPECT_EQ(spinState.omega[1], 3.0);
        EXPECT_NEAR(spinState.omega[2], e.w3, 5e-10);
        EXPECT_NEAR(spinState.spinRate, e.rate, e.rateTolerance);
        EXPECT_NEAR(spinState.turnAngleDegrees, e.degrees, 5e-7);
        // The derived fields agree with each other; the angle is never wrapped.
        EXPECT_DOUBLE_EQ(spinState.turnAngle, spinState.elapsed * spinState.spinRate);
        EXPECT_DOUBLE_EQ(spinState.turnAngleDegrees, spinState.turnAngle * 180.0 / 3.1415926535);
    }
}

TEST_F(SpinModel, SecondRateStaysExactlyThreeAndTheSidesAreUntouched) {
    for (int i = 0; i < 5000; ++i) {
        advanceRotation();
        ASSERT_EQ(spinState.omega[1], 3.0) << "step " << i + 1;
    }
    EXPECT_EQ(spinState.sides[0], 0.3);
    EXPECT_EQ(spinState.sides[1], 2.3);
    EXPECT_EQ(spinState.sides[2], 0.3);
    EXPECT_EQ(spinState.timeStep, 0.01);
}

// The box is a symmetric top (a = c): with omega2 fixed, omega1 + i*omega3
// turns at the constant rate lambda = k * omega2, k = (b^2 - a^2) / (b^2 + a^2).
// RK4 applied to z' = i*lambda*z multiplies z by R(i*x), x = lambda*h, each
// step, with R(q) = 1 + q + q^2/2 + q^3/6 + q^4/24. As |R| <= 1, after n steps
// |z_n - z_exact| <= n * |R(i*x) - exp(i*x)| * |z_0|, a bound of order
// n * x^5 / 120 * |z_0|; the phase error grows linearly, so the error also
// reaches most of that bound.
TEST_F(SpinModel, RatesFollowTheClosedFormOfTheSymmetricTopWithinTheMethodsError) {
    using Complex = std::complex<double>;
    const double lambda = -kCoefficient * 3.0;
    const double x = lambda * spinState.timeStep;
    const Complex q(0.0, x);
    const Complex r = 1.0 + q + q * q / 2.0 + q * q * q / 6.0 + q * q * q * q / 24.0;
    const Complex z0(spinState.omega[0], spinState.omega[2]);
    const double perStep = std::abs(r - std::exp(q)) * std::abs(z0);
    ASSERT_NEAR(perStep / (std::pow(x, 5) / 120.0 * std::abs(z0)), 1.0, 0.01);

    const double roundingPerStep = 1e-15;
    double error = 0.0;
    for (int n = 1; n <= 1000; ++n) {
        advanceRotation();
        const double t = spinState.elapsed;
        const Complex exact = z0 * std::exp(Complex(0.0, lambda * t));
        error = std::abs(Complex(spinState.omega[0], spinState.omega[2]) - exact);
        ASSERT_LE(error, n * (perStep + roundingPerStep)) << "step " << n;
    }
    EXPECT_GE(error, 0.9 * 1000 * perStep);
    EXPECT_LT(error, 1e-7);
}

}  // namespace
