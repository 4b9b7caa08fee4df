// The explorer's core without a window: its pacing by the clock, and
// Poinsot's curves against the two invariants they stand for.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "exact_motion.h"
#include "explorer.h"
#include "high_precision.h"
#include "reference_attitude.h"

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
        // The family: each on the sphere at its own energy, closed, half
        // of them circling the smallest axis (energy above |L|^2 / I_m) and
        // half the largest, each beside its mirror image.
        ASSERT_EQ(p.familyCount, 8);
        int aboveMiddle = 0;
        for (int f = 0; f < p.familyCount; ++f) {
            const Curve& c = p.family[f];
            const double* l0 = c.points[0];
            const double energy = l0[0] * l0[0] / moments[0] + l0[1] * l0[1] / moments[1] +
                                  l0[2] * l0[2] / moments[2];
            aboveMiddle += energy > 1.0 / moments[1] ? 1 : 0;
            for (int k = 0; k < c.count; ++k) {
                const double* l = c.points[k];
                EXPECT_NEAR(l[0] * l[0] + l[1] * l[1] + l[2] * l[2], 1.0, 1e-14);
                EXPECT_NEAR(
                    l[0] * l[0] / moments[0] + l[1] * l[1] / moments[1] + l[2] * l[2] / moments[2],
                    energy, 1e-14);
            }
            const double* last = c.points[c.count - 1];
            EXPECT_NEAR(std::hypot(std::hypot(l0[0] - last[0], l0[1] - last[1]), l0[2] - last[2]),
                        0.0, 1e-9);
        }
        EXPECT_EQ(aboveMiddle, 4);
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

// Where the inset's camera, from (3, 2.2, 4) with 30 degrees of field, shows
// p: -1 to 1 across it, left to right and bottom to top.
static std::array<double, 2> insetSeesAt(const std::array<double, 3>& p) {
    const std::array<double, 3> eye = {3.0, 2.2, 4.0};
    const double reach = std::sqrt(9.0 + 4.84 + 16.0);
    const std::array<double, 3> f = {-eye[0] / reach, -eye[1] / reach, -eye[2] / reach};
    std::array<double, 3> s = {f[1] * 0 - f[2] * 1, f[2] * 0 - f[0] * 0, f[0] * 1 - f[1] * 0};
    const double sn = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
    for (double& c : s) c /= sn;
    const std::array<double, 3> u = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2],
                                     s[0] * f[1] - s[1] * f[0]};
    std::array<double, 3> d{};
    for (size_t i = 0; i < 3; ++i) d[i] = p[i] - eye[i];
    const double depth = d[0] * f[0] + d[1] * f[1] + d[2] * f[2];
    const double t = std::tan(15.0 * M_PI / 180.0);
    return {(d[0] * s[0] + d[1] * s[1] + d[2] * s[2]) / depth / t,
            (d[0] * u[0] + d[1] * u[1] + d[2] * u[2]) / depth / t};
}

// The inset as a chooser: a press where the inset draws a direction p of
// the sphere (projected here by the inset's camera, from (3, 2.2, 4) with
// 30 degrees of field) starts the motion with L along p, as large as it was.
TEST(SphereChooser, APressOnTheSphereStartsWithLThere) {
    applyPreset(1);
    ASSERT_EQ(prepareExplorerStart(explorer.start), "");
    explorer.width = 900;
    explorer.height = 640;
    explorer.bigInset = false;
    resetMotion();
    const double size = std::sqrt(explorer.startInvariants[1]);
    const int side = 160;
    // Where the inset shows p, in window pixels, rows from the top.
    const auto pixelOf = [&](const std::array<double, 3>& p) {
        const std::array<double, 2> at = insetSeesAt(p);
        return std::array<int, 2>{static_cast<int>(900 - side + (at[0] + 1) / 2 * side),
                                  static_cast<int>(640 - side + (1 - at[1]) / 2 * side)};
    };
    for (const std::array<double, 3>& direction :
         {std::array<double, 3>{0.1, 0.99, 0.1}, std::array<double, 3>{0.6, 0.3, 0.74}}) {
        const double n = std::sqrt(direction[0] * direction[0] + direction[1] * direction[1] +
                                   direction[2] * direction[2]);
        const std::array<double, 3> p = {direction[0] / n, direction[1] / n, direction[2] / n};
        const auto at = pixelOf(p);
        ASSERT_TRUE(startFromInset(at[0], at[1]));
        EXPECT_EQ(explorer.steps, 0);
        double moments[3];
        momentsOf(explorer.exact, moments);
        std::array<double, 3> momentum{};
        for (size_t i = 0; i < 3; ++i) momentum[i] = moments[i] * explorer.start.omega[i];
        const double now = std::sqrt(momentum[0] * momentum[0] + momentum[1] * momentum[1] +
                                     momentum[2] * momentum[2]);
        EXPECT_NEAR(now, size, 1e-12 * size) << "|L| kept";
        double cosine = 0.0;
        for (size_t i = 0; i < 3; ++i) cosine += momentum[i] / now * p[i];
        // Within a pixel or two of the inset: 2 / 160 of its 30 degrees.
        EXPECT_GT(cosine, std::cos(0.01)) << "L along the direction pressed";
    }
    // Beside the sphere, and outside the inset: nothing.
    const std::array<double, 3> before = {explorer.start.omega[0], explorer.start.omega[1],
                                          explorer.start.omega[2]};
    EXPECT_FALSE(startFromInset(900 - 2, 640 - side + 2));
    EXPECT_FALSE(startFromInset(100, 100));
    EXPECT_EQ(explorer.start.omega[1], before[1]);
}

