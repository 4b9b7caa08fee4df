// The closed-form attitude's constants, fixed once the closed-form angular
// velocity is known (the two halves of ExactMotion's set-up).
#pragma once

#include "exact_motion.h"

// Fills motion.attitude for three different moments; nothing to do for the
// other kinds.
void prepareExactAttitude(ExactMotion& motion);
