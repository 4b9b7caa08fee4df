// The steppers against references built here: each one's order against a
// 113-bit integration, the invariants its theory keeps, and one step of
// each worked out by hand with rotation matrices (not quaternions).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "body.h"
#include "high_precision.h"
#include "steppers.h"

namespace {

using Vec = std::array<double, 3>;
using Mat = std::array<std::array<long double, 3>, 3>;

const Integrator& named(const char* name) {
    const Integrator* integrator = findIntegrator(name);
    EXPECT_NE(integrator, nullptr) << name;
    return *integrator;
}

// The angle of the rotation from a to b: from the parts of a* b, by atan2,
// which keeps its digits for small angles.
double angleBetweenQuats(const Quaternion& a, const std::array<double, 4>& b) {
    const double w = a.w * b[0] + a.x * b[1] + a.y * b[2] + a.z * b[3];
    const double x = a.w * b[1] - a.x * b[0] - a.y * b[3] + a.z * b[2];
    const double y = a.w * b[2] + a.x * b[3] - a.y * b[0] - a.z * b[1];
    const double z = a.w * b[3] - a.x * b[2] + a.y * b[1] - a.z * b[0];
    return 2.0 * std::atan2(std::sqrt(x * x + y * y + z * z), std::fabs(w));
}

// --- Rotation matrices, apart from the program's quaternions.
Mat identity() { return {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}; }
Mat times(const Mat& a, const Mat& b) {
    Mat c{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) c[i][j] += a[i][k] * b[k][j];
    return c;
}
Mat transpose(const Mat& a) {
    Mat t{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) t[i][j] = a[j][i];
    return t;
}
std::array<long double, 3> turned(const Mat& a, const std::array<long double, 3>& v) {
    std::array<long double, 3> out{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) out[i] += a[i][j] * v[j];
    return out;
}
// Rodrigues: the rotation by |u| about u.
Mat rodrigues(const std::array<long double, 3>& u) {
    const long double angle = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
    if (angle == 0) return identity();
    const long double n[3] = {u[0] / angle, u[1] / angle, u[2] / angle};
    const long double c = std::cos(angle);
    const long double s = std::sin(angle);
    Mat r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) r[i][j] = (1 - c) * n[i] * n[j] + (i == j ? c : 0);
    r[0][1] -= s * n[2];
    r[1][0] += s * n[2];
    r[0][2] += s * n[1];
    r[2][0] -= s * n[1];
    r[1][2] -= s * n[0];
    r[2][1] += s * n[0];
    return r;
}
Mat matrixOfQuaternion(const Quaternion& q) {
    const long double w = q.w, x = q.x, y = q.y, z = q.z;
    return {{{1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y)},
             {2 * (x * y + w * z), 1 - 2 * (x * x + z * z), 2 * (y * z - w * x)},
             {2 * (x * z - w * y), 2 * (y * z + w * x), 1 - 2 * (x * x + y * y)}}};
}
long double matrixGap(const Mat& a, const Mat& b) {
    long double worst = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) worst = std::fmax(worst, std::fabs(a[i][j] - b[i][j]));
    return worst;
}

// A start away from every axis, for a body with three different moments.
const double kMoments[3] = {2.0, 3.0, 4.5};
const double kOmega[3] = {0.4, 0.9, -0.5};
const Quaternion kTilted = {0.9, 0.3, -0.2, 0.2406241883};  // near unit; normalised below

RigidState tiltedStart() {
    RigidState s = startState(kOmega);
    s.q = normalized(kTilted);
    return s;
}

// --- Order: the error at T = 2 against a 113-bit integration, fitted on a
// log-log line over four halvings of the step.
struct OrderCase {
    const char* name;
    double order;
    int firstSteps;
};

