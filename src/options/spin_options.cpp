// The shared box and spin options, and the step bound.
#include "spin_options.h"

#include <CLI/CLI.hpp>
#include <cmath>

#include "command_line.h"
#include "exact_motion.h"
#include "option_values.h"

void addSpinOptions(CLI::App& app, SpinOptions& options) {
    addValueOption(app, "--sides", "A,B,C",
                   "the box's sides (default 0.3,2.3,0.3), each from " + shortNumber(kMinSide) +
                       " to " + shortNumber(kMaxSide),
                   [&options](const std::string& text) { return readSides(text, options.sides); });
    addValueOption(app, "--omega", "W1,W2,W3",
                   "the body-frame angular velocity at t = 0 (default 0.3,3.0,0.3),\n"
                   "each at most " +
                       shortNumber(kMaxRate) + " in size",
                   [&options](const std::string& text) { return readOmega(text, options.omega); });
    addValueOption(app, "--step", "H",
                   "the integration step (default 0.01), above 0, at most " + shortNumber(kMaxStep),
                   [&options](const std::string& text) {
                       options.stepText = text;
                       return readStep(text, options.step);
                   });
}

// Past the bound the integration could grow without limit, so a step is
// refused up front.
std::string checkStepBound(const SpinOptions& o, long steps) {
    const std::string what = "--step: '" + o.stepText + "' is too large for this box and spin";
    const MotionKind kind = motionKindOf(o.sides, o.omega);
    if (kind == MotionKind::Symmetric) {
        const double turn = std::fabs(exactMotionFrom(o.sides, o.omega).rate * o.step);
        if (turn > kMaxSymmetricTurn) {
            return what + ": |kappa * omega_s * h| is " + shortNumber(turn) + ", more than 2.83";
        }
    } else if (kind == MotionKind::Elliptic) {
        double moments[3];
        principalMoments(o.sides, moments);
        const double twiceEnergy = invariantsOf(moments, o.omega).twiceEnergy;
        const double smallest = std::fmin(moments[0], std::fmin(moments[1], moments[2]));
        const double largestRate = std::sqrt(twiceEnergy / smallest);
        const double measure = static_cast<double>(steps) * std::pow(o.step * largestRate, 5);
        if (measure > kMaxDriftMeasure) {
            return what + " over " + std::to_string(steps) + " steps: steps * (h * Omega)^5 is " +
                   shortNumber(measure) + ", more than " + shortNumber(kMaxDriftMeasure) +
                   " (Omega " + shortNumber(largestRate) + ")";
        }
    }
    return "";
}

std::string stepBoundHelp() {
    return "Bound. A step too large for the box and spin could make the integration\n"
           "grow without limit, so it is refused before anything is printed:\n"
           "  three different sides: N * (H * Omega)^5 must be at most " +
           shortNumber(kMaxDriftMeasure) +
           ", where\n"
           "    Omega = sqrt(2E / I_min) is the largest rate the motion can reach;\n"
           "  two equal sides: |kappa * omega_s * H| must be at most 2 sqrt 2 (2.83),\n"
           "    kappa * omega_s being the rate at which omega turns about the\n"
           "    symmetry axis s;\n"
           "  three equal sides: no bound, omega never changes.\n"
           "Moments are taken as I1 = B^2 + C^2, I2 = A^2 + C^2, I3 = A^2 + B^2, and\n"
           "2E = I1 W1^2 + I2 W2^2 + I3 W3^2.\n";
}
