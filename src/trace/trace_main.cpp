// spinning-box-trace: runs the spinning box's rotation model with no window,
// for any box and any spin, and writes each step as CSV beside the exact
// motion of the free body, with the orientation integrated from it and in
// closed form. The integration of omega is the model's own step, the same
// code the window program runs. --describe tells what kind of motion a
// start leads to instead.
#include <cstdio>
#include <string>

#include "spin_state.h"
#include "trace_options.h"
#include "trace_output.h"

namespace {

// The CSV: the model's own step, the attitude step after it, and a row
// every `every` steps.
void trace(const TraceOptions& options, const TraceReference& reference) {
    const double h = spinState.timeStep;
    Attitude attitude = startAttitude(spinState.omega);
    printHeader();
    printRow(0, h, spinState, attitude, reference);
    for (long step = 1; step <= options.steps; ++step) {
        advanceRotation();
        advanceAttitude(attitude, spinState.omega, h);
        if (step % options.every == 0) {
            printRow(step, h, spinState, attitude, reference);
        }
    }
}

}  // namespace

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

    const TraceReference reference = referenceFrom(exactMotionOf(options.spin));
    if (options.describe) {
        printDescription(reference);
    } else {
        for (int i = 0; i < 3; ++i) {
            spinState.sides[i] = options.spin.sides[i];
            spinState.omega[i] = options.spin.omega[i];
        }
        spinState.timeStep = options.spin.step;
        trace(options, reference);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "spinning-box-trace: could not write the output\n");
        return 1;
    }
    return 0;
}
