// The body's orientation, integrated from its angular velocity: what the
// free body really does, beside the turn the window draws.
#pragma once

#include "quaternion.h"

// The unit quaternion that takes body coordinates to scene coordinates, and
// the model's omega, with its rate of change, at the same step.
struct Attitude {
    Quaternion q;
    double omega[3];
    double omegaRate[3];
};

// The identity at t = 0, with the model's present omega.
Attitude startAttitude(const double omega[3]);

// Moves the attitude on by one step of h, to where the model's omega now is
// `omegaNext`. Call it once after every step of the model.
void advanceAttitude(Attitude& attitude, const double omegaNext[3], double h);
