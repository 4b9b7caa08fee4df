// The trace tool as a user runs it: its CSV, the bytes it has always printed
// for the window's own box, its accuracy there, and its answers to bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "spin_state.h"
#include "trace_runner.h"

namespace {

const char* const kHeader =
    "step,t,omega1,omega2,omega3,spin_rate,turn_angle_degrees,exact_omega1,exact_omega3,error,"
    "exact_omega2,energy_drift,momentum_drift,attitude_w,attitude_x,attitude_y,attitude_z,"
    "drawn_axis_gap_degrees,exact_attitude_w,exact_attitude_x,exact_attitude_y,exact_attitude_z,"
    "attitude_error_degrees";

TEST(Trace, WritesTheHeaderAndOneRowPerPrintedStep) {
    struct Case {
        std::vector<std::string> arguments;
        size_t rows;
        long lastStep;
    };
    const Case cases[] = {
        {{}, 1001, 1000},
        {{"--steps", "10", "--every", "3"}, 4, 9},
        {{"--steps=10", "--every=5"}, 3, 10},
        {{"--steps", "0"}, 1, 0},
        {{"--steps", "7", "--every", "100"}, 1, 0},
        {{"--sides=1,2,3", "--omega", "0.1,1,0.1", "--step=0.02", "--steps", "50"}, 51, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.arguments.size() << " arguments");
        const TraceResult r = runTrace(c.arguments);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out.substr(0, r.out.find('\n')), kHeader);
        const TraceTable table = readTable(r.out);
        ASSERT_EQ(table.rows.size(), c.rows);
        EXPECT_EQ(table.rows.front()[0], 0);
        EXPECT_EQ(table.rows.back()[0], static_cast<double>(c.lastStep));
        for (const auto& row : table.rows) ASSERT_EQ(row.size(), table.names.size());
    }
}

// With no options, the model's own columns print the very bytes they
// printed before the tool took other boxes (kept in tests/data). The exact
// columns are now taken at n h instead of the model's clock, which strays
// from it by rounding; they stay within that stray times the rate at which
// omega turns, and error with them.
TEST(Trace, DefaultsPrintTheSameBytesAsBeforeInTheModelsColumns) {
    std::ifstream file(std::string(TEST_DATA_DIR) + "/trace_default_steps100000_every500.csv");
    std::ostringstream before;
    before << file.rdbuf();
    ASSERT_GT(before.str().size(), 30000U);

    const TraceResult r = runTrace({"--steps", "100000", "--every", "500"});
    ASSERT_EQ(r.status, 0);
    const auto firstColumns = [](const std::string& csv, int count) {
        std::istringstream lines(csv);
        std::ostringstream out;
        for (std::string line; std::getline(lines, line);) {
            size_t end = 0;
            for (int commas = 0; commas < count && end != std::string::npos; ++commas) {
                end = line.find(',', end + 1);
            }
            out << line.substr(0, end) << '\n';
        }
        return out.str();
    };
    EXPECT_TRUE(firstColumns(r.out, 7) == firstColumns(before.str(), 7))
        << "the model's columns changed";
    const TraceTable now = readTable(r.out);
    const TraceTable old = readTable(before.str());
    ASSERT_EQ(now.rows.size(), old.rows.size());
    const double turnRate = (5.29 - 0.09) / (5.29 + 0.09) * 3.0;
    for (size_t row = 0; row < now.rows.size(); ++row) {
        const double n = now.at(row, "step");
        const double stray = std::fabs(now.at(row, "t") - n * 0.01);
        const double allowed = 1.01 * turnRate * std::hypot(0.3, 0.3) * stray + 1e-14;
        for (const char* column : {"exact_omega1", "exact_omega3", "error"}) {
            ASSERT_NEAR(now.at(row, column), old.at(row, column), allowed)
                << column << " at step " << n;
        }
    }
}

