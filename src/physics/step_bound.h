// What a run of N steps of h will do to the numbers, estimated before it
// starts from the exact motion alone: whether omega stays finite, and how
// far the attitude strays from the exact one.
#pragma once

#include "exact_motion.h"

// Two equal moments: |kappa omega_s h| at most 2 sqrt 2, where the step's
// growth factor on the turning pair stops being at most 1.
constexpr double kMaxSymmetricTurn = 2.8284271247461903;
// Three different moments: N (h Omega)^5 at most this, Omega the largest
// |omega| of the motion.
constexpr double kMaxDriftMeasure = 10.0;
// The attitude's error from the step alone, in degrees, at most this.
constexpr double kMaxAttitudeDegrees = 1.0;

struct StepBounds {
    double symmetricTurn;    // |kappa omega_s h|, two equal moments only
    double driftMeasure;     // N (h Omega)^5, three different moments only
    double attitudeDegrees;  // the attitude's estimated error after N steps
};

StepBounds stepBoundsOf(const ExactMotion& motion, double h, long steps);

// The step chosen for a person who gives none: the largest of 0.01, 0.005,
// 0.002, 0.001, 0.0005, ... down to 1e-9 whose steps over 100 time units
// keep every bound and an estimated attitude gap under 0.01 degrees (the
// smallest, if none does).
constexpr double kChosenGapDegrees = 0.01;
double chooseStep(const ExactMotion& motion);

// The attitude step's error in one step of a steady turn at rate `rate`:
// the angle, in radians, by which it turns too far (or too little).
double steadyTurnError(double rate, double h);
