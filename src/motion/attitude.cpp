// The attitude of the free body.
//
// The unit quaternion q takes body coordinates to scene coordinates and is
// the identity at t = 0. Driven by the body-frame angular velocity,
//     q' = ½ q ⊗ (0, ω(t)).
// The model gives ω only at the step points, so the step that takes q from
// t to t + h is the classical fourth-order Runge–Kutta step of this linear
// equation with ω at t, t + h/2 (twice) and t + h; the midpoint value comes
// from the cubic through ω and ω' at both ends (ω' from the model's own
// Euler equations), ω(t + h/2) ≈ (ω(t) + ω(t + h)) / 2 + h (ω'(t) − ω'(t + h)) / 8,
// whose error, O(h⁴), keeps the whole step of fourth order. A Runge–Kutta
// step leaves |q| off 1 by O(h⁵); q is divided by its norm after every step,
// which changes nothing to that order and holds |q| at 1 to rounding.
#include "attitude.h"

#include <cmath>

#include "spin_state.h"

namespace {

// ½ q ⊗ (0, w): the rate of change of q under the body-frame rate w.
Quaternion rateOf(const Quaternion& q, const double w[3]) {
    return {
        0.5 * (-q.x * w[0] - q.y * w[1] - q.z * w[2]), 0.5 * (q.w * w[0] + q.y * w[2] - q.z * w[1]),
        0.5 * (q.w * w[1] - q.x * w[2] + q.z * w[0]), 0.5 * (q.w * w[2] + q.x * w[1] - q.y * w[0])};
}

// q + s d.
Quaternion plus(const Quaternion& q, double s, const Quaternion& d) {
    return {q.w + s * d.w, q.x + s * d.x, q.y + s * d.y, q.z + s * d.z};
}

// omega' from Euler's equations for the model's box.
void eulerRate(const double w[3], double rate[3]) {
    rate[0] = omegaDotX(0.0, w[1], w[2]);
    rate[1] = omegaDotY(0.0, w[0], w[2]);
    rate[2] = omegaDotZ(0.0, w[0], w[1]);
}

}  // namespace

Attitude startAttitude(const double omega[3]) {
    Attitude attitude{{1.0, 0.0, 0.0, 0.0}, {omega[0], omega[1], omega[2]}, {}};
    eulerRate(attitude.omega, attitude.omegaRate);
    return attitude;
}

void advanceAttitude(Attitude& attitude, const double omegaNext[3], double h) {
    double rateNext[3];
    eulerRate(omegaNext, rateNext);
    double middle[3];
    for (int i = 0; i < 3; ++i) {
        middle[i] = 0.5 * (attitude.omega[i] + omegaNext[i]) +
                    0.125 * h * (attitude.omegaRate[i] - rateNext[i]);
    }
    const Quaternion& q = attitude.q;
    const Quaternion k1 = rateOf(q, attitude.omega);
    const Quaternion k2 = rateOf(plus(q, 0.5 * h, k1), middle);
    const Quaternion k3 = rateOf(plus(q, 0.5 * h, k2), middle);
    const Quaternion k4 = rateOf(plus(q, h, k3), omegaNext);
    Quaternion next = {q.w + h / 6.0 * (k1.w + 2.0 * k2.w + 2.0 * k3.w + k4.w),
                       q.x + h / 6.0 * (k1.x + 2.0 * k2.x + 2.0 * k3.x + k4.x),
                       q.y + h / 6.0 * (k1.y + 2.0 * k2.y + 2.0 * k3.y + k4.y),
                       q.z + h / 6.0 * (k1.z + 2.0 * k2.z + 2.0 * k3.z + k4.z)};
    const double norm =
        std::sqrt(next.w * next.w + next.x * next.x + next.y * next.y + next.z * next.z);
    attitude.q = {next.w / norm, next.x / norm, next.y / norm, next.z / norm};
    for (int i = 0; i < 3; ++i) {
        attitude.omega[i] = omegaNext[i];
        attitude.omegaRate[i] = rateNext[i];
    }
}
