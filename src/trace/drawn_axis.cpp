// The long axis as the window draws it, against the attitude.
#include "drawn_axis.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

WindowTurn windowTurnOf(double t, const double omega[3]) {
    const double rate =
        std::sqrt((std::pow(omega[0], 2.0) + std::pow(omega[1], 2.0)) + std::pow(omega[2], 2.0));
    const double turnAngle = t * rate;
    return {rate, turnAngle * 180.0 / 3.1415926535};
}

double drawnAxisGapDegrees(const Quaternion& q, double turnDegrees, const double omega[3]) {
    // The window turns about (omega1, omega2, -omega3), as GL does: degrees
    // taken to radians with pi, a zero axis leaving the box unturned.
    const double axis[3] = {omega[0], omega[1], -omega[2]};
    const double length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
    const double y[3] = {0.0, 1.0, 0.0};
    double drawn[3] = {y[0], y[1], y[2]};
    if (length > 0.0) {
        const double half = 0.5 * turnDegrees * kPi / 180.0;
        const double s = std::sin(half) / length;
        const Quaternion turn = {std::cos(half), s * axis[0], s * axis[1], s * axis[2]};
        rotate(turn, y, drawn);
    }
    double placed[3];
    rotate(q, y, placed);
    const double cross[3] = {drawn[1] * placed[2] - drawn[2] * placed[1],
                             drawn[2] * placed[0] - drawn[0] * placed[2],
                             drawn[0] * placed[1] - drawn[1] * placed[0]};
    const double sine = std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]);
    const double cosine = drawn[0] * placed[0] + drawn[1] * placed[1] + drawn[2] * placed[2];
    return std::atan2(sine, cosine) * 180.0 / kPi;
}
