// The trace tool's command line: how many steps, and which of them to print.
#pragma once

#include <string>

struct TraceOptions {
    long steps = 1000;  // steps to take after the initial state
    long every = 1;     // print every K-th step
    bool help = false;  // print the usage text and nothing else
};

// Upper limit for --steps and --every.
constexpr long kMaxTraceSteps = 10000000;

// Reads argv into options; on bad input returns false and sets `error` to a
// one-line message naming the option and the value.
bool parseTraceOptions(int argc, const char* const* argv, TraceOptions& options,
                       std::string& error);

// The --help text.
std::string traceUsage();
