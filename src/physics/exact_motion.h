// The exact motion of the free box: the closed-form body-frame angular
// velocity and attitude at any time, from the same start as the model's
// integration.
#pragma once

#include <variant>

#include "jacobi.h"
#include "quaternion.h"
#include "wide.h"

// Which closed form the start leads to, named as a person would.
enum class MotionKind {
    Rest,        // omega = 0
    Steady,      // omega never changes: a spin about one principal axis, or
                 // any spin of a body with three equal moments
    Symmetric,   // two equal moments: omega precesses about the symmetry axis
    Elliptic,    // three different moments: Jacobi's elliptic functions
    Separatrix,  // between the two elliptic regimes: hyperbolic functions
};

// What the attitude's closed form needs besides omega's (three different
// moments; see exact_attitude.cpp).
struct AttitudeConstants {
    double momentum;          // |L|, scaled
    double parameter;         // n of the integral of the third kind
    double secularRate;       // the steady part of the turn about L, per unit of scaled time
    double periodicGain;      // the factor of its periodic part
    double periodicStart;     // the periodic part at the start
    double tail;              // the complete integral of the third kind over K, less 1 / (1 - n)
    Quaternion startInverse;  // the Euler-angle attitude at t = 0, inverted
};

// Two equal moments: the symmetry axis and the rate at which the other two
// components turn about it (scaled).
struct SymmetricTop {
    int axis;
    Wide rate;
};

// Three different moments, elliptic or on the separatrix:
// omega_c = C cn u, omega_m = M sn u, omega_d = D dn u, u = phase + lambda * scale * t.
struct JacobiMotion {
    int c, m, d;
    double amplitude[3];  // C, M, D
    double kc;            // the complementary modulus k' (0 on the separatrix)
    double k2;            // the modulus squared, k^2 = 1 - k'^2, to its last digit
    Wide quarter;         // K(k), elliptic only
    Wide lambda;
    Wide phase;
    AttitudeConstants attitude;
};

// Everything the closed form needs, fixed at the start. Rates and times are
// kept for omega / scale, which the equations allow (they are homogeneous):
// omega(t) = scale * w(scale * t), w the solution from omega(0) / scale.
struct ExactMotion {
    MotionKind kind;
    double start[3];         // omega at t = 0, as given
    Wide moments[3];         // the principal moments, exactly
    double scale;            // a power of two near the largest |omega_i|, or 0
    double twiceEnergy;      // 2E = sum I_i w_i^2, for w = omega / scale
    double momentumSquared;  // |L|^2 = sum I_i^2 w_i^2
    double maxRate;          // the largest |omega| over the motion
    double period;           // the period of omega; infinite if it never comes back
    // What only one kind needs: nothing at rest or for a steady spin.
    std::variant<std::monostate, SymmetricTop, JacobiMotion> form;
};

// The form of a symmetric top, and of three different moments; each only
// for its own kinds.
const SymmetricTop& symmetricTopOf(const ExactMotion& motion);
const JacobiMotion& jacobiOf(const ExactMotion& motion);
JacobiMotion& jacobiOf(ExactMotion& motion);

// The closed form for a box with these sides starting at this omega; the
// moments are the sides' b^2 + c^2, a^2 + c^2, a^2 + b^2, exactly.
ExactMotion exactMotionFromSides(const double sides[3], const double omega[3]);

// The closed form for a body with these principal moments.
ExactMotion exactMotionFromMoments(const double moments[3], const double omega[3]);

// The principal moments as doubles.
void momentsOf(const ExactMotion& motion, double moments[3]);

// omega at time t.
void exactOmegaAt(const ExactMotion& motion, double t, double omega[3]);

// The modulus k, for three different moments (1 on the separatrix).
double modulusOf(const ExactMotion& motion);

// sn, cn and dn of the phase at scaled time tau = scale * t, for three
// different moments (tanh, sech, sech on the separatrix).
EllipticPoint phasePointAt(const ExactMotion& motion, double tau);
