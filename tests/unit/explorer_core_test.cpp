// The explorer's core without a window: its pacing by the clock, and
// Poinsot's curves against the two invariants they stand for.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "exact_motion.h"
#include "explorer.h"
#include "high_precision.h"

namespace {

// A frame's steps: the clock's time at the speed, plus what was owed, in
// whole steps; at most `most`, and then nothing left owed.
TEST(Pacing, AFrameTakesTheStepsTheClockAsksForAndForgivesWhatItCannotTake) {
    const struct {
        double elapsed, speed, owed, h;
        long most;
        long steps;
        double left;
        bool slowed;
    } cases[] = {
        {0.1, 1.0, 0.0, 0.01, 1000, 10, 0.0, false},       // 0.1 time units: ten steps
        {0.1, 4.0, 0.0, 0.01, 1000, 40, 0.0, false},       // four times as fast
        {0.004, 1.0, 0.0, 0.01, 1000, 0, 0.004, false},    // not yet a step: owed
        {0.004, 1.0, 0.007, 0.01, 1000, 1, 0.001, false},  // with what was owed
        {10.0, 1.0, 0.0, 0.01, 250, 250, 0.0, true},      // far behind: the most, the rest forgiven
        {-1.0, 1.0, 0.005, 0.01, 1000, 0, 0.005, false},  // a clock that went back: nothing
    };
    for (const auto& c : cases) {
        const Pace p = paceFrame(c.elapsed, c.speed, c.owed, c.h, c.most);
        SCOPED_TRACE(testing::Message() << c.elapsed << " s at " << c.speed);
        EXPECT_EQ(p.steps, c.steps);
        EXPECT_NEAR(p.owed, c.left, 1e-12);
        EXPECT_EQ(p.slowed, c.slowed);
    }
}

// Seen from the body, L / |L| stays on the unit sphere and on the energy's
// ellipsoid sum l_i^2 / I_i = 2E / |L|^2: every point of the polhode does.
// The separatrices are the curves of energy |L|^2 / I_m, through the middle
// axis; the sphere's three circles are its principal planes.
TEST(PoinsotPicture, EveryCurveKeepsTheInvariantsItStandsFor) {
    const double sides[3] = {1.0, 2.0, 3.0};
    const double moments[3] = {13.0, 10.0, 5.0};  // b^2 + c^2, a^2 + c^2, a^2 + b^2
    for (const auto& omega :
         {std::array<double, 3>{0.1, 1.0, 0.1}, std::array<double, 3>{1.0, 0.1, 0.2},
          std::array<double, 3>{0.05, 0.2, 1.0}}) {
        const ExactMotion motion = exactMotionFromSides(sides, omega.data());
        const PoinsotPicture p = poinsotPictureOf(motion);
        double L2 = 0.0;
        double twiceE = 0.0;
        for (int i = 0; i < 3; ++i) {
            L2 += moments[i] * moments[i] * omega[static_cast<size_t>(i)] *
                  omega[static_cast<size_t>(i)];
            twiceE += moments[i] * omega[static_cast<size_t>(i)] * omega[static_cast<size_t>(i)];
        }
        ASSERT_GT(p.polhode.count, 16);
        for (int k = 0; k < p.polhode.count; ++k) {
            const double* l = p.polhode.points[k];
            EXPECT_NEAR(l[0] * l[0] + l[1] * l[1] + l[2] * l[2], 1.0, 1e-14) << k;
            EXPECT_NEAR(
                l[0] * l[0] / moments[0] + l[1] * l[1] / moments[1] + l[2] * l[2] / moments[2],
                twiceE / L2, 1e-14)
                << k;
        }
        // The polhode closes: it covers one whole period of omega.
        const double* first = p.polhode.points[0];
        const double* last = p.polhode.points[p.polhode.count - 1];
        EXPECT_NEAR(
            std::hypot(std::hypot(first[0] - last[0], first[1] - last[1]), first[2] - last[2]), 0.0,
            1e-9);
        ASSERT_TRUE(p.hasSeparatrix);
        for (const Curve& s : p.separatrix) {
            for (int k = 0; k < s.count; ++k) {
                const double* l = s.points[k];
                EXPECT_NEAR(l[0] * l[0] + l[1] * l[1] + l[2] * l[2], 1.0, 1e-14);
                EXPECT_NEAR(
                    l[0] * l[0] / moments[0] + l[1] * l[1] / moments[1] + l[2] * l[2] / moments[2],
                    1.0 / moments[1], 1e-14)
                    << k;
            }
        }
        for (int axis = 0; axis < 3; ++axis) {
            for (int k = 0; k < p.sphere[axis].count; ++k) {
                const double* l = p.sphere[axis].points[k];
                EXPECT_NEAR(l[0] * l[0] + l[1] * l[1] + l[2] * l[2], 1.0, 1e-14);
            }
        }
    }
}

}  // namespace

// The flips the explorer counts on the flip preset over 80 time units,
// against those of the 113-bit reference motion: the middle axis's share of
// L, I_m omega_m / |L|, going from above 1/2 to below -1/2 or back.
TEST(Flips, CountedWhereTheReferenceMotionTurnsOver) {
    applyPreset(1);
    ASSERT_EQ(prepareExplorerStart(explorer.start), "");
    resetMotion();
    const double h = explorer.start.step;
    const int steps = static_cast<int>(std::lround(80.0 / h));
    for (int n = 0; n < steps; ++n) stepMotion();

    const std::array<double, 3> sides = {explorer.start.sides[0], explorer.start.sides[1],
                                         explorer.start.sides[2]};
    const std::array<double, 3> omega = {explorer.start.omega[0], explorer.start.omega[1],
                                         explorer.start.omega[2]};
    std::vector<double> times;
    for (int n = 0; n <= steps; ++n) times.push_back(n * h);
    const std::vector<ReferenceState> reference =
        referenceMotion({sides, true}, omega, times, 1e-20);
    // Moments b^2 + c^2 and so on; the middle one, and |L|.
    std::array<double, 3> moments{};
    for (size_t i = 0; i < 3; ++i) {
        moments[i] =
            sides[(i + 1) % 3] * sides[(i + 1) % 3] + sides[(i + 2) % 3] * sides[(i + 2) % 3];
    }
    const size_t middle = (moments[0] - moments[1]) * (moments[0] - moments[2]) < 0   ? 0
                          : (moments[1] - moments[0]) * (moments[1] - moments[2]) < 0 ? 1
                                                                                      : 2;
    double size = 0.0;
    for (size_t i = 0; i < 3; ++i) size += moments[i] * moments[i] * omega[i] * omega[i];
    size = std::sqrt(size);
    int side = 0;
    int flips = 0;
    std::vector<double> at;
    for (size_t n = 0; n < reference.size(); ++n) {
        const double share = moments[middle] * reference[n].omega[middle] / size;
        const int now = share > 0.5 ? 1 : (share < -0.5 ? -1 : 0);
        if (now != 0 && now != side) {
            if (side != 0) {
                ++flips;
                at.push_back(times[n]);
            }
            side = now;
        }
    }
    ASSERT_GE(flips, 2);
    EXPECT_EQ(explorer.flips, flips);
    EXPECT_NEAR(explorer.lastFlip, at.back(), 1.5 * h);
    EXPECT_NEAR(explorer.flipGap, at.back() - at[at.size() - 2], 1.5 * h);
    EXPECT_NE(readoutText().find("flips: " + std::to_string(flips) + ", the last"),
              std::string::npos)
        << readoutText();
}
