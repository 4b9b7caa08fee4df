// The trace tool's exact columns, omega and the attitude, against the same
// motion integrated in 113-bit floating point, for t up to 100: omega within
// 1e-13 of the largest |omega|, the attitude within 1e-12 radians. Next to
// the separatrix, where the motion itself magnifies any difference, within
// what one unit in the last place of the start changes.
#include <gtest/gtest.h>

#include <cmath>
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
    RecordProperty("omega_error_over_largest_rate", std::to_string(worstOmega / largest));
    RecordProperty("attitude_error_radians", std::to_string(worstAttitude));
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

}  // namespace
