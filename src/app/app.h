// Application shell: the window and its fixed render state, the projection
// that follows the window, and the user's commands.
#pragma once

#include "look.h"  // the render state, the lights, the box and the axes

// Initialises the toolkit with the command line, opens the window titled
// argv[0], installs every handler and sets the render state.
void openWindow(int* argc, char** argv);

// Matches the viewport and perspective projection to the window's size.
void reshapeView(int width, int height);

// While the animation runs: asks for the next frame.
void onIdle();

// Left button held: animate; right button press: one frame.
void onMouse(int button, int state, int x, int y);

// "z" animates, "x" stops, Escape, "q" or "Q" quits.
void onKeyboard(unsigned char key, int x, int y);
