// Munthe-Kaas's Runge-Kutta method of order 4 on the rotation group
// (Munthe-Kaas 1999; Iserles, Munthe-Kaas, Norsett and Zanna 2000, sec. 4).
// L in the scene is fixed, so the attitude R alone carries the motion:
//     R' = w(R)^ R,   w(R) = R I^-1 R^T L,
// the body's angular velocity in the scene. Near R0, R = exp(theta^) R0 with
//     theta' = dexpinv(theta, w(exp(theta^) R0)),
//     dexpinv(u, k) = k - 1/2 u x k + 1/12 u x (u x k) + ...,
// and the classical RK4 tableau applied to theta, truncated as above
// (enough for order 4), gives R1 = exp(v^) R0. m = R^T L stays |L| exactly.
#include <cmath>

#include "euler_rate.h"
#include "steppers.h"

namespace {

void cross(const double a[3], const double b[3], double out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

// exp(u^) as a unit quaternion.
Quaternion exponential(const double u[3]) {
    return turnAbout(u, std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]));
}

// h w at the attitude exp(u^) q, L in the scene given.
void sceneRate(const Body& body, const Quaternion& q, const double u[3], const double L[3],
               double h, double out[3]) {
    const Quaternion at = product(exponential(u), q);
    double m[3];
    rotate(conjugate(at), L, m);
    double w[3];
    for (int i = 0; i < 3; ++i) {
        w[i] = m[i] / body.moments[i];
    }
    rotate(at, w, out);
    for (int i = 0; i < 3; ++i) {
        out[i] *= h;
    }
}

// dexpinv(u, k), truncated after the second commutator.
void dexpinv(const double u[3], double k[3]) {
    double uk[3];
    double uuk[3];
    cross(u, k, uk);
    cross(u, uk, uuk);
    for (int i = 0; i < 3; ++i) {
        k[i] = k[i] - 0.5 * uk[i] + uuk[i] / 12.0;
    }
}

}  // namespace

int stepRkmk4(const Body& body, double h, RigidState& state) {
    double m[3];
    double L[3];
    bodyMomentum(body, state.omega, m);
    rotate(state.q, m, L);
    const double zero[3] = {0.0, 0.0, 0.0};
    double k1[3];
    double k2[3];
    double k3[3];
    double k4[3];
    double u[3];
    sceneRate(body, state.q, zero, L, h, k1);
    for (int i = 0; i < 3; ++i) {
        u[i] = 0.5 * k1[i];
    }
    sceneRate(body, state.q, u, L, h, k2);
    dexpinv(u, k2);
    for (int i = 0; i < 3; ++i) {
        u[i] = 0.5 * k2[i];
    }
    sceneRate(body, state.q, u, L, h, k3);
    dexpinv(u, k3);
    for (int i = 0; i < 3; ++i) {
        u[i] = k3[i];
    }
    sceneRate(body, state.q, u, L, h, k4);
    dexpinv(u, k4);
    double v[3];
    for (int i = 0; i < 3; ++i) {
        v[i] = (k1[i] + 2.0 * k2[i] + 2.0 * k3[i] + k4[i]) / 6.0;
    }
    state.q = normalized(product(exponential(v), state.q));
    rotate(conjugate(state.q), L, m);
    for (int i = 0; i < 3; ++i) {
        state.omega[i] = m[i] / body.moments[i];
    }
    return 4;
}
