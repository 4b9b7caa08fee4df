// Steppers: each advances a body's state (omega, q) by one step of h and
// returns how many times it evaluated the right-hand side of Euler's
// equations (or an exact sub-flow, for the splittings). The body, the state
// and the stepper are apart: any stepper runs any body from any state.
#pragma once

#include "body.h"
#include "rigid_state.h"

using Stepper = int (*)(const Body& body, double h, RigidState& state);

// Classical RK4 on Euler's equations, as the window program steps omega,
// with a fourth-order step of the attitude after it (rk4.cpp).
int stepRk4(const Body& body, double h, RigidState& state);
// Explicit Euler on omega and on q, q then normalised (explicit_euler.cpp).
int stepExplicitEuler(const Body& body, double h, RigidState& state);
// A game engine's semi-implicit Euler: omega by an explicit gyroscopic
// term, then q by the new omega (engine_euler.cpp).
int stepEngineEuler(const Body& body, double h, RigidState& state);
// The same with the gyroscopic term left out: omega never changes.
int stepEngineEulerNoGyro(const Body& body, double h, RigidState& state);
// The implicit midpoint rule on (omega, q), solved to round-off
// (implicit_midpoint.cpp).
int stepImplicitMidpoint(const Body& body, double h, RigidState& state);
// Strang splitting into the exact rotations about the principal axes, the
// axes named outermost first (splitting.cpp).
int stepSplit123(const Body& body, double h, RigidState& state);
int stepSplit132(const Body& body, double h, RigidState& state);
int stepSplit213(const Body& body, double h, RigidState& state);
int stepSplit231(const Body& body, double h, RigidState& state);
int stepSplit312(const Body& body, double h, RigidState& state);
int stepSplit321(const Body& body, double h, RigidState& state);
// The discrete Moser-Veselov step (moser_veselov.cpp).
int stepMoserVeselov(const Body& body, double h, RigidState& state);
// Munthe-Kaas's Runge-Kutta of order 4 on the rotation group (rkmk4.cpp).
int stepRkmk4(const Body& body, double h, RigidState& state);

// A stepper by its short name, with what the reader needs to choose it.
struct Integrator {
    const char* name;   // for --integrator
    const char* title;  // in words
    Stepper step;
    int order;  // the published order
};
// Every integrator, the window program's first.
const Integrator* integrators(int* count);
// The integrator with this name, or none.
const Integrator* findIntegrator(const char* name);
