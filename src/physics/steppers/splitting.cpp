// Splitting the free body's energy H = m1^2 / 2 I1 + m2^2 / 2 I2 + m3^2 / 2 I3
// (m = I omega in body axes) into its three terms. The flow of one term,
// m_i^2 / 2 I_i, is a steady turn about the principal axis e_i at the rate
// omega_i = m_i / I_i, which that flow keeps: over a time t the body turns
// by theta = omega_i t, so q becomes q (cos theta/2, sin theta/2 e_i) and m,
// seen from the body, turns by -theta about e_i. Each flow is exact, so
// |m|^2 and L in the scene are kept to rounding at every step. Strang's
// symmetric composition, with the axes a, b, c outermost first,
//     phi_a(h/2) phi_b(h/2) phi_c(h) phi_b(h/2) phi_a(h/2),
// is of second order; which axis goes where changes the error constant,
// for some bodies by orders of magnitude.
#include <cmath>

#include "steppers.h"

namespace {

// The exact flow of the i-th term over a time t.
void subFlow(const Body& body, int i, double t, RigidState& state) {
    const int j = (i + 1) % 3;
    const int k = (i + 2) % 3;
    const double theta = state.omega[i] * t;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double mj = body.moments[j] * state.omega[j];
    const double mk = body.moments[k] * state.omega[k];
    state.omega[j] = (c * mj + s * mk) / body.moments[j];
    state.omega[k] = (c * mk - s * mj) / body.moments[k];
    double half[4] = {std::cos(0.5 * theta), 0.0, 0.0, 0.0};
    half[1 + i] = std::sin(0.5 * theta);
    state.q = product(state.q, {half[0], half[1], half[2], half[3]});
}

int strang(const Body& body, double h, RigidState& state, int a, int b, int c) {
    subFlow(body, a, 0.5 * h, state);
    subFlow(body, b, 0.5 * h, state);
    subFlow(body, c, h, state);
    subFlow(body, b, 0.5 * h, state);
    subFlow(body, a, 0.5 * h, state);
    return 5;
}

}  // namespace

int stepSplit123(const Body& body, double h, RigidState& state) {
    return strang(body, h, state, 0, 1, 2);
}
int stepSplit132(const Body& body, double h, RigidState& state) {
    return strang(body, h, state, 0, 2, 1);
}
int stepSplit213(const Body& body, double h, RigidState& state) {
    return strang(body, h, state, 1, 0, 2);
}
int stepSplit231(const Body& body, double h, RigidState& state) {
    return strang(body, h, state, 1, 2, 0);
}
int stepSplit312(const Body& body, double h, RigidState& state) {
    return strang(body, h, state, 2, 0, 1);
}
int stepSplit321(const Body& body, double h, RigidState& state) {
    return strang(body, h, state, 2, 1, 0);
}
