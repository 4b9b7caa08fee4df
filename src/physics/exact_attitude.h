// The closed-form attitude: its constants, fixed once the closed-form angular
// velocity is known (the second half of ExactMotion's set-up), and the
// attitude with omega at any time.
#pragma once

#include "exact_motion.h"

// Fills motion.attitude for three different moments; nothing to do for the
// other kinds.
void prepareExactAttitude(ExactMotion& motion);

// omega at time t and the attitude: the unit quaternion taking body to
// scene coordinates, the identity at t = 0.
Quaternion exactStateAt(const ExactMotion& motion, double t, double omega[3]);
