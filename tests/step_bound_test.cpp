// The trace tool's step bound for the attitude, against what the step really
// does: over random boxes, spins, steps and numbers of steps near the bound,
// away from the separatrix (where the motion itself magnifies any error), it
// refuses every run whose attitude would stray more than 1 degree from the
// exact one, and no run whose attitude stays within 0.01 degree. The
// error a run would make is found here by taking its steps: the model's
// step and the attitude step, as the tool takes them, against the closed
// form (itself held to a 113-bit integration in exact_reference_test).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "body.h"
#include "exact_attitude.h"
#include "exact_motion.h"
#include "steppers.h"
#include "trace_runner.h"

namespace {

std::string triple(const double v[3]) {
    std::ostringstream out;
    out.precision(17);
    out << v[0] << "," << v[1] << "," << v[2];
    return out.str();
}

// The largest angle, in degrees, between the integrated and the exact
// attitude over the run, looked at 64 times along it.
double strayDegrees(const double sides[3], const double omega[3], double h, long steps) {
    const Body body = boxBody(sides);
    RigidState state = startState(omega);
    const ExactMotion exact = exactMotionFromSides(sides, omega);
    double worst = 0.0;
    double w[3];
    for (long n = 1; n <= steps; ++n) {
        stepRk4(body, h, state);
        if (n % std::max(1L, steps / 64) == 0 || n == steps) {
            const Quaternion q = exactStateAt(exact, static_cast<double>(n) * h, w);
            worst = std::fmax(worst, angleBetween(state.q, q) * 180.0 / M_PI);
        }
    }
    return worst;
}

TEST(StepBound, RefusesEveryRunStrayingPastADegreeAndNoneStayingWithinAHundredth) {
    std::mt19937 random(20261210);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto decades = [&](double from, double to) {
        return std::pow(10.0, from + (to - from) * unit(random));
    };
    int accepted = 0;
    int refused = 0;
    int near = 0;
    for (int trial = 0; trial < 3000 && near < 150; ++trial) {
        double sides[3];
        for (double& side : sides) side = decades(-1, 1);
        if (trial % 4 == 0) sides[2] = sides[0];
        if (trial % 9 == 0) sides[0] = sides[1] = sides[2] = 1.0;
        double omega[3];
        for (double& w : omega) w = (unit(random) - 0.5) * decades(-1, 1);
        if (trial % 5 == 0) omega[trial % 3] = 0.0;
        const ExactMotion exact = exactMotionFromSides(sides, omega);
        if (exact.maxRate == 0.0 || exact.kind == MotionKind::Separatrix ||
            (exact.kind == MotionKind::Elliptic && jacobiOf(exact).kc < 0.1)) {
            continue;
        }
        const double h = decades(-2, 0) / exact.maxRate;
        const long steps = std::lround(decades(1, 5));
        std::ostringstream step;
        step.precision(17);
        step << h;
        const TraceResult r =
            runTrace({"--sides", triple(sides), "--omega", triple(omega), "--step", step.str(),
                      "--steps", std::to_string(steps), "--every", std::to_string(steps)});
        ASSERT_TRUE(r.status == 0 || r.status == 2) << r.err;
        const bool refusedForTheAttitude =
            r.err.find("the attitude would stray") != std::string::npos;
        if (r.status == 2 && !refusedForTheAttitude) continue;  // another bound
        const double stray = strayDegrees(sides, omega, h, steps);
        // Only runs near the bound say anything about it.
        if (stray < 0.003 || stray > 30.0) continue;
        ++near;
        SCOPED_TRACE(testing::Message()
                     << "--sides " << triple(sides) << " --omega " << triple(omega) << " --step "
                     << step.str() << " --steps " << steps << ": strays " << stray << " degrees");
        if (refusedForTheAttitude) {
            ++refused;
            EXPECT_GT(stray, 0.01) << "refused, yet within a hundredth of a degree";
        } else {
            ++accepted;
            EXPECT_LE(stray, 1.0) << "accepted, yet strays past a degree";
        }
    }
    std::printf("%d runs near the bound: %d accepted, %d refused\n", near, accepted, refused);
    EXPECT_GE(accepted, 30) << "too few accepted runs near the bound to show anything";
    EXPECT_GE(refused, 30) << "too few refused runs near the bound to show anything";
}

}  // namespace