TEST(Steppers, EachConvergesAtItsPublishedOrder) {
    const OrderCase cases[] = {
        {"rk4", 4, 16},      {"euler", 1, 400},   {"engine", 1, 400},  {"midpoint", 2, 32},
        {"split123", 2, 32}, {"split132", 2, 32}, {"split213", 2, 32}, {"split231", 2, 32},
        {"split312", 2, 32}, {"split321", 2, 32}, {"dmv", 2, 32},      {"rkmk4", 4, 16},
    };
    const double T = 2.0;
    const std::vector<ReferenceState> reference = referenceMotion(
        {{kMoments[0], kMoments[1], kMoments[2]}, false}, {kOmega[0], kOmega[1], kOmega[2]}, {T});
    const Body body = momentsBody(kMoments);
    for (const OrderCase& c : cases) {
        std::vector<double> x;
        std::vector<double> y;
        for (int n = c.firstSteps; n <= 8 * c.firstSteps; n *= 2) {
            RigidState s = startState(kOmega);
            for (int k = 0; k < n; ++k) named(c.name).step(body, T / n, s);
            double error = angleBetweenQuats(s.q, reference[0].attitude);
            for (int i = 0; i < 3; ++i)
                error = std::fmax(error, std::fabs(s.omega[i] - reference[0].omega[i]));
            x.push_back(std::log(T / n));
            y.push_back(std::log(error));
        }
        double mx = 0, my = 0;
        for (size_t i = 0; i < x.size(); ++i) mx += x[i] / 4, my += y[i] / 4;
        double sxy = 0, sxx = 0;
        for (size_t i = 0; i < x.size(); ++i)
            sxy += (x[i] - mx) * (y[i] - my), sxx += (x[i] - mx) * (x[i] - mx);
        EXPECT_NEAR(sxy / sxx, c.order, 0.15)
            << c.name << ": errors " << std::exp(y[0]) << " ... " << std::exp(y[3]);
    }
}

// --- Invariants, step by step, over a thousand steps of a coarse step.
struct Measured {
    double twiceEnergy;
    double momentumSquared;
    std::array<long double, 3> sceneMomentum;
};
Measured measure(const RigidState& s) {
    Measured m{0, 0, {}};
    std::array<long double, 3> body{};
    for (int i = 0; i < 3; ++i) {
        const long double l = static_cast<long double>(kMoments[i]) * s.omega[i];
        body[static_cast<size_t>(i)] = l;
        m.twiceEnergy += static_cast<double>(l * s.omega[i]);
        m.momentumSquared += static_cast<double>(l * l);
    }
    m.sceneMomentum = turned(matrixOfQuaternion(s.q), body);
    return m;
}

TEST(Steppers, KeepWhatTheirTheoryKeepsAtEveryStep) {
    const Body body = momentsBody(kMoments);
    const double h = 0.1;
    const Measured start = measure(tiltedStart());
    // Those that turn m as a whole keep |L|^2 and L in the scene.
    const char* const keepingMomentum[] = {"split123", "split132", "split213", "split231",
                                           "split312", "split321", "dmv",      "rkmk4"};
    for (const char* name : keepingMomentum) {
        RigidState s = tiltedStart();
        for (int k = 1; k <= 1000; ++k) {
            named(name).step(body, h, s);
            const Measured now = measure(s);
            ASSERT_NEAR(now.momentumSquared, start.momentumSquared, 1e-12 * start.momentumSquared)
                << name << " step " << k;
            for (size_t i = 0; i < 3; ++i)
                ASSERT_NEAR(static_cast<double>(now.sceneMomentum[i]),
                            static_cast<double>(start.sceneMomentum[i]), 1e-12)
                    << name << " step " << k;
        }
    }
    // The implicit midpoint rule keeps every quadratic invariant: 2E, |L|^2
    // and |q|, but not L in the scene (cubic in q and omega).
    RigidState s = tiltedStart();
    for (int k = 1; k <= 1000; ++k) {
        named("midpoint").step(body, h, s);
        ASSERT_NEAR(measure(s).momentumSquared, start.momentumSquared,
                    2e-13 * start.momentumSquared)
            << k;
        ASSERT_NEAR(measure(s).twiceEnergy, start.twiceEnergy, 2e-13 * start.twiceEnergy) << k;
        const Quaternion& q = s.q;
        ASSERT_NEAR(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z, 1.0, 1e-13) << k;
    }
    // Explicit Euler's energy and momentum only grow.
    s = tiltedStart();
    Measured last = start;
    for (int k = 1; k <= 1000; ++k) {
        named("euler").step(body, h, s);
        const Measured now = measure(s);
        ASSERT_GT(now.twiceEnergy, last.twiceEnergy) << k;
        ASSERT_GT(now.momentumSquared, last.momentumSquared) << k;
        last = now;
    }
}

