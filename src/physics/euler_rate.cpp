// Euler's equations, the attitude's equation and the body's momentum.
#include "euler_rate.h"

#include <cmath>

#include "invariants.h"

RigidState startState(const double omega[3]) {
    return {{omega[0], omega[1], omega[2]}, {1.0, 0.0, 0.0, 0.0}};
}

void eulerRate(const Body& body, const double omega[3], double rate[3]) {
    const double* w = omega;
    rate[0] = body.coefficient[0] * w[1] * w[2];
    rate[1] = body.coefficient[1] * w[2] * w[0];
    rate[2] = body.coefficient[2] * w[0] * w[1];
}

Quaternion attitudeRate(const Quaternion& q, const double w[3]) {
    return {
        0.5 * (-q.x * w[0] - q.y * w[1] - q.z * w[2]), 0.5 * (q.w * w[0] + q.y * w[2] - q.z * w[1]),
        0.5 * (q.w * w[1] - q.x * w[2] + q.z * w[0]), 0.5 * (q.w * w[2] + q.x * w[1] - q.y * w[0])};
}

void bodyMomentum(const Body& body, const double omega[3], double momentum[3]) {
    for (int i = 0; i < 3; ++i) {
        momentum[i] = body.moments[i] * omega[i];
    }
}

bool isFinite(const Body& body, const RigidState& state) {
    const Invariants now = invariantsOf(body.moments, state.omega);
    const Quaternion& q = state.q;
    return std::isfinite(now.twiceEnergy) && std::isfinite(now.momentumSquared) &&
           std::isfinite(q.w) && std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z);
}
