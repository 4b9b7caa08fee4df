// Application shell: the window and its fixed render state, the projection
// that follows the window, and the user's commands.
#pragma once

// Colours of the two lights, used for both diffuse and specular light.
// Components above 1 are deliberate: light 0 is an over-bright green.
extern const float light0Colour[4];
extern const float light1Colour[4];

// Initialises the toolkit with the command line, opens the window titled
// argv[0], installs every handler and sets the render state.
void openWindow(int* argc, char** argv);

// Sets the GL state that never changes while the program runs.
void initRenderState();

// Matches the viewport and perspective projection to the window's size.
void reshapeView(int width, int height);

// While the animation runs: asks for the next frame.
void onIdle();

// Left button held: animate; right button press: one frame.
void onMouse(int button, int state, int x, int y);

// "z" animates, "x" stops, Escape, "q" or "Q" quits.
void onKeyboard(unsigned char key, int x, int y);
