// Classical RK4 for omega, written as the window program writes its step
// (every k an increment already times h; the same operations in the same
// order, so the same bits), then the attitude.
//
// The attitude q' = 1/2 q (0, omega(t)) is stepped by RK4 too, with omega
// at t, t + h/2 (twice) and t + h. Only the step's two ends are known; the
// midpoint comes from the cubic through omega and omega' at both ends,
//     omega(t + h/2) ~ (omega(t) + omega(t + h)) / 2 + h (omega'(t) - omega'(t + h)) / 8,
// whose error, O(h^4), keeps the whole step of fourth order. The step
// leaves |q| off 1 by O(h^5); q is divided by its norm, which changes
// nothing to that order and holds |q| at 1 to rounding.
#include <cmath>

#include "euler_rate.h"
#include "steppers.h"

namespace {

// h omega'(w), component by component.
void increment(const Body& body, const double w[3], double h, double k[3]) {
    eulerRate(body, w, k);
    for (int i = 0; i < 3; ++i) {
        k[i] = k[i] * h;
    }
}

// w + s k.
void displaced(const double w[3], const double k[3], double s, double out[3]) {
    for (int i = 0; i < 3; ++i) {
        out[i] = w[i] + k[i] * s;
    }
}

// q + s d.
Quaternion plus(const Quaternion& q, double s, const Quaternion& d) {
    return {q.w + s * d.w, q.x + s * d.x, q.y + s * d.y, q.z + s * d.z};
}

// The attitude's RK4 step from q under omega going from w to wNext.
Quaternion attitudeStep(const Body& body, const Quaternion& q, const double w[3],
                        const double wNext[3], double h) {
    double rate[3];
    double rateNext[3];
    eulerRate(body, w, rate);
    eulerRate(body, wNext, rateNext);
    double middle[3];
    for (int i = 0; i < 3; ++i) {
        middle[i] = 0.5 * (w[i] + wNext[i]) + 0.125 * h * (rate[i] - rateNext[i]);
    }
    const Quaternion k1 = attitudeRate(q, w);
    const Quaternion k2 = attitudeRate(plus(q, 0.5 * h, k1), middle);
    const Quaternion k3 = attitudeRate(plus(q, 0.5 * h, k2), middle);
    const Quaternion k4 = attitudeRate(plus(q, h, k3), wNext);
    const Quaternion next = {q.w + h / 6.0 * (k1.w + 2.0 * k2.w + 2.0 * k3.w + k4.w),
                             q.x + h / 6.0 * (k1.x + 2.0 * k2.x + 2.0 * k3.x + k4.x),
                             q.y + h / 6.0 * (k1.y + 2.0 * k2.y + 2.0 * k3.y + k4.y),
                             q.z + h / 6.0 * (k1.z + 2.0 * k2.z + 2.0 * k3.z + k4.z)};
    return normalized(next);
}

}  // namespace

int stepRk4(const Body& body, double h, RigidState& state) {
    const double* w = state.omega;
    double k1[3];
    double k2[3];
    double k3[3];
    double k4[3];
    double u[3];
    increment(body, w, h, k1);
    displaced(w, k1, 0.5, u);
    increment(body, u, h, k2);
    displaced(w, k2, 0.5, u);
    increment(body, u, h, k3);
    displaced(w, k3, 1.0, u);
    increment(body, u, h, k4);
    const double sixth = 1.0 / 6.0;
    double next[3];
    for (int i = 0; i < 3; ++i) {
        next[i] = ((2.0 * k2[i] + k1[i]) + 2.0 * k3[i] + k4[i]) * sixth + w[i];
    }
    state.q = attitudeStep(body, state.q, w, next, h);
    for (int i = 0; i < 3; ++i) {
        state.omega[i] = next[i];
    }
    return 4;
}
