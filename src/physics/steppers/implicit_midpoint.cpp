// The implicit midpoint rule on the whole state,
//     y_next = y + h f((y + y_next) / 2),
// which keeps every quadratic invariant: 2E, |L|^2 and |q|^2.
// omega_next = omega + h omega'(mid) is solved by fixed-point iteration to
// round-off. q' = 1/2 q (0, mid) is then linear in q, and its midpoint step
// is the Cayley transform: with a = h mid / 4,
//     q_next = q (1 + a)(1 - a)^-1 = q (1 - |a|^2, 2 a) / (1 + |a|^2),
// a unit quaternion times q.
#include <cmath>

#include "euler_rate.h"
#include "fixed_point.h"
#include "steppers.h"

int stepImplicitMidpoint(const Body& body, double h, RigidState& state) {
    const double* w = state.omega;
    double next[3];
    double rate[3];
    eulerRate(body, w, rate);
    for (int i = 0; i < 3; ++i) {
        next[i] = w[i] + h * rate[i];
    }
    int evaluations = 1;
    double mid[3];
    double lastChange = HUGE_VAL;
    for (int iteration = 0; iteration < kMostIterations; ++iteration) {
        for (int i = 0; i < 3; ++i) {
            mid[i] = 0.5 * (w[i] + next[i]);
        }
        eulerRate(body, mid, rate);
        ++evaluations;
        double change = 0.0;
        for (int i = 0; i < 3; ++i) {
            const double updated = w[i] + h * rate[i];
            change = std::fmax(change, std::fabs(updated - next[i]));
            next[i] = updated;
        }
        if (settled(change, lastChange, iteration)) {
            break;
        }
    }
    for (int i = 0; i < 3; ++i) {
        mid[i] = 0.5 * (w[i] + next[i]);
    }
    const double a[3] = {0.25 * h * mid[0], 0.25 * h * mid[1], 0.25 * h * mid[2]};
    const double a2 = a[0] * a[0] + a[1] * a[1] + a[2] * a[2];
    const double scale = 1.0 / (1.0 + a2);
    const Quaternion turn = {(1.0 - a2) * scale, 2.0 * a[0] * scale, 2.0 * a[1] * scale,
                             2.0 * a[2] * scale};
    state.q = product(state.q, turn);
    for (int i = 0; i < 3; ++i) {
        state.omega[i] = next[i];
    }
    return evaluations;
}
