// Scene rendering: one complete frame of the spinning box, its axes, and the
// constant tables the frame is drawn from.
#pragma once

#include "look.h"  // the box, the axes and the lights it draws with

// Draws one frame: camera, axes, lights, one model step, the box, then swap.
void displayFrame();
