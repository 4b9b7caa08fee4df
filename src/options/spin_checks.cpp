// The checks on a body and a spin that go beyond one option's value: one
// body only, and a step the bounds allow. No command line here: the web
// page asks them too.
#include <cmath>

#include "option_values.h"
#include "spin_options.h"
#include "step_bound.h"

namespace {

const StartField kStartFields[] = {
    {"--sides",
     [](const std::string& text, SpinOptions& start) {
         start.sidesText = text;
         return readSides(text, start.sides);
     }},
    {"--moments",
     [](const std::string& text, SpinOptions& start) {
         start.momentsGiven = true;
         start.momentsText = text;
         return readMoments(text, start.moments, start.sides);
     }},
    {"--omega",
     [](const std::string& text, SpinOptions& start) { return readOmega(text, start.omega); }},
    {"--step",
     [](const std::string& text, SpinOptions& start) {
         start.stepText = text;
         start.stepGiven = true;
         return readStep(text, start.step);
     }},
};

}  // namespace

const StartField* startFields(int* count) {
    *count = static_cast<int>(sizeof kStartFields / sizeof kStartFields[0]);
    return kStartFields;
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

void chooseStepIfNotGiven(SpinOptions& options) {
    if (!options.stepGiven) {
        options.step = chooseStep(exactMotionOf(options));
        options.stepText = shortNumber(options.step);
    }
}

// Past the bounds the integration could grow without limit, or the
// attitude stray from the truth, so a step is refused up front.
std::string checkStepBound(const SpinOptions& o, long steps) {
    const std::string what = o.stepGiven
                                 ? "--step: '" + o.stepText + "' is too large for this box and spin"
                                 : "--step: the step chosen, " + o.stepText +
                                       ", is too large for this box and spin (give a smaller one)";
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
