// The state of a free rigid body, as a value: its angular velocity in body
// axes and its attitude.
#pragma once

#include "quaternion.h"

struct RigidState {
    double omega[3];  // body-frame angular velocity
    Quaternion q;     // takes body coordinates to scene coordinates
};

// omega at the identity attitude.
RigidState startState(const double omega[3]);
