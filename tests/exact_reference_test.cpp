// The trace tool's exact columns, omega and the attitude, against the same
// motion integrated in 113-bit floating point, for t up to 100: omega within
// 1e-13 of the largest |omega|, the attitude within 1e-12 radians. Next to
// the separatrix, where the motion itself magnifies any difference, within
// what one unit in the last place of the start changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "high_precision.h"
#include "trace_runner.h"

namespace {

using Vec = std::array<double, 3>;
using Quat = std::array<double, 4>;

struct Case {
    const char* name;
    ReferenceBody body;
    Vec omega;
};

std::ostream& operator<<(std::ostream& out, const Case& c) { return out << c.name; }

std::string triple(const Vec& v) {
    std::ostringstream out;
    out.precision(17);
    out << v[0] << "," << v[1] << "," << v[2];
    return out.str();
}

// The trace tool's rows for t = n h up to `until`, every `every` steps.
TraceTable exactColumns(const Case& c, double h, long steps, long every) {
    return traceTable({c.body.sides ? "--sides" : "--moments", triple(c.body.values), "--omega",
                       triple(c.omega), "--step", std::to_string(h), "--steps",
                       std::to_string(steps), "--every", std::to_string(every)});
}

Vec exactOmega(const TraceTable& t, size_t row) {
    return {t.at(row, "exact_omega1"), t.at(row, "exact_omega2"), t.at(row, "exact_omega3")};
}

Quat exactAttitude(const TraceTable& t, size_t row) {
    return {t.at(row, "exact_attitude_w"), t.at(row, "exact_attitude_x"),
            t.at(row, "exact_attitude_y"), t.at(row, "exact_attitude_z")};
}

// The angle of the rotation between two unit quaternions, either sign.
double angleBetween(const Quat& a, const Quat& b) {
    double dot = 0.0;
    double distance = 0.0;
    double sum = 0.0;
    for (size_t i = 0; i < 4; ++i) {
        dot += a[i] * b[i];
    }
    const double sign = dot < 0 ? -1.0 : 1.0;
    for (size_t i = 0; i < 4; ++i) {
        distance += (a[i] - sign * b[i]) * (a[i] - sign * b[i]);
        sum += (a[i] + sign * b[i]) * (a[i] + sign * b[i]);
    }
    return 2.0 * std::atan2(std::sqrt(distance), std::sqrt(sum));
}

// t = n h, as the tool forms it.
std::vector<double> timesOf(const TraceTable& table, double h) {
    std::vector<double> times;
    for (size_t row = 0; row < table.rows.size(); ++row) {
        times.push_back(table.at(row, "step") * h);
    }
    return times;
}

double largestRate(const std::vector<ReferenceState>& states) {
    double largest = 0.0;
    for (const ReferenceState& s : states) {
        largest = std::fmax(largest, std::hypot(std::hypot(s.omega[0], s.omega[1]), s.omega[2]));
    }
    return largest;
}

class AgainstTheReference : public ::testing::TestWithParam<Case> {};

TEST_P(AgainstTheReference, ExactOmegaAndAttitudeToTheLastDigits) {
    const Case& c = GetParam();
    const double h = 0.01;
    const TraceTable table = exactColumns(c, h, 10000, 100);
    ASSERT_EQ(table.rows.size(), 101U);
    const std::vector<ReferenceState> reference =
        referenceMotion(c.body, c.omega, timesOf(table, h));
    const double largest = largestRate(reference);
    double worstOmega = 0.0;
    double worstAttitude = 0.0;
    for (size_t row = 0; row < table.rows.size(); ++row) {
        const Vec w = exactOmega(table, row);
        for (size_t i = 0; i < 3; ++i) {
            worstOmega = std::fmax(worstOmega, std::fabs(w[i] - reference[row].omega[i]));
        }
        worstAttitude = std::fmax(worstAttitude,
                                  angleBetween(exactAttitude(table, row), reference[row].attitude));
    }
    EXPECT_LE(worstOmega, 1e-13 * largest);
    EXPECT_LE(worstAttitude, 1e-12);
    std::printf("%s: omega within %.2e of the largest |omega|, attitude within %.2e rad\n", c.name,
                worstOmega / largest, worstAttitude);
}

// Every kind of motion, and the starts that broke an earlier closed form:
// next to the middle axis, and with a zero component in each place a zero
// can be for both regimes (0.7 x 1.9 x 3.1 has moments 13.22, 10.1, 4.1).
INSTANTIATE_TEST_SUITE_P(
    Motions, AgainstTheReference,
    ::testing::Values(Case{"flip", {{1, 2, 3}, true}, {0.1, 1, 0.1}},
                      Case{"flip_backwards", {{1, 2, 3}, true}, {-0.1, -1, 0.1}},
                      Case{"about_the_largest_moment", {{1, 2, 3}, true}, {1, 0.3, 0.2}},
                      Case{"about_the_smallest_moment", {{1, 2, 3}, true}, {0.2, 0.3, -1}},
                      Case{"beside_the_separatrix", {{1, 2, 4}, true}, {0.5, 1, 0.50000001}},
                      Case{"middle_axis_wobble_1e_9", {{0.7, 1.9, 3.1}, true}, {1e-9, 1, 1e-9}},
                      Case{"middle_axis_wobble_1e_8", {{0.7, 1.9, 3.1}, true}, {1e-8, 1, 1e-8}},
                      Case{"zero_sn_about_the_largest", {{0.7, 1.9, 3.1}, true}, {1, 0, 0.3}},
                      Case{"zero_cn_about_the_largest", {{0.7, 1.9, 3.1}, true}, {1, 0.3, 0}},
                      Case{"zero_sn_about_the_smallest", {{0.7, 1.9, 3.1}, true}, {0.3, 0, 1}},
                      Case{"zero_cn_about_the_smallest", {{0.7, 1.9, 3.1}, true}, {0, 0.3, 1}},
                      Case{"zero_cn_flipping", {{0.7, 1.9, 3.1}, true}, {0.5, 0.8, 0}},
                      Case{"long_thin_box", {{0.01, 1, 0.1}, true}, {0.3, 3, -0.2}},
                      Case{"a_hair_from_symmetric", {{2, 1, 1.000000001}, true}, {0.4, -0.7, 0.9}},
                      Case{"symmetric_about_x", {{2, 1, 1}, true}, {1, 0.5, -0.3}},
                      Case{"symmetric_about_z", {{1, 1, 3}, true}, {0.4, -0.2, 2}},
                      Case{"the_windows_box", {{0.3, 2.3, 0.3}, true}, {0.3, 3, 0.3}},
                      Case{"a_cube", {{1, 1, 1}, true}, {1, 2, 3}},
                      Case{"a_spin_about_one_axis", {{1, 2, 3}, true}, {0, 0, 1.5}},
                      Case{"moments_3_5_7", {{3, 5, 7}, false}, {0, 0.4, 0.01 / 7}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// On the separatrix of the 1 x 2 x 4 box (moments 20, 17, 5, where
// 20 (20 - 17) = 5 (17 - 5)) the motion creeps toward the unstable spin about
// the middle axis, and any difference in the start, or in the reference's
// own rounding, grows exponentially. Each of three starts, one with the cn
// component negative, must lie as close to the reference as a change of one
// unit in the last place of any component of the start moves it.
TEST(OnTheSeparatrix, WithinWhatOneUnitInTheLastPlaceOfTheStartChanges) {
    const Case cases[] = {
        {"dn and cn positive", {{1, 2, 4}, true}, {0.5, 1, 0.5}},
        {"dn negative", {{1, 2, 4}, true}, {-0.5, 1, 0.5}},
        {"cn negative", {{1, 2, 4}, true}, {0.5, 1, -0.5}},
    };
    const double h = 0.01;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TraceTable table = exactColumns(c, h, 4000, 100);
        const std::vector<double> times = timesOf(table, h);
        const std::vector<ReferenceState> central = referenceMotion(c.body, c.omega, times);
        std::vector<double> spread(times.size(), 0.0);
        for (size_t i = 0; i < 3; ++i) {
            for (const double direction : {-1.0, 1.0}) {
                Vec moved = c.omega;
                moved[i] = std::nextafter(moved[i], direction * 10.0);
                const std::vector<ReferenceState> other = referenceMotion(c.body, moved, times);
                for (size_t row = 0; row < times.size(); ++row) {
                    for (size_t j = 0; j < 3; ++j) {
                        spread[row] = std::fmax(
                            spread[row], std::fabs(other[row].omega[j] - central[row].omega[j]));
                    }
                }
            }
        }
        const double floor = 1e-13 * largestRate(central);
        for (size_t row = 0; row < times.size(); ++row) {
            const Vec w = exactOmega(table, row);
            for (size_t j = 0; j < 3; ++j) {
                ASSERT_LE(std::fabs(w[j] - central[row].omega[j]), spread[row] + floor)
                    << "t " << times[row] << " component " << j + 1;
            }
        }
        // Early on, before the spread has grown, the attitude too.
        for (size_t row = 0; row <= 10; ++row) {
            ASSERT_LE(angleBetween(exactAttitude(table, row), central[row].attitude), 1e-12)
                << "t " << times[row];
        }
    }
}

// The name=value lines of --describe.
std::map<std::string, std::string> describe(const Case& c) {
    const TraceResult r = runTrace({c.body.sides ? "--sides" : "--moments", triple(c.body.values),
                                    "--omega", triple(c.omega), "--describe"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::map<std::string, std::string> lines;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);) {
        const size_t equals = line.find('=');
        lines[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return lines;
}

double number(const std::map<std::string, std::string>& lines, const std::string& name) {
    const auto found = lines.find(name);
    EXPECT_NE(found, lines.end()) << "no " << name;
    return found == lines.end() ? NAN : std::strtod(found->second.c_str(), nullptr);
}

// The moments and invariants worked out here; the largest |omega| and the
// period of omega found on the reference motion itself: sampled over a
// period, |omega| reaches max_rate and never passes it, and one period on,
// omega is back where it started (half a period on, it is not).
TEST(Describe, KindMomentsInvariantsLargestRateAndPeriodHoldOnTheReference) {
    struct Expected {
        Case start;
        const char* kind;
        const char* circled;  // elliptic: the axis omega circles, by the sign of
                              // Delta of the middle axis, |L|^2 - 2E I_m, worked out by hand
    };
    const Expected cases[] = {
        // Moments 13, 10, 5; |L|^2 = 101.94, 2E I_2 = 101.8: the largest, axis 1.
        {{"flip", {{1, 2, 3}, true}, {0.1, 1, 0.1}}, "elliptic", "1 largest"},
        // Moments 10.12, 10.1, 4.1: Delta_2 < 0, the smallest, axis 3.
        {{"about the smallest", {{0.7, 1.9, 3.1}, true}, {0.3, 0.1, 1}}, "elliptic", "3 smallest"},
        // |L|^2 = 4.0001 against 2E I_2 = 4.0000714: the largest, axis 3.
        {{"moments 3, 5, 7", {{3, 5, 7}, false}, {0, 0.4, 0.01 / 7}}, "elliptic", "3 largest"},
        {{"the window's box", {{0.3, 2.3, 0.3}, true}, {0.3, 3, 0.3}}, "symmetric", ""},
        {{"separatrix", {{1, 2, 4}, true}, {0.5, 1, 0.5}}, "separatrix", ""},
        {{"cube", {{1, 1, 1}, true}, {1, 2, 3}}, "steady", ""},
        {{"middle axis alone", {{1, 2, 3}, true}, {0, 1, 0}}, "steady", ""},
        // Moments 5, 5, 2: every axis in the plane of the equal two is principal.
        {{"in the plane of two equal moments", {{1, 1, 2}, true}, {0.3, -0.4, 0}}, "steady", ""},
        {{"at rest", {{1, 2, 3}, true}, {0, 0, 0}}, "rest", ""},
    };
    for (const Expected& e : cases) {
        const Case& c = e.start;
        SCOPED_TRACE(c.name);
        const auto lines = describe(c);
        EXPECT_EQ(lines.at("kind"), e.kind);
        const std::string kind = e.kind;
        if (kind == "elliptic") {
            EXPECT_EQ(lines.at("circled_axis") + " " + lines.at("circled_moment"), e.circled);
        } else {
            EXPECT_EQ(lines.count("circled_axis"), 0U);
        }
        // No period where omega never changes; an infinite one only where it
        // never comes back.
        if (kind == "rest" || kind == "steady") {
            EXPECT_EQ(lines.count("omega_period"), 0U);
        } else {
            EXPECT_EQ(std::isfinite(number(lines, "omega_period")), kind != "separatrix");
        }
        Vec moments = c.body.values;
        if (c.body.sides) {
            const Vec& s = c.body.values;
            moments = {s[1] * s[1] + s[2] * s[2], s[0] * s[0] + s[2] * s[2],
                       s[0] * s[0] + s[1] * s[1]};
        }
        double energy = 0.0;
        double momentum = 0.0;
        for (size_t i = 0; i < 3; ++i) {
            energy += moments[i] * c.omega[i] * c.omega[i];
            momentum += moments[i] * moments[i] * c.omega[i] * c.omega[i];
        }
        EXPECT_NEAR(number(lines, "twice_energy"), energy, 1e-15 * energy);
        EXPECT_NEAR(number(lines, "momentum_squared"), momentum, 1e-15 * momentum);
        const double period =
            lines.count("omega_period") > 0 ? number(lines, "omega_period") : INFINITY;
        const double largest = number(lines, "max_rate");
        const double span = std::isfinite(period) ? period : 20.0;
        std::vector<double> times;
        for (int i = 0; i <= 4000; ++i) times.push_back(span * i / 4000);
        const double sampled = largestRate(referenceMotion(c.body, c.omega, times));
        EXPECT_LE(sampled, largest * (1 + 1e-12));
        EXPECT_GE(sampled, largest * (1 - 1e-5));
        if (std::string(e.kind) == "elliptic" || std::string(e.kind) == "symmetric") {
            const auto back = referenceMotion(c.body, c.omega, {period / 2, period});
            double away = 0.0;
            for (size_t i = 0; i < 3; ++i) {
                EXPECT_NEAR(back[1].omega[i], c.omega[i], 1e-10 * largest) << "component " << i;
                away = std::fmax(away, std::fabs(back[0].omega[i] - c.omega[i]));
            }
            EXPECT_GT(away, 1e-3 * largest) << "back already after half the period";
        } else {
            EXPECT_TRUE(std::isinf(period));
        }
        if (std::string(e.kind) == "elliptic") {
            // k^2 = (Im - Ic)(-Delta_d) / ((Id - Im) Delta_c), worked out here.
            Vec sorted = moments;
            std::sort(sorted.begin(), sorted.end());
            const auto deltaOf = [&](double moment) { return momentum - energy * moment; };
            const bool aboutLargest = deltaOf(sorted[1]) > 0;
            const double ic = aboutLargest ? sorted[0] : sorted[2];
            const double id = aboutLargest ? sorted[2] : sorted[0];
            const double k2 = (sorted[1] - ic) * -deltaOf(id) / ((id - sorted[1]) * deltaOf(ic));
            EXPECT_NEAR(number(lines, "modulus"), std::sqrt(k2), 1e-9);
        }
    }
}

// L in the scene from a row's exact columns: R(q) I omega, with R written
// out from q.
std::pair<Vec, double> sceneMomentum(const TraceTable& table, size_t row, const Vec& moments) {
    const Vec w = exactOmega(table, row);
    const Quat q = exactAttitude(table, row);
    const Vec body = {moments[0] * w[0], moments[1] * w[1], moments[2] * w[2]};
    const double qw = q[0], x = q[1], y = q[2], z = q[3];
    const double m[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - qw * z), 2 * (x * z + qw * y)},
                            {2 * (x * y + qw * z), 1 - 2 * (x * x + z * z), 2 * (y * z - qw * x)},
                            {2 * (x * z - qw * y), 2 * (y * z + qw * x), 1 - 2 * (x * x + y * y)}};
    Vec out{};
    for (size_t i = 0; i < 3; ++i)
        for (size_t j = 0; j < 3; ++j) out[i] += m[i][j] * body[j];
    return std::make_pair(out, m[0][0]);
}

// Both kinds of symmetric top, for t up to 100: L in the scene, from the
// exact columns alone, within 64 units in the last place of |L| in each
// component. The prolate one (the symmetry axis's moment the smaller) spins
// fastest about its axis, and its angle must agree with omega's to the ulp.
TEST(Conformance, SymmetricTopsKeepLInTheSceneToTheLastBits) {
    const Case cases[] = {
        {"prolate, moments 10, 10, 2", {{1, 1, 3}, true}, {0.3, 0.2, 3}},
        {"oblate, moments 4.36, 4.36, 8", {{2, 2, 0.6}, true}, {0.5, 0.2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Vec& s = c.body.values;
        const Vec moments = {s[1] * s[1] + s[2] * s[2], s[0] * s[0] + s[2] * s[2],
                             s[0] * s[0] + s[1] * s[1]};
        const TraceTable table = exactColumns(c, 0.01, 10000, 3);
        const Vec start = sceneMomentum(table, 0, moments).first;
        const double size =
            std::sqrt(start[0] * start[0] + start[1] * start[1] + start[2] * start[2]);
        const double ulp = std::nextafter(size, 100.0) - size;
        double worst = 0.0;
        for (size_t row = 0; row < table.rows.size(); ++row) {
            const Vec l = sceneMomentum(table, row, moments).first;
            for (size_t i = 0; i < 3; ++i)
                worst = std::fmax(worst, std::fabs(l[i] - start[i]) / ulp);
        }
        EXPECT_LE(worst, 64.0);
        std::printf("%s: L in the scene within %.1f ULPs of |L| over t <= 100\n", c.name, worst);
    }
}

// The physical case beside the one a published exact solver reports on:
// moments (3, 5, 7), L = (0, 2, 0.01) at t = 0, for t up to 100. From the
// exact columns alone, the angular momentum in the scene, R(q) I omega, keeps
// each component within 64 units in the last place of |L|, and the energy
// from the attitude, 2E = sum (R(q)^T L)_i^2 / I_i, within 16 of 2E.
// omega's zero crossings, every quarter period apart, agree with
// omega_period / 4.
TEST(Conformance, MomentsThreeFiveSevenKeepTheirInvariantsToTheLastBits) {
    const Case c{"moments 3, 5, 7", {{3, 5, 7}, false}, {0, 0.4, 0.01 / 7}};
    const double h = 0.01;
    const TraceTable table = exactColumns(c, h, 20000, 2);
    const Vec moments = c.body.values;
    const auto scene = [&](size_t row) { return sceneMomentum(table, row, moments); };
    const Vec start = {moments[0] * c.omega[0], moments[1] * c.omega[1], moments[2] * c.omega[2]};
    const double size = std::sqrt(start[0] * start[0] + start[1] * start[1] + start[2] * start[2]);
    const double ulpL = std::nextafter(size, 10.0) - size;
    double energy = 0.0;
    for (size_t i = 0; i < 3; ++i) energy += start[i] * start[i] / moments[i];
    const double ulpE = std::nextafter(energy, 10.0) - energy;
    Vec worstL = {0.0, 0.0, 0.0};
    double worstE = 0.0;
    std::vector<double> crossings;
    for (size_t row = 0; row < table.rows.size(); ++row) {
        const double t = table.at(row, "step") * h;
        if (t > 100.0) break;
        const Vec l = scene(row).first;
        for (size_t i = 0; i < 3; ++i)
            worstL[i] = std::fmax(worstL[i], std::fabs(l[i] - start[i]) / ulpL);
        // Energy from the attitude: the body sees L(0) turned back by q.
        const Quat q = exactAttitude(table, row);
        const double qw = q[0], x = q[1], y = q[2], z = q[3];
        const double m[3][3] = {
            {1 - 2 * (y * y + z * z), 2 * (x * y - qw * z), 2 * (x * z + qw * y)},
            {2 * (x * y + qw * z), 1 - 2 * (x * x + z * z), 2 * (y * z - qw * x)},
            {2 * (x * z - qw * y), 2 * (y * z + qw * x), 1 - 2 * (x * x + y * y)}};
        double e = 0.0;
        for (size_t j = 0; j < 3; ++j) {
            double lj = 0.0;
            for (size_t i = 0; i < 3; ++i) lj += m[i][j] * start[i];
            e += lj * lj / moments[j];
        }
        worstE = std::fmax(worstE, std::fabs(e - energy) / ulpE);
    }
    // Zero crossings of omega1 and omega2 over the whole run (t to 200).
    for (const char* column : {"exact_omega1", "exact_omega2"}) {
        for (size_t row = 1; row < table.rows.size(); ++row) {
            const double a = table.at(row - 1, column);
            const double b = table.at(row, column);
            if (a != 0.0 && ((a < 0) != (b < 0) || b == 0.0)) {
                const double t0 = table.at(row - 1, "step") * h;
                const double t1 = table.at(row, "step") * h;
                crossings.push_back(t0 + (t1 - t0) * a / (a - b));
            }
        }
    }
    std::sort(crossings.begin(), crossings.end());
    const double period = number(describe(c), "omega_period");
    ASSERT_GE(crossings.size(), 4U);
    double worstQuarter = 0.0;
    for (size_t i = 1; i < crossings.size(); ++i) {
        worstQuarter = std::fmax(worstQuarter,
                                 std::fabs((crossings[i] - crossings[i - 1]) / (period / 4) - 1));
    }
    std::printf(
        "scene-frame L: %.0f, %.0f, %.0f ULPs of |L|; energy from the attitude: %.0f "
        "ULPs; quarter-periods within %.2e of omega_period / 4 over %zu crossings\n",
        worstL[0], worstL[1], worstL[2], worstE, worstQuarter, crossings.size());
    for (size_t i = 0; i < 3; ++i) EXPECT_LE(worstL[i], 64.0) << "component " << i + 1;
    EXPECT_LE(worstE, 16.0);
    EXPECT_LE(worstQuarter, 1e-6);
}

}  // namespace
