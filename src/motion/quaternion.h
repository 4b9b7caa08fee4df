// Quaternions for attitudes: a unit quaternion is a rotation.
#pragma once

// A quaternion w + x i + y j + z k.
struct Quaternion {
    double w;
    double x;
    double y;
    double z;
};

// The image of the vector v under the rotation q.
void rotate(const Quaternion& q, const double v[3], double out[3]);