TEST(Trace, RowsAreTheDemosOwnModelToTheLastBit) {
    const TraceTable table = traceTable({});
    ASSERT_EQ(table.rows.size(), 1001U);
    EXPECT_EQ(table.at(0, "omega1"), 0.3);
    EXPECT_EQ(table.at(0, "omega2"), 3.0);
    EXPECT_EQ(table.at(0, "omega3"), 0.3);
    // Row 1000: the known values after 1000 steps, and exactly what the
    // linked model gives, digits enough to round-trip a double.
    EXPECT_NEAR(table.at(1000, "t"), 10.0, 1e-9);
    EXPECT_NEAR(table.at(1000, "omega1"), -0.026901364, 5e-10);
    EXPECT_NEAR(table.at(1000, "omega3"), -0.423410339, 5e-10);
    EXPECT_NEAR(table.at(1000, "turn_angle_degrees"), 1735.977024, 5e-7);
    for (int i = 0; i < 1000; ++i) advanceRotation();
    EXPECT_EQ(table.at(1000, "t"), spinState.elapsed);
    EXPECT_EQ(table.at(1000, "omega1"), spinState.omega[0]);
    EXPECT_EQ(table.at(1000, "omega2"), spinState.omega[1]);
    EXPECT_EQ(table.at(1000, "omega3"), spinState.omega[2]);
    EXPECT_EQ(table.at(1000, "spin_rate"), spinState.spinRate);
    EXPECT_EQ(table.at(1000, "turn_angle_degrees"), spinState.turnAngleDegrees);
}

// RK4 turns (omega1, omega3) by R(ix) per step instead of exp(ix), x = k omega2 h;
// with |R| <= 1 the error after n steps is at most n |R(ix) - exp(ix)| |z0|.
// Beyond that only rounding: a few units in the last place per step; the
// exact column is taken at n h itself.
TEST(Trace, ErrorStaysWithinTheMethodsBoundForTheWindowsBox) {
    const double lambda = (5.29 - 0.09) / (5.29 + 0.09) * 3.0;
    const std::complex<double> q(0.0, lambda * 0.01);
    const auto r = 1.0 + q + q * q / 2.0 + q * q * q / 6.0 + q * q * q * q / 24.0;
    const double z0 = std::hypot(0.3, 0.3);
    const double perStep = std::abs(r - std::exp(q)) * z0;
    const TraceTable table = traceTable({"--steps", "100000", "--every", "50"});
    ASSERT_EQ(table.rows.size(), 2001U);
    for (size_t i = 0; i < table.rows.size(); ++i) {
        const double n = table.at(i, "step");
        const double rounding = n * 1e-15;
        ASSERT_LE(table.at(i, "error"), n * perStep + rounding) << "step " << n;
        EXPECT_EQ(table.at(i, "exact_omega2"), 3.0);
    }
    EXPECT_GT(table.rows.back()[table.column("error")], 0.9 * 100000 * perStep);
}

