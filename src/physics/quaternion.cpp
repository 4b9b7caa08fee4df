// Quaternion arithmetic.
#include "quaternion.h"

#include <cmath>

Quaternion product(const Quaternion& a, const Quaternion& b) {
    return {a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z,
            a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

Quaternion conjugate(const Quaternion& q) { return {q.w, -q.x, -q.y, -q.z}; }

Quaternion turnAbout(const double axis[3], double angle) {
    const double length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
    if (length == 0.0) {
        return {1.0, 0.0, 0.0, 0.0};
    }
    const double s = std::sin(0.5 * angle) / length;
    return {std::cos(0.5 * angle), s * axis[0], s * axis[1], s * axis[2]};
}

Quaternion normalized(const Quaternion& q) {
    const double norm = std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
    return {q.w / norm, q.x / norm, q.y / norm, q.z / norm};
}

void rotate(const Quaternion& q, const double v[3], double out[3]) {
    // v + 2 w (u x v) + 2 u x (u x v), with u the vector part of q.
    const double u[3] = {q.x, q.y, q.z};
    const double t[3] = {2.0 * (u[1] * v[2] - u[2] * v[1]), 2.0 * (u[2] * v[0] - u[0] * v[2]),
                         2.0 * (u[0] * v[1] - u[1] * v[0])};
    out[0] = v[0] + q.w * t[0] + (u[1] * t[2] - u[2] * t[1]);
    out[1] = v[1] + q.w * t[1] + (u[2] * t[0] - u[0] * t[2]);
    out[2] = v[2] + q.w * t[2] + (u[0] * t[1] - u[1] * t[0]);
}

// The rotation a* b has half-angle atan2(|vector part|, |w|); both signs of
// a quaternion are the same rotation.
double angleBetween(const Quaternion& a, const Quaternion& b) {
    const Quaternion d = product(conjugate(a), b);
    return 2.0 * std::atan2(std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z), std::fabs(d.w));
}
