// The trace tool as a user runs it: its CSV, its accuracy against the exact
// motion, and its answers to bad input.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <complex>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "spin_state.h"

extern char** environ;

namespace {

const std::string kTrace = SPINNING_BOX_TRACE_PATH;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string slurp(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    unlink(path.c_str());
    return text.str();
}

// Runs the trace tool with the given arguments, its two outputs apart.
Result runTrace(const std::vector<std::string>& arguments) {
    char outPath[] = "/tmp/trace-out-XXXXXX";
    char errPath[] = "/tmp/trace-err-XXXXXX";
    const int out = mkstemp(outPath);
    const int err = mkstemp(errPath);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    std::vector<char*> argv{const_cast<char*>(kTrace.c_str())};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    Result result;
    if (posix_spawn(&pid, kTrace.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(out);
    close(err);
    result.out = slurp(outPath);
    result.err = slurp(errPath);
    return result;
}

std::vector<std::vector<double>> rows(const std::string& csv) {
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);  // header
    std::vector<std::vector<double>> table;
    while (std::getline(lines, line)) {
        std::vector<double> row;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, ',')) row.push_back(std::stod(field));
        table.push_back(row);
    }
    return table;
}

TEST(Trace, WritesTheHeaderAndOneRowPerPrintedStep) {
    struct Case {
        std::vector<std::string> arguments;
        std::vector<long> printedSteps;
    };
    const Case cases[] = {
        {{}, {0, 1, 2, 999, 1000}},
        {{"--steps", "10", "--every", "3"}, {0, 3, 6, 9}},
        {{"--steps=10", "--every=5"}, {0, 5, 10}},
        {{"--steps", "0"}, {0}},
        {{"--steps", "7", "--every", "100"}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.arguments.size() << " arguments, first rows " << c.printedSteps.size());
        const Result r = runTrace(c.arguments);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
                  "step,t,omega1,omega2,omega3,spin_rate,turn_angle_degrees,exact_omega1,"
                  "exact_omega3,error");
        const auto table = rows(r.out);
        if (c.arguments.empty()) {
            ASSERT_EQ(table.size(), 1001U);
            EXPECT_EQ(table[999][0], 999);
        } else {
            ASSERT_EQ(table.size(), c.printedSteps.size());
        }
        EXPECT_EQ(table.front()[0], 0);
        EXPECT_EQ(table.back()[0], static_cast<double>(c.printedSteps.back()));
        for (const auto& row : table) EXPECT_EQ(row.size(), 10U);
    }
}

TEST(Trace, RowsAreTheDemosOwnModelToTheLastBit) {
    const auto table = rows(runTrace({}).out);
    ASSERT_EQ(table.size(), 1001U);
    // Row 0: the initial state.
    EXPECT_EQ(table[0][2], 0.3);
    EXPECT_EQ(table[0][3], 3.0);
    EXPECT_EQ(table[0][4], 0.3);
    // Row 1000: the known values after 1000 steps, and exactly what the
    // linked model gives, digits enough to round-trip a double.
    const std::vector<double>& last = table[1000];
    EXPECT_NEAR(last[1], 10.0, 1e-9);
    EXPECT_NEAR(last[2], -0.026901364, 5e-10);
    EXPECT_NEAR(last[4], -0.423410339, 5e-10);
    EXPECT_NEAR(last[6], 1735.977024, 5e-7);
    for (int i = 0; i < 1000; ++i) advanceRotation();
    EXPECT_EQ(last[1], spinState.elapsed);
    EXPECT_EQ(last[2], spinState.omega[0]);
    EXPECT_EQ(last[3], spinState.omega[1]);
    EXPECT_EQ(last[4], spinState.omega[2]);
    EXPECT_EQ(last[5], spinState.spinRate);
    EXPECT_EQ(last[6], spinState.turnAngleDegrees);
}

// RK4 turns (omega1, omega3) by R(ix) per step instead of exp(ix), x = k omega2 h;
// with |R| <= 1 the error after n steps is at most n |R(ix) - exp(ix)| |z0|.
// Beyond that only rounding: a few units in the last place per step, and the
// exact column is taken at t summed from 0.01s, which can stray from n h by
// half a unit in the last place of t per step.
TEST(Trace, ErrorStaysWithinTheMethodsBoundAndMatchesTheExactColumns) {
    const double lambda = (5.29 - 0.09) / (5.29 + 0.09) * 3.0;
    const std::complex<double> q(0.0, lambda * 0.01);
    const auto r = 1.0 + q + q * q / 2.0 + q * q * q / 6.0 + q * q * q * q / 24.0;
    const double z0 = std::hypot(0.3, 0.3);
    const double perStep = std::abs(r - std::exp(q)) * z0;
    const auto table = rows(runTrace({"--steps", "100000", "--every", "50"}).out);
    ASSERT_EQ(table.size(), 2001U);
    for (const auto& row : table) {
        const double n = row[0];
        const double t = row[1];
        const double timeDrift = n * (std::nextafter(t, 2 * t + 1) - t) / 2;
        const double rounding = n * 1e-15 + lambda * z0 * timeDrift;
        ASSERT_LE(row[9], n * perStep + rounding) << "step " << n;
        EXPECT_NEAR(row[9], std::hypot(row[2] - row[7], row[4] - row[8]), 1e-15);
        // The exact motion keeps its magnitude.
        EXPECT_NEAR(std::hypot(row[7], row[8]), std::hypot(0.3, 0.3), 1e-14);
    }
    EXPECT_GT(table.back()[9], 0.9 * 100000 * perStep);
}

TEST(Trace, BadInputIsRefusedWithStatusTwoAndAMessageNamingTheOption) {
    struct Case {
        std::vector<std::string> arguments;
        std::string named;
    };
    const Case cases[] = {
        {{"--steps"}, "--steps needs a value"},
        {{"--every"}, "--every needs a value"},
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
        {{"--speed", "3"}, "unknown option '--speed'"},
        {{"10"}, "unknown option '10'"},
        {{"--help=yes"}, "unknown option '--help=yes'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named);
        const Result r = runTrace(c.arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST(Trace, HelpNamesTheOptionsAndTheLimit) {
    const Result r = runTrace({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    for (const char* text : {"--steps N", "--every K", "10000000"}) {
        EXPECT_NE(r.out.find(text), std::string::npos) << text;
    }
}

}  // namespace
