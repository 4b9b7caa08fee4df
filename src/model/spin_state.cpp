// Euler's equations for the torque-free cuboid and the fourth-order
// Runge-Kutta step that advances the spin state once per drawn frame.
#include "spin_state.h"

#include <cmath>

SpinState spinState = {
    {0.3, 3.0, 0.3},  // omega
    0.01,             // timeStep
    3.1415926535,     // piApprox
    {0.3, 2.3, 0.3},  // sides
    0.0,              // elapsed
    0.0,              // spinRate
    0.0,              // turnAngle
    0.0,              // turnAngleDegrees
};

namespace {

double squared(double x) { return std::pow(x, 2.0); }

}  // namespace

// The principal moments of a uniform box are proportional to b^2 + c^2,
// a^2 + c^2 and a^2 + b^2; each coefficient below is a ratio of their
// differences, written directly in the squared sides.

// d(omega1)/dt = (I2 - I3) / I1 * w2 * w3
double omegaDotX(double /*t*/, double w2, double w3) {
    const double b2 = squared(spinState.sides[1]);
    const double c2 = squared(spinState.sides[2]);
    const double coefficient = (c2 - b2) / (c2 + b2);
    return coefficient * w2 * w3;
}

// d(omega2)/dt = (I3 - I1) / I2 * w3 * w1
double omegaDotY(double /*t*/, double w1, double w3) {
    const double a2 = squared(spinState.sides[0]);
    const double c2 = squared(spinState.sides[2]);
    const double coefficient = (a2 - c2) / (c2 + a2);
    return coefficient * w3 * w1;
}

// d(omega3)/dt = (I1 - I2) / I3 * w1 * w2
double omegaDotZ(double /*t*/, double w1, double w2) {
    const double a2 = squared(spinState.sides[0]);
    const double b2 = squared(spinState.sides[1]);
    const double coefficient = (b2 - a2) / (b2 + a2);
    return coefficient * w1 * w2;
}

// One classical RK4 step of h; every k is an increment already multiplied by h.
void advanceRotation() {
    SpinState& s = spinState;
    const double h = s.timeStep;
    const double w1 = s.omega[0];
    const double w2 = s.omega[1];
    const double w3 = s.omega[2];

    s.elapsed = s.elapsed + h;
    const double t = s.elapsed;
    const double tHalf = t + h * 0.5;
    const double tFull = t + h;

    const double k1x = omegaDotX(t, w2, w3) * h;
    const double k1y = omegaDotY(t, w1, w3) * h;
    const double k1z = omegaDotZ(t, w1, w2) * h;

    const double k2x = omegaDotX(tHalf, w2 + k1y * 0.5, w3 + k1z * 0.5) * h;
    const double k2y = omegaDotY(tHalf, w1 + k1x * 0.5, w3 + k1z * 0.5) * h;
    const double k2z = omegaDotZ(tHalf, w1 + k1x * 0.5, w2 + k1y * 0.5) * h;

    const double k3x = omegaDotX(tHalf, w2 + k2y * 0.5, w3 + k2z * 0.5) * h;
    const double k3y = omegaDotY(tHalf, w1 + k2x * 0.5, w3 + k2z * 0.5) * h;
    const double k3z = omegaDotZ(tHalf, w1 + k2x * 0.5, w2 + k2y * 0.5) * h;

    const double k4x = omegaDotX(tFull, w2 + k3y, w3 + k3z) * h;
    const double k4y = omegaDotY(tFull, w1 + k3x, w3 + k3z) * h;
    const double k4z = omegaDotZ(tFull, w1 + k3x, w2 + k3y) * h;

    const double sixth = 1.0 / 6.0;
    s.omega[0] = ((2.0 * k2x + k1x) + 2.0 * k3x + k4x) * sixth + w1;
    s.omega[1] = ((2.0 * k2y + k1y) + 2.0 * k3y + k4y) * sixth + w2;
    s.omega[2] = ((2.0 * k2z + k1z) + 2.0 * k3z + k4z) * sixth + w3;

    s.spinRate = std::sqrt((squared(s.omega[0]) + squared(s.omega[1])) + squared(s.omega[2]));
    s.turnAngle = t * s.spinRate;
    s.turnAngleDegrees = s.turnAngle * 180.0 / s.piApprox;
}
