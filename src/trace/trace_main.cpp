// spinning-box-trace: steps the free box with no window, for any box, any
// spin and any of the integrators, and writes each step as CSV beside the
// exact motion of the free body. The default integrator is the window
// program's own RK4, bit for bit. --describe tells what kind of motion a
// start leads to instead.
#include <cstdio>
#include <string>

#include "body.h"
#include "euler_rate.h"
#include "steppers.h"
#include "trace_options.h"
#include "trace_output.h"

namespace {

// The CSV: a row every `every` steps. The clock is a sum of steps, as the
// window program keeps it. Returns the step at which the state stopped
// printing finite numbers, or 0.
long trace(const TraceOptions& options, const Integrator& integrator,
           const TraceReference& reference) {
    const double h = options.spin.step;
    const Body body = boxBody(options.spin.sides);
    RigidState state = startState(options.spin.omega);
    double t = 0.0;
    printHeader();
    printRow(0, h, 0.0, state, reference);
    for (long step = 1; step <= options.steps; ++step) {
        integrator.step(body, h, state);
        t = t + h;
        if (!isFinite(body, state)) {
            return step;
        }
        if (step % options.every == 0) {
            printRow(step, h, t, state, reference);
        }
    }
    return 0;
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
    long lost = 0;
    const Integrator& integrator =
        options.integrator != nullptr ? *options.integrator : *findIntegrator("rk4");
    if (options.describe) {
        printDescription(reference, options.spin.step, !options.spin.stepGiven);
    } else {
        lost = trace(options, integrator, reference);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "spinning-box-trace: could not write the output\n");
        return 1;
    }
    if (lost != 0) {
        std::fprintf(stderr,
                     "spinning-box-trace: %s: omega left the finite numbers at step %ld; "
                     "take a smaller --step\n",
                     integrator.name, lost);
        return 1;
    }
    return 0;
}
