// The shared box and spin options, and the step bounds.
#include "spin_options.h"

#include <CLI/CLI.hpp>
#include <cmath>

#include "command_line.h"
#include "option_values.h"
#include "step_bound.h"

void addSpinOptions(CLI::App& app, SpinOptions& options) {
    addValueOption(app, "--sides", "A,B,C",
                   "the box's sides (default 0.3,2.3,0.3), each from " + shortNumber(kMinSide) +
                       " to " + shortNumber(kMaxSide),
                   [&options](const std::string& text) {
                       options.sidesText = text;
                       return readSides(text, options.sides);
                   });
    addValueOption(app, "--moments", "I1,I2,I3",
                   "the principal moments instead of the sides: any real body,\n"
                   "each moment less than the sum of the other two; the box that has\n"
                   "them is the one integrated",
                   [&options](const std::string& text) {
                       options.momentsGiven = true;
                       options.momentsText = text;
                       return readMoments(text, options.moments, options.sides);
                   });
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

std::string checkOneBody(const SpinOptions& options) {
    if (options.momentsGiven && !options.sidesText.empty()) {
        return "--moments: '" + options.momentsText + "' cannot go with --sides '" +
               options.sidesText + "': give the sides or the moments";
    }
    return "";
}

ExactMotion exactMotionOf(const SpinOptions& options) {
    return options.momentsGiven ? exactMotionFromMoments(options.moments, options.omega)
                                : exactMotionFromSides(options.sides, options.omega);
}

// Past the bounds the integration could grow without limit, or the
// attitude stray from the truth, so a step is refused up front.
std::string checkStepBound(const SpinOptions& o, long steps) {
    const std::string what = "--step: '" + o.stepText + "' is too large for this box and spin";
    const ExactMotion motion = exactMotionOf(o);
    const StepBounds bounds = stepBoundsOf(motion, o.step, steps);
    if (bounds.symmetricTurn > kMaxSymmetricTurn) {
        return what + ": |kappa * omega_s * h| is " + shortNumber(bounds.symmetricTurn) +
               ", more than 2.83";
    }
    const std::string over = what + " over " + std::to_string(steps) + " steps: ";
    if (bounds.driftMeasure > kMaxDriftMeasure) {
        return over + "steps * (h * Omega)^5 is " + shortNumber(bounds.driftMeasure) +
               ", more than " + shortNumber(kMaxDriftMeasure) + " (Omega " +
               shortNumber(motion.maxRate) + ")";
    }
    if (bounds.attitudeDegrees > kMaxAttitudeDegrees) {
        return over + "the attitude would stray about " + shortNumber(bounds.attitudeDegrees) +
               " degrees from the exact one, more than " + shortNumber(kMaxAttitudeDegrees);
    }
    return "";
}

std::string stepBoundHelp() {
    return "Bounds. A step too large for the box and spin is refused before anything\n"
           "is printed. Omega is the largest |omega| the motion reaches (the two\n"
           "invariants give it), N the number of steps:\n"
           "  three different moments: N * (H * Omega)^5 must be at most " +
           shortNumber(kMaxDriftMeasure) +
           ", which\n"
           "    keeps every number finite;\n"
           "  two equal moments: |kappa * omega_s * H| must be at most 2 sqrt 2 (2.83),\n"
           "    kappa * omega_s being the rate at which omega turns about the\n"
           "    symmetry axis s, past which the step grows without limit;\n"
           "  the attitude: its step's own error, N * |delta(H * Omega)| with\n"
           "    delta(x) = 2 (arg R(i x / 2) - x / 2), R the Runge-Kutta polynomial,\n"
           "    plus the effect of omega's error, H * A * (H * nu)^5 * N^2 / 240\n"
           "    (nu the rate at which omega turns, A the size of its turning part),\n"
           "    must stay under " +
           shortNumber(kMaxAttitudeDegrees) +
           " degree. Near the separatrix the motion itself\n"
           "    amplifies every small error: attitude_error_degrees shows it.\n"
           "Moments are taken as I1 = B^2 + C^2, I2 = A^2 + C^2, I3 = A^2 + B^2 (or\n"
           "as given), and 2E = I1 W1^2 + I2 W2^2 + I3 W3^2.\n";
}
