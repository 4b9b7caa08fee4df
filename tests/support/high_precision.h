// The free body's motion integrated in 113-bit floating point: a reference
// for the closed form that shares nothing with it.
#pragma once

#include <array>
#include <vector>

// omega (body frame) and the attitude quaternion (w, x, y, z), body to scene,
// the identity at t = 0, at one time.
struct ReferenceState {
    std::array<double, 3> omega;
    std::array<double, 4> attitude;
};

// The body: its principal moments, given as they are or as a box's sides
// (then b^2 + c^2, a^2 + c^2, a^2 + b^2, formed in 113 bits, and their
// differences from the sides, c^2 - b^2 and so on).
struct ReferenceBody {
    std::array<double, 3> values;
    bool sides;
};

// Euler's equations and q' = ½ q (0, omega), from omega(0) and the identity,
// taken to each of `times` (increasing) by Runge-Kutta-Fehlberg 7(8) steps
// held to `tolerance` (1e-28 unless told).
std::vector<ReferenceState> referenceMotion(const ReferenceBody& body,
                                            const std::array<double, 3>& omega,
                                            const std::vector<double>& times,
                                            double tolerance = 1e-28);
