// The box's attitude after each step, integrated here, apart from the
// program: omega by the classical Runge-Kutta step of Euler's equations,
// the attitude by the same step of q' = ½ q (0, omega), with omega at the
// half step from the cubic through omega and omega' at both ends of the step,
// brought back to unit length after every step.
#pragma once

#include <array>
#include <vector>

using Quat = std::array<double, 4>;  // w, x, y, z

// The attitudes after 0, 1, ..., count steps of h for a body with these
// principal moments starting at omega; and omega after each, when asked.
std::vector<Quat> integratedAttitudes(const std::array<double, 3>& moments,
                                      const std::array<double, 3>& omega, double h, int count,
                                      std::vector<std::array<double, 3>>* omegas = nullptr);

// v turned by the unit quaternion q: v + 2w (u x v) + 2u x (u x v), u the
// vector part.
std::array<double, 3> rotated(const Quat& q, const std::array<double, 3>& v);

// The rotation matrix of q, column-major (as glMultMatrixd takes it).
std::array<double, 16> matrixOf(const Quat& q);
