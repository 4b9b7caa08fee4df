// The semi-implicit Euler step of game and physics engines. An engine keeps
// omega in the scene and steps
//     omega += h I_s^-1 ((I_s omega) x omega)     (the explicit gyroscopic term)
//     q += h/2 (0, omega) q,   q /= |q|           (with the new omega)
// with I_s = R I R^T. In body axes that is omega~ = omega + h omega'(omega),
// q_next = q (1, h omega~ / 2) / |...|; the turn from q to q_next is about
// omega~ itself, so omega~ is also the new body-frame rate.
// Engines that leave the gyroscopic term out keep omega in the scene fixed:
// the body then turns about one fixed axis for ever and never flips.
#include "euler_rate.h"
#include "steppers.h"

namespace {

int engineStep(const Body& body, double h, RigidState& state, bool gyroscopic) {
    if (gyroscopic) {
        double rate[3];
        eulerRate(body, state.omega, rate);
        for (int i = 0; i < 3; ++i) {
            state.omega[i] += h * rate[i];
        }
    }
    const Quaternion d = attitudeRate(state.q, state.omega);
    const Quaternion& q = state.q;
    state.q = normalized({q.w + h * d.w, q.x + h * d.x, q.y + h * d.y, q.z + h * d.z});
    return gyroscopic ? 1 : 0;
}

}  // namespace

int stepEngineEuler(const Body& body, double h, RigidState& state) {
    return engineStep(body, h, state, true);
}

int stepEngineEulerNoGyro(const Body& body, double h, RigidState& state) {
    return engineStep(body, h, state, false);
}