// Poinsot's construction: every herpolhode point is omega in the scene on
// the invariable plane, omega . L = 2E, with L and 2E worked out here from
// the 1 x 2 x 3 box's moments 13, 10, 5 and the flip's start; and the newest
// point is the 113-bit reference's omega turned by its attitude.
TEST(PoinsotConstruction, TheHerpolhodeIsOmegaInTheSceneOnTheInvariablePlane) {
    applyPreset(1);
    ASSERT_EQ(prepareExplorerStart(explorer.start), "");
    resetMotion();
    const std::array<double, 3> moments = {13.0, 10.0, 5.0};
    const std::array<double, 3> omega = {explorer.start.omega[0], explorer.start.omega[1],
                                         explorer.start.omega[2]};
    double twiceE = 0.0;
    double size = 0.0;
    for (size_t i = 0; i < 3; ++i) {
        twiceE += moments[i] * omega[i] * omega[i];
        size += moments[i] * moments[i] * omega[i] * omega[i];
    }
    size = std::sqrt(size);
    double normal[3];
    double distance = 0.0;
    invariablePlane(normal, distance);
    EXPECT_NEAR(distance, twiceE / size, 1e-14 * distance);
    for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(normal[i], moments[i] * omega[i] / size, 1e-15);
    // Step until the ring has taken 400 points, noting the time of the newest.
    double newestAt = 0.0;
    int added = 0;
    while (added < 400) {
        const int before = explorer.trailStart + explorer.trailCount;
        stepMotion();
        if (explorer.trailStart + explorer.trailCount != before) {
            ++added;
            newestAt = motionTime();
        }
    }
    for (int n = 0; n < explorer.trailCount; ++n) {
        const double* p = explorer.herpolhode[n];
        double along = 0.0;
        for (size_t i = 0; i < 3; ++i) along += p[i] * moments[i] * omega[i] / size;
        EXPECT_NEAR(along, twiceE / size, 1e-9 * twiceE / size) << n;
    }
    const std::array<double, 3> sides = {1.0, 2.0, 3.0};
    const ReferenceState r = referenceMotion({sides, true}, omega, {newestAt}, 1e-20)[0];
    // omega in the scene: q omega q*.
    const std::array<double, 3> turned =
        rotated({r.attitude[0], r.attitude[1], r.attitude[2], r.attitude[3]}, r.omega);
    const double* newest =
        explorer.herpolhode[(explorer.trailStart + explorer.trailCount - 1) % kTrailPoints];
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(newest[i], turned[i], 1e-8) << i;
    }
}

// The number after `label` on the readouts' line that holds it.
static double readout(const std::string& text, const std::string& label) {
    const size_t at = text.find(label);
    if (at == std::string::npos) return NAN;
    return std::strtod(text.c_str() + at + label.size(), nullptr);
}

