// The exact motion of the free box: the closed-form body-frame angular
// velocity at any time, from the same start as the model's integration.
#pragma once

#include "invariants.h"

// Which closed form the start leads to.
enum class MotionKind {
    Still,       // omega never changes: a spin about one principal axis, or none
    Symmetric,   // two equal moments: omega turns about the symmetry axis
    Elliptic,    // three different moments: Jacobi elliptic functions
    Separatrix,  // between the two elliptic regimes: hyperbolic functions
};

// Everything the closed form needs, fixed at the start.
struct ExactMotion {
    MotionKind kind;
    double start[3];  // omega at t = 0
    // Symmetric: the symmetry axis and the rate at which the other two turn.
    int axis;
    double rate;
    // Elliptic and separatrix: omega_c = C cn u, omega_m = M sn u,
    // omega_d = D dn u, u = phase + lambda * scale * t, all times `scale`.
    int c, m, d;
    double amplitude[3];  // C, M, D
    double modulus;       // k
    double lambda;
    double phase;
    double scale;
};

// The kind of motion the model's own equations give these sides: equal
// moments are decided on the squared sides, as the model squares them.
// Three different moments give Elliptic here, the separatrix included; the
// full solution tells the two apart.
MotionKind motionKindOf(const double sides[3], const double omega[3]);

// The closed form for a box with these sides starting at this omega.
ExactMotion exactMotionFrom(const double sides[3], const double omega[3]);

// omega at time t.
void exactOmegaAt(const ExactMotion& motion, double t, double omega[3]);
