// The box and spin options that the trace tool and the explorer share
// (spin_options.cpp, read with CLI11), and the checks and bounds a body, a
// spin and a step must pass (spin_checks.cpp, which needs no command line).
#pragma once

#include <string>

#include "exact_motion.h"

namespace CLI {
class App;
}  // namespace CLI

// The window program's box, spin and step: the tools' defaults.
constexpr double kWindowSides[3] = {0.3, 2.3, 0.3};
constexpr double kWindowOmega[3] = {0.3, 3.0, 0.3};
constexpr double kWindowStep = 0.01;

struct SpinOptions {
    double sides[3] = {kWindowSides[0], kWindowSides[1], kWindowSides[2]};
    bool momentsGiven = false;  // --moments given: the box is theirs
    double moments[3] = {0.0, 0.0, 0.0};
    double omega[3] = {kWindowOmega[0], kWindowOmega[1], kWindowOmega[2]};  // at t = 0
    double step = kWindowStep;  // the integration step h
    bool stepGiven = false;     // --step given; else the step is chosen (chooseStep)
    // The texts as given, for messages.
    std::string sidesText;
    std::string momentsText;
    std::string stepText = "0.01";
};

// One field of a start: its option's name and its reader, which fills
// `start` from the text and returns "" or what is wrong with it. The command
// line and the page read a start through these.
struct StartField {
    const char* name;
    std::string (*read)(const std::string& text, SpinOptions& start);
};
// --sides, --moments, --omega and --step, in that order.
const StartField* startFields(int* count);

// Adds --sides, --moments, --omega and --step, each value read into
// `options`.
void addSpinOptions(CLI::App& app, SpinOptions& options);

// "" unless both --sides and --moments were given; then the line that says so.
std::string checkOneBody(const SpinOptions& options);

// The exact motion of the options' body and spin: of the moments when they
// were given, else of the sides.
ExactMotion exactMotionOf(const SpinOptions& options);

// When no step was given: the step chosen for the options' body and spin.
void chooseStepIfNotGiven(SpinOptions& options);

// "" if `steps` steps of the options' step keep every number finite and
// the attitude within a degree of the exact one, else the one line that
// refuses the step.
std::string checkStepBound(const SpinOptions& options, long steps);

// The usage's paragraph on those bounds.
std::string stepBoundHelp();