// --- The flip: the middle axis's component along L, on the published case
// I = (3, 5, 9), L0 = (0, 2, 0.01), changes sign at the flips. Without the
// gyroscopic term omega never changes and nothing flips.
TEST(Steppers, TheFlipHappensWithTheGyroscopicTermAndNeverWithoutIt) {
    const double moments[3] = {3.0, 5.0, 9.0};
    const double omega[3] = {0.0, 2.0 / 5.0, 0.01 / 9.0};
    const Body body = momentsBody(moments);
    const auto flips = [&](const char* name) {
        RigidState s = startState(omega);
        const double L[3] = {0.0, 2.0, 0.01};
        int count = 0;
        double last = 1.0;
        for (int k = 0; k < 1000; ++k) {  // T = 100
            named(name).step(body, 0.1, s);
            const Mat r = matrixOfQuaternion(s.q);
            // The body's y axis in the scene, along L / |L|.
            const double along =
                static_cast<double>(r[0][1] * L[0] + r[1][1] * L[1] + r[2][1] * L[2]);
            if (along * last < 0) ++count;
            if (along != 0) last = along;
        }
        return count;
    };
    EXPECT_GE(flips("rk4"), 1);
    EXPECT_GE(flips("midpoint"), 1);
    EXPECT_GE(flips("dmv"), 1);
    EXPECT_EQ(flips("engine-nogyro"), 0);
    RigidState s = startState(omega);
    for (int k = 0; k < 1000; ++k) named("engine-nogyro").step(body, 0.1, s);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.omega[i], omega[i]);
}

// --- One step of each, worked out here.
TEST(Steppers, OneExplicitStepIsTheOneWrittenOut) {
    const Body body = momentsBody(kMoments);
    const double h = 0.125;
    const RigidState s0 = tiltedStart();
    const double* w = s0.omega;
    const double I1 = 2.0, I2 = 3.0, I3 = 4.5;
    // omega' = ((I2 - I3)/I1 w2 w3, (I3 - I1)/I2 w3 w1, (I1 - I2)/I3 w1 w2)
    const double rate[3] = {(I2 - I3) / I1 * w[1] * w[2], (I3 - I1) / I2 * w[2] * w[0],
                            (I1 - I2) / I3 * w[0] * w[1]};
    const Quaternion& q = s0.q;
    // q' = 1/2 q (0, w), written as the matrix of right multiplication.
    const double dq[4] = {0.5 * (-q.x * w[0] - q.y * w[1] - q.z * w[2]),
                          0.5 * (q.w * w[0] - q.z * w[1] + q.y * w[2]),
                          0.5 * (q.z * w[0] + q.w * w[1] - q.x * w[2]),
                          0.5 * (-q.y * w[0] + q.x * w[1] + q.w * w[2])};
    RigidState euler = s0;
    named("euler").step(body, h, euler);
    double raw[4] = {q.w + h * dq[0], q.x + h * dq[1], q.y + h * dq[2], q.z + h * dq[3]};
    double norm = std::sqrt(raw[0] * raw[0] + raw[1] * raw[1] + raw[2] * raw[2] + raw[3] * raw[3]);
    EXPECT_NEAR(euler.q.w, raw[0] / norm, 1e-16);
    EXPECT_NEAR(euler.q.z, raw[3] / norm, 1e-16);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(euler.omega[i], w[i] + h * rate[i], 1e-16);

    // The engine: the new omega first, then the turn by it.
    RigidState engine = s0;
    named("engine").step(body, h, engine);
    const double w1[3] = {w[0] + h * rate[0], w[1] + h * rate[1], w[2] + h * rate[2]};
    // (1, h w1 / 2) normalised is the turn by 2 atan(h |w1| / 2) about w1.
    const long double rate1 = std::sqrt(w1[0] * w1[0] + w1[1] * w1[1] + w1[2] * w1[2]);
    const long double angle = 2 * std::atan(0.5L * h * rate1);
    const Mat expected =
        times(matrixOfQuaternion(s0.q),
              rodrigues({angle * w1[0] / rate1, angle * w1[1] / rate1, angle * w1[2] / rate1}));
    EXPECT_LT(matrixGap(matrixOfQuaternion(engine.q), expected), 1e-15L);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(engine.omega[i], w1[i], 1e-16);
}

