// The cones of a symmetric top. With two equal moments, omega keeps its
// angle alpha to the symmetry axis e (omega_e is constant) and its angle
// beta to L (cos beta = 2E / (|L| |omega|), and |omega| is constant too).
// So omega sweeps out two circular cones: the body cone about e, fixed in
// the body, and the space cone about L, fixed in space. They touch along
// omega, the line that is momentarily at rest, so the body cone rolls on
// the space cone without slipping.
#include <cmath>

#include "explorer.h"

namespace {

// The angle between two vectors, from atan2 of the sine and the cosine,
// which keeps its digits near 0 and near pi.
double angleOf(const double a[3], const double b[3]) {
    const double cross[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                             a[0] * b[1] - a[1] * b[0]};
    return std::atan2(std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]),
                      a[0] * b[0] + a[1] * b[1] + a[2] * b[2]);
}

}  // namespace

bool symmetricCones(Cone& body, Cone& space) {
    const Explorer& e = explorer;
    if (e.exact.kind != MotionKind::Symmetric) {
        return false;
    }
    const int axis = symmetricTopOf(e.exact).axis;
    // The symmetry axis, the way omega leans along it, turned into the scene.
    double along[3] = {0.0, 0.0, 0.0};
    along[axis] = e.state.omega[axis] < 0.0 ? -1.0 : 1.0;
    rotate(e.state.q, along, body.axis);
    double omega[3];
    rotate(e.state.q, e.state.omega, omega);
    body.halfAngle = angleOf(body.axis, omega);
    const double size = std::sqrt(e.startInvariants[1]);
    for (int i = 0; i < 3; ++i) {
        space.axis[i] = e.momentum[i] / size;
    }
    space.halfAngle = angleOf(space.axis, omega);
    return true;
}
