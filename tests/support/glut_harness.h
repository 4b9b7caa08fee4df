// Runs the program's own start-up in the test process, on the real toolkit
// and the real display, and drives the toolkit's loop one iteration at a
// time: the toolkit's one-iteration call, then the idle handler if one is
// installed, just as the toolkit's own main loop does.
#pragma once

#include <functional>

#include "x11_image.h"

// Opens the program's window (same start-up as the program) and runs the loop
// until the first frame is drawn, the window is viewable, and every event the
// server has sent it so far is handled.
void startProgramWindow();

// Loop iterations, back to back.
void runLoop(int iterations);

// Loop iterations for a while, so that replies from the X server arrive.
void runLoopFor(int milliseconds);

// Loop iterations until `done` holds; false if `milliseconds` pass first.
bool runLoopUntil(const std::function<bool()>& done, int milliseconds = 5000);

// Loop iterations until everything the X server has sent the program so far,
// in answer to requests made before this call, has been handled.
void settle();

// Steps the rotation model has taken since the process started.
long stepsTaken();

// Frames the program has shown (buffer swaps) since the process started.
long framesDrawn();

// The steps the model had taken when the first frame was shown.
long stepsAtFirstFrame();

// What the program's window shows now.
WindowImage captureProgramWindow();