// The implicit ones: the step they take solves their equations to rounding.
TEST(Steppers, OneImplicitStepSolvesItsEquations) {
    const Body body = momentsBody(kMoments);
    const double I[3] = {2.0, 3.0, 4.5};
    const double h = 0.2;
    const RigidState s0 = tiltedStart();
    // Midpoint: omega1 = omega0 + h f(mid), q1 = q0 + h/2 qmid (0, mid).
    RigidState s1 = s0;
    named("midpoint").step(body, h, s1);
    double mid[3];
    for (int i = 0; i < 3; ++i) mid[i] = 0.5 * (s0.omega[i] + s1.omega[i]);
    for (int i = 0; i < 3; ++i) {
        const int j = (i + 1) % 3, k = (i + 2) % 3;
        EXPECT_NEAR(s1.omega[i], s0.omega[i] + h * (I[j] - I[k]) / I[i] * mid[j] * mid[k], 4e-16);
    }
    // q1 - q0 = h/2 ((q0 + q1) / 2)(0, mid), the Hamilton product written out.
    const double p[4] = {0.5 * (s0.q.w + s1.q.w), 0.5 * (s0.q.x + s1.q.x), 0.5 * (s0.q.y + s1.q.y),
                         0.5 * (s0.q.z + s1.q.z)};
    const double pw[4] = {-p[1] * mid[0] - p[2] * mid[1] - p[3] * mid[2],
                          p[0] * mid[0] + p[2] * mid[2] - p[3] * mid[1],
                          p[0] * mid[1] + p[3] * mid[0] - p[1] * mid[2],
                          p[0] * mid[2] + p[1] * mid[1] - p[2] * mid[0]};
    EXPECT_NEAR(s1.q.w - s0.q.w, 0.5 * h * pw[0], 1e-16);
    EXPECT_NEAR(s1.q.x - s0.q.x, 0.5 * h * pw[1], 1e-16);
    EXPECT_NEAR(s1.q.y - s0.q.y, 0.5 * h * pw[2], 1e-16);
    EXPECT_NEAR(s1.q.z - s0.q.z, 0.5 * h * pw[3], 1e-16);
    const Mat r0 = matrixOfQuaternion(s0.q);

    // Moser-Veselov: h m^ = Omega J - J Omega^T with Omega = R0^T R1, and
    // m1 = Omega^T m0.
    RigidState v1 = s0;
    named("dmv").step(body, h, v1);
    const Mat omega = times(transpose(r0), matrixOfQuaternion(v1.q));
    const long double J[3] = {(I[1] + I[2] - I[0]) / 2, (I[0] + I[2] - I[1]) / 2,
                              (I[0] + I[1] - I[2]) / 2};
    Mat lhs{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) lhs[i][j] = omega[i][j] * J[j] - J[i] * omega[j][i];
    const long double m[3] = {I[0] * s0.omega[0], I[1] * s0.omega[1], I[2] * s0.omega[2]};
    Mat mhat{};
    mhat[0][1] = -h * m[2], mhat[1][0] = h * m[2], mhat[0][2] = h * m[1], mhat[2][0] = -h * m[1];
    mhat[1][2] = -h * m[0], mhat[2][1] = h * m[0];
    EXPECT_LT(matrixGap(lhs, mhat), 1e-15L);
    const auto m1 = turned(transpose(omega), {m[0], m[1], m[2]});
    for (size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(v1.omega[i], static_cast<double>(m1[i] / I[i]), 1e-15);
}

// Each splitting: five exact turns about the principal axes, composed here
// with rotation matrices.
TEST(Steppers, OneSplittingStepIsItsFiveTurnsAboutTheAxes) {
    const Body body = momentsBody(kMoments);
    const double I[3] = {2.0, 3.0, 4.5};
    const double h = 0.3;
    const char* const names[] = {"split123", "split132", "split213",
                                 "split231", "split312", "split321"};
    for (const char* name : names) {
        const int a = name[5] - '1', b = name[6] - '1', c = name[7] - '1';
        const RigidState s0 = tiltedStart();
        Mat R = matrixOfQuaternion(s0.q);
        std::array<long double, 3> L =
            turned(R, {I[0] * s0.omega[0], I[1] * s0.omega[1], I[2] * s0.omega[2]});
        const int axes[5] = {a, b, c, b, a};
        const double spans[5] = {h / 2, h / 2, h, h / 2, h / 2};
        for (int k = 0; k < 5; ++k) {
            // The body's momentum now, and its turn about one axis at its rate.
            const auto m = turned(transpose(R), L);
            std::array<long double, 3> turn{};
            turn[static_cast<size_t>(axes[k])] =
                m[static_cast<size_t>(axes[k])] / I[axes[k]] * spans[k];
            R = times(R, rodrigues(turn));
        }
        RigidState s1 = s0;
        named(name).step(body, h, s1);
        EXPECT_LT(matrixGap(matrixOfQuaternion(s1.q), R), 1e-15L) << name;
        const auto m = turned(transpose(R), L);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(s1.omega[i], static_cast<double>(m[i] / I[i]), 1e-15) << name;
    }
}

}  // namespace
