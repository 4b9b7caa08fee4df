// Quaternion arithmetic.
#include "quaternion.h"

void rotate(const Quaternion& q, const double v[3], double out[3]) {
    // v + 2 w (u x v) + 2 u x (u x v), with u the vector part of q.
    const double u[3] = {q.x, q.y, q.z};
    const double t[3] = {2.0 * (u[1] * v[2] - u[2] * v[1]), 2.0 * (u[2] * v[0] - u[0] * v[2]),
                         2.0 * (u[0] * v[1] - u[1] * v[0])};
    out[0] = v[0] + q.w * t[0] + (u[1] * t[2] - u[2] * t[1]);
    out[1] = v[1] + q.w * t[1] + (u[2] * t[0] - u[0] * t[2]);
    out[2] = v[2] + q.w * t[2] + (u[0] * t[1] - u[1] * t[0]);
}