// error, energy_drift and momentum_drift, recomputed from the row itself.
TEST(Trace, DerivedColumnsFollowFromTheirRow) {
    const struct {
        std::vector<double> sides;
        std::vector<std::string> arguments;
    } cases[] = {
        {{0.3, 2.3, 0.3}, {"--steps", "200", "--every", "20"}},
        {{1, 2, 3},
         {"--sides", "1,2,3", "--omega", "0.2,1,-0.3", "--steps", "2000", "--every", "100"}},
        {{1, 2, 3}, {"--sides", "1,2,3", "--omega", "0,0,0", "--steps", "20"}},
        // Coarse steps: the invariants drift by about 1e-6, so a drift taken
        // relative to the present value instead of the start is off by its
        // square, far beyond rounding.
        {{1, 2, 3},
         {"--sides", "1,2,3", "--omega", "0.2,1,-0.3", "--step", "0.1", "--steps", "10000",
          "--every", "500"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments[1]);
        const TraceTable table = traceTable(c.arguments);
        const std::vector<double>& sides = c.sides;
        const double moments[3] = {sides[1] * sides[1] + sides[2] * sides[2],
                                   sides[0] * sides[0] + sides[2] * sides[2],
                                   sides[0] * sides[0] + sides[1] * sides[1]};
        const auto invariants = [&](size_t row) {
            const double w[3] = {table.at(row, "omega1"), table.at(row, "omega2"),
                                 table.at(row, "omega3")};
            double energy = 0.0;
            double momentum = 0.0;
            for (int i = 0; i < 3; ++i) {
                energy += moments[i] * w[i] * w[i];
                momentum += moments[i] * moments[i] * w[i] * w[i];
            }
            return std::make_pair(energy, momentum);
        };
        const auto start = invariants(0);
        for (size_t row = 0; row < table.rows.size(); ++row) {
            const auto now = invariants(row);
            const double energyDrift = start.first == 0 ? 0 : now.first / start.first - 1;
            const double momentumDrift = start.second == 0 ? 0 : now.second / start.second - 1;
            // Rounding in the sums, and a relative part for large drifts.
            EXPECT_NEAR(table.at(row, "energy_drift"), energyDrift,
                        1e-15 + 1e-9 * std::fabs(energyDrift))
                << "row " << row;
            EXPECT_NEAR(table.at(row, "momentum_drift"), momentumDrift,
                        1e-15 + 1e-9 * std::fabs(momentumDrift))
                << "row " << row;
            const double distance =
                std::sqrt(std::pow(table.at(row, "omega1") - table.at(row, "exact_omega1"), 2) +
                          std::pow(table.at(row, "omega2") - table.at(row, "exact_omega2"), 2) +
                          std::pow(table.at(row, "omega3") - table.at(row, "exact_omega3"), 2));
            EXPECT_NEAR(table.at(row, "error"), distance, 1e-15 + 1e-12 * distance);
        }
        if (c.arguments.size() > 8) {
            EXPECT_GT(std::fabs(table.rows.back()[table.column("energy_drift")]), 1e-7)
                << "the coarse run hardly drifted: the case shows nothing";
        }
        EXPECT_EQ(table.at(0, "energy_drift"), 0.0);
        EXPECT_EQ(table.at(0, "momentum_drift"), 0.0);
    }
}

TEST(Trace, BadInputIsRefusedWithStatusTwoAndAMessageNamingTheOption) {
    struct Case {
        std::vector<std::string> arguments;
        std::string named;
    };
    const Case cases[] = {
        {{"--steps"}, "--steps needs a value"},
        {{"--sides"}, "--sides needs a value"},
        {{"--steps", "ten"}, "--steps: 'ten' is not a whole number"},
        {{"--steps", "12abc"}, "--steps: '12abc' is not a whole number"},
        {{"--steps", ""}, "--steps: '' is not a whole number"},
        {{"--steps", "1.5"}, "--steps: '1.5' is not a whole number"},
        {{"--every", "-3"}, "--every: '-3' is negative"},
        {{"--steps=-1"}, "--steps: '-1' is negative"},
        {{"--every", "0"}, "--every: '0' must be at least 1"},
        {{"--steps", "10000001"}, "--steps: '10000001' is past the limit of 10000000"},
        {{"--every", "99999999999999999999999"},
         "--every: '99999999999999999999999' is past the limit"},
        // The wrong number of values, or text that is not a number.
        {{"--sides", "1,2"}, "--sides: '1,2' needs three comma-separated numbers, not 2"},
        {{"--omega", "1,2,3,4"}, "--omega: '1,2,3,4' needs three comma-separated numbers, not 4"},
        {{"--sides", "1,,3"}, "--sides: '1,,3' has '', which is not a number"},
        {{"--sides=1,two,3"}, "--sides: '1,two,3' has 'two', which is not a number"},
        {{"--omega", "1, 2x,3"}, "--omega: '1, 2x,3' has '2x', which is not a number"},
        {{"--omega", "1, ,3"}, "--omega: '1, ,3' has '', which is not a number"},
        // A moment no smaller than the sum of the other two, in each place.
        {{"--moments", "9,3,5"}, "--moments: '9,3,5' is not a real body"},
        {{"--moments", "5,9,3"}, "--moments: '5,9,3' is not a real body"},
        {{"--moments", "1,2,3"}, "--moments: '1,2,3' is not a real body"},
        {{"--step", "0.01s"}, "--step: '0.01s' has '0.01s', which is not a number"},
        // NaN or infinity.
        {{"--omega", "0,nan,0"}, "--omega: '0,nan,0' has 'nan', which is not finite"},
        {{"--sides", "1,inf,1"}, "--sides: '1,inf,1' has 'inf', which is not finite"},
        {{"--step", "1e999"}, "--step: '1e999' has '1e999', which is not finite"},
        // Sides and steps that are not positive, or out of range.
        {{"--sides", "1,0,1"}, "--sides: '1,0,1' has a side that is not positive"},
        {{"--sides", "1,2,-3"}, "--sides: '1,2,-3' has a side that is not positive"},
        {{"--sides", "1,2,1e9"}, "--sides: '1,2,1e9' has a side outside 1e-06 to 1e+06"},
        {{"--sides", "1e-6,1.3e-6,1e5"},
         "--sides: '1e-6,1.3e-6,1e5' is too thin a needle: its moments are more than 1e+15 "
         "apart, past what the exact motion holds; give the moments instead"},
        {{"--omega", "1,2e7,1"}, "--omega: '1,2e7,1' has a rate beyond 1e+06 in size"},
        {{"--omega", "1,-2e7,1"}, "--omega: '1,-2e7,1' has a rate beyond 1e+06 in size"},
        {{"--omega=-2e7,-1,1"}, "--omega: '-2e7,-1,1' has a rate beyond 1e+06 in size"},
        {{"--step", "0"}, "--step: '0' is not positive"},
        {{"--step=-0.01"}, "--step: '-0.01' is not positive"},
        {{"--step", "1e4"}, "--step: '1e4' is past the limit of 1e+03"},
        // Numbers that could not stay finite over the steps asked for.
        {{"--sides", "1,2,3", "--omega", "1,2,3", "--step", "0.5"},
         "--step: '0.5' is too large for this box and spin over 1000 steps"},
        {{"--sides", "1,2,3", "--omega", "0.1,1,0.1", "--steps", "10000000", "--step", "0.1"},
         "--step: '0.1' is too large for this box and spin over 10000000 steps"},
        {{"--omega", "0.3,300,0.3", "--step", "0.01"},
         "--step: '0.01' is too large for this box and spin: |kappa * omega_s * h| is 2.9"},
        {{"--omega", "0.3,-300,0.3", "--step", "0.01"},
         "--step: '0.01' is too large for this box and spin: |kappa * omega_s * h| is 2.9"},
        {{"--sides", "1,2,3", "--omega", "-1,2,-3", "--step", "0.5"},
         "--step: '0.5' is too large for this box and spin over 1000 steps"},
        // Moments of a real body only, and not with sides as well.
        {{"--moments", "3,5,9"},
         "--moments: '3,5,9' is not a real body: 9 is not less than 3 + 5, and each moment"},
        {{"--moments=1,2,-3"}, "--moments: '1,2,-3' has a moment that is not positive"},
        {{"--moments", "1,1,1e-13"}, "--moments: '1,1,1e-13' makes a box with a side outside"},
        {{"--moments", "3,5,7", "--sides", "1,2,3"},
         "--moments: '3,5,7' cannot go with --sides '1,2,3': give the sides or the moments"},
        // A step whose own error alone would turn the attitude away.
        {{"--sides", "1,1,1", "--omega", "0,0,10", "--step", "1", "--steps", "10"},
         "--step: '1' is too large for this box and spin over 10 steps: the attitude would "
         "stray"},
        // Over many periods of omega the attitude's errors stop piling up
        // and go on a steady amount a step: 35570 steps here are about 440
        // periods, and the run strays 2.2 degrees (a bound that took the
        // period as a quarter of itself would let it through).
        {{"--sides", "4.546532236721515,1.2124481066627153,0.5667274485655199", "--omega",
          "-0.36047071149654974,-0.16342605807659277,0.06485249434368136", "--step",
          "0.22864704534465055", "--steps", "35570"},
         "--step: '0.22864704534465055' is too large for this box and spin over 35570 steps: the "
         "attitude would stray"},
        // Each option at most once: a second one no longer silently wins.
        {{"--describe", "--describe"}, "--describe: given 2 times; give it once"},
        {{"--sides", "1,2,3", "--sides=1,2,3"}, "--sides: given 2 times ('1,2,3', '1,2,3')"},
        {{"--step", "0.01", "--steps", "5", "--step", "0.02"},
         "--step: given 2 times ('0.01', '0.02')"},
        {{"--integrator", "verlet"},
         "--integrator: 'verlet' is not an integrator; one of rk4, euler"},
        {{"--integrator", ""}, "--integrator: '' is not an integrator"},
        {{"--integrator", "rk4", "--step", "0.5", "--sides", "1,2,3", "--omega", "1,2,3"},
         "--step: '0.5' is too large"},
        {{"--speed", "3"}, "unknown option '--speed'"},
        {{"10"}, "unknown option '10'"},
        {{"--help=yes"}, "unknown option '--help=yes'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named);
        const TraceResult r = runTrace(c.arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

// Just inside the bounds, every printed number is finite: the largest
// steps a three-sided box may take over many steps, and the largest a
// symmetric top and a cube may take, huge rates and no rate at all.
TEST(Trace, InputJustInsideTheBoundsPrintsOnlyFiniteNumbers) {
    const std::vector<std::string> cases[] = {
        {"--sides", "1,2,3", "--omega", "0.1,1,0.1", "--step", "0.1", "--steps", "10000", "--every",
         "100"},
        {"--sides", "0.001,1,1000", "--omega", "1,-1,1", "--step", "0.0001", "--steps", "100000",
         "--every", "1000"},
        {"--omega", "0.3,3,0.3", "--step", "0.05", "--steps", "1000", "--every", "100"},
        {"--omega", "-0.3,-290,0.3", "--step", "0.0005", "--steps", "10000", "--every", "1000"},
        {"--sides", "1e-6,1e6,1", "--omega", "1e6,0,1e-300", "--step", "1e-13", "--steps", "100"},
        {"--sides", "1,1,1", "--omega", "1e6,-1e6,1e6", "--step", "1e-7", "--steps", "100"},
        {"--omega", "0,0,0", "--step", "1000", "--steps", "100"},
    };
    for (const auto& arguments : cases) {
        SCOPED_TRACE(arguments[1] + " " + arguments[3]);
        const TraceTable table = traceTable(arguments);
        ASSERT_GT(table.rows.size(), 1U);
        for (const auto& row : table.rows) {
            for (const double value : row) ASSERT_TRUE(std::isfinite(value));
        }
    }
}

// Random boxes (sides over twelve decades, some symmetric), spins (zero,
// tiny, huge) and steps: whatever the tool accepts prints finite numbers only.
TEST(Trace, RandomStartsItAcceptsPrintOnlyFiniteNumbers) {
    std::mt19937 random(20261210);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto decades = [&](double from, double to) {
        return std::pow(10.0, from + (to - from) * unit(random));
    };
    const auto text = [](double a, double b, double c) {
        std::ostringstream out;
        out.precision(17);
        out << a << "," << b << "," << c;
        return out.str();
    };
    int accepted = 0;
    for (int trial = 0; trial < 150; ++trial) {
        double sides[3];
        for (double& side : sides) side = decades(-6, 6);
        if (trial % 3 == 0) sides[2] = sides[0];
        double omega[3];
        for (double& w : omega) {
            const double pick = unit(random);
            w = pick < 0.2 ? 0.0 : (pick < 0.3 ? 1e-300 : (unit(random) - 0.5) * decades(-3, 6));
        }
        const std::vector<std::string> arguments = {"--sides", text(sides[0], sides[1], sides[2]),
                                                    "--omega", text(omega[0], omega[1], omega[2]),
                                                    "--step",  std::to_string(decades(-12, 1)),
                                                    "--steps", "300",
                                                    "--every", "30"};
        const TraceResult r = runTrace(arguments);
        SCOPED_TRACE(arguments[1] + " " + arguments[3] + " " + arguments[5]);
        ASSERT_TRUE(r.status == 0 || r.status == 2) << r.err;
        if (r.status == 2) continue;
        ++accepted;
        for (const auto& row : readTable(r.out).rows) {
            for (const double value : row) ASSERT_TRUE(std::isfinite(value));
        }
    }
    EXPECT_GT(accepted, 30) << "too few accepted starts to show anything";
}

TEST(Trace, HelpNamesTheOptionsAndTheBounds) {
    const TraceResult r = runTrace({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    for (const char* text :
         {"--sides A,B,C", "--moments I1,I2,I3", "--omega W1,W2,W3", "--step H", "--steps N",
          "--every K", "--describe", "10000000", "N * (H * Omega)^5 must be at most 10", "2 sqrt 2",
          "must stay under 1 degree", "the closed-form motion at n * H (not at t)"}) {
        EXPECT_NE(r.out.find(text), std::string::npos) << text;
    }
}

// Ten million steps of 0.001: the model's clock has strayed from n h by
// about 1.6e-6 by then, which at omega's turning rate would look like an
// error of 1.9e-6. The exact columns are taken at n h, so error is the
// integration's own, within the Runge-Kutta bound n |R(ix) - exp(ix)| |z0|
// for the window's box (7.2e-9).
TEST(Trace, ExactColumnsAreTakenAtNTimesHNotAtTheModelsClock) {
    const TraceTable table =
        traceTable({"--step", "0.001", "--steps", "10000000", "--every", "10000000"});
    ASSERT_EQ(table.rows.size(), 2U);
    const double n = 1e7;
    EXPECT_GT(std::fabs(table.at(1, "t") - n * 0.001), 1e-7) << "the clock never strayed";
    const double lambda = (5.29 - 0.09) / (5.29 + 0.09) * 3.0;
    const std::complex<double> q(0.0, lambda * 0.001);
    const auto r = 1.0 + q + q * q / 2.0 + q * q * q / 6.0 + q * q * q * q / 24.0;
    const double bound = n * std::abs(r - std::exp(q)) * std::hypot(0.3, 0.3);
    EXPECT_LE(table.at(1, "error"), 1.05 * bound + 1e-9);
    EXPECT_GT(table.at(1, "error"), 0.9 * bound);
}

// Another integrator: the same columns and the same exact ones; its own
// omega. Explicit Euler's energy only grows; one step of it is written out
// here for the window's box.
TEST(Trace, AnotherIntegratorStepsTheSameStartBesideTheSameExactMotion) {
    const TraceTable rk4 = traceTable({"--steps", "100", "--every", "50"});
    const TraceTable euler =
        traceTable({"--integrator", "euler", "--steps", "100", "--every", "50"});
    ASSERT_EQ(euler.names, rk4.names);
    for (size_t row = 0; row < 3; ++row) {
        for (const char* exact :
             {"exact_omega1", "exact_omega2", "exact_omega3", "exact_attitude_w"}) {
            EXPECT_EQ(euler.at(row, exact), rk4.at(row, exact)) << exact;
        }
    }
    EXPECT_GT(euler.at(1, "energy_drift"), 0.0);
    EXPECT_GT(euler.at(2, "energy_drift"), euler.at(1, "energy_drift"));
    EXPECT_GT(euler.at(2, "attitude_error_degrees"), 1e3 * rk4.at(2, "attitude_error_degrees"));

    const TraceTable one = traceTable({"--integrator", "euler", "--steps", "1"});
    const double k = (0.09 - 5.29) / (0.09 + 5.29);  // (c^2 - b^2) / (c^2 + b^2)
    EXPECT_DOUBLE_EQ(one.at(1, "omega1"), 0.3 + 0.01 * k * 3.0 * 0.3);
    EXPECT_DOUBLE_EQ(one.at(1, "omega2"), 3.0);
    EXPECT_DOUBLE_EQ(one.at(1, "omega3"), 0.3 - 0.01 * k * 0.3 * 3.0);
}

// A step that sends an integrator's omega past the finite numbers stops the
// run with status 1 and says so, instead of printing inf as a result.
TEST(Trace, AnIntegratorThatBlowsUpStopsWithStatusOne) {
    const TraceResult r = runTrace({"--integrator", "euler", "--sides", "1,2,3", "--omega",
                                    "1,100,1", "--step", "1", "--steps", "1000"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("euler: omega left the finite numbers at step"), std::string::npos)
        << r.err;
    EXPECT_EQ(r.out.find("inf"), std::string::npos);
    EXPECT_EQ(r.out.find("nan"), std::string::npos);
}

// Values written with spaces after the commas are read as without; a body
// given by its moments is the box that has them, column for column: moments
// 13, 10, 5 are the box 1 x 2 x 3's (b^2 + c^2, a^2 + c^2, a^2 + b^2).
TEST(Trace, SpacesAndMomentsGiveTheSameRunAsThePlainSides) {
    const TraceResult plain =
        runTrace({"--sides", "1,2,3", "--omega", "0.1,1,0.1", "--steps", "300", "--every", "30"});
    const TraceResult spaced = runTrace(
        {"--sides", "1, 2, 3", "--omega", " 0.1 ,\t1, 0.1 ", "--steps", "300", "--every", "30"});
    const TraceResult moments = runTrace(
        {"--moments", "13,10,5", "--omega", "0.1,1,0.1", "--steps", "300", "--every", "30"});
    ASSERT_EQ(plain.status, 0);
    EXPECT_EQ(spaced.status, 0) << spaced.err;
    EXPECT_EQ(spaced.out, plain.out);
    EXPECT_EQ(moments.status, 0) << moments.err;
    EXPECT_EQ(moments.out, plain.out);
}

// With no --step, the step is chosen: --describe names it, and a run of
// 100 time units at it keeps the integrated attitude within 0.01 degrees of
// the exact one at every row (the estimate behind the choice is
// conservative; the run is the test). A given step is the one used.
TEST(Trace, AChosenStepKeepsTheAttitudeWithinAHundredthOfADegreeOver100TimeUnits) {
    const std::vector<std::vector<std::string>> starts = {
        {},                                                      // the window's box
        {"--sides", "1,2,3", "--omega", "0.1,1,0.1"},            // the flip
        {"--sides", "1,2,3", "--omega", "1,10,1"},               // ten times as fast
        {"--sides", "0.07,0.15,0.008", "--omega", "0.1,6,0.1"},  // a phone, flipped
        {"--moments", "3,4,6", "--omega",
         "-2,0.5,1.2"},  // elliptic (-2,0.5,1 is on the separatrix)
    };
    for (const auto& start : starts) {
        std::vector<std::string> describe = start;
        describe.push_back("--describe");
        const TraceResult d = runTrace(describe);
        ASSERT_EQ(d.status, 0) << d.err;
        ASSERT_NE(d.out.find("step_chosen=yes"), std::string::npos) << d.out;
        const size_t at = d.out.find("step=");
        ASSERT_NE(at, std::string::npos);
        const double h = std::stod(d.out.substr(at + 5));
        SCOPED_TRACE(testing::Message() << (start.empty() ? "defaults" : start[1]) << ", h " << h);
        EXPECT_LE(h, 0.01);
        const long steps = std::lround(std::ceil(100.0 / h));
        std::vector<std::string> run = start;
        for (const std::string& more : {std::string("--steps"), std::to_string(steps),
                                        std::string("--every"), std::to_string(steps / 50)}) {
            run.push_back(more);
        }
        const TraceTable table = traceTable(run);
        ASSERT_GT(table.rows.size(), 50U);
        EXPECT_NEAR(table.at(1, "t"), h * static_cast<double>(steps / 50), 1e-9);
        for (size_t row = 0; row < table.rows.size(); ++row) {
            ASSERT_LT(table.at(row, "attitude_error_degrees"), 0.01) << "row " << row;
        }
    }
    const TraceResult given = runTrace({"--step", "0.02", "--describe"});
    EXPECT_NE(given.out.find("step=0.02\nstep_chosen=no"), std::string::npos) << given.out;
}

// The exact and the integrated quaternions move on smoothly from row to row:
// q and -q are the same attitude, so a sign that flips now and then passes
// every sign-blind check, but a column that jumps by 2 is no use to anyone
// who plots it. Over many half-periods of omega, for every kind of motion,
// including one circling the smallest moment (the quarter-turn count of the
// closed form runs backwards there).
TEST(Trace, QuaternionColumnsChangeSmoothlyFromRowToRow) {
    const std::vector<std::vector<std::string>> starts = {
        {"--sides", "1,2,3", "--omega", "0.1,1,0.1"},      // flipping, circling the largest
        {"--sides", "1,2,3", "--omega", "0.2,0.3,-1"},     // circling the smallest
        {"--sides", "0.7,1.9,3.1", "--omega", "0.3,0,1"},  // the smallest, a zero sn
        {"--sides", "1,2,4", "--omega", "0.5,1,0.5"},      // the separatrix
        {"--sides", "2,2,0.6", "--omega", "0.5,0.2,3"},    // a symmetric top
        {"--sides", "1,2,3", "--omega", "0,0,1.5"},        // steady
    };
    for (const auto& start : starts) {
        SCOPED_TRACE(start[1] + " " + start[3]);
        std::vector<std::string> run = start;
        for (const char* more : {"--step", "0.01", "--steps", "20000", "--every", "2"}) {
            run.emplace_back(more);
        }
        const TraceTable t = traceTable(run);
        for (const char* prefix : {"exact_attitude_", "attitude_"}) {
            double worst = 0.0;
            for (size_t row = 1; row < t.rows.size(); ++row) {
                double step = 0.0;
                for (const char* part : {"w", "x", "y", "z"}) {
                    const std::string name = std::string(prefix) + part;
                    step += std::pow(t.at(row, name) - t.at(row - 1, name), 2);
                }
                worst = std::fmax(worst, std::sqrt(step));
            }
            // |omega| at most about 3 here: a row 0.02 apart turns q by 0.03.
            EXPECT_LT(worst, 0.05) << prefix;
        }
    }
}

}  // namespace
