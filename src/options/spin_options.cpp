// The shared box and spin options, and the step bounds.
#include "spin_options.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdio>

#include "command_line.h"
#include "option_values.h"
#include "step_bound.h"

namespace {

// Three numbers as the usage shows a default: 0.3,2.3,0.3.
std::string listed(const double v[3]) {
    char text[96];
    std::snprintf(text, sizeof text, "%g,%g,%g", v[0], v[1], v[2]);
    return text;
}

}  // namespace

// The defaults shown are the values `options` holds when the options are added.
void addSpinOptions(CLI::App& app, SpinOptions& options) {
    addValueOption(app, "--sides", "A,B,C",
                   "the box's sides (default " + listed(options.sides) + "), each from " +
                       shortNumber(kMinSide) + " to " + shortNumber(kMaxSide),
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
                   "the body-frame angular velocity at t = 0 (default " + listed(options.omega) +
                       "),\neach at most " + shortNumber(kMaxRate) + " in size",
                   [&options](const std::string& text) { return readOmega(text, options.omega); });
    addValueOption(app, "--step", "H",
                   "the integration step (default " + shortNumber(options.step) +
                       "), above 0, at most " + shortNumber(kMaxStep),
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
           "  the attitude: the estimate of its error from the step alone,\n"
           "      1.5 (N |delta(H Omega)| + 3 H A (H nu)^5 M / 120\n"
           "           + 3e-4 N^2 (H Omega) (H nu)^7) radians,\n"
           "    must stay under " +
           shortNumber(kMaxAttitudeDegrees) +
           " degree: delta(x) = 2 (arg R(i x / 2) - x / 2), R the\n"
           "    Runge-Kutta polynomial; nu the rate at which omega turns, A the size of\n"
           "    its turning part; M = N^2 / 2 over the first four periods P of omega,\n"
           "    then (4 P / H) (N - 2 P / H). Near the separatrix the motion itself\n"
           "    amplifies every small error: attitude_error_degrees shows it.\n"
           "Moments are taken as I1 = B^2 + C^2, I2 = A^2 + C^2, I3 = A^2 + B^2 (or\n"
           "as given), and 2E = I1 W1^2 + I2 W2^2 + I3 W3^2.\n";
}
