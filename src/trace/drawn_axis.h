// How far the window's drawing rule puts the box's long axis from where the
// free body really has it.
#pragma once

#include "quaternion.h"

// The turn the window program draws after time t: |omega|, and t |omega| in
// degrees by its pi of ten decimals, each worked out as the window does.
struct WindowTurn {
    double spinRate;
    double degrees;
};
WindowTurn windowTurnOf(double t, const double omega[3]);

// The angle, in degrees, between the box's long axis (body y) as the window
// draws it, turned by turnDegrees about (omega1, omega2, -omega3), and as the
// attitude q places it.
double drawnAxisGapDegrees(const Quaternion& q, double turnDegrees, const double omega[3]);