// The readouts after 200 explicit Euler steps, which drift 2E and |L|^2 by
// different amounts: the kind of motion from the two invariants, the
// moments and invariants from the sides, the drifts from the stepped omega,
// and the attitude's gap in degrees from the 113-bit reference, all worked
// out here.
TEST(Readouts, TellTheKindTheInvariantsTheDriftsAndTheGapOfTheMotionShown) {
    using V = std::array<double, 3>;
    const struct {
        V sides, omega;
    } starts[] = {
        {{1, 2, 3}, {1.0, 0.1, 0.1}},    // near the largest moment, 13
        {{1, 2, 3}, {0.1, 0.1, 1.0}},    // near the smallest, 5
        {{1, 2, 3}, {0.1, 1.0, 0.1}},    // near the middle: the flip
        {{1, 2, 3}, {0.3, 1.0, 0.4}},    // circling the smallest, the middle axis far from L
        {{1, 2, 3}, {0.0, 0.0, 0.0}},    // at rest
        {{1, 2, 3}, {0.0, 2.0, 0.0}},    // about the middle axis alone
        {{2, 2, 0.6}, {0.5, 0.2, 3.0}},  // two moments equal
    };
    for (const auto& start : starts) {
        SCOPED_TRACE(testing::Message() << "omega " << start.omega[0] << ", " << start.omega[1]
                                        << ", " << start.omega[2]);
        explorer.start = SpinOptions{};
        for (size_t i = 0; i < 3; ++i) {
            explorer.start.sides[i] = start.sides[i];
            explorer.start.omega[i] = start.omega[i];
        }
        explorer.start.step = 0.01;
        explorer.start.stepGiven = true;
        explorer.name = "test";
        ASSERT_EQ(prepareExplorerStart(explorer.start), "");
        explorer.integrator = findIntegrator("euler");
        ASSERT_NE(explorer.integrator, nullptr);
        resetMotion();
        for (int n = 0; n < 200; ++n) stepMotion();
        const std::string text = readoutText();

        V I{};
        for (size_t i = 0; i < 3; ++i) {
            const double b = start.sides[(i + 1) % 3];
            const double c = start.sides[(i + 2) % 3];
            I[i] = b * b + c * c;
        }
        const auto invariants = [&](const double* w) {
            double twiceE = 0.0;
            double L2 = 0.0;
            for (size_t i = 0; i < 3; ++i) {
                twiceE += I[i] * w[i] * w[i];
                L2 += I[i] * I[i] * w[i] * w[i];
            }
            return std::array<double, 2>{twiceE, L2};
        };
        const auto begin = invariants(start.omega.data());
        const auto now = invariants(explorer.state.omega);

        // The kind.
        V sorted = I;
        std::sort(sorted.begin(), sorted.end());
        const int zeros = static_cast<int>(std::count(start.omega.begin(), start.omega.end(), 0.0));
        std::string kind;
        if (zeros == 3) {
            kind = "at rest";
        } else if (zeros == 2) {
            kind = "a steady spin about one axis";
        } else if (sorted[0] == sorted[1] || sorted[1] == sorted[2]) {
            kind = "symmetric precession";
        } else {
            // L circles the largest axis when |L|^2 / 2E > I_m, the smallest
            // when below; the middle axis's largest share of L is where the
            // axis L does not circle carries none of it.
            const double D = begin[1] / begin[0];
            const double circled = D > sorted[1] ? sorted[2] : sorted[0];
            const double middle2 =
                (begin[0] - begin[1] / circled) / (1.0 / sorted[1] - 1.0 / circled);
            if (std::sqrt(middle2 / begin[1]) >= 0.9) {
                kind = "flipping: the middle axis turns over";
            } else {
                kind = D > sorted[1] ? "wobbling about the largest axis"
                                     : "wobbling about the smallest axis";
            }
        }
        EXPECT_NE(text.find("motion: " + kind + "\n"), std::string::npos) << text;
        const bool changes = zeros < 2;
        EXPECT_EQ(text.find("omega never changes") != std::string::npos, !changes) << text;

        // The body and its invariants.
        EXPECT_NEAR(readout(text, "moments "), I[0], 1e-3 * I[0]) << text;
        EXPECT_NEAR(readout(text, "; 2E "), begin[0], 1e-3 * begin[0]) << text;
        EXPECT_NEAR(readout(text, "|L|^2 "), begin[1], 1e-3 * begin[1]) << text;
        if (!changes) continue;
        // The drifts, relative to the start.
        const double drift2E = (now[0] - begin[0]) / begin[0];
        const double driftL2 = (now[1] - begin[1]) / begin[1];
        EXPECT_NEAR(readout(text, "relative drift of 2E: "), drift2E, 0.01 * std::fabs(drift2E));
        EXPECT_NEAR(readout(text, "|L|^2: "), driftL2, 0.01 * std::fabs(driftL2));
        // The gap between the stepped attitude and the reference's.
        const ReferenceState r = referenceMotion({start.sides, true}, start.omega, {2.0}, 1e-20)[0];
        const Quaternion& q = explorer.state.q;
        const double dot = std::fabs(q.w * r.attitude[0] + q.x * r.attitude[1] +
                                     q.y * r.attitude[2] + q.z * r.attitude[3]);
        const double degrees = 2.0 * std::acos(std::fmin(dot, 1.0)) * 180.0 / M_PI;
        EXPECT_NEAR(readout(text, "integrated attitude off the exact: "), degrees, 0.01 * degrees)
            << text;
    }
    explorer.integrator = findIntegrator("rk4");
}

