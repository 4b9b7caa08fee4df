// Quaternions for attitudes: a unit quaternion is a rotation.
#pragma once

// A quaternion w + x i + y j + z k.
struct Quaternion {
    double w;
    double x;
    double y;
    double z;
};

// The Hamilton product a b: the rotation b, then a.
Quaternion product(const Quaternion& a, const Quaternion& b);

// w - x i - y j - z k: for a unit quaternion, the inverse rotation.
Quaternion conjugate(const Quaternion& q);

// The rotation by `angle` radians about `axis` (any length; none for a zero
// axis), right-handed.
Quaternion turnAbout(const double axis[3], double angle);

// q divided by its norm.
Quaternion normalized(const Quaternion& q);

// The image of the vector v under the rotation q.
void rotate(const Quaternion& q, const double v[3], double out[3]);

// The angle, in radians from 0 to pi, of the rotation that takes a to b.
double angleBetween(const Quaternion& a, const Quaternion& b);
