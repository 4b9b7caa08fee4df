// Explicit Euler, as a first attempt writes it:
//     omega += h omega'(omega),   q += h 1/2 q (0, omega),   q /= |q|.
// With m = I omega, m_next = m + h m x omega, so |m|^2 grows by h^2 |m x omega|^2
// and 2E by h^2 (m x omega) . I^-1 (m x omega) every step: both only grow.
#include "euler_rate.h"
#include "steppers.h"

int stepExplicitEuler(const Body& body, double h, RigidState& state) {
    double rate[3];
    eulerRate(body, state.omega, rate);
    const Quaternion d = attitudeRate(state.q, state.omega);
    const Quaternion& q = state.q;
    state.q = normalized({q.w + h * d.w, q.x + h * d.x, q.y + h * d.y, q.z + h * d.z});
    for (int i = 0; i < 3; ++i) {
        state.omega[i] += h * rate[i];
    }
    return 1;
}
