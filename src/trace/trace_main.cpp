// spinning-box-trace: runs the spinning box's rotation model with no window,
// for any box and any spin, and writes each step as CSV beside the exact
// motion of the free body, with the orientation integrated from it. The
// integration of omega is the model's own step, the same code the window
// program runs.
#include <cstdio>
#include <string>

#include "spin_state.h"
#include "trace_options.h"
#include "trace_output.h"

int main(int argc, char** argv) {
    TraceOptions options;
    std::string text;
    switch (readTraceOptions(argc, argv, options, text)) {
        case CommandLine::Refused:
            std::fprintf(stderr, "spinning-box-trace: %s (see --help)\n", text.c_str());
            return 2;
        case CommandLine::Help:
            std::fputs(text.c_str(), stdout);
            return 0;
        case CommandLine::Run:
            break;
    }

    for (int i = 0; i < 3; ++i) {
        spinState.sides[i] = options.spin.sides[i];
        spinState.omega[i] = options.spin.omega[i];
    }
    spinState.timeStep = options.spin.step;

    const TraceReference reference = referenceFrom(spinState);
    Attitude attitude = startAttitude(spinState.omega);
    printHeader();
    printRow(0, spinState, attitude, reference);
    for (long step = 1; step <= options.steps; ++step) {
        advanceRotation();
        advanceAttitude(attitude, spinState.omega, spinState.timeStep);
        if (step % options.every == 0) {
            printRow(step, spinState, attitude, reference);
        }
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "spinning-box-trace: could not write the output\n");
        return 1;
    }
    return 0;
}
