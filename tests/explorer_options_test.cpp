// The explorer's command line, run as a user runs it: every refusal is one
// line and status 2 before any window opens; --help names the options, the
// integrators and the chosen step.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "trace_runner.h"

namespace {

const std::string kExplorer = SPINNING_BOX_EXPLORER_PATH;

TEST(ExplorerOptions, BadInputIsRefusedInOneLineWithStatusTwo) {
    const struct {
        std::vector<std::string> arguments;
        std::string named;
    } cases[] = {
        // The speed's limits, 1/1024 and 1024 time units a second.
        {{"--speed", "0"}, "--speed: '0' is outside 1/1024 to 1024"},
        {{"--speed", "1e-9"}, "--speed: '1e-9' is outside 1/1024 to 1024"},
        {{"--speed", "0.0009"}, "--speed: '0.0009' is outside 1/1024 to 1024"},
        {{"--speed", "2048"}, "--speed: '2048' is outside 1/1024 to 1024"},
        {{"--speed", "-1"}, "--speed: '-1' is outside 1/1024 to 1024"},
        {{"--integrator", "leapfrog"}, "--integrator: 'leapfrog' is not an integrator"},
        {{"--sides", "1,2"}, "--sides: '1,2' needs three comma-separated numbers, not 2"},
        // Good for 10 time units of steps, not for the 100 the explorer keeps.
        {{"--sides", "1,2,3", "--omega", "0.1,1,0.1", "--step", "0.3"},
         "--step: '0.3' is too large for this box and spin over 334 steps"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        const TraceResult r = runCommand(kExplorer, c.arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST(ExplorerOptions, HelpNamesTheOptionsTheIntegratorsAndTheChosenStep) {
    const TraceResult r = runCommand(kExplorer, {"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* text : {"--speed S", "--integrator NAME", "--step H", "Without it the", "rk4",
                             "engine-nogyro", "dmv", "rkmk4", "i                   the next"}) {
        EXPECT_NE(r.out.find(text), std::string::npos) << text;
    }
}

}  // namespace
