// The trace tool's exact motion, checked against what it was not computed
// from: the two invariants, Euler's equations themselves, the symmetric top's
// rotation, and the integrator's order of convergence.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <sstream>
#include <string>
#include <vector>

#include "trace_runner.h"

namespace {

struct Start {
    const char* name;
    std::vector<double> sides;
    std::vector<double> omega;
};

// Every kind of start. The 1 x 2 x 4 box has moments 20, 17 and 5, and
// 20 (20 - 17) = 5 (17 - 5), so equal |omega1| and |omega3| put it exactly on
// the separatrix about its middle axis.
const Start kStarts[] = {
    {"about the largest-moment axis", {1, 2, 3}, {1, 0.3, 0.2}},
    {"about the smallest-moment axis", {1, 2, 3}, {0.2, 0.3, -1}},
    {"flipping, near the middle axis", {1, 2, 3}, {0.1, 1, 0.1}},
    {"flipping backwards", {1, 2, 3}, {-0.1, -1, 0.1}},
    {"on the separatrix", {1, 2, 4}, {0.5, 1, 0.5}},
    {"on the separatrix, the other way", {1, 2, 4}, {-0.5, 1, 0.5}},
    {"on the separatrix, cn negative", {1, 2, 4}, {0.5, 1, -0.5}},
    {"beside the separatrix", {1, 2, 4}, {0.5, 1, 0.50000001}},
    {"the middle-axis equilibrium", {1, 2, 3}, {0, 1, 0}},
    {"a long thin box", {0.01, 1, 0.1}, {0.3, 3, -0.2}},
    {"symmetric about x", {2, 1, 1}, {1, 0.5, -0.3}},
    {"symmetric about z", {1, 1, 3}, {0.4, -0.2, 2}},
    {"the window's box", {0.3, 2.3, 0.3}, {0.3, 3, 0.3}},
    {"a cube", {1, 1, 1}, {1, 2, 3}},
};

std::string triple(const std::vector<double>& v) {
    std::ostringstream out;
    out.precision(17);
    out << v[0] << "," << v[1] << "," << v[2];
    return out.str();
}

TraceTable trace(const Start& start, double step, long steps, long every) {
    return traceTable({"--sides", triple(start.sides), "--omega", triple(start.omega), "--step",
                       std::to_string(step), "--steps", std::to_string(steps), "--every",
                       std::to_string(every)});
}

struct Box {
    double moments[3];
    explicit Box(const std::vector<double>& s)
        : moments{s[1] * s[1] + s[2] * s[2], s[0] * s[0] + s[2] * s[2], s[0] * s[0] + s[1] * s[1]} {
    }
    // Euler's equations: omega_i' = (I_j - I_k) / I_i omega_j omega_k.
    double rate(int i, const double w[3]) const {
        const int j = (i + 1) % 3;
        const int k = (i + 2) % 3;
        return (moments[j] - moments[k]) / moments[i] * w[j] * w[k];
    }
    double twiceEnergy(const double w[3]) const {
        return moments[0] * w[0] * w[0] + moments[1] * w[1] * w[1] + moments[2] * w[2] * w[2];
    }
    double momentumSquared(const double w[3]) const {
        double sum = 0.0;
        for (int i = 0; i < 3; ++i) sum += moments[i] * moments[i] * w[i] * w[i];
        return sum;
    }
};

void exactAt(const TraceTable& table, size_t row, double w[3]) {
    w[0] = table.at(row, "exact_omega1");
    w[1] = table.at(row, "exact_omega2");
    w[2] = table.at(row, "exact_omega3");
}

TEST(ExactMotion, StartsAtTheStartAndKeepsBothInvariants) {
    for (const Start& start : kStarts) {
        SCOPED_TRACE(start.name);
        const TraceTable table = trace(start, 0.01, 100000, 100);
        const Box box(start.sides);
        double w[3];
        exactAt(table, 0, w);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(w[i], start.omega[i], 1e-14);
        const double energy = box.twiceEnergy(w);
        const double momentum = box.momentumSquared(w);
        for (size_t row = 0; row < table.rows.size(); ++row) {
            exactAt(table, row, w);
            for (int i = 0; i < 3; ++i) ASSERT_TRUE(std::isfinite(w[i])) << "row " << row;
            ASSERT_NEAR(box.twiceEnergy(w) / energy, 1.0, 1e-12) << "t " << table.at(row, "t");
            ASSERT_NEAR(box.momentumSquared(w) / momentum, 1.0, 1e-12)
                << "t " << table.at(row, "t");
        }
    }
}

// A centred difference of the exact columns, taken a step of 1e-3 apart,
// matches the right-hand side of Euler's equations to its own error,
// (1e-3)^2 / 6 times the third derivative.
TEST(ExactMotion, SatisfiesEulersEquations) {
    for (const Start& start : kStarts) {
        SCOPED_TRACE(start.name);
        const TraceTable table = trace(start, 0.001, 8000, 1);
        const Box box(start.sides);
        double worst = 0.0;
        for (size_t row = 1; row + 1 < table.rows.size(); ++row) {
            double before[3];
            double now[3];
            double after[3];
            exactAt(table, row - 1, before);
            exactAt(table, row, now);
            exactAt(table, row + 1, after);
            const double dt = (table.at(row + 1, "step") - table.at(row - 1, "step")) * 0.001;
            for (int i = 0; i < 3; ++i) {
                worst = std::fmax(worst, std::fabs((after[i] - before[i]) / dt - box.rate(i, now)));
            }
        }
        EXPECT_LT(worst, 2e-6);
    }
}

// Where two moments are equal, omega turns at the constant rate
// kappa * omega_s about the symmetry axis s. A box a hair away from symmetric
// takes the elliptic functions and must come out the same to within that hair.
TEST(ExactMotion, AgreesWithTheSymmetricTopsRotation) {
    struct Case {
        const char* name;
        std::vector<double> sides;
        int axis;
        double tolerance;
    };
    const Case cases[] = {
        {"symmetric about x", {2, 1, 1}, 0, 1e-13},
        {"a hair from symmetric about x", {2, 1, 1.000000001}, 0, 1e-7},
        {"symmetric about y", {0.5, 2, 0.5}, 1, 1e-13},
        {"a hair from symmetric about y", {0.5, 2, 0.500000001}, 1, 1e-7},
        {"symmetric about z", {1, 1, 3}, 2, 1e-13},
        {"a hair from symmetric about z", {1.000000001, 1, 3}, 2, 1e-7},
    };
    const std::vector<double> omega = {0.4, -0.7, 0.9};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TraceTable table = trace({c.name, c.sides, omega}, 0.01, 2000, 10);
        const int s = c.axis;
        const int p = (s + 1) % 3;
        const int q = (s + 2) % 3;
        const double symmetric = c.sides[static_cast<size_t>(s)];
        const double other = c.sides[static_cast<size_t>(q)];
        const double kappa =
            (symmetric * symmetric - other * other) / (symmetric * symmetric + other * other);
        const std::complex<double> pair0(omega[static_cast<size_t>(q)],
                                         omega[static_cast<size_t>(p)]);
        for (size_t row = 0; row < table.rows.size(); ++row) {
            const double t = table.at(row, "step") * 0.01;  // the exact columns' time
            const std::complex<double> pair =
                pair0 *
                std::exp(std::complex<double>(0, kappa * omega[static_cast<size_t>(s)] * t));
            double w[3];
            exactAt(table, row, w);
            ASSERT_NEAR(w[s], omega[static_cast<size_t>(s)], c.tolerance) << "t " << t;
            ASSERT_NEAR(w[q], pair.real(), c.tolerance) << "t " << t;
            ASSERT_NEAR(w[p], pair.imag(), c.tolerance) << "t " << t;
        }
    }
}

