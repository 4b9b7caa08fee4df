// Moments and invariants of the free box.
#include "invariants.h"

#include <cmath>

void principalMoments(const double sides[3], double moments[3]) {
    double sq[3];
    for (int i = 0; i < 3; ++i) {
        sq[i] = std::pow(sides[i], 2.0);
    }
    moments[0] = sq[1] + sq[2];
    moments[1] = sq[0] + sq[2];
    moments[2] = sq[0] + sq[1];
}

double relativeDrift(double now, double start) {
    return start == 0.0 ? 0.0 : (now - start) / start;
}

Invariants invariantsOf(const double moments[3], const double omega[3]) {
    Invariants result{0.0, 0.0};
    for (int i = 0; i < 3; ++i) {
        const double momentum = moments[i] * omega[i];
        result.twiceEnergy += momentum * omega[i];
        result.momentumSquared += momentum * momentum;
    }
    return result;
}
