// The values of the tools' options, read strictly: every character must
// belong to the value. Each reader returns "" when the text is good, and
// otherwise one line saying what is wrong with it, which the caller puts
// after the option's name.
#pragma once

#include <string>

// Ranges of the numbers, wide enough for any box a person would try and
// narrow enough that no printed number can overflow.
constexpr long kMaxCount = 10000000;
constexpr double kMinSide = 1e-6;
constexpr double kMaxSide = 1e6;
constexpr double kMaxRate = 1e6;
constexpr double kMaxStep = 1e3;
// The most by which a box's largest moment may exceed its smallest.
constexpr double kMaxMomentRatio = 1e15;
// The explorer's speeds, in time units a second.
constexpr double kMinSpeed = 1.0 / 1024.0;
constexpr double kMaxSpeed = 1024.0;

// A whole number from `minimum` to kMaxCount.
std::string readCount(const std::string& text, long minimum, long& value);

// Three comma-separated finite numbers, spaces around each allowed.
std::string readTriple(const std::string& text, double values[3]);

// Three sides, each from kMinSide to kMaxSide, whose moments are at most
// kMaxMomentRatio apart.
std::string readSides(const std::string& text, double sides[3]);

// Three principal moments of a real body, each less than the sum of the
// other two, and the sides of the box that has them, each from kMinSide to
// kMaxSide.
std::string readMoments(const std::string& text, double moments[3], double sides[3]);

// Three rates, each at most kMaxRate in size, of either sign.
std::string readOmega(const std::string& text, double omega[3]);

// A step above 0 and at most kMaxStep.
std::string readStep(const std::string& text, double& step);

// A speed, in time units a second, from 1/1024 to 1024.
std::string readSpeed(const std::string& text, double& speed);

// One finite number from `lowest` to `highest`.
std::string readNumberWithin(const std::string& text, double lowest, double highest, double& value);

// The name of one of the physics core's integrators.
struct Integrator;
std::string readIntegrator(const std::string& text, const Integrator*& integrator);

// The integrators' names and titles, one a line, for a usage.
std::string integratorList();

// A number as the messages show it: three significant digits.
std::string shortNumber(double value);