// On the separatrix the motion creeps toward the spin about the middle axis,
// where all of 2E sits in that axis: omega2 -> +-sqrt(2E / I2), the others -> 0,
// whichever of the two other components starts negative. The pure spin
// there stays exactly as it is, in both columns.
TEST(ExactMotion, SeparatrixTendsToTheMiddleAxisAndItsEquilibriumStays) {
    for (const Start& start : {kStarts[4], kStarts[5], kStarts[6]}) {
        SCOPED_TRACE(start.name);
        const TraceTable table = trace(start, 0.01, 10000, 100);
        const Box box(start.sides);
        const double limit = std::sqrt(box.twiceEnergy(start.omega.data()) / box.moments[1]);
        const size_t last = table.rows.size() - 1;
        EXPECT_NEAR(std::fabs(table.at(last, "exact_omega2")), limit, 1e-12);
        EXPECT_LT(std::fabs(table.at(last, "exact_omega1")), 1e-12);
        EXPECT_LT(std::fabs(table.at(last, "exact_omega3")), 1e-12);
        // Until the unstable equilibrium has amplified the integration's
        // small errors, the integration follows it: to t = 20 (row 20).
        EXPECT_LT(table.at(20, "error"), 1e-10);
    }
    const TraceTable still = trace(kStarts[8], 0.01, 1000, 10);
    for (size_t row = 0; row < still.rows.size(); ++row) {
        for (const char* column : {"omega1", "omega3", "exact_omega1", "exact_omega3"}) {
            ASSERT_EQ(still.at(row, column), 0.0) << column << " row " << row;
        }
        ASSERT_EQ(still.at(row, "omega2"), 1.0);
        ASSERT_EQ(still.at(row, "exact_omega2"), 1.0);
        ASSERT_EQ(still.at(row, "error"), 0.0);
    }
}

