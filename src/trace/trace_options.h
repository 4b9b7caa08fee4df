// The trace tool's command line: the shared box and spin options, how many
// steps to take, and which of them to print.
#pragma once

#include <string>

#include "command_line.h"
#include "spin_options.h"
#include "steppers.h"

struct TraceOptions {
    SpinOptions spin;
    long steps = 1000;                       // steps to take after the initial state
    long every = 1;                          // print every K-th step
    bool describe = false;                   // describe the motion instead of tracing it
    const Integrator* integrator = nullptr;  // the stepper; the window program's RK4 if none
};

// Reads argv into options. On Refused, `text` is the one line that says why;
// on Help, the usage.
CommandLine readTraceOptions(int argc, const char* const* argv, TraceOptions& options,
                             std::string& text);
