// The box's principal moments and the two quantities that torque-free motion
// keeps: twice the kinetic energy and the squared angular momentum.
#pragma once

// The principal moments of a uniform box with these sides, up to the common
// factor mass / 12: b^2 + c^2, a^2 + c^2 and a^2 + b^2, the sides squared as
// the model squares them.
void principalMoments(const double sides[3], double moments[3]);

// 2E = sum I_i w_i^2 and |L|^2 = sum I_i^2 w_i^2.
struct Invariants {
    double twiceEnergy;
    double momentumSquared;
};
Invariants invariantsOf(const double moments[3], const double omega[3]);

// The relative change (now - start) / start, and 0 when start is 0.
double relativeDrift(double now, double start);
