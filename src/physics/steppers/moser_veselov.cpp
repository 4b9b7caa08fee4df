// The discrete Moser-Veselov step (Moser and Veselov 1991), the same map as
// RATTLE on the rotation group. With J = diag(J_i), J_i = (I_j + I_k - I_i) / 2
// (so that I_i = J_j + J_k), the body's turn over one step, Omega, solves
//     h m^ = Omega J - J Omega^T,
// m = I omega in body axes and m^ its skew matrix; then q_next = q Omega and
// m_next = Omega^T m (L in the scene stays where it was, exactly up to
// rounding). Writing Omega as the unit quaternion (w, v),
//     Omega J - J Omega^T = (2 w I v + 2 (J v) x v)^,
// and ((J v) x v)_i = (I_k - I_j) v_j v_k, so v solves
//     w I_i v_i = h m_i / 2 + (I_j - I_k) v_j v_k,   w = sqrt(1 - |v|^2),
// by fixed-point iteration from v = h omega / 2, to round-off.
#include <cmath>

#include "fixed_point.h"
#include "steppers.h"

int stepMoserVeselov(const Body& body, double h, RigidState& state) {
    const double* I = body.moments;
    double m[3];
    double v[3];
    for (int i = 0; i < 3; ++i) {
        m[i] = I[i] * state.omega[i];
        v[i] = 0.5 * h * state.omega[i];
    }
    int evaluations = 0;
    double lastChange = HUGE_VAL;
    for (int iteration = 0; iteration < kMostIterations; ++iteration) {
        const double w = std::sqrt(1.0 - (v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
        double next[3];
        for (int i = 0; i < 3; ++i) {
            const int j = (i + 1) % 3;
            const int k = (i + 2) % 3;
            next[i] = (0.5 * h * m[i] + (I[j] - I[k]) * v[j] * v[k]) / (w * I[i]);
        }
        ++evaluations;
        double change = 0.0;
        for (int i = 0; i < 3; ++i) {
            change = std::fmax(change, std::fabs(next[i] - v[i]));
            v[i] = next[i];
        }
        if (settled(change, lastChange, iteration)) {
            break;
        }
    }
    const double w = std::sqrt(1.0 - (v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
    const Quaternion turn = {w, v[0], v[1], v[2]};
    state.q = product(state.q, turn);
    double turned[3];
    rotate(conjugate(turn), m, turned);
    for (int i = 0; i < 3; ++i) {
        state.omega[i] = turned[i] / I[i];
    }
    return evaluations;
}