// A start with a component exactly zero, wherever the zero sits and
// whichever axis omega circles, gives its start back exactly at t = 0, and
// the next row moves on from it as Euler's equations say: by h omega' to
// within h^2 |omega''|, which the test bounds by h^2 |omega|^3.
TEST(ExactMotion, StartsWithAZeroComponentComeBackExactlyAndMoveOnSmoothly) {
    const std::vector<double> box = {0.7, 1.9, 3.1};  // moments 13.22, 10.1, 4.1
    const std::vector<std::vector<double>> starts = {
        {1, 0, 0.3}, {1, 0.3, 0}, {0.3, 0, 1}, {0, 0.3, 1}, {0.5, 0.8, 0}, {0, 0.8, 0.5},
    };
    const Box moments(box);
    const double h = 1e-4;
    for (const std::vector<double>& omega : starts) {
        SCOPED_TRACE(testing::Message() << omega[0] << "," << omega[1] << "," << omega[2]);
        const TraceTable table = trace({"zero", box, omega}, h, 1, 1);
        double w[3];
        exactAt(table, 0, w);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(w[i], omega[static_cast<size_t>(i)]);
        exactAt(table, 1, w);
        const double size =
            std::sqrt(omega[0] * omega[0] + omega[1] * omega[1] + omega[2] * omega[2]);
        for (int i = 0; i < 3; ++i) {
            const double moved = omega[static_cast<size_t>(i)] + h * moments.rate(i, omega.data());
            EXPECT_NEAR(w[i], moved, h * h * size * size * size) << "component " << i + 1;
        }
    }
}

// The error at t = 10 falls with the fourth power of the step.
TEST(ExactMotion, IntegrationConvergesWithOrderFour) {
    std::vector<double> errors;
    for (const double step : {0.04, 0.02, 0.01}) {
        const long steps = std::lround(10.0 / step);
        const TraceTable table = trace(kStarts[2], step, steps, steps);
        errors.push_back(table.at(1, "error"));
    }
    for (size_t i = 0; i + 1 < errors.size(); ++i) {
        const double order = std::log2(errors[i] / errors[i + 1]);
        EXPECT_GE(order, 3.8) << "between steps " << i << " and " << i + 1;
        EXPECT_LE(order, 4.2) << "between steps " << i << " and " << i + 1;
    }
}

}  // namespace