// A symmetric top's cones (the 2 x 2 x 0.6 box: moments 4.36, 4.36, 8, the
// symmetry axis z): after 300 steps the body cone's axis is z turned by the
// 113-bit reference's attitude, the space cone's is L, and their half-angles
// are those of the start, omega's to z and to L, from the closed forms
// cos alpha = omega_z / |omega| and cos beta = 2E / (|L| |omega|). A body
// with three different moments has none.
TEST(SymmetricCones, AboutTheSymmetryAxisAndLWithTheStartsHalfAngles) {
    const std::array<double, 3> sides = {2.0, 2.0, 0.6};
    const std::array<double, 3> moments = {4.36, 4.36, 8.0};
    const std::array<double, 3> omega = {0.5, 0.2, 3.0};
    explorer.start = SpinOptions{};
    for (size_t i = 0; i < 3; ++i) {
        explorer.start.sides[i] = sides[i];
        explorer.start.omega[i] = omega[i];
    }
    explorer.name = "test";
    explorer.integrator = findIntegrator("rk4");
    ASSERT_EQ(prepareExplorerStart(explorer.start), "");
    resetMotion();
    for (int n = 0; n < 300; ++n) stepMotion();
    Cone body{};
    Cone space{};
    ASSERT_TRUE(symmetricCones(body, space));

    double rate = 0.0;
    double twiceE = 0.0;
    double size = 0.0;
    for (size_t i = 0; i < 3; ++i) {
        rate += omega[i] * omega[i];
        twiceE += moments[i] * omega[i] * omega[i];
        size += moments[i] * moments[i] * omega[i] * omega[i];
    }
    rate = std::sqrt(rate);
    size = std::sqrt(size);
    EXPECT_NEAR(body.halfAngle, std::acos(omega[2] / rate), 1e-9);
    EXPECT_NEAR(space.halfAngle, std::acos(twiceE / (size * rate)), 1e-9);
    const ReferenceState r =
        referenceMotion({sides, true}, omega, {300 * explorer.start.step}, 1e-20)[0];
    const std::array<double, 3> axis =
        rotated({r.attitude[0], r.attitude[1], r.attitude[2], r.attitude[3]}, {0.0, 0.0, 1.0});
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(body.axis[i], axis[i], 1e-8) << i;
        EXPECT_NEAR(space.axis[i], moments[i] * omega[i] / size, 1e-15) << i;
    }

    applyPreset(1);
    ASSERT_EQ(prepareExplorerStart(explorer.start), "");
    resetMotion();
    EXPECT_FALSE(symmetricCones(body, space));
}

// The inset names each body axis by its rank among the moments and gives
// the moment, beside where its camera shows the axis's tip (1.15 out).
TEST(InsetLabels, NameEachAxisByItsRankAndMomentAtItsTip) {
    using V = std::array<double, 3>;
    const struct {
        V sides;
        const char* names[3];
    } bodies[] = {
        {{1, 2, 3}, {"I3=13", "I2=10", "I1=5"}},        // moments 13, 10, 5
        {{2, 2, 0.6}, {"I1=4.36", "I2=4.36", "I3=8"}},  // 4.36, 4.36, 8
        {{3, 1, 2}, {"I1=5", "I3=13", "I2=10"}},        // 5, 13, 10
    };
    for (const auto& body : bodies) {
        explorer.start = SpinOptions{};
        for (size_t i = 0; i < 3; ++i) explorer.start.sides[i] = body.sides[i];
        explorer.start.omega[0] = 1.0;
        ASSERT_EQ(prepareExplorerStart(explorer.start), "");
        resetMotion();
        InsetLabel labels[3];
        ASSERT_EQ(insetLabels(labels), 3);
        for (size_t axis = 0; axis < 3; ++axis) {
            EXPECT_STREQ(labels[axis].text, body.names[axis]) << "axis " << axis;
            V tip = {0.0, 0.0, 0.0};
            tip[axis] = 1.15;
            const std::array<double, 2> at = insetSeesAt(tip);
            EXPECT_NEAR(labels[axis].u, at[0], 1e-12) << "axis " << axis;
            EXPECT_NEAR(labels[axis].v, at[1], 1e-12) << "axis " << axis;
        }
    }
}
