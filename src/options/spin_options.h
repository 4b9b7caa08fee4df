// The box and spin options that the trace tool and the explorer share, and
// the bound that keeps an integration with them finite.
#pragma once

#include <string>

namespace CLI {
class App;
}  // namespace CLI

struct SpinOptions {
    double sides[3] = {0.3, 2.3, 0.3};  // the box, as in the window program
    double omega[3] = {0.3, 3.0, 0.3};  // the spin at t = 0
    double step = 0.01;                 // the integration step h
    std::string stepText = "0.01";      // the step as given, for messages
};

// For three different sides: steps * (h * Omega)^5 at most this, where Omega
// is the largest rate the motion can reach.
constexpr double kMaxDriftMeasure = 10.0;
// For two equal sides: |kappa * omega_s * h| at most 2 sqrt 2, where the
// step's growth factor on the turning pair stops being at most 1.
constexpr double kMaxSymmetricTurn = 2.8284271247461903;

// Adds --sides, --omega and --step, each value read into `options`.
void addSpinOptions(CLI::App& app, SpinOptions& options);

// "" if `steps` steps of the options' step keep every number finite, else
// the one line that refuses the step.
std::string checkStepBound(const SpinOptions& options, long steps);

// The usage's paragraph on that bound.
std::string stepBoundHelp();
