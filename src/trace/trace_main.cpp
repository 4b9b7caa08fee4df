// spinning-box-trace: runs the spinning box's rotation model with no window
// and writes each step as CSV, beside the exact solution of the symmetric top.
#include <cmath>
#include <cstdio>
#include <string>

#include "spin_state.h"
#include "trace_options.h"

namespace {

// The box has a = c, so it is a symmetric top: omega2 stays fixed and
// omega1 + i omega3 turns at the constant rate k * omega2.
struct ExactTop {
    double w1;
    double w3;
    double rate;
};

ExactTop exactTopFrom(const SpinState& start) {
    const double a2 = start.sides[0] * start.sides[0];
    const double b2 = start.sides[1] * start.sides[1];
    const double k = (b2 - a2) / (b2 + a2);
    return {start.omega[0], start.omega[2], k * start.omega[1]};
}

void printRow(long step, const ExactTop& exact) {
    const SpinState& s = spinState;
    const double phase = exact.rate * s.elapsed;
    const double exact1 = exact.w1 * std::cos(phase) - exact.w3 * std::sin(phase);
    const double exact3 = exact.w1 * std::sin(phase) + exact.w3 * std::cos(phase);
    const double error = std::hypot(s.omega[0] - exact1, s.omega[2] - exact3);
    std::printf("%ld,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g\n", step, s.elapsed,
                s.omega[0], s.omega[1], s.omega[2], s.spinRate, s.turnAngleDegrees, exact1, exact3,
                error);
}

}  // namespace

int main(int argc, char** argv) {
    TraceOptions options;
    std::string error;
    if (!parseTraceOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "spinning-box-trace: %s (see --help)\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(traceUsage().c_str(), stdout);
        return 0;
    }

    const ExactTop exact = exactTopFrom(spinState);
    std::puts(
        "step,t,omega1,omega2,omega3,spin_rate,turn_angle_degrees,exact_omega1,exact_omega3,"
        "error");
    printRow(0, exact);
    for (long step = 1; step <= options.steps; ++step) {
        advanceRotation();
        if (step % options.every == 0) {
            printRow(step, exact);
        }
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "spinning-box-trace: could not write the output\n");
        return 1;
    }
    return 0;
}
