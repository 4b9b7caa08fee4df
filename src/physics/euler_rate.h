// The system: Euler's equations of a torque-free body,
//     omega1' = (I2 - I3) / I1 omega2 omega3, and cyclically,
// and the attitude's equation q' = 1/2 q (0, omega).
#pragma once

#include "body.h"
#include "quaternion.h"
#include "rigid_state.h"

// omega' at omega, each coefficient times its two rates in the window
// program's order (omega2' takes omega3 first).
void eulerRate(const Body& body, const double omega[3], double rate[3]);

// 1/2 q (0, w): the rate of change of q under the body-frame rate w.
Quaternion attitudeRate(const Quaternion& q, const double w[3]);

// Every number of the state finite, and the invariants 2E and |L|^2 too
// (they overflow first): an unstable method at a large step loses this.
bool isFinite(const Body& body, const RigidState& state);

// L = I omega in body axes.
void bodyMomentum(const Body& body, const double omega[3], double momentum[3]);
