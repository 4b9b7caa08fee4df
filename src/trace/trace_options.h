// The trace tool's command line: which box, which spin, what step, how many
// steps, and which of them to print.
#pragma once

#include <string>

struct TraceOptions {
    long steps = 1000;                  // steps to take after the initial state
    long every = 1;                     // print every K-th step
    double sides[3] = {0.3, 2.3, 0.3};  // the box, as in the window program
    double omega[3] = {0.3, 3.0, 0.3};  // the spin at t = 0
    double step = 0.01;                 // the integration step h
    bool help = false;                  // print the usage text and nothing else
};

// Upper limit for --steps and --every.
constexpr long kMaxTraceSteps = 10000000;
// Ranges of the numbers, wide enough for any box a person would try and
// narrow enough that no printed number can overflow.
constexpr double kMinSide = 1e-6;
constexpr double kMaxSide = 1e6;
constexpr double kMaxRate = 1e6;
constexpr double kMaxStep = 1e3;
// For three different sides: steps * (h * Omega)^5 at most this, where Omega
// is the largest rate the motion can reach. Measured on boxes up to 10^6 : 1
// and spins beside the separatrix, the step's relative drift of 2E and |L|^2
// stays below 1.5e-3 * (h * Omega)^5 a step, so at this bound the invariants
// drift by at most a few per cent and every number stays finite.
constexpr double kMaxDriftMeasure = 10.0;
// For two equal sides: |kappa * omega_s * h| at most 2 sqrt 2, where the
// step's growth factor on the turning pair stops being at most 1.
constexpr double kMaxSymmetricTurn = 2.8284271247461903;

// Reads argv into options; on bad input returns false and sets `error` to a
// one-line message naming the option and the value.
bool parseTraceOptions(int argc, const char* const* argv, TraceOptions& options,
                       std::string& error);

// The --help text.
std::string traceUsage();
